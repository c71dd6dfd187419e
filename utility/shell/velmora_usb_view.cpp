#include "velmora_usb_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "artwork.h"
#include "connected_logger.h"
#include "dialog_units.h"
#include "download_all_dlg.h"
#include "main_frame.h"
#include "page_context.h"
#include "page_switcher.h"

namespace velmora {

namespace {
QPushButton* pictureButton(QWidget* parent, int id, Artwork face, const DialogUnits& du, const QString& name)
{
    auto* button = withId(new QPushButton(parent), id);
    button->setIcon(artworkIcon(face));
    button->setFixedSize(du.size(48, 36));
    button->setIconSize(button->size() - QSize(8, 8));
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}
} // namespace

CVelmoraUSBView::CVelmoraUSBView(PageContext& context)
    : CPageView(101), context_(context), picker_(this),
      commands_(context.logger, context.prompts, context.fileDialogs, context.launcher, context.programFolder,
                {&context.settings, context.documentsFolder, context.homeFolder}, &picker_)
{
    const DialogUnits du(font());
    auto* panel = new CArtPanel(PanelMotif::Logger, this);
    panel->setObjectName(QStringLiteral("144"));
    panel->setFixedSize(du.size(68, 161));

    auto* heading = new QLabel(QStringLiteral("Please select the procedure you wish to perform:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    struct Row {
        int id;
        Artwork face;
        const char* caption;
        void (CVelmoraUSBView::*slot)();
    };
    const Row rows[] = {
        {cmd::kSetUp, Artwork::SetUpButton, "Set up and start the USB Data Logger.", &CVelmoraUSBView::OnSetUp},
        {cmd::kStopAndDownload, Artwork::StopButton, "Stop the USB Data Logger and\ndownload data.",
         &CVelmoraUSBView::OnStopAndDownload},
        {cmd::kViewPreviousGraph, Artwork::ViewButton, "View previously saved data.",
         &CVelmoraUSBView::OnViewPreviousGraph},
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(du.x(10));
    grid->setVerticalSpacing(du.y(9));
    int row = 0;
    for (const Row& r : rows) {
        const QString caption = QString::fromLatin1(r.caption);
        QPushButton* button = pictureButton(this, r.id, r.face, du, QString(caption).replace('\n', ' '));
        connect(button, &QPushButton::clicked, this, r.slot);
        auto* label = new QLabel(caption, this);
        label->setBuddy(button);
        grid->addWidget(button, row, 0);
        grid->addWidget(label, row, 1, Qt::AlignVCenter | Qt::AlignLeft);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* right = new QVBoxLayout;
    right->addSpacing(du.y(4));
    right->addWidget(heading);
    right->addSpacing(du.y(10));
    right->addLayout(grid);
    right->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(panel, 0, Qt::AlignTop);
    layout->addSpacing(du.x(12));
    layout->addLayout(right, 1);
}

void CVelmoraUSBView::switchTo(std::optional<int> page)
{
    if (page)
        context_.pages.SwitchPage(*page);
}

void CVelmoraUSBView::OnSetUp() { switchTo(commands_.OnSetUp()); }

void CVelmoraUSBView::OnStopAndDownload() { switchTo(commands_.OnStopAndDownload()); }

void CVelmoraUSBView::OnCurrentStatus() { switchTo(commands_.OnCurrentStatus()); }

void CVelmoraUSBView::OnViewPreviousGraph() { commands_.OnViewPreviousGraph(); }

void CVelmoraUSBView::OnDownloadAll()
{
    DialogDownloadAllDisplay display(window());
    downloadAllLoggers({context_.logger.link.bridge(), context_.clock, context_.prompts, context_.fileDialogs,
                        context_.settings, context_.launcher, context_.documentsFolder, context_.homeFolder},
                       display);
}

} // namespace velmora
