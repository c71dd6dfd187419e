#include "setup_lcd_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "full_memory_choice.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_lcd_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kLcd, makeSetupForm<CSetupLCDForm>);
} // namespace

namespace rules = setup_lcd;

namespace {
constexpr int kFirstDisplayRadio = 1149;

QString shown(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

template <std::size_t N> int checkedIndex(QRadioButton* const (&radios)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}
} // namespace

CSetupLCDForm::CSetupLCDForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Logger, Back::ByRow)
{
}

void CSetupLCDForm::buildBody()
{
    const DialogUnits du(font());
    QGroupBox* display = addGroup();
    QVBoxLayout* inner = groupColumn(display);
    inner->addWidget(new QLabel(QStringLiteral("Select how you would like the display to function."), display));
    for (int i = 0; i < 3; ++i) {
        display_[i] = withId(new QRadioButton(shown(rules::kDisplayChoices[i]), display), kFirstDisplayRadio + i);
        inner->addWidget(display_[i]);
    }
    inner->addSpacing(du.y(2));
    for (const char* note :
         {"NOTE: Prolonged use of the display will reduce battery life.",
          "LCD response time will slow down in low temperatures.", "Normal function will return at room temperatures."})
        inner->addWidget(sentenceLabel(QString::fromLatin1(note), display));

    QGroupBox* storage = addGroup();
    addStorageChoice(storage, storage_);
    groupColumn(storage)->addWidget(
        new QLabel(QStringLiteral("WARNING: If data is overwritten it cannot be recovered."), storage));
    body()->addStretch(1);
}

void CSetupLCDForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger);
    display_[v.display]->setChecked(true);
    storage_[v.storage]->setChecked(true);
}

void CSetupLCDForm::OnNext()
{
    follow(rules::next(core(), rules::Values{checkedIndex(display_), checkedIndex(storage_)}));
}

} // namespace velmora
