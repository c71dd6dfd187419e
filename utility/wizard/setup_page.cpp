#include "setup_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "page_context.h"
#include "page_sequence.h"
#include "page_switcher.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
// The form in dialog units: the picture panel at (7, 7) and 68 x 161, the groups to
// its right, the buttons under them; 7 units all round.
constexpr int kMargin = 7;
constexpr int kPanelWidth = 68, kPanelHeight = 161;
constexpr int kPanelGap = 6;
constexpr int kButtonGap = 8; // between "Next >" and "&Cancel"
} // namespace

QVBoxLayout* groupColumn(QGroupBox* group) { return static_cast<QVBoxLayout*>(group->layout()); }

QLabel* sentenceLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

CSetupPage::CSetupPage(PageContext& context, const PageDescriptor& descriptor, PanelMotif motif, Back back)
    : CPageView(descriptor.helpTopic),
      context_(context), core_{context.logger, context.prompts, context.wizard, context.wallClock},
      page_(descriptor.id), motif_(motif), backKind_(back)
{
    buildWhenNeeded();
}

void CSetupPage::build()
{
    const Back back = backKind_;
    const DialogUnits du(font());
    auto* panel = new CArtPanel(motif_, this);
    panel->setFixedSize(du.size(kPanelWidth, kPanelHeight));

    back_ = withId(new QPushButton(QStringLiteral("< Back"), this), back == Back::Inert ? ctl::kBackInert : ctl::kBack);
    back_->setEnabled(back == Back::ByRow);
    next_ = withId(new QPushButton(QStringLiteral("Next >"), this), ctl::kNext);
    next_->setDefault(true);
    cancel_ = withId(new QPushButton(QStringLiteral("&Cancel"), this), ctl::kCancel);
    setEscapeButton(cancel_);
    connect(back_, &QPushButton::clicked, this, &CSetupPage::OnBack);
    connect(next_, &QPushButton::clicked, this, &CSetupPage::OnNext);
    connect(cancel_, &QPushButton::clicked, this, &CSetupPage::OnCancel);

    buttons_ = new QHBoxLayout;
    buttons_->setSpacing(0);
    buttons_->addStretch(1);
    buttons_->addWidget(back_);
    buttons_->addWidget(next_);
    buttons_->addSpacing(du.x(kButtonGap));
    buttons_->addWidget(cancel_);

    // Groups a little apart, their lines close together (see addGroup); the buttons
    // at the foot of the panel on every page.
    body_ = new QVBoxLayout;
    body_->setSpacing(du.y(2));
    auto* right = new QVBoxLayout;
    right->setSpacing(du.y(3));
    right->addLayout(body_, 1);
    right->addLayout(buttons_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.x(kMargin), du.y(kMargin), du.x(kMargin), du.y(kMargin));
    layout->setSpacing(du.x(kPanelGap));
    layout->addWidget(panel, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    buildBody();
}

QGroupBox* CSetupPage::addGroup(const QString& title)
{
    auto* group = new QGroupBox(title, this);
    auto* inner = new QVBoxLayout(group);
    const DialogUnits du(font());
    inner->setContentsMargins(du.x(3), du.y(1), du.x(3), du.y(2));
    inner->setSpacing(du.y(1));
    body_->addWidget(group);
    return group;
}

CSetupPage::AlarmGroup CSetupPage::addAlarmGroup(const QString& title, const QString& hint)
{
    const DialogUnits du(font());
    QGroupBox* group = addGroup(title);
    QVBoxLayout* column = groupColumn(group);
    column->addWidget(sentenceLabel(hint, group));
    column->addSpacing(du.y(4));
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(du.x(6));
    rows->setVerticalSpacing(du.y(4));
    column->addLayout(rows);
    return AlarmGroup{group, rows};
}

int CSetupPage::groupTextWidth(QGroupBox* group) const
{
    const DialogUnits du(font());
    const int body = du.x(kPageWidthDlu) - 2 * du.x(kMargin) - du.x(kPanelWidth) - du.x(kPanelGap);
    group->ensurePolished();
    const QMargins frame = group->contentsMargins();
    const QMargins inner = group->layout()->contentsMargins();
    return body - frame.left() - frame.right() - inner.left() - inner.right();
}

QPushButton* CSetupPage::replaceButtonsWithOk()
{
    back_->hide();
    next_->hide();
    cancel_->hide();
    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), ctl::kOk);
    ok->setDefault(true);
    setEscapeButton(ok); // the summary's one way on
    buttons_->addWidget(ok);
    return ok;
}

void CSetupPage::refreshBackButton()
{
    if (backKind_ == Back::ByRow)
        back_->setEnabled(previousPage(context_.logger.config, page_) >= 0);
}

void CSetupPage::OnBack() { follow(backFrom(core_, page_)); }

void CSetupPage::OnCancel() { context_.pages.SwitchPage(page::kMainMenu); }

void CSetupPage::follow(const WizardStep& step)
{
    if (step.moves()) {
        context_.pages.SwitchPage(step.page);
        return;
    }
    if (step.focusControl != 0)
        if (QWidget* control = this->control<QWidget>(step.focusControl))
            control->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora
