#pragma once
// Shows a long export as it goes: a window-modal progress dialog with a Cancel
// button that keeps the window repainting. Nothing is shown for exports that finish
// within a moment. The export's messages go through prompts() here, which close the
// dialog first: a message under a modal progress box could be neither seen whole nor
// answered. The next step of the export opens a new one.
#include <QPointer>

#include "prompts.h"
#include "workbook_export.h"

class QProgressDialog;
class QWidget;

namespace velmora {

class ExportProgressDialog {
public:
    ExportProgressDialog(QWidget* window, Prompts& prompts, int showAfterMs = 400);
    ~ExportProgressDialog();
    ExportProgressDialog(const ExportProgressDialog&) = delete;
    ExportProgressDialog& operator=(const ExportProgressDialog&) = delete;

    // The callback for the export; it answers false once Cancel has been pressed.
    ExportProgress callback();
    // The prompts for the export's messages: each closes the dialog before it shows.
    Prompts& prompts() { return closingPrompts_; }
    QProgressDialog* dialog() const;
    void close();

private:
    class ClosingPrompts final : public Prompts {
    public:
        ClosingPrompts(ExportProgressDialog& progress, Prompts& next) : progress_(progress), next_(next) {}
        PromptAnswer ask(const std::string& text, PromptIcon icon, PromptButtons buttons,
                         PromptAnswer defaultButton) override
        {
            progress_.close();
            return next_.ask(text, icon, buttons, defaultButton);
        }

    private:
        ExportProgressDialog& progress_;
        Prompts& next_;
    };

    bool update(std::size_t done, std::size_t total);

    QWidget* window_;
    int showAfterMs_;
    ClosingPrompts closingPrompts_;
    QPointer<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

} // namespace velmora
