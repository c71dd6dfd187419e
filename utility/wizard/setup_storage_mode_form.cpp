#include "setup_storage_mode_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "page_context.h"
#include "setup_storage_mode_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace rules = setup_storage_mode;

namespace {
constexpr int kFirstStorageRadio = 1152;
constexpr int kStopCapacityLabel = 1154;
constexpr int kOverwriteCapacityLabel = 1155;

QString shown(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

CSetupStorageModeForm::CSetupStorageModeForm(PageContext& context)
    : CSetupPage(context, page::kStorageMode, 168, PanelMotif::Chart, Back::ByRow)
{
    const DialogUnits du(font());
    QGroupBox* group = addGroup();
    auto* inner = static_cast<QVBoxLayout*>(group->layout());
    const auto addLabel = [&](const QString& text) {
        auto* label = new QLabel(text, group);
        inner->addWidget(label);
        return label;
    };
    addLabel(QStringLiteral("Select how the logger should perform when full."));
    for (int i = 0; i < 2; ++i) {
        storage_[i] = withId(new QRadioButton(shown(rules::kStorageChoices[i]), group), kFirstStorageRadio + i);
        inner->addWidget(storage_[i]);
    }
    inner->addSpacing(du.y(6));
    // The capacity labels keep their form's texts until the first refresh.
    addLabel(QStringLiteral("If the logger is set to stop when full, it can record a maximum"));
    stopCapacity_ = withId(addLabel(QStringLiteral("of 16,382 samples.")), kStopCapacityLabel);
    addLabel(QStringLiteral("No information will be recorded after the logger has stopped."));
    inner->addSpacing(du.y(6));
    addLabel(QStringLiteral("If the logger is set to overwrite the oldest data, it will only"));
    overwriteCapacity_ = withId(addLabel(QStringLiteral("retain the last 16,381 samples.")), kOverwriteCapacityLabel);
    addLabel(QStringLiteral("Overwritten data cannot be recovered (including data that"));
    addLabel(QStringLiteral("triggers an alarm condition)."));
    body()->addStretch(1);
}

void CSetupStorageModeForm::refresh()
{
    refreshBackButton();
    const rules::Values v = rules::load(core().logger);
    storage_[v.storage]->setChecked(true);
    stopCapacity_->setText(shown(v.stopCapacityText));
    overwriteCapacity_->setText(shown(v.overwriteCapacityText));
}

void CSetupStorageModeForm::OnNext()
{
    rules::Values v;
    v.storage = storage_[1]->isChecked() ? 1 : 0;
    follow(rules::next(core(), v));
}

} // namespace velmora
