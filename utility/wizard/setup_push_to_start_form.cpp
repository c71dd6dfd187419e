#include "setup_push_to_start_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "page_context.h"
#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kPushToStart, makeSetupForm<CSetupPushToStartForm>);
} // namespace

namespace rules = setup_push_to_start;

namespace {
constexpr int kClockTimer = 1004;
constexpr int kFirstRadio = 1146;
} // namespace

CSetupPushToStartForm::CSetupPushToStartForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Clock, Back::ByRow)
{
}

void CSetupPushToStartForm::buildBody()
{
    nextButton()->setText(QStringLiteral("&Finish"));

    QGroupBox* group = addGroup();
    QVBoxLayout* inner = groupColumn(group);
    inner->addWidget(
        sentenceLabel(QStringLiteral("Select when you would like the logger to start and press 'Finish'."), group));
    const QString texts[3] = {
        QStringLiteral("Immediate start."),
        QStringLiteral("Start when the data logger button is pressed."),
        QStringLiteral("Delay the start of the data logger; select a start time\nand start date below:"),
    };
    for (int i = 0; i < 3; ++i) {
        radios_[i] = withId(new QRadioButton(texts[i], group), kFirstRadio + i);
        inner->addWidget(radios_[i]);
    }
    pickers_ = buildStartPickers(group);
    body()->addStretch(1);

    timer_ = makeClockTimer(this, kClockTimer);
    connect(timer_, &QTimer::timeout, this, &CSetupPushToStartForm::OnTimer);
    connect(radios_[0], &QRadioButton::clicked, this, [this] { apply(rules::chooseImmediate); });
    connect(radios_[1], &QRadioButton::clicked, this, [this] { apply(rules::chooseButton); });
    connect(radios_[2], &QRadioButton::clicked, this, [this] { apply(rules::chooseDelayed); });
    for (CStartPicker* picker : {pickers_.time, pickers_.date})
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { apply(rules::pickerEdited); });
}

void CSetupPushToStartForm::refresh()
{
    refreshBackButton();
    show(rules::load(core()));
    runClockWhile(timer_, rules::clockLive(core()));
}

void CSetupPushToStartForm::OnTimer() { apply(rules::tick); }

void CSetupPushToStartForm::OnNext()
{
    timer_->stop();
    follow(rules::finish(core(), shown()));
}

void CSetupPushToStartForm::OnBack()
{
    timer_->stop();
    follow(rules::back(core()));
}

void CSetupPushToStartForm::OnCancel()
{
    timer_->stop();
    rules::cancel(core());
    CSetupPage::OnCancel();
}

void CSetupPushToStartForm::apply(void (*rule)(WizardCore&, rules::Values&))
{
    rules::Values values = shown();
    rule(core(), values);
    show(values);
    runClockWhile(timer_, rules::clockLive(core()));
}

rules::Values CSetupPushToStartForm::shown() const
{
    rules::Values values;
    values.start = radios_[1]->isChecked()   ? rules::Start::Button
                   : radios_[2]->isChecked() ? rules::Start::Delayed
                                             : rules::Start::Immediate;
    values.pickersEnabled = pickers_.time->isEnabled();
    values.pickersBlank = pickers_.time->isBlank();
    values.pickers = pickers_.values();
    return values;
}

void CSetupPushToStartForm::show(const rules::Values& values)
{
    radios_[static_cast<int>(values.start)]->setChecked(true);
    pickers_.setEnabled(values.pickersEnabled);
    pickers_.show(values.pickers, values.pickersBlank);
}

} // namespace velmora
