#include "graph_main_frame.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include "archive_open_strings.h"
#include "graph_strings.h"
#include "help_topics.h"
#include "recent_file_list.h"
#include "toolbar_icons.h"
#include "velmora_graph_view.h"
#include "viewer_icon.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QAction* command(QObject* owner, const QString& label, const QString& prompt, const QString& tip = {})
{
    auto* a = new QAction(label, owner);
    a->setStatusTip(prompt);
    if (!tip.isEmpty())
        a->setToolTip(tip);
    return a;
}

QStringList localFiles(const QMimeData* mime)
{
    QStringList files;
    if (mime && mime->hasUrls())
        for (const QUrl& url : mime->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
    return files;
}

} // namespace

CGraphMainFrame::CGraphMainFrame(CVelmoraGraphView& view, QWidget* parent) : QMainWindow(parent), view_(view)
{
    setWindowTitle(text(graphtext::kWindowTitle));
    setWindowIcon(viewerIcon());
    setAcceptDrops(true);
    setCentralWidget(&view_);
    view_.setFocus(); // the chart takes the keys from the start
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    resize(900, 620);
}

void CGraphMainFrame::createActions()
{
    open_ = command(this, text(graphtext::kOpen), text(graphtext::kOpenPrompt), text(graphtext::kOpenTip));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open_->setIcon(toolbarIcon(ToolbarIcon::Open));
    connect(open_, &QAction::triggered, this, &CGraphMainFrame::openRequested);
    openFromArchive_ = command(this, text(archiveopentext::kMenuEntry), text(archiveopentext::kMenuPrompt));
    connect(openFromArchive_, &QAction::triggered, this, &CGraphMainFrame::openFromArchiveRequested);
    addFile_ = command(this, text(graphtext::kAddFileToChart), text(graphtext::kAddFileToChartPrompt));
    connect(addFile_, &QAction::triggered, this, &CGraphMainFrame::addFileRequested);

    const QString exportText = text(graphtext::kExportToExcel);
    export_ = command(this, exportText, exportText, exportText);
    export_->setIcon(toolbarIcon(ToolbarIcon::ExportToExcel));
    connect(export_, &QAction::triggered, this, &CGraphMainFrame::exportRequested);

    saveReport_ = command(this, text(graphtext::kSaveReport), text(graphtext::kSaveReportPrompt));
    saveReport_->setProperty("helpContext", helpctx::kViewerReport);
    connect(saveReport_, &QAction::triggered, this, &CGraphMainFrame::saveReportRequested);
    statistics_ = command(this, text(graphtext::kStatistics), text(graphtext::kStatisticsPrompt));
    statistics_->setProperty("helpContext", helpctx::kViewerStatistics);
    connect(statistics_, &QAction::triggered, this, &CGraphMainFrame::statisticsRequested);
    joinDeployments_ = command(this, text(graphtext::kJoinDeployments), text(graphtext::kJoinDeploymentsPrompt));
    joinDeployments_->setCheckable(true);
    joinDeployments_->setProperty("helpContext", helpctx::kViewerJoin);
    connect(joinDeployments_, &QAction::toggled, this, &CGraphMainFrame::joinDeploymentsToggled);
    spread_ = command(this, text(graphtext::kShowSpread), text(graphtext::kShowSpreadPrompt));
    spread_->setCheckable(true);
    spread_->setProperty("helpContext", helpctx::kViewerSpread);
    connect(spread_, &QAction::toggled, this, &CGraphMainFrame::spreadToggled);

    closeGraph_ = command(this, text(graphtext::kCloseGraph), text(graphtext::kCloseGraphPrompt),
                          text(graphtext::kCloseGraphTip));
    closeGraph_->setIcon(toolbarIcon(ToolbarIcon::CloseGraph));
    connect(closeGraph_, &QAction::triggered, this, &QWidget::close);

    toolBarToggle_ = command(this, text(graphtext::kToolBar), text(graphtext::kToolBarPrompt));
    toolBarToggle_->setCheckable(true);
    toolBarToggle_->setChecked(true);
    statusBarToggle_ = command(this, text(graphtext::kStatusBar), text(graphtext::kStatusBarPrompt));
    statusBarToggle_->setCheckable(true);
    statusBarToggle_->setChecked(true);

    helpTopics_ = command(this, text(graphtext::kHelpTopics), text(graphtext::kHelpTopicsPrompt),
                          text(graphtext::kHelpTopicsTip));
    helpTopics_->setIcon(toolbarIcon(ToolbarIcon::HelpTopics));
    connect(helpTopics_, &QAction::triggered, this, &CGraphMainFrame::helpTopicsRequested);
    about_ = command(this, text(graphtext::kAbout), text(graphtext::kAboutPrompt), text(graphtext::kAboutTip));
    about_->setIcon(toolbarIcon(ToolbarIcon::About));
    connect(about_, &QAction::triggered, this, &CGraphMainFrame::aboutRequested);

    // F1 opens the same topic as Help Topics; Shift+F1 asks what was clicked.
    help_ = new QAction(text(graphtext::kHelp), this);
    help_->setShortcut(QKeySequence(Qt::Key_F1));
    help_->setShortcutContext(Qt::ApplicationShortcut);
    connect(help_, &QAction::triggered, this, &CGraphMainFrame::helpTopicsRequested);
    contextHelp_ = new QAction(text(graphtext::kContextHelp), this);
    contextHelp_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    contextHelp_->setShortcutContext(Qt::ApplicationShortcut);
    connect(contextHelp_, &QAction::triggered, this, &CGraphMainFrame::contextHelpRequested);
    addAction(help_);
    addAction(contextHelp_);

    // The view's own commands get their pictures and prompts here, where they are shown.
    view_.zoomInAction()->setIcon(toolbarIcon(ToolbarIcon::ZoomIn));
    view_.zoomOutAction()->setIcon(toolbarIcon(ToolbarIcon::ZoomOut));
    view_.printAction()->setIcon(toolbarIcon(ToolbarIcon::Print));
    view_.printAction()->setStatusTip(text(graphtext::kPrintPrompt));
    view_.printAction()->setToolTip(text(graphtext::kPrintTip));
    view_.printPreviewAction()->setStatusTip(text(graphtext::kPrintPreviewPrompt));
    view_.printSetupAction()->setStatusTip(text(graphtext::kPrintSetupPrompt));
    view_.markPointsAction()->setStatusTip(text(graphtext::kMarkPointsPrompt));
    view_.gridXAction()->setStatusTip(text(graphtext::kGridXPrompt));
    view_.gridYAction()->setStatusTip(text(graphtext::kGridYPrompt));
}

