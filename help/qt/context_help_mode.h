#pragma once
// Shift+F1 help: the pointer turns into the help cursor and the next click opens
// help for what was clicked. The topic is the "helpContext" property of the clicked
// widget or of its nearest parent that has one. Escape or a click outside the
// program's windows leaves the mode without opening help.
#include <QObject>

#include "../help.h"

namespace velmora {

class ContextHelpMode final : public QObject {
    Q_OBJECT
public:
    // `fallbackContext` is used when nothing under the pointer names a topic.
    ContextHelpMode(Help& help, int fallbackContext, QObject* parent = nullptr);
    ~ContextHelpMode() override;

    void enter();
    bool active() const { return active_; }
    void setFallbackContext(int context) { fallback_ = context; }

    // The topic for `widget`: its own or its nearest parent's "helpContext".
    static int contextOf(const QObject* widget, int fallback);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave();

    Help& help_;
    int fallback_;
    bool active_ = false;
};

} // namespace velmora
