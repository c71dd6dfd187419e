#include "status_info_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "page_context.h"
#include "page_switcher.h"
#include "status_rows.h"
#include "text_encoding.h"

namespace velmora {

namespace {
struct RowIds {
    int label;
    int value;
    const char* initial;
};
// The rows below the heading, in the order statusRows() gives them.
constexpr RowIds kRows[] = {
    {1106, 1029, "Logger Name :"},   {1107, 1041, "Status :"},           {1108, 1048, "Start Time :"},
    {1109, 1049, "Start Date :"},    {1110, 1042, "Readings :"},         {1111, 1047, "Sample Rate :"},
    {1112, 1043, "Scale :"},         {1113, 1044, "High Alarm :"},       {1114, 1045, "Low Alarm :"},
    {1115, 1052, "Serial Number :"}, {1116, 1046, "Firmware Version :"},
};
constexpr int kHeading = 1075;

QString display(const std::string& cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }
} // namespace

CStatusInfoForm::CStatusInfoForm(PageContext& context) : CPageView(142), context_(context)
{
    const DialogUnits du(font());
    auto* heading = withId(new QLabel(QStringLiteral("Current Status of the USB Data Logger:-"), this), kHeading);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(du.x(8));
    grid->setVerticalSpacing(du.y(2));
    int row = 0;
    for (const RowIds& ids : kRows) {
        auto* label = withId(new QLabel(QString::fromLatin1(ids.initial), frame), ids.label);
        auto* value = withId(new QLabel(frame), ids.value);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), 1);
    ok->setDefault(true);
    setEscapeButton(ok); // the page's one way back
    auto* refreshButton = withId(new QPushButton(QStringLiteral("Refresh"), this), 1062);
    connect(ok, &QPushButton::clicked, this, &CStatusInfoForm::OnOK);
    connect(refreshButton, &QPushButton::clicked, this, &CStatusInfoForm::OnRefresh);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(refreshButton);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(heading);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
}

void CStatusInfoForm::fill()
{
    for (const StatusRow& row : statusRows(context_.logger, context_.locale)) {
        if (auto* label = control<QLabel>(row.labelControl))
            label->setText(display(row.label));
        if (row.valueControl)
            if (auto* value = control<QLabel>(row.valueControl))
                value->setText(display(row.value));
    }
}

void CStatusInfoForm::OnOK() { context_.pages.SwitchPage(page::kMainMenu); }

void CStatusInfoForm::OnRefresh()
{
    // A failed read has shown the link's message; the page keeps what it showed.
    if (context_.logger.readConfiguration())
        fill();
}

} // namespace velmora
