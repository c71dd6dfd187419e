#pragma once
// The help window both programs share: our HTML help pages in a QTextBrowser with
// back, forward and contents buttons. One window per program, reused on every call.
#include <QMainWindow>
#include <QString>
#include <QUrl>

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

private:
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
