#include "download_progress.h"

#include <QProgressDialog>

namespace velmora {

DownloadProgress::DownloadProgress(QWidget* window, int showAfterMs) : window_(window), showAfterMs_(showAfterMs) {}

DownloadProgress::~DownloadProgress()
{
    delete dialog_.data();
}

QProgressDialog* DownloadProgress::dialog() const
{
    return dialog_.data();
}

LoggerLink::Progress DownloadProgress::callback()
{
    return [this](std::size_t done, std::size_t total) { update(done, total); };
}

void DownloadProgress::update(std::size_t done, std::size_t total)
{
    if (!dialog_) {
        dialog_ = new QProgressDialog(window_);
        dialog_->setObjectName(QStringLiteral("downloadProgress"));
        dialog_->setWindowTitle(QStringLiteral("Velmora USB"));
        dialog_->setLabelText(QString::fromLatin1(kDownloadProgressText));
        // The exchange cannot be interrupted half way without upsetting the logger.
        dialog_->setCancelButton(nullptr);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(showAfterMs_);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setValue(0);
    }
    dialog_->setMaximum(static_cast<int>(total));
    // A window-modal progress dialog processes events here, so the window repaints.
    dialog_->setValue(static_cast<int>(std::min(done, total)));
}

} // namespace velmora
