#pragma once
// The help window both programs share: our HTML help pages in a QTextBrowser with
// back, forward and contents buttons. One window per program, reused on every call.
// A topic opens with its heading at the top of the window, however near the end of
// its page it stands; Escape and Ctrl+W close the window.
#include <QMainWindow>
#include <QString>
#include <QUrl>
#include <optional>

#include "../help.h"

class QTextBrowser;

namespace velmora {

// The folder of the help pages: $VELMORA_HELP_DIR, else share/velmora/help beside the
// program's bin folder (the installed layout), else the source tree's pages (a
// program run from the build tree). Empty when none holds the contents page.
QString findHelpFolder();

// The address of a page such as "status.html" or "graph-channels.html#co" in `folder`.
QUrl helpPageUrl(const QString& folder, const QString& page);

class HelpWindow final : public QMainWindow {
    Q_OBJECT
public:
    HelpWindow(const QString& folder, QWidget* parent = nullptr);
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }
    // Where the heading of the topic shown stands below the top of the page's view, in
    // pixels; 0 when it is at the top. None without a topic or when it is not found.
    std::optional<int> topicOffset() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Room below a page's end, so that its last topic too can stand at the top.
    void padPageEnd();
    void scrollToTopic();

    QString folder_;
    QTextBrowser* browser_;
};

// Opens help at a context number for the window `parent`; reuses the open help window.
void openHelp(int contextId, QWidget* parent = nullptr);
void openHelpContents(QWidget* parent = nullptr);

class QtHelp final : public Help {
public:
    explicit QtHelp(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showContents() override { openHelpContents(parent_); }
    void showContext(int contextId) override { openHelp(contextId, parent_); }

private:
    QWidget* parent_;
};

} // namespace velmora
