#pragma once
// Shows a long readings download as it goes: a window-modal progress dialog that
// counts blocks and keeps the window repainting while the link works. Nothing is
// shown for downloads that finish within a moment.
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

private:
    void update(std::size_t done, std::size_t total);

    QWidget* window_;
    int showAfterMs_;
    QPointer<QProgressDialog> dialog_;
};

inline constexpr const char* kDownloadProgressText = "Downloading the readings from the logger...";

} // namespace velmora
