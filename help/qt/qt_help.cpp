#include "qt_help.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "../help_topics.h"

namespace velmora {

namespace {
constexpr const char* kWindowName = "velmoraHelpWindow";

bool holdsContents(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') +
                                                  QLatin1String(kHelpContentsPage.data(), kHelpContentsPage.size()));
}

// The help window on show; a closed one is on its way to deletion and is not reused.
HelpWindow* existingWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w);
            help && w->objectName() == QLatin1String(kWindowName) && w->isVisible())
            return help;
    return nullptr;
}

void showPage(const QString& page, QWidget* parent)
{
    HelpWindow* window = existingWindow();
    if (!window) {
        const QString folder = findHelpFolder();
        if (folder.isEmpty()) {
            QMessageBox::warning(parent, QCoreApplication::applicationName(),
                                 QStringLiteral("The help pages could not be found.\n"
                                                "They belong in share/velmora/help beside the program's folder."));
            return;
        }
        window = new HelpWindow(folder, parent);
    }
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

QString findHelpFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORA_HELP_DIR");
    if (holdsContents(fromEnvironment))
        return fromEnvironment;
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmora/help"));
    if (holdsContents(installed))
        return installed;
#ifdef VELMORA_SOURCE_HELP_DIR
    if (holdsContents(QStringLiteral(VELMORA_SOURCE_HELP_DIR)))
        return QStringLiteral(VELMORA_SOURCE_HELP_DIR);
#endif
    return {};
}

QUrl helpPageUrl(const QString& folder, const QString& page)
{
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(folder + QLatin1Char('/') + (hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent, Qt::Window), folder_(folder), browser_(new QTextBrowser(this))
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder_});
    setCentralWidget(browser_);

    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    QAction* contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this,
            [this] { showPage(QString::fromLatin1(kHelpContentsPage.data(), kHelpContentsPage.size())); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" Help") +
                       (title.isEmpty() ? QString() : QStringLiteral(" - ") + title));
        padPageEnd();
    });

    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    browser_->viewport()->installEventFilter(this);
    resize(720, 560);
}

void HelpWindow::showPage(const QString& page)
{
    browser_->setSource(helpPageUrl(folder_, page));
    // The window may not have its size yet (the first call comes before it is shown):
    // the heading is put at the top once it has.
    QTimer::singleShot(0, this, &HelpWindow::scrollToTopic);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == browser_->viewport() && event->type() == QEvent::Resize)
        padPageEnd();
    return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::padPageEnd()
{
    QTextFrame* root = browser_->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const qreal room = std::max(0, browser_->viewport()->height() - 2 * browser_->fontMetrics().height());
    if (format.bottomMargin() == room)
        return;
    format.setBottomMargin(room);
    root->setFrameFormat(format);
}

void HelpWindow::scrollToTopic()
{
    padPageEnd();
    const QString topic = browser_->source().fragment();
    if (!topic.isEmpty())
        browser_->scrollToAnchor(topic);
}

std::optional<int> HelpWindow::topicOffset() const
{
    const QString topic = browser_->source().fragment();
    if (topic.isEmpty())
        return std::nullopt;
    QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(topic)) {
                const QRectF where = document->documentLayout()->blockBoundingRect(block);
                return static_cast<int>(std::lround(where.top())) - browser_->verticalScrollBar()->value();
            }
    return std::nullopt;
}

void openHelp(int contextId, QWidget* parent)
{
    const std::string_view page = helpPageFor(contextId);
    showPage(QString::fromLatin1(page.data(), static_cast<qsizetype>(page.size())), parent);
}

void openHelpContents(QWidget* parent)
{
    showPage(QString::fromLatin1(kHelpContentsPage.data(), kHelpContentsPage.size()), parent);
}

} // namespace velmora
