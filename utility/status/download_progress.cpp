#include "download_progress.h"

#include <QApplication>
#include <QProgressDialog>

namespace velmora {

DownloadProgress::DownloadProgress(QWidget* window, int showAfterMs) : window_(window), showAfterMs_(showAfterMs) {}

DownloadProgress::~DownloadProgress()
{
    delete dialog_.data();
    if (pointerShown_)
        QApplication::restoreOverrideCursor();
}

QProgressDialog* DownloadProgress::dialog() const { return dialog_.data(); }

bool DownloadProgress::cancelled() const { return dialog_ && dialog_->wasCanceled(); }

LoggerLink::Progress DownloadProgress::callback()
{
    return [this](std::size_t done, std::size_t total) { return update(done, total); };
}

bool DownloadProgress::update(std::size_t done, std::size_t total)
{
    if (cancelled())
        return false;
    if (!dialog_) {
        dialog_ = new QProgressDialog(window_);
        dialog_->setObjectName(QStringLiteral("downloadProgress"));
        dialog_->setWindowTitle(QStringLiteral("Velmora USB"));
        dialog_->setLabelText(QString::fromLatin1(kDownloadProgressText));
        // Cancel takes effect between blocks: a block under way is read to its end.
        dialog_->setCancelButtonText(QStringLiteral("Cancel"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(showAfterMs_);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setValue(0);
        // The page shows the wait cursor for the whole download; over a dialog with a
        // button to press the pointer is the ordinary one.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        pointerShown_ = true;
    }
    dialog_->setMaximum(static_cast<int>(total));
    // A window-modal progress dialog processes events here, so the window repaints and
    // a click on Cancel is seen.
    dialog_->setValue(static_cast<int>(std::min(done, total)));
    return !dialog_->wasCanceled();
}

} // namespace velmora
