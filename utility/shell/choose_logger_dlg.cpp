#include "choose_logger_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "utility_strings.h"

namespace velmora {

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
} // namespace

CChooseLoggerDlg::CChooseLoggerDlg(const std::vector<FleetLogger>& loggers, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("chooseLogger"));
    setWindowTitle(text(utilitytext::kChooseLoggerTitle));
    const DialogUnits du(font());

    auto* prompt = new QLabel(text(utilitytext::kChooseLoggerPrompt), this);
    prompt->setBuddy(list_);

    list_->setObjectName(QStringLiteral("loggers"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({text(utilitytext::kSerialColumn), text(utilitytext::kNameColumn),
                            text(utilitytext::kTypeColumn), text(utilitytext::kStateColumn)});
    for (const FleetLogger& logger : loggers) {
        const PickerRow row = pickerRow(logger);
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(row.serial), QString::fromStdString(row.name),
                                                 QString::fromStdString(row.type), QString::fromStdString(row.state)});
        if (!logger.readable)
            item->setToolTip(3, QString::fromStdString(logger.problem));
    }
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
    list_->header()->setStretchLastSection(true);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    const int rows = std::min(list_->topLevelItemCount(), 8);
    list_->setMinimumSize(du.size(250, 0).width(),
                          list_->header()->sizeHint().height() + (rows + 1) * list_->sizeHintForRow(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(prompt);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    list_->setFocus();
}

std::size_t CChooseLoggerDlg::chosen() const
{
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    return index < 0 ? 0 : static_cast<std::size_t>(index);
}

std::optional<std::size_t> DialogLoggerPicker::pick(const std::vector<FleetLogger>& loggers)
{
    CChooseLoggerDlg dialog(loggers, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace velmora
