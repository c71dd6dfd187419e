#pragma once
// A page of the utility's main window: the main menu, a set-up page, the stop page
// or the status page. Every page is created once at start-up and then only shown
// and hidden; after each page switch every page reloads its controls through
// refresh(), whether it is on show or not.
//
// A page may build its controls when it is first needed rather than at start-up, so
// that the window shows without waiting for pages nobody has asked for: it is built
// the first time it is shown or one of its controls is looked up, and loads itself
// then. Until then it has no controls to reload, and refresh() passes it by.
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
    // Runs once, after every page exists, in page order; by default a refresh of a
    // page already built.
    virtual void initialUpdate()
    {
        if (isBuilt())
            refresh();
    }

    // Whether the page has its controls yet; a page that is not built later builds
    // them when it is first needed.
    bool isBuilt() const { return built_; }
    // Builds the page now if it is not built yet, and loads its controls.
    void ensureBuilt();

    int dialogId() const { return dialogId_; }
    // The help topic of the page: its form's number unless set otherwise.
    int helpContext() const { return property("helpContext").toInt(); }
    void setHelpContext(int context) { setProperty("helpContext", context); }

    // The child control carrying the identifier `id` as its object name; a page not
    // built yet is built first.
    template <typename T> T* control(int id) const
    {
        const_cast<CPageView*>(this)->ensureBuilt();
        return findChild<T*>(QString::number(id));
    }

    // The button Return presses: the shown push button made the default.
    QPushButton* defaultButton() const;
    // The button Escape presses; none on the main menu.
    QAbstractButton* escapeButton() const { return escape_; }
    void setEscapeButton(QAbstractButton* button) { escape_ = button; }

    // A page is built before it is first shown.
    void setVisible(bool visible) override;

signals:
    // The page has just built its controls (when it was first needed).
    void built(CPageView* page);

protected:
    // For the constructor of a page that builds its controls when first needed, in
    // build(), rather than in the constructor.
    void buildWhenNeeded() { built_ = false; }
    virtual void build() {}

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
    bool built_ = true;
};

// Gives a control its identifier, so that tests and help can address it by number.
template <typename T> T* withId(T* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

} // namespace velmora
