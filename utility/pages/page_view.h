#pragma once
// A page of the utility's main window: the main menu, a set-up page, the stop page
// or the status page. Every page is created once at start-up and then only shown
// and hidden; after each page switch every page reloads its controls through
// refresh(), whether it is on show or not.
#include <QWidget>

namespace velmora {

class CPageView : public QWidget {
    Q_OBJECT
public:
    // `dialogId` is the number of the page's form; it doubles as its help context.
    explicit CPageView(int dialogId, QWidget* parent = nullptr);

    // Reloads every control from the connected logger. Must not touch anything
    // beyond the page's own controls and timers: it also runs on hidden pages.
    virtual void refresh() = 0;
    // Runs once, after every page exists, in page order; by default a refresh.
    virtual void initialUpdate() { refresh(); }

    int dialogId() const { return dialogId_; }
    // The help topic of the page: its form's number unless set otherwise.
    int helpContext() const { return property("helpContext").toInt(); }
    void setHelpContext(int context) { setProperty("helpContext", context); }

    // The child control carrying the identifier `id` as its object name.
    template <typename T> T* control(int id) const { return findChild<T*>(QString::number(id)); }

private:
    int dialogId_;
};

// Gives a control its identifier, so that tests and help can address it by number.
template <typename T> T* withId(T* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

} // namespace velmora
