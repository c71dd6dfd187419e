#include "context_help_mode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace velmora {

ContextHelpMode::ContextHelpMode(Help& help, int fallbackContext, QObject* parent)
    : QObject(parent), help_(help), fallback_(fallbackContext)
{
}

ContextHelpMode::~ContextHelpMode() { leave(); }

void ContextHelpMode::enter()
{
    if (active_)
        return;
    active_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    qApp->installEventFilter(this);
}

void ContextHelpMode::leave()
{
    if (!active_)
        return;
    active_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

int ContextHelpMode::contextOf(const QObject* widget, int fallback)
{
    for (const QObject* o = widget; o; o = o->parent()) {
        const QVariant context = o->property("helpContext");
        if (context.isValid() && context.toInt() > 0)
            return context.toInt();
    }
    return fallback;
}

bool ContextHelpMode::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            leave();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QWidget* target = QApplication::widgetAt(mouse->globalPosition().toPoint());
        if (!target)
            target = qobject_cast<QWidget*>(watched);
        leave();
        help_.showContext(contextOf(target, fallback_));
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return active_;
    default: return false;
    }
}

} // namespace velmora
