#include "archive_open_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "archive_open_strings.h"
#include "archive_strings.h"
#include "store_location.h"
#include "time_zone.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A deployment as its logger's clock showed it: local times in the zone it was started in.
QString describe(const Deployment& d)
{
    LocalTimes local(d.zone);
    return QString::fromStdString(
        archivetext::fill(archiveopentext::kDeploymentRow,
                          {wallStampText(local.wallSeconds(d.firstUtc)), wallStampText(local.wallSeconds(d.lastUtc)),
                           std::to_string(d.readingCount), d.fileName}));
}

} // namespace

ArchiveOpenDialog::ArchiveOpenDialog(const std::string& location, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(text(archiveopentext::kTitle));
    location_ = new QLineEdit(QString::fromStdString(location));
    location_->setMinimumWidth(360);
    auto* lookButton = new QPushButton(text(archiveopentext::kConnect));
    logger_ = new QComboBox;
    range_ = new QCheckBox(text(archiveopentext::kRange));
    from_ = new QDateTimeEdit(QDateTime::currentDateTime().addMonths(-1));
    to_ = new QDateTimeEdit(QDateTime::currentDateTime());
    for (QDateTimeEdit* edit : {from_, to_}) {
        edit->setDisplayFormat("dd/MM/yyyy HH:mm:ss");
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
    }
    list_ = new QListWidget;
    message_ = new QLabel;
    message_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    open_ = buttons->button(QDialogButtonBox::Open);
    open_->setEnabled(false);
    openAll_ = buttons->addButton(text(archiveopentext::kOpenAllInRange), QDialogButtonBox::AcceptRole);
    openAll_->setEnabled(false);

    auto* grid = new QGridLayout(this);
    auto* storeLabel = new QLabel(text(archiveopentext::kStore));
    storeLabel->setBuddy(location_);
    auto* storeRow = new QHBoxLayout;
    storeRow->addWidget(location_, 1);
    storeRow->addWidget(lookButton);
    grid->addWidget(storeLabel, 0, 0);
    grid->addLayout(storeRow, 0, 1);
    auto* loggerLabel = new QLabel(text(archiveopentext::kLogger));
    loggerLabel->setBuddy(logger_);
    grid->addWidget(loggerLabel, 1, 0);
    grid->addWidget(logger_, 1, 1);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(range_);
    rangeRow->addWidget(from_);
    rangeRow->addWidget(new QLabel(text(archiveopentext::kRangeTo)));
    rangeRow->addWidget(to_);
    rangeRow->addStretch(1);
    grid->addLayout(rangeRow, 2, 0, 1, 2);
    auto* listLabel = new QLabel(text(archiveopentext::kDeployments));
    listLabel->setBuddy(list_);
    grid->addWidget(listLabel, 3, 0, 1, 2);
    grid->addWidget(list_, 4, 0, 1, 2);
    grid->addWidget(message_, 5, 0, 1, 2);
    grid->addWidget(buttons, 6, 0, 1, 2);

    connect(lookButton, &QPushButton::clicked, this, &ArchiveOpenDialog::look);
    connect(location_, &QLineEdit::returnPressed, this, &ArchiveOpenDialog::look);
    connect(logger_, &QComboBox::currentIndexChanged, this, &ArchiveOpenDialog::showDeployments);
    connect(range_, &QCheckBox::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        showDeployments();
    });
    connect(from_, &QDateTimeEdit::dateTimeChanged, this, &ArchiveOpenDialog::showDeployments);
    connect(to_, &QDateTimeEdit::dateTimeChanged, this, &ArchiveOpenDialog::showDeployments);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { open_->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::clicked, this,
            [this](QAbstractButton* button) { allChosen_ = button == openAll_; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(620, 420);
}

ArchiveOpenDialog::~ArchiveOpenDialog() = default;

void ArchiveOpenDialog::look()
{
    store_.reset();
    all_.clear();
    const QSignalBlocker quiet(logger_);
    logger_->clear();
    try {
        store_ = openStore(location_->text().trimmed().toStdString());
        all_ = store_->deployments(std::nullopt);
    } catch (const StoreError& e) {
        store_.reset();
        message_->setText(QString::fromStdString(e.what()));
        showDeployments();
        return;
    }
    for (const ArchivedLogger& l : archivedLoggers(all_))
        logger_->addItem(QString::fromStdString(l.serial + "  " + l.name), QString::fromStdString(l.serial));
    message_->setText(all_.empty() ? text(archiveopentext::kNoLoggers) : QString());
    showDeployments();
}

void ArchiveOpenDialog::showDeployments()
{
    list_->clear();
    shown_.clear();
    if (logger_->currentIndex() < 0)
        return;
    std::optional<std::int64_t> from, to;
    if (range_->isChecked()) {
        from = from_->dateTime().toSecsSinceEpoch();
        to = to_->dateTime().toSecsSinceEpoch();
    }
    shown_ = deploymentsInRange(all_, logger_->currentData().toString().toStdString(), from, to);
    for (const Deployment& d : shown_)
        list_->addItem(describe(d));
    if (!shown_.empty())
        list_->setCurrentRow(static_cast<int>(shown_.size()) - 1); // the latest download
    else if (!all_.empty())
        message_->setText(text(archiveopentext::kNoneInRange));
    if (!shown_.empty() && message_->text() == text(archiveopentext::kNoneInRange))
        message_->clear();
    openAll_->setEnabled(range_->isChecked() && !shown_.empty());
}

ArchiveChoice ArchiveOpenDialog::choice() const
{
    ArchiveChoice choice;
    if (range_->isChecked()) {
        choice.fromUtc = from_->dateTime().toSecsSinceEpoch();
        choice.toUtc = to_->dateTime().toSecsSinceEpoch();
    }
    const int row = list_->currentRow();
    if (allChosen_)
        choice.deployments = shown_;
    else if (row >= 0 && row < static_cast<int>(shown_.size()))
        choice.deployments.push_back(shown_[static_cast<std::size_t>(row)]);
    return choice;
}

} // namespace velmora
