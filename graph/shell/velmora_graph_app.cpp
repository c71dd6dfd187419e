#include "velmora_graph_app.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTimer>
#include <filesystem>

#include "export_progress_dialog.h"
#include "graph_about_dlg.h"
#include "graph_help.h"
#include "graph_main_frame.h"
#include "graph_strings.h"
#include "locale_format.h"
#include "print_page.h"
#include "qt/context_help_mode.h"
#include "report_flow.h"
#include "report_writer.h"
#include "start_folder.h"
#include "statistics_panel.h"
#include "velmora_graph_view.h"
#include "workbook_export_flow.h"

namespace velmora {

namespace fs = std::filesystem;

CVelmoraGraphApp::CVelmoraGraphApp(const GraphServices& services)
    : services_(services), doc_(services.prompts, services.launcher, services.programFolder), recent_(services.settings)
{
}

CVelmoraGraphApp::~CVelmoraGraphApp() = default;

bool CVelmoraGraphApp::InitInstance(const QStringList& arguments)
{
    view_ = new CVelmoraGraphView(services_.prompts);
    frame_ = std::make_unique<CGraphMainFrame>(*view_);
    contextHelp_ = std::make_unique<ContextHelpMode>(services_.help, helpContext(), this);
    // The statistics panel stands beside the chart, closed until asked for.
    statistics_ = new StatisticsPanel(services_.settings, frame_.get());
    frame_->addDockWidget(Qt::RightDockWidgetArea, statistics_);
    statistics_->hide();
    connect(view_, &CVelmoraGraphView::visibleRangeChanged, statistics_, &StatisticsPanel::setVisibleRange);
    // Printing goes on landscape paper unless the user chooses otherwise.
    view_->printer().setPageOrientation(QPageLayout::Landscape);

    connect(frame_.get(), &CGraphMainFrame::openRequested, this, &CVelmoraGraphApp::OnFileOpen);
    connect(frame_.get(), &CGraphMainFrame::openFromArchiveRequested, this, &CVelmoraGraphApp::OnFileOpenFromArchive);
    connect(frame_.get(), &CGraphMainFrame::recentFileRequested, this, &CVelmoraGraphApp::OpenDocumentFile);
    connect(frame_.get(), &CGraphMainFrame::exportRequested, this, &CVelmoraGraphApp::OnExportToExcel);
    connect(frame_.get(), &CGraphMainFrame::saveReportRequested, this, &CVelmoraGraphApp::OnSaveReport);
    connect(frame_.get(), &CGraphMainFrame::statisticsRequested, this, &CVelmoraGraphApp::OnViewStatistics);
    connect(frame_.get(), &CGraphMainFrame::joinDeploymentsToggled, this, [this](bool on) {
        joinDeployments_ = on;
        showDocument();
    });
    connect(frame_.get(), &CGraphMainFrame::spreadToggled, this, [this](bool on) {
        showSpread_ = on;
        showDocument();
    });
    connect(frame_.get(), &CGraphMainFrame::helpTopicsRequested, this, &CVelmoraGraphApp::OnHelpTopics);
    connect(frame_.get(), &CGraphMainFrame::contextHelpRequested, this, &CVelmoraGraphApp::OnContextHelp);
    connect(frame_.get(), &CGraphMainFrame::aboutRequested, this, &CVelmoraGraphApp::OnAppAbout);
    connect(frame_.get(), &CGraphMainFrame::addFileRequested, this, &CVelmoraGraphApp::OnAddFile);
    connect(frame_.get(), &CGraphMainFrame::removeFileRequested, this, &CVelmoraGraphApp::OnRemoveFile);
    connect(frame_.get(), &CGraphMainFrame::filesDropped, this, [this](const QStringList& files) {
        // One file opens as File Open does; several open on one chart.
        if (OpenDocumentFile(files.front()))
            for (qsizetype i = 1; i < files.size(); ++i)
                AddFileToChart(files[i]);
    });
    frame_->setRecentFiles(recent_.entries());

    if (!arguments.isEmpty()) {
        if (!OpenDocumentFile(arguments.front()))
            return false;
        for (qsizetype i = 1; i < arguments.size(); ++i)
            AddFileToChart(arguments[i]);
    } else {
        OnFileNew();
    }
    frame_->show();
    if (arguments.isEmpty()) // the user came to see a file: ask which at once
        QTimer::singleShot(0, this, &CVelmoraGraphApp::OnFileOpen);
    return true;
}

int CVelmoraGraphApp::helpContext() const { return graphHelpContext(doc_.data()); }

std::string CVelmoraGraphApp::openFolder() const
{
    const std::string saved =
        services_.utilitySettings ? services_.utilitySettings->value(kSettingsSection, kSavedDirectoryKey) : "";
    const std::string open = doc_.filePath().empty() ? "" : fs::path(doc_.filePath()).parent_path().string();
    return startFolder({saved, open, services_.documentsFolder, services_.homeFolder});
}

std::optional<std::string> CVelmoraGraphApp::askForDownloadFile(std::string_view title)
{
    FileDialogRequest request;
    request.initialFolder = openFolder();
    request.title = std::string(title);
    request.filter = std::string(graphtext::kFileFilter);
    request.defaultSuffix = "txt";
    return services_.dialogs.openFile(request);
}

void CVelmoraGraphApp::OnFileOpen()
{
    if (const std::optional<std::string> path = askForDownloadFile(graphtext::kOpenDialogTitle))
        OpenDocumentFile(QString::fromStdString(*path));
}

bool CVelmoraGraphApp::OpenDocumentFile(const QString& path)
{
    const std::string file = path.toStdString();
    const bool opened = loadDocument(file);
    if (opened)
        recent_.add(file);
    else
        recent_.remove(file);
    frame_->setRecentFiles(recent_.entries());
    return opened;
}

bool CVelmoraGraphApp::loadDocument(const std::string& file)
{
    // The view lets go of the document's data before the data changes: a message box
    // shown while reading may repaint the window.
    const bool opened = doc_.OnOpenDocument(file, [this] { releaseDocument(); });
    if (opened)
        showDocument();
    return opened;
}

void CVelmoraGraphApp::OnAddFile()
{
    if (const std::optional<std::string> path = askForDownloadFile(graphtext::kAddFileDialogTitle))
        AddFileToChart(QString::fromStdString(*path));
}

bool CVelmoraGraphApp::AddFileToChart(const QString& path)
{
    const std::string file = path.toStdString();
    if (!doc_.AddFile(file, [this] { releaseDocument(); }))
        return false;
    recent_.add(file);
    frame_->setRecentFiles(recent_.entries());
    showDocument();
    return true;
}

void CVelmoraGraphApp::OnRemoveFile(int index)
{
    doc_.RemoveFile(static_cast<std::size_t>(index), [this] { releaseDocument(); });
    showDocument();
}

void CVelmoraGraphApp::OnFileNew()
{
    releaseDocument();
    doc_.OnNewDocument();
    showDocument();
}

void CVelmoraGraphApp::releaseDocument()
{
    view_->bind(released_);
    statistics_->showDocument(released_, 0, 0);
}

void CVelmoraGraphApp::showDocument()
{
    const std::vector<const GraphData*> files = doc_.chartFiles();
    const std::vector<std::string> paths = doc_.chartPaths();
    QStringList titles;
    for (std::size_t f = 0; files.size() > 1 && f < files.size(); ++f)
        titles.push_back(
            chartFileTitle(QFileInfo(QString::fromStdString(paths[f])).fileName(), files[f]->serialNumber));
    // The view and the panel move to the new contents before the old ones go.
    ChartContents next = chartContents(files, paths, doc_.chartSides(), joinDeployments_, showSpread_);
    const GraphData& first = next.files.empty() ? doc_.data() : *next.files.front().data;
    if (next.files.size() > 1)
        view_->bindFiles(next.files, next.alignment, next.spread.data ? &next.spread : nullptr);
    else
        view_->bind(first);
    frame_->setChartFiles(titles);
    view_->setDocumentPath(QString::fromStdString(doc_.filePath()));
    const Chart& chart = view_->chart();
    // The panel counts from the first file's first reading.
    const double start = chart.dataSetOffset(0);
    statistics_->showDocument(first, chart.axisMinimum(Axis::X) - start, chart.axisMaximum(Axis::X) - start);
    if (next.files.size() > 1)
        statistics_->showFiles(next.data(), next.names(), next.offsets());
    shown_ = std::move(next);
    frame_->showFileInTitle(doc_.filePath());
    frame_->showFileWarning(doc_.data().lastLineUnterminated ? graphtext::kLastLineCut : std::string_view());
    contextHelp_->setFallbackContext(helpContext());
}

void CVelmoraGraphApp::OnExportToExcel()
{
    const DateTimePatterns patterns = SystemLocaleFormat().patterns();
    ExportProgressDialog progress(frame_.get(), services_.prompts);
    WorkbookExportFlow flow(progress.prompts(), services_.dialogs, services_.settings, services_.launcher);
    // Every file on the chart; the opened one alone gives the one file's workbook.
    std::vector<std::string> files = doc_.chartPaths();
    if (files.empty())
        files.push_back(doc_.filePath());
    flow.run(files, sheetDateFormat(patterns.date, patterns.time), progress.callback());
}

void CVelmoraGraphApp::OnSaveReport()
{
    const Chart& chart = view_->chart();
    ReportRequest request;
    // Every file on the chart: one gives the one file's report, several their comparison.
    request.downloadFiles = doc_.chartPaths();
    request.shown = doc_.chartFiles();
    if (request.downloadFiles.empty()) {
        request.downloadFiles.push_back(doc_.filePath());
        request.shown.push_back(&doc_.data());
    }
    const Chart printChart = makePrintChart(chart, doc_.data(), view_->zoomLevel() > 0);
    request.printChart = &printChart;
    request.xMin = chart.axisMinimum(Axis::X) - chart.dataSetOffset(0);
    request.xMax = chart.axisMaximum(Axis::X) - chart.dataSetOffset(0);
    request.options = statistics_->options();
    request.paper = localePaper();
    ReportFlow(services_.prompts, services_.dialogs).run(request);
}

void CVelmoraGraphApp::OnViewStatistics()
{
    const bool wasShown = statistics_->isVisible();
    statistics_->show();
    statistics_->raise();
    if (!wasShown) // wide enough for its columns, but leaving the chart most of the window
        frame_->resizeDocks({statistics_}, {std::min(statistics_->preferredWidth(), frame_->width() * 3 / 5)},
                            Qt::Horizontal);
}

void CVelmoraGraphApp::OnHelpTopics() { services_.help.showContext(helpContext()); }

void CVelmoraGraphApp::OnContextHelp()
{
    contextHelp_->setFallbackContext(helpContext());
    contextHelp_->enter();
}

void CVelmoraGraphApp::OnAppAbout()
{
    CGraphAboutDlg about(frame_.get());
    about.exec();
}

} // namespace velmora
