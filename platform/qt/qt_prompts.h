#pragma once
#include <QString>
#include <memory>
#include <optional>

#include "../prompts.h"

class QFont;
class QMessageBox;
class QWidget;

namespace velmora {

// Message boxes with the program's caption, icon and buttons.
class QtPrompts final : public Prompts {
public:
    QtPrompts(QString caption, QWidget* parent = nullptr) : caption_(std::move(caption)), parent_(parent) {}
    PromptAnswer ask(const std::string& text, PromptIcon icon, PromptButtons buttons,
                     PromptAnswer defaultButton) override;
    void setParent(QWidget* parent) { parent_ = parent; }

    // The box ask() shows, not yet shown; Return presses the first button unless
    // `defaultButton` names another.
    std::unique_ptr<QMessageBox> makeBox(const std::string& text, PromptIcon icon, PromptButtons buttons,
                                         std::optional<PromptAnswer> defaultButton = std::nullopt) const;

private:
    QString caption_;
    QWidget* parent_;
};

// The width a message's text is laid out in. Left alone, a message box breaks every
// line longer than about 500 pixels there, which often leaves the last word of a
// sentence alone on a line. Here a line up to `limit` pixels wide keeps to one line,
// and a longer one is broken into lines of even length: as narrow as it can be
// without needing another line.
int messageTextWidth(const QString& text, const QFont& font, int limit);

} // namespace velmora
