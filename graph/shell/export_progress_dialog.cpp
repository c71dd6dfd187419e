#include "export_progress_dialog.h"

#include <QProgressDialog>

#include "graph_strings.h"

namespace velmora {

ExportProgressDialog::ExportProgressDialog(QWidget* window, Prompts& prompts, int showAfterMs)
    : window_(window), showAfterMs_(showAfterMs), closingPrompts_(*this, prompts)
{
}

ExportProgressDialog::~ExportProgressDialog() { close(); }

void ExportProgressDialog::close()
{
    if (dialog_)
        cancelled_ = cancelled_ || dialog_->wasCanceled();
    delete dialog_.data();
}

QProgressDialog* ExportProgressDialog::dialog() const { return dialog_.data(); }

ExportProgress ExportProgressDialog::callback()
{
    return [this](std::size_t done, std::size_t total) { return update(done, total); };
}

bool ExportProgressDialog::update(std::size_t done, std::size_t total)
{
    // Sizes in kilobytes keep the range within an int for any file.
    const int maximum = static_cast<int>(std::max<std::size_t>(total / 1024, 1));
    if (!dialog_) {
        dialog_ = new QProgressDialog(window_);
        dialog_->setObjectName(QStringLiteral("exportProgress"));
        dialog_->setWindowTitle(QString::fromUtf8(graphtext::kAppTitle.data(), graphtext::kAppTitle.size()));
        dialog_->setLabelText(QString::fromUtf8(graphtext::kNowProcessing.data(), graphtext::kNowProcessing.size()));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(showAfterMs_);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setRange(0, maximum);
        dialog_->setValue(0);
    }
    // A window-modal progress dialog processes events here, so the window repaints
    // and Cancel can be pressed.
    dialog_->setValue(std::min(static_cast<int>(done / 1024), maximum));
    return !cancelled_ && !dialog_->wasCanceled();
}

} // namespace velmora
