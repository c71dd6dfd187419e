#include "setup_storage_mode_form.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "connected_logger.h"
#include "dialog_units.h"
#include "full_memory_choice.h"
#include "page_context.h"
#include "setup_forms.h"
#include "setup_storage_mode_rules.h"
#include "wizard_pages.h"

namespace velmora {

namespace {
const SetupFormRegistration registered(page::kStorageMode, makeSetupForm<CSetupStorageModeForm>);
} // namespace

namespace rules = setup_storage_mode;

namespace {
constexpr int kStopCapacityLabel = 1154;
constexpr int kOverwriteCapacityLabel = 1155;

QString shown(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Where a line of `text` no wider than `width` ends: after the last whole word that
// fits, or at the end when all of it does.
qsizetype lineEnd(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text.size();
    qsizetype end = text.lastIndexOf(QLatin1Char(' '));
    while (end > 0 && metrics.horizontalAdvance(text.left(end)) > width)
        end = text.lastIndexOf(QLatin1Char(' '), end - 1);
    return end > 0 ? end : text.size();
}
} // namespace

CSetupStorageModeForm::CSetupStorageModeForm(PageContext& context, const PageDescriptor& descriptor)
    : CSetupPage(context, descriptor, PanelMotif::Chart, Back::ByRow)
{
}

void CSetupStorageModeForm::buildBody()
{
    const DialogUnits du(font());
    QGroupBox* group = addGroup();
    QVBoxLayout* inner = groupColumn(group);
    addStorageChoice(group, storage_);
    // Each choice's paragraph has its lines at the pitch of wrapped text. Its first
    // sentence ends in the capacity label: the words that fit the line, then the rest
    // with the label after it on the next.
    const int width = groupTextWidth(group);
    const QFontMetrics metrics(font());
    const auto paragraph = [&](const QString& text, int id, const QString& formText, const QString& more) {
        auto* lines = new QVBoxLayout;
        lines->setSpacing(0);
        const qsizetype end = lineEnd(text, metrics, width);
        lines->addWidget(new QLabel(text.left(end), group));
        auto* row = new QHBoxLayout;
        row->setSpacing(metrics.horizontalAdvance(QLatin1Char(' ')));
        if (end < text.size())
            row->addWidget(new QLabel(text.mid(end + 1), group));
        // The capacity labels keep their form's texts until the first refresh.
        auto* label = withId(new QLabel(formText, group), id);
        row->addWidget(label);
        row->addStretch(1);
        lines->addLayout(row);
        lines->addWidget(sentenceLabel(more, group));
        inner->addSpacing(du.y(4));
        inner->addLayout(lines);
        return label;
    };
    stopCapacity_ = paragraph(QStringLiteral("If the logger is set to stop when full, it can record a maximum"),
                              kStopCapacityLabel, QStringLiteral("of 16,382 samples."),
                              QStringLiteral("No information will be recorded after the logger has stopped."));
    overwriteCapacity_ =
        paragraph(QStringLiteral("If the logger is set to overwrite the oldest data, it will only"),
                  kOverwriteCapacityLabel, QStringLiteral("retain the last 16,381 samples."),
                  QStringLiteral("Overwritten data cannot be recovered (including data that triggers an alarm "
                                 "condition)."));
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
