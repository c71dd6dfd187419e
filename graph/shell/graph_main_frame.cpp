#include "graph_main_frame.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include "graph_strings.h"
#include "recent_file_list.h"
#include "toolbar_icons.h"
#include "velmora_graph_view.h"

namespace velmora {

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

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
    setAcceptDrops(true);
    setCentralWidget(&view_);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    resize(900, 620);
}

void CGraphMainFrame::createActions()
{
    open_ = command(this, QStringLiteral("&Open..."), QStringLiteral("Open an existing document"),
                    QStringLiteral("Open"));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open_->setIcon(toolbarIcon(ToolbarIcon::Open));
    connect(open_, &QAction::triggered, this, &CGraphMainFrame::openRequested);

    export_ = command(this, QStringLiteral("Export to Excel"), QStringLiteral("Export to Excel"),
                      QStringLiteral("Export to Excel"));
    export_->setIcon(toolbarIcon(ToolbarIcon::ExportToExcel));
    connect(export_, &QAction::triggered, this, &CGraphMainFrame::exportRequested);

    closeGraph_ = command(this, QStringLiteral("&Close Graph"), QStringLiteral("Close the graph application"),
                          QStringLiteral("Close Graph"));
    closeGraph_->setIcon(toolbarIcon(ToolbarIcon::CloseGraph));
    connect(closeGraph_, &QAction::triggered, this, &QWidget::close);

    toolBarToggle_ = command(this, QStringLiteral("&Toolbar"), QStringLiteral("Show or hide the toolbar"));
    toolBarToggle_->setCheckable(true);
    toolBarToggle_->setChecked(true);
    statusBarToggle_ = command(this, QStringLiteral("&Status Bar"), QStringLiteral("Show or hide the status bar"));
    statusBarToggle_->setCheckable(true);
    statusBarToggle_->setChecked(true);

    helpTopics_ = command(this, QStringLiteral("&Help Topics"), QStringLiteral("List Help topics"),
                          QStringLiteral("Help Topics"));
    helpTopics_->setIcon(toolbarIcon(ToolbarIcon::HelpTopics));
    connect(helpTopics_, &QAction::triggered, this, &CGraphMainFrame::helpTopicsRequested);
    about_ = command(this, QStringLiteral("&About VelmoraGraph..."),
                     QStringLiteral("Display program information, version number and copyright"),
                     QStringLiteral("About"));
    about_->setIcon(toolbarIcon(ToolbarIcon::About));
    connect(about_, &QAction::triggered, this, &CGraphMainFrame::aboutRequested);

    // F1 opens the same topic as Help Topics; Shift+F1 asks what was clicked.
    help_ = new QAction(QStringLiteral("Help"), this);
    help_->setShortcut(QKeySequence(Qt::Key_F1));
    help_->setShortcutContext(Qt::ApplicationShortcut);
    connect(help_, &QAction::triggered, this, &CGraphMainFrame::helpTopicsRequested);
    contextHelp_ = new QAction(QStringLiteral("Context Help"), this);
    contextHelp_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    contextHelp_->setShortcutContext(Qt::ApplicationShortcut);
    connect(contextHelp_, &QAction::triggered, this, &CGraphMainFrame::contextHelpRequested);
    addAction(help_);
    addAction(contextHelp_);

    // The view's own commands get their pictures and prompts here, where they are shown.
    view_.zoomInAction()->setIcon(toolbarIcon(ToolbarIcon::ZoomIn));
    view_.zoomOutAction()->setIcon(toolbarIcon(ToolbarIcon::ZoomOut));
    view_.printAction()->setIcon(toolbarIcon(ToolbarIcon::Print));
    view_.printAction()->setStatusTip(QStringLiteral("Print the active document"));
    view_.printAction()->setToolTip(QStringLiteral("Print"));
    view_.printPreviewAction()->setStatusTip(QStringLiteral("Display full pages"));
    view_.printSetupAction()->setStatusTip(QStringLiteral("Change the printer and printing options"));
    view_.markPointsAction()->setStatusTip(QStringLiteral("Mark each reading with a point"));
    view_.gridXAction()->setStatusTip(QStringLiteral("Show or hide the vertical grid lines"));
    view_.gridYAction()->setStatusTip(QStringLiteral("Show or hide the horizontal grid lines"));
}

void CGraphMainFrame::createMenus()
{
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->addAction(open_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(view_.printAction());
    fileMenu_->addAction(view_.printPreviewAction());
    fileMenu_->addAction(view_.printSetupAction());
    fileMenu_->addSeparator();
    fileMenu_->addAction(export_);
    fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(QStringLiteral("Recent File"));
    recentPlaceholder_->setEnabled(false);
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(closeGraph_);

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
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

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->addAction(helpTopics_);
    helpMenu->addSeparator();
    helpMenu->addAction(about_);
}

void CGraphMainFrame::createToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Standard"));
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
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QStringLiteral("Ready"));
    });
    bar->showMessage(QStringLiteral("Ready"));
    connect(statusBarToggle_, &QAction::toggled, bar, &QWidget::setVisible);
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
        a->setStatusTip(QStringLiteral("Open this document"));
        connect(a, &QAction::triggered, this, [this, path] { emit recentFileRequested(path); });
        fileMenu_->insertAction(recentSeparator_, a);
        recent_.push_back(a);
    }
}

void CGraphMainFrame::showFileInTitle(const std::string& path)
{
    const QString title = text(graphtext::kWindowTitle);
    setWindowTitle(path.empty() ? title
                                : QFileInfo(QString::fromStdString(path)).fileName() + QStringLiteral(" - ") + title);
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
