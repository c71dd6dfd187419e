#pragma once
#include <QString>

#include "../prompts.h"

class QWidget;

namespace velmora {

// Message boxes with the program's caption, icon and buttons.
class QtPrompts final : public Prompts {
public:
    QtPrompts(QString caption, QWidget* parent = nullptr) : caption_(std::move(caption)), parent_(parent) {}
    PromptAnswer ask(const std::string& text, PromptIcon icon, PromptButtons buttons) override;
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QString caption_;
    QWidget* parent_;
};

} // namespace velmora
