#pragma once
// The progress list of "Download All Loggers...": one row per logger with its serial
// number, name, a progress bar and, when it is done, its outcome (the file it was
// saved as, or why it failed). The downloads run on the job's threads and the window
// keeps answering. Cancel (or closing the dialog) stops the transfers under way; a
// file being written is finished first, and the dialog stays until every logger has
// its outcome. Then its button closes it.
#include <QDialog>
#include <vector>

#include "download_all_command.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace velmora {

struct FleetOutcome;

class CDownloadAllDlg final : public QDialog {
    Q_OBJECT
public:
    CDownloadAllDlg(FleetDownloadJob& job, const QString& folder, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* button() const { return button_; }
    bool running() const { return running_; }

    void reject() override; // Escape and the window's close: Cancel while running

signals:
    void allDone();

private:
    void showProgress(std::size_t index, std::size_t done, std::size_t total);
    void showOutcome(std::size_t index, const FleetOutcome& outcome);
    void fitOutcomes();
    void finish();
    void closeEvent(QCloseEvent* event) override;

    FleetDownloadJob& job_;
    QTreeWidget* list_;
    std::vector<QProgressBar*> bars_;
    QPushButton* button_;
    bool running_ = true;
};

// The progress list as the command's display: shows the dialog over `parent`.
class DialogDownloadAllDisplay final : public DownloadAllDisplay {
public:
    explicit DialogDownloadAllDisplay(QWidget* parent) : parent_(parent) {}
    void run(FleetDownloadJob& job, const std::string& folder) override;

private:
    QWidget* parent_;
};

} // namespace velmora
