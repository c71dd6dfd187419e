#include "setup_summary_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "name_page_parts.h"
#include "page_context.h"
#include "page_switcher.h"
#include "setup_forms.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kSummary, makeSetupForm<CSetupSummaryForm>);
} // namespace

namespace {
constexpr int kNameLabel = 1029;
constexpr int kNamePointSize = 16;

QLabel* centred(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

CSetupSummaryForm::CSetupSummaryForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Logger, Back::Never)
{
}

void CSetupSummaryForm::buildBody()
{
    QPushButton* ok = replaceButtonsWithOk();
    connect(ok, &QPushButton::clicked, this, &CSetupSummaryForm::OnNext);

    QGroupBox* group = addGroup();
    QVBoxLayout* inner = groupColumn(group);
    const DialogUnits du(font());
    inner->addStretch(1);
    inner->addWidget(centred(QStringLiteral("The Velmora USB Data Logger:"), group));
    inner->addSpacing(du.y(6));
    name_ = withId(centred(QStringLiteral("Logger Name"), group), kNameLabel);
    QFont large = name_->font();
    large.setPointSize(kNamePointSize); // 16 points at the screen's vertical resolution
    large.setBold(true);
    name_->setFont(large);
    inner->addWidget(name_);
    inner->addSpacing(du.y(6));
    inner->addWidget(centred(QStringLiteral("has been configured successfully."), group));
    inner->addSpacing(du.y(12));
    inner->addWidget(centred(QStringLiteral("Disconnect the unit from USB."), group));
    inner->addStretch(1);
    body()->setStretchFactor(group, 1);
}

void CSetupSummaryForm::refresh() { name_->setText(shownText(core().logger.config.name())); }

void CSetupSummaryForm::OnNext() { context().pages.SwitchPage(page::kMainMenu); }

} // namespace velmora
