#pragma once
// A page of the utility's main window: the main menu, a set-up page, the stop page
// or the status page. Every page is created once at start-up and then only shown
// and hidden; after each page switch every page reloads its controls through
// refresh(), whether it is on show or not.
//
// The keys work as on a dialog, though a page is none: Return presses the page's
// default button (or the push button that has the focus), Escape its escape button
// (its Cancel, or the one way back of a page without one). When a page is shown its
// first control has the focus: the first that is not a push button, else the default
// button; in the tab order the page's push buttons come after its other controls.
#include <QWidget>

class QAbstractButton;
class QPushButton;

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

    // The button Return presses: the shown push button made the default.
    QPushButton* defaultButton() const;
    // The button Escape presses; none on the main menu.
    QAbstractButton* escapeButton() const { return escape_; }
    void setEscapeButton(QAbstractButton* button) { escape_ = button; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The page's controls that take the focus by Tab, in the order Tab visits them.
    QList<QWidget*> tabControls() const;
    void putButtonsLastInTabOrder();
    void focusFirstControl();

    int dialogId_;
    QAbstractButton* escape_ = nullptr;
    bool tabOrderSet_ = false;
};

// Gives a control its identifier, so that tests and help can address it by number.
template <typename T> T* withId(T* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

} // namespace velmora
