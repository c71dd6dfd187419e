#include "main_frame.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>

#include "about_dlg.h"
#include "artwork.h"
#include "help.h"
#include "help_topics.h"
#include "qt/context_help_mode.h"

namespace velmora {

CMainFrame::CMainFrame(Help& help, QWidget* parent) : QMainWindow(parent), helpSeam_(help), pane_(new QWidget(this))
{
    // Caption, system menu, minimise and close; no sizing border, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setWindowIcon(artworkIcon(Artwork::ProgramIcon));
    pane_->setObjectName(QStringLiteral("pane"));
    setCentralWidget(pane_);
    contextHelpMode_ = new ContextHelpMode(help, helpctx::kMainMenu, this);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("menuOptions"));
    addCommand(options, QStringLiteral("&Set up and Start..."), cmd::kSetUp);
    addCommand(options, QStringLiteral("Stop and &Download..."), cmd::kStopAndDownload);
    addCommand(options, QStringLiteral("&View Previous Graph..."), cmd::kViewPreviousGraph);
    addCommand(options, QStringLiteral("&Current Status..."), cmd::kCurrentStatus);
    addCommand(options, QStringLiteral("Download &All Loggers..."), cmd::kDownloadAll);
    options->addSeparator();
    exit_ = options->addAction(QStringLiteral("E&xit"));
    exit_->setObjectName(QStringLiteral("exit"));
    connect(exit_, &QAction::triggered, this, &QWidget::close);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("menuHelp"));
    helpTopics_ = helpMenu->addAction(QStringLiteral("&Help Topics"));
    helpTopics_->setObjectName(QStringLiteral("helpTopics"));
    connect(helpTopics_, &QAction::triggered, this, [this] { helpSeam_.showContents(); });
    helpMenu->addSeparator();
    about_ = helpMenu->addAction(QStringLiteral("&About Velmora USB..."));
    about_->setObjectName(QStringLiteral("about"));
    connect(about_, &QAction::triggered, this, &CMainFrame::OnAppAbout);

    // F1 and Shift+F1 act anywhere in the window; they are not menu items.
    help_ = new QAction(QStringLiteral("Help"), this);
    help_->setObjectName(QStringLiteral("help"));
    help_->setShortcut(QKeySequence(Qt::Key_F1));
    help_->setShortcutContext(Qt::WindowShortcut);
    connect(help_, &QAction::triggered, this,
            [this] { helpSeam_.showContext(currentContext_ ? currentContext_() : helpctx::kMainMenu); });
    addAction(help_);
    contextHelp_ = new QAction(QStringLiteral("Context Help"), this);
    contextHelp_->setObjectName(QStringLiteral("contextHelp"));
    contextHelp_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    contextHelp_->setShortcutContext(Qt::WindowShortcut);
    connect(contextHelp_, &QAction::triggered, this, [this] {
        contextHelpMode_->setFallbackContext(currentContext_ ? currentContext_() : helpctx::kMainMenu);
        contextHelpMode_->enter();
    });
    addAction(contextHelp_);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::addCommand(QMenu* menu, const QString& text, int id)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::number(id));
    commands_[id] = action;
    return action;
}

QAction* CMainFrame::command(int id) const
{
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second;
}

void CMainFrame::setTaskCommandsEnabled(bool enabled)
{
    for (auto& [id, action] : commands_)
        action->setEnabled(enabled);
}

void CMainFrame::fitToForm(QSize formSize)
{
    pane_->setFixedSize(formSize);
    if (QLayout* l = layout())
        l->activate();
    setFixedSize(sizeHint());
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    about.exec();
}

} // namespace velmora
