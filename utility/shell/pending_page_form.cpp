#include "pending_page_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "artwork.h"
#include "dialog_units.h"
#include "page_context.h"
#include "page_switcher.h"
#include "page_table.h"

namespace velmora {

CPendingPageForm::CPendingPageForm(PageContext& context, const PageEntry& entry)
    : CPageView(entry.dialogId), context_(context)
{
    setObjectName(QString::fromLatin1(entry.className));
    setProperty("pending", true);
    const DialogUnits du(font());

    auto* panel = new CArtPanel(PanelMotif::Logger, this);
    panel->setFixedSize(du.size(68, 161));
    auto* title = new QLabel(QStringLiteral("Set-up: %1").arg(QString::fromLatin1(entry.role)), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* text = new QLabel(QString::fromLatin1(kPendingPageText), this);
    text->setObjectName(QStringLiteral("pendingText"));
    text->setWordWrap(true);
    auto* cancel = withId(new QPushButton(QStringLiteral("&Cancel"), this), 2);
    connect(cancel, &QPushButton::clicked, this, &CPendingPageForm::OnCancel);

    auto* right = new QVBoxLayout;
    right->addWidget(title);
    right->addSpacing(du.y(6));
    right->addWidget(text);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(panel);
    layout->addSpacing(du.x(7));
    layout->addLayout(right, 1);
}

void CPendingPageForm::OnCancel()
{
    context_.pages.SwitchPage(page::kMainMenu);
}

} // namespace velmora