void CGraphMainFrame::createMenus()
{
    fileMenu_ = menuBar()->addMenu(text(graphtext::kFileMenu));
    fileMenu_->addAction(open_);
    fileMenu_->addAction(openFromArchive_);
    fileMenu_->addAction(addFile_);
    removeFile_ = fileMenu_->addMenu(text(graphtext::kRemoveFileFromChart));
    removeFile_->menuAction()->setStatusTip(text(graphtext::kRemoveFileFromChartPrompt));
    setChartFiles({});
    fileMenu_->addSeparator();
    fileMenu_->addAction(view_.printAction());
    fileMenu_->addAction(view_.printPreviewAction());
    fileMenu_->addAction(view_.printSetupAction());
    fileMenu_->addSeparator();
    fileMenu_->addAction(export_);
    fileMenu_->addAction(saveReport_);
    fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(text(graphtext::kRecentFile));
    recentPlaceholder_->setEnabled(false);
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(closeGraph_);

    QMenu* viewMenu = menuBar()->addMenu(text(graphtext::kViewMenu));
    viewMenu->addAction(toolBarToggle_);
    viewMenu->addAction(statusBarToggle_);
    viewMenu->addSeparator();
    viewMenu->addAction(view_.zoomInAction());
    viewMenu->addAction(view_.zoomOutAction());
    viewMenu->addSeparator();
    viewMenu->addAction(view_.markPointsAction());
    viewMenu->addMenu(view_.tracesMenu());
    QMenu* grid = viewMenu->addMenu(text(graphtext::kGridLines));
    grid->addAction(view_.gridXAction());
    grid->addAction(view_.gridYAction());
    viewMenu->addSeparator();
    viewMenu->addAction(joinDeployments_);
    viewMenu->addAction(spread_);
    viewMenu->addSeparator();
    viewMenu->addAction(statistics_);

    QMenu* helpMenu = menuBar()->addMenu(text(graphtext::kHelpMenu));
    helpMenu->addAction(helpTopics_);
    helpMenu->addSeparator();
    helpMenu->addAction(about_);
}

