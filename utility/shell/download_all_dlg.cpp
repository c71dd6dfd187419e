#include "download_all_dlg.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "fleet_download_job.h"
#include "text_encoding.h"
#include "utility_strings.h"

namespace velmora {

namespace {
enum Column { kSerial, kName, kProgress, kOutcome };

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
} // namespace

CDownloadAllDlg::CDownloadAllDlg(FleetDownloadJob& job, const QString& folder, QWidget* parent)
    : QDialog(parent), job_(job), list_(new QTreeWidget(this)), button_(new QPushButton(this))
{
    setObjectName(QStringLiteral("downloadAll"));
    setWindowTitle(text(utilitytext::kDownloadAllTitle));
    const DialogUnits du(font());

    auto* heading = new QLabel(text(utilitytext::kDownloadAllHeading).arg(folder), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setWordWrap(true);

    list_->setObjectName(QStringLiteral("loggers"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setWordWrap(true);
    list_->setHeaderLabels({text(utilitytext::kSerialColumn), text(utilitytext::kNameColumn),
                            text(utilitytext::kProgressColumn), text(utilitytext::kOutcomeColumn)});
    for (const FleetLogger& logger : job.loggers()) {
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(logger.serial()),
                                                 QString::fromStdString(cp1252ToUtf8(logger.config.name())), QString(),
                                                 text(utilitytext::kWaiting)});
        auto* bar = new QProgressBar(list_);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setMaximumHeight(list_->fontMetrics().height() + du.y(2));
        list_->setItemWidget(item, kProgress, bar);
        bars_.push_back(bar);
    }
    list_->resizeColumnToContents(kSerial);
    list_->resizeColumnToContents(kName);
    list_->setColumnWidth(kProgress, du.x(60));
    list_->header()->setStretchLastSection(true);
    // Room for up to eight rows before the list scrolls.
    const int rowHeight = std::max(list_->sizeHintForRow(0), bars_.empty() ? 0 : bars_.front()->sizeHint().height());
    const int shownRows = std::min(static_cast<int>(bars_.size()), 8) + 1;
    list_->setMinimumSize(du.x(340), list_->header()->sizeHint().height() + shownRows * rowHeight);

    button_->setObjectName(QStringLiteral("2"));
    button_->setText(QStringLiteral("Cancel"));
    connect(button_, &QPushButton::clicked, this, [this] {
        if (running_)
            reject();
        else
            accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    // The job's threads hand over to the window's: a queued call on this dialog is
    // dropped if the dialog has gone, and the dialog never goes before the job ends.
    job_.start(
        [this](std::size_t index, std::size_t done, std::size_t total) {
            QMetaObject::invokeMethod(
                this, [this, index, done, total] { showProgress(index, done, total); }, Qt::QueuedConnection);
        },
        [this](std::size_t index, const FleetOutcome& outcome) {
            QMetaObject::invokeMethod(
                this, [this, index, outcome] { showOutcome(index, outcome); }, Qt::QueuedConnection);
        },
        [this] {
            QMetaObject::invokeMethod(
                this, [this] { finish(); }, Qt::QueuedConnection);
        });
}

void CDownloadAllDlg::showProgress(std::size_t index, std::size_t done, std::size_t total)
{
    if (index >= bars_.size() || total == 0)
        return;
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(index));
    if (item->text(kOutcome) == text(utilitytext::kWaiting))
        item->setText(kOutcome, text(utilitytext::kDownloading));
    bars_[index]->setValue(static_cast<int>(done * 100 / total));
}

void CDownloadAllDlg::showOutcome(std::size_t index, const FleetOutcome& outcome)
{
    if (index >= bars_.size())
        return;
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(index));
    if (item->text(kSerial).isEmpty())
        item->setText(kSerial, QString::fromStdString(outcome.serial));
    const bool saved = savedAFile(outcome);
    if (saved) {
        bars_[index]->setValue(100);
        item->setText(kOutcome,
                      text(utilitytext::kSavedAs).arg(QFileInfo(QString::fromStdString(outcome.file)).fileName()));
        // The whole path, and how many readings.
        item->setToolTip(kOutcome, QString::fromStdString(outcome.file + "\n" + outcome.message));
    } else {
        // Its own lines: the row grows to hold them.
        item->setText(kOutcome, QString::fromStdString(outcome.message));
    }
    item->setIcon(kOutcome,
                  style()->standardIcon(outcome.ok ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxWarning));
    fitOutcomes();
}

void CDownloadAllDlg::fitOutcomes()
{
    // Nothing of an outcome is cut off: the column takes its widest text and the dialog
    // widens for it as far as the screen allows; beyond that the list scrolls.
    list_->resizeColumnToContents(kOutcome);
    int wanted = list_->frameWidth() * 2 + list_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < list_->columnCount(); ++column)
        wanted += list_->columnWidth(column);
    const int grow = wanted - list_->width();
    if (grow <= 0)
        return;
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(width() + grow, screen.width() * 9 / 10), height());
}

void CDownloadAllDlg::finish()
{
    job_.wait();
    running_ = false;
    button_->setEnabled(true);
    button_->setText(QStringLiteral("Close"));
    button_->setDefault(true);
    button_->setFocus();
    emit allDone();
}

void CDownloadAllDlg::reject()
{
    if (!running_) {
        QDialog::reject();
        return;
    }
    // Stop what can be stopped; the dialog waits for the outcomes.
    job_.cancel();
    button_->setEnabled(false);
    button_->setText(text(utilitytext::kStopping));
}

void CDownloadAllDlg::closeEvent(QCloseEvent* event)
{
    if (running_) {
        reject();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void DialogDownloadAllDisplay::run(FleetDownloadJob& job, const std::string& folder)
{
    CDownloadAllDlg dialog(job, QString::fromStdString(folder), parent_);
    dialog.exec();
}

} // namespace velmora
