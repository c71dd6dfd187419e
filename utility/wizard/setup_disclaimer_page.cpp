#include "setup_disclaimer_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "page_context.h"
#include "wizard_pages.h"

namespace velmora {

namespace rules = setup_disclaimer;

namespace {
constexpr int kHeading = 1075;
constexpr int kAgreementBox = 1121;
constexpr int kDoNotAgree = 1133;
constexpr int kAgree = 1134;

// The box takes line ends as Unix text does; a CR of its own would start an extra line.
QString boxText(const std::string& text)
{
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}
} // namespace

CSetupDisclaimerPage::CSetupDisclaimerPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif)
    : CSetupPage(context, descriptor, motif, Back::Never)
{
}

void CSetupDisclaimerPage::buildBody()
{
    QGroupBox* group = addGroup();
    QVBoxLayout* inner = groupColumn(group);
    auto* heading = withId(new QLabel(QStringLiteral("Safety Agreement"), group), kHeading);
    heading->setAlignment(Qt::AlignCenter);
    inner->addWidget(heading);

    text_ = withId(new QPlainTextEdit(group), kAgreementBox);
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    inner->addWidget(text_, 1);

    auto* row = new QHBoxLayout;
    choices_[0] = withId(new QRadioButton(QStringLiteral("I Do Not Agree"), group), kDoNotAgree);
    choices_[1] = withId(new QRadioButton(QStringLiteral("I Agree"), group), kAgree);
    const DialogUnits du(font());
    row->addStretch(1);
    row->addWidget(choices_[0]);
    row->addSpacing(du.x(20));
    row->addWidget(choices_[1]);
    row->addStretch(1);
    inner->addLayout(row);
    body()->setStretchFactor(group, 1);

    for (QRadioButton* choice : choices_)
        connect(choice, &QRadioButton::clicked, this, &CSetupDisclaimerPage::OnChoice);
}

void CSetupDisclaimerPage::refresh()
{
    const rules::Values v = rules::load(pageIndex());
    agreement_ = v.text;
    text_->setPlainText(boxText(agreement_));
    choices_[static_cast<int>(v.choice)]->setChecked(true);
    nextButton()->setEnabled(rules::nextEnabled(v));
}

rules::Values CSetupDisclaimerPage::shown() const
{
    return rules::Values{choices_[1]->isChecked() ? rules::Choice::Agree : rules::Choice::DoNotAgree, agreement_};
}

void CSetupDisclaimerPage::OnChoice() { nextButton()->setEnabled(rules::nextEnabled(shown())); }

void CSetupDisclaimerPage::OnNext() { follow(rules::next(core(), pageIndex(), shown())); }

} // namespace velmora