void CGraphMainFrame::createToolBar()
{
    toolBar_ = addToolBar(text(graphtext::kToolBarTitle));
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->addAction(open_);
    toolBar_->addSeparator();
    toolBar_->addAction(view_.zoomInAction());
    toolBar_->addAction(view_.zoomOutAction());
    toolBar_->addSeparator();
    toolBar_->addAction(export_);
    toolBar_->addSeparator();
    toolBar_->addAction(view_.printAction());
    toolBar_->addSeparator();
    toolBar_->addAction(about_);
    toolBar_->addAction(helpTopics_);
    toolBar_->addSeparator();
    toolBar_->addAction(closeGraph_);
    connect(toolBarToggle_, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toolBarToggle_, &QAction::setChecked);
}

void CGraphMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    // The idle prompt comes back whenever a command's prompt is taken away.
    const QString ready = text(graphtext::kReady);
    connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(ready);
    });
    bar->showMessage(ready);
    connect(statusBarToggle_, &QAction::toggled, bar, &QWidget::setVisible);
    fileWarning_ = new QLabel(bar);
    bar->addPermanentWidget(fileWarning_);
    fileWarning_->hide();
}

void CGraphMainFrame::showFileWarning(std::string_view warning)
{
    fileWarning_->setText(QString::fromUtf8(warning.data(), static_cast<qsizetype>(warning.size())));
    fileWarning_->setVisible(!warning.empty());
}

void CGraphMainFrame::setRecentFiles(const std::vector<std::string>& paths)
{
    for (QAction* a : recent_)
        delete a;
    recent_.clear();
    recentPlaceholder_->setVisible(paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString path = QString::fromStdString(paths[i]);
        auto* a = new QAction(QString::fromStdString(recentFileMenuText(i, paths[i])), fileMenu_);
        a->setStatusTip(text(graphtext::kRecentFilePrompt));
        connect(a, &QAction::triggered, this, [this, path] { emit recentFileRequested(path); });
        fileMenu_->insertAction(recentSeparator_, a);
        recent_.push_back(a);
    }
}

void CGraphMainFrame::showFileInTitle(const std::string& path)
{
    const QString title = text(graphtext::kWindowTitle);
    if (path.empty()) {
        setWindowTitle(title);
        return;
    }
    setWindowTitle(QFileInfo(QString::fromStdString(path)).fileName() + text(graphtext::kTitleSeparator) + title);
}

void CGraphMainFrame::setChartFiles(const QStringList& titles)
{
    removeFile_->clear();
    for (int i = 0; i < titles.size(); ++i)
        connect(removeFile_->addAction(titles[i]), &QAction::triggered, this,
                [this, i] { emit removeFileRequested(i); });
    removeFile_->menuAction()->setEnabled(titles.size() > 1);
    joinDeployments_->setEnabled(titles.size() > 1);
    spread_->setEnabled(titles.size() > 1);
}

void CGraphMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CGraphMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(files);
}

} // namespace velmora
