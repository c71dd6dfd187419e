#include "setup_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "page_context.h"
#include "page_sequence.h"
#include "page_switcher.h"
#include "wizard_pages.h"

namespace velmora {

CSetupPage::CSetupPage(PageContext& context, int pageIndex, int dialogId, PanelMotif motif, Back back)
    : CPageView(dialogId), context_(context),
      core_{context.logger, context.prompts, context.wizard, context.wallClock}, page_(pageIndex), backKind_(back)
{
    const DialogUnits du(font());
    auto* panel = new CArtPanel(motif, this);
    panel->setFixedSize(du.size(68, 161));

    back_ = withId(new QPushButton(QStringLiteral("< Back"), this), back == Back::Inert ? ctl::kBackInert : ctl::kBack);
    back_->setEnabled(back == Back::ByRow);
    next_ = withId(new QPushButton(QStringLiteral("Next >"), this), ctl::kNext);
    next_->setDefault(true);
    cancel_ = withId(new QPushButton(QStringLiteral("&Cancel"), this), ctl::kCancel);
    connect(back_, &QPushButton::clicked, this, &CSetupPage::OnBack);
    connect(next_, &QPushButton::clicked, this, &CSetupPage::OnNext);
    connect(cancel_, &QPushButton::clicked, this, &CSetupPage::OnCancel);

    buttons_ = new QHBoxLayout;
    buttons_->setSpacing(0);
    buttons_->addStretch(1);
    buttons_->addWidget(back_);
    buttons_->addWidget(next_);
    buttons_->addSpacing(du.x(8));
    buttons_->addWidget(cancel_);

    body_ = new QVBoxLayout;
    body_->setSpacing(du.y(4));
    auto* right = new QVBoxLayout;
    right->addLayout(body_, 1);
    right->addSpacing(du.y(4));
    right->addLayout(buttons_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(panel, 0, Qt::AlignTop);
    layout->addSpacing(du.x(7));
    layout->addLayout(right, 1);
}

QGroupBox* CSetupPage::addGroup(const QString& title)
{
    auto* group = new QGroupBox(title, this);
    auto* inner = new QVBoxLayout(group);
    const DialogUnits du(font());
    inner->setSpacing(du.y(2));
    body_->addWidget(group);
    return group;
}

QPushButton* CSetupPage::replaceButtonsWithOk()
{
    back_->hide();
    next_->hide();
    cancel_->hide();
    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), ctl::kOk);
    ok->setDefault(true);
    buttons_->addWidget(ok);
    return ok;
}

void CSetupPage::refreshBackButton()
{
    if (backKind_ == Back::ByRow)
        back_->setEnabled(previousPage(context_.logger.config, page_) >= 0);
}

void CSetupPage::OnBack()
{
    follow(backFrom(core_, page_));
}

void CSetupPage::OnCancel()
{
    context_.pages.SwitchPage(page::kMainMenu);
}

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
