#include "stop_info_form.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "artwork.h"
#include "connected_logger.h"
#include "dialog_units.h"
#include "download_progress.h"
#include "page_context.h"
#include "page_switcher.h"
#include "stop_download_flow.h"
#include "stop_info_text.h"
#include "text_encoding.h"
#include "viewer_launch.h"

namespace velmora {

namespace {
// The wait cursor for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
} // namespace

CStopInfoForm::CStopInfoForm(PageContext& context) : CPageView(141), context_(context)
{
    const DialogUnits du(font());
    auto* panel = new CArtPanel(PanelMotif::Chart, this);
    panel->setFixedSize(du.size(68, 161));

    auto* state = new QLabel(QStringLiteral("The Logger is in the 'Stopped' condition."), this);
    QFont bold = state->font();
    bold.setBold(true);
    state->setFont(bold);

    auto* details = new QGroupBox(this);
    auto* grid = new QGridLayout(details);
    grid->setHorizontalSpacing(du.x(8));
    grid->addWidget(new QLabel(QStringLiteral("Name:"), details), 0, 0);
    grid->addWidget(withId(new QLabel(details), 1039), 0, 1);
    grid->addWidget(withId(new QLabel(QStringLiteral("Readings:"), details), 1042), 1, 0);
    grid->addWidget(withId(new QLabel(details), 1040), 1, 1);
    grid->setColumnStretch(1, 1);

    auto* hint = new QLabel(QStringLiteral("To save the data to the PC, press 'OK'. \n"
                                           "After selecting a suitable filename for the logged\n"
                                           "data, the graph program will open automatically."),
                            this);

    auto* ok = withId(new QPushButton(QStringLiteral("OK"), this), 1);
    ok->setDefault(true);
    auto* cancel = withId(new QPushButton(QStringLiteral("Cancel"), this), 2);
    setEscapeButton(cancel);
    connect(ok, &QPushButton::clicked, this, &CStopInfoForm::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CStopInfoForm::OnCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addSpacing(du.y(4));
    right->addWidget(state);
    right->addSpacing(du.y(6));
    right->addWidget(details);
    right->addSpacing(du.y(8));
    right->addWidget(hint);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
    layout->addWidget(panel, 0, Qt::AlignTop);
    layout->addSpacing(du.x(12));
    layout->addLayout(right, 1);
}

void CStopInfoForm::refresh()
{
    const StopInfoText text = stopInfoText(context_.logger);
    control<QLabel>(1039)->setText(QString::fromStdString(cp1252ToUtf8(text.name)));
    control<QLabel>(1042)->setText(QString::fromStdString(text.readingsLabel));
    control<QLabel>(1040)->setText(QString::fromStdString(text.readingsValue));
    control<QPushButton>(1)->setEnabled(text.canDownload);
}

void CStopInfoForm::OnOK()
{
    StopDownloadFlow flow(context_.logger, context_.readings, context_.prompts, context_.fileDialogs, context_.settings,
                          context_.documentsFolder, context_.homeFolder);
    bool downloaded = false;
    {
        WaitCursor wait;
        DownloadProgress progress(window());
        downloaded = flow.download(progress.callback());
    }
    std::optional<std::string> path;
    if (downloaded)
        path = flow.save([](bool busy) {
            if (busy)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
    context_.pages.SwitchPage(page::kMainMenu);
    if (path)
        launchDownloadFile(context_.launcher, context_.prompts, context_.programFolder, context_.logger.type(), *path);
}

void CStopInfoForm::OnCancel() { context_.pages.SwitchPage(page::kMainMenu); }

} // namespace velmora
