#pragma once
// Shows a long readings download as it goes: a window-modal progress dialog that
// counts blocks, keeps the window repainting while the link works and offers Cancel,
// which stops the download after the block under way (the callback answers false from
// then on). Nothing is shown for downloads that finish within a moment.
#include <QPointer>
#include <QString>

#include "logger_link.h"

class QProgressDialog;
class QWidget;

namespace velmora {

class DownloadProgress {
public:
    explicit DownloadProgress(QWidget* window, int showAfterMs = 400);
    ~DownloadProgress();
    DownloadProgress(const DownloadProgress&) = delete;
    DownloadProgress& operator=(const DownloadProgress&) = delete;

    // The callback for the link: (blocks done, blocks in all).
    LoggerLink::Progress callback();
    QProgressDialog* dialog() const;
    bool cancelled() const;

private:
    bool update(std::size_t done, std::size_t total);

    QWidget* window_;
    int showAfterMs_;
    QPointer<QProgressDialog> dialog_;
    bool pointerShown_ = false; // the ordinary pointer over the wait cursor, for Cancel
};

inline constexpr const char* kDownloadProgressText = "Downloading the readings from the logger...";

} // namespace velmora
