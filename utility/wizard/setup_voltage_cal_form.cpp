#include "setup_voltage_cal_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "name_page_parts.h"
#include "numeric_edit.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_voltage_cal_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kVoltageCal, makeSetupForm<CSetupVoltageCalForm>);
} // namespace

namespace rules = setup_voltage_cal;

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// A point box as the page has always set it up: 3 decimals, negatives allowed, no
// reformatting, seven characters; then the text chosen for it.
void fillPointBox(CNumericEdit* box, const std::string& text)
{
    box->setLimitText(rules::kPointTypingLimit);
    box->setValue(0.0, rules::kPointDecimals, true, false);
    box->setText(shownText(text));
}

} // namespace

CSetupVoltageCalForm::CSetupVoltageCalForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Voltage, Back::ByRow)
{
}

void CSetupVoltageCalForm::buildBody()
{
    const DialogUnits du(font());

    QGroupBox* unitGroup = addGroup();
    QVBoxLayout* unitColumn = groupColumn(unitGroup);
    unitColumn->addWidget(plainLabel(QStringLiteral("Select the appropriate measurement unit below,"), unitGroup));
    unitColumn->addWidget(plainLabel(QStringLiteral("or type in your own preferred unit."), unitGroup));
    unit_ = withId(new QComboBox(unitGroup), rules::kUnitBox);
    unit_->setEditable(true);
    unit_->setInsertPolicy(QComboBox::NoInsert);
    unit_->setFixedWidth(du.x(64));
    // Typing gives the text typed, not the rest of an entry it happens to begin.
    unit_->setCompleter(nullptr);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(unit_);
    unitRow->addWidget(plainLabel(QStringLiteral("(8 characters max)"), unitGroup));
    unitRow->addStretch(1);
    unitColumn->addLayout(unitRow);
    connect(unit_, &QComboBox::activated, this, [this](int index) { showOutputUnit(unit_->itemText(index)); });
    connect(unit_->lineEdit(), &QLineEdit::textEdited, this, &CSetupVoltageCalForm::showOutputUnit);

    // The instruction is one sentence: it wraps beside "Default", over the points.
    QGroupBox* pointGroup = addGroup();
    QVBoxLayout* pointColumn = groupColumn(pointGroup);
    auto* heading = new QHBoxLayout;
    heading->addWidget(sentenceLabel(QStringLiteral("Calibration: Select 2 points. Type the input value in the left "
                                                    "hand boxes and the corresponding graph output value in right "
                                                    "hand boxes."),
                                     pointGroup),
                       1);
    auto* defaults = withId(new QPushButton(QStringLiteral("Default"), pointGroup), rules::kDefaultButton);
    heading->addWidget(defaults, 0, Qt::AlignTop);
    pointColumn->addLayout(heading);
    pointColumn->addSpacing(du.y(2));
    connect(defaults, &QPushButton::clicked, this, &CSetupVoltageCalForm::OnDefault);

    const auto box = [&](int id) {
        auto* edit = withId(new CNumericEdit(pointGroup), id);
        edit->setFixedWidth(du.x(40));
        return edit;
    };
    const auto unitLabel = [&](int id) {
        auto* label = withId(new QLabel(QStringLiteral("Volts"), pointGroup), id);
        label->setMinimumWidth(du.x(36));
        return label;
    };
    in1_ = box(rules::kIn1Box);
    out1_ = box(rules::kOut1Box);
    in2_ = box(rules::kIn2Box);
    out2_ = box(rules::kOut2Box);
    in1Unit_ = unitLabel(rules::kIn1Unit);
    out1Unit_ = unitLabel(rules::kOut1Unit);
    in2Unit_ = unitLabel(rules::kIn2Unit);
    out2Unit_ = unitLabel(rules::kOut2Unit);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(du.x(3));
    grid->setVerticalSpacing(du.y(2));
    grid->addWidget(plainLabel(QStringLiteral("Input"), pointGroup), 0, 1, 1, 2);
    grid->addWidget(plainLabel(QStringLiteral("Graph Output"), pointGroup), 0, 4, 1, 2);
    // A row a point: "1)", the input and its unit, "=", the output and its unit.
    const auto point = [&](int row, const char* name, QWidget* in, QWidget* inUnit, QWidget* out, QWidget* outUnit) {
        grid->addWidget(plainLabel(QString::fromLatin1(name), pointGroup), row, 0);
        grid->addWidget(in, row, 1);
        grid->addWidget(inUnit, row, 2);
        grid->addWidget(plainLabel(QStringLiteral("="), pointGroup), row, 3);
        grid->addWidget(out, row, 4);
        grid->addWidget(outUnit, row, 5);
    };
    point(1, "1)", in1_, in1Unit_, out1_, out1Unit_);
    point(2, "2)", in2_, in2Unit_, out2_, out2Unit_);
    grid->setColumnStretch(6, 1);
    pointColumn->addLayout(grid);
    body()->addStretch(1);
}

void CSetupVoltageCalForm::showOutputUnit(const QString& unit)
{
    out1Unit_->setText(unit);
    out2Unit_->setText(unit);
}

void CSetupVoltageCalForm::refresh()
{
    const rules::Values v = rules::load(core().logger);
    unit_->clear();
    for (const std::string& entry : v.units)
        unit_->addItem(shownText(entry));
    unit_->setCurrentIndex(v.unitIndex);
    // The box shows the stored unit itself; the list only points at the entry it begins.
    setLimitedText(unit_->lineEdit(), shownText(v.unit), rules::kUnitTypingLimit);
    fillPointBox(in1_, v.in1);
    fillPointBox(out1_, v.out1);
    fillPointBox(in2_, v.in2);
    fillPointBox(out2_, v.out2);
    in1Unit_->setText(shownText(v.inputUnit));
    in2Unit_->setText(shownText(v.inputUnit));
    showOutputUnit(shownText(v.outputUnit));
}

void CSetupVoltageCalForm::OnDefault()
{
    rules::Values v;
    v.unit = recordText(unit_->currentText());
    v = rules::restoreDefaults(core(), v);
    fillPointBox(in1_, v.in1);
    fillPointBox(out1_, v.out1);
    fillPointBox(in2_, v.in2);
    fillPointBox(out2_, v.out2);
}

void CSetupVoltageCalForm::OnNext()
{
    rules::Values v;
    v.unit = recordText(unit_->currentText());
    v.in1 = recordText(in1_->text());
    v.out1 = recordText(out1_->text());
    v.in2 = recordText(in2_->text());
    v.out2 = recordText(out2_->text());
    follow(rules::next(core(), v));
}

} // namespace velmora
