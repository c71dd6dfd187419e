#include "page_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

namespace velmora {

namespace {

bool usable(const QWidget* w, const QWidget* page) { return w->isVisibleTo(page) && w->isEnabled(); }

bool isPushButton(const QWidget* w) { return qobject_cast<const QPushButton*>(w) != nullptr; }

} // namespace

CPageView::CPageView(int dialogId, QWidget* parent) : QWidget(parent), dialogId_(dialogId)
{
    setProperty("dialogId", dialogId);
    setProperty("helpContext", dialogId);
}

void CPageView::ensureBuilt()
{
    if (built_)
        return;
    built_ = true;
    build();
    refresh();
    emit built(this);
}

void CPageView::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

QPushButton* CPageView::defaultButton() const
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisibleTo(this))
            return button;
    return nullptr;
}

void CPageView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    QAbstractButton* target = nullptr;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        // A push button with the focus takes Return itself, as on a dialog; from any
        // other control Return goes to the default button.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        target = focused && isAncestorOf(focused) ? focused : defaultButton();
    } else if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        target = escape_;
    }
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (usable(target, this))
        target->click();
    event->accept();
}

void CPageView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    putButtonsLastInTabOrder();
    focusFirstControl();
}

QList<QWidget*> CPageView::tabControls() const
{
    QList<QWidget*> controls;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            controls << w;
    return controls;
}

void CPageView::putButtonsLastInTabOrder()
{
    // The frame's buttons are made before a page's own controls; Tab should reach the
    // controls first, as the eye does.
    if (tabOrderSet_)
        return;
    tabOrderSet_ = true;
    QList<QWidget*> order = tabControls();
    std::stable_partition(order.begin(), order.end(), [](QWidget* w) { return !isPushButton(w); });
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void CPageView::focusFirstControl()
{
    const QList<QWidget*> order = tabControls();
    const auto first =
        std::find_if(order.begin(), order.end(), [this](QWidget* w) { return !isPushButton(w) && usable(w, this); });
    QWidget* target = first != order.end() ? *first : defaultButton();
    if (!target || !usable(target, this)) {
        const auto button = std::find_if(order.begin(), order.end(), [this](QWidget* w) { return usable(w, this); });
        target = button != order.end() ? *button : nullptr;
    }
    if (target)
        target->setFocus(Qt::TabFocusReason);
}

} // namespace velmora
