#include "setup_start_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "page_context.h"
#include "setup_forms.h"
#include "setup_start_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kStart, makeSetupForm<CSetupStartForm>);
} // namespace

namespace rules = setup_start;

namespace {
constexpr int kClockTimer = 1001;
} // namespace

CSetupStartForm::CSetupStartForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Clock, Back::ByRow)
{
}

void CSetupStartForm::buildBody()
{
    nextButton()->setText(QStringLiteral("&Finish"));

    QGroupBox* now = addGroup();
    now->layout()->addWidget(new QLabel(QStringLiteral("To begin logging immediately, click 'Finish'."), now));

    QGroupBox* later = addGroup();
    for (const char* line : {"To delay the start of the USB Data Logger, select a ", "'Start Time' and 'Start Date'."})
        later->layout()->addWidget(new QLabel(QString::fromLatin1(line), later));
    pickers_ = buildStartPickers(later);
    body()->addStretch(1);

    timer_ = makeClockTimer(this, kClockTimer);
    connect(timer_, &QTimer::timeout, this, &CSetupStartForm::OnTimer);
    for (CStartPicker* picker : {pickers_.time, pickers_.date})
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, &CSetupStartForm::OnPickerEdited);
}

void CSetupStartForm::refresh()
{
    refreshBackButton();
    pickers_.show(rules::load(core()).pickers, false);
    runClockWhile(timer_, rules::clockLive(core()));
}

void CSetupStartForm::OnTimer() { pickers_.show(rules::load(core()).pickers, false); }

void CSetupStartForm::OnPickerEdited()
{
    rules::pickerEdited(core());
    runClockWhile(timer_, rules::clockLive(core()));
}

void CSetupStartForm::OnNext()
{
    timer_->stop();
    follow(rules::finish(core(), rules::Values{pickers_.values()}));
}

void CSetupStartForm::OnBack()
{
    timer_->stop();
    follow(rules::back(core()));
}

void CSetupStartForm::OnCancel()
{
    timer_->stop();
    rules::cancel(core());
    CSetupPage::OnCancel();
}

} // namespace velmora
