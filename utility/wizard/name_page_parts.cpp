#include "name_page_parts.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_units.h"
#include "page_view.h"
#include "sample_rate_choice.h"
#include "setup_page.h"
#include "text_encoding.h"

namespace velmora {

namespace {

// A row of a group: a label with a control beside it.
void addLabelledRow(QGroupBox* group, const QString& label, QWidget* control, int controlWidthDlu)
{
    const DialogUnits du(group->font());
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(label, group));
    control->setFixedWidth(du.x(controlWidthDlu));
    row->addWidget(control);
    row->addStretch(1);
    groupColumn(group)->addLayout(row);
}

// The first line of the rate text ends in a word that the second line repeats: the
// page has always shown that line cut after its last full word before it. The label
// keeps the whole text and shows one line, no wider than the words before the cut.
QLabel* firstLineOnly(const QString& text, const QString& shownPart, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics metrics(label->font());
    const int cutWord = metrics.horizontalAdvance(text.mid(shownPart.size()));
    label->setFixedWidth(metrics.horizontalAdvance(shownPart) + cutWord / 2);
    label->setFixedHeight(metrics.height());
    return label;
}

} // namespace

QString shownText(const std::string& text) { return QString::fromStdString(cp1252ToUtf8(text)); }
std::string recordText(const QString& shown) { return utf8ToCp1252(shown.toStdString()); }

QLineEdit* buildNameGroup(QGroupBox* group, const QString& example)
{
    groupColumn(group)->addWidget(
        new QLabel(QStringLiteral("Name the USB Data Logger to give it a unique identity."), group));
    auto* box = withId(new QLineEdit(group), name_page::kNameBox);
    addLabelledRow(group, QStringLiteral("Logger Name (Max 15 Char.):-"), box, 90);
    groupColumn(group)->addWidget(new QLabel(example, group));
    return box;
}

void setLimitedText(QLineEdit* box, const QString& text, int limit)
{
    // QLineEdit cuts a text longer than its limit; the limit is for typing only.
    box->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    box->setText(text);
}

void ScaleRadios::show(int scale) const { (scale == kFahrenheit ? fahrenheit : celsius)->setChecked(true); }

int ScaleRadios::chosen() const { return fahrenheit->isChecked() ? kFahrenheit : kCelsius; }

ScaleRadios makeScaleRadios(QWidget* parent)
{
    ScaleRadios radios;
    radios.celsius =
        withId(new QRadioButton(shownText(std::string(kScaleLabels[kCelsius])), parent), name_page::kCelsiusRadio);
    radios.fahrenheit = withId(new QRadioButton(shownText(std::string(kScaleLabels[kFahrenheit])), parent),
                               name_page::kFahrenheitRadio);
    return radios;
}

ScaleRadios buildScaleGroup(QGroupBox* group)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Select Temperature Scale. "), group));
    const ScaleRadios radios = makeScaleRadios(group);
    row->addWidget(radios.celsius);
    row->addWidget(radios.fahrenheit);
    row->addStretch(1);
    groupColumn(group)->addLayout(row);
    return radios;
}

QComboBox* buildRateGroup(QGroupBox* group)
{
    const QString first = QStringLiteral("Select how frequently the USB Data Logger will log a reading.");
    groupColumn(group)->addWidget(
        firstLineOnly(first, QStringLiteral("Select how frequently the USB Data Logger will log a"), group));
    groupColumn(group)->addWidget(
        new QLabel(QStringLiteral("reading. This also determines the period of time until"), group));
    groupColumn(group)->addWidget(new QLabel(QStringLiteral("the logger is full - shown in brackets."), group));
    auto* box = withId(new QComboBox(group), name_page::kRateBox);
    addLabelledRow(group, QStringLiteral("Sample Rate:-"), box, 90);
    return box;
}

void fillRateBox(QComboBox* box, LoggerType type, int index)
{
    box->clear();
    for (const IntervalChoice& entry : rateEntries(type))
        box->addItem(shownText(std::string(entry.text)));
    box->setCurrentIndex(index);
}

} // namespace velmora
