#include "start_picker.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "dialog_units.h"
#include "page_view.h"
#include "setup_page.h"

namespace velmora {

namespace {

constexpr int kTimePicker = 1024;
constexpr int kDatePicker = 1025;
constexpr int kClockPeriodMs = 500;

// UTC only as a zone without clock changes: the picker keeps the local wall time
// exactly as given, even one that the local clock skips on that day.
QDateTime toPicker(const CivilTime& t)
{
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second), Qt::UTC);
}

} // namespace

CStartPicker::CStartPicker(int id, const QString& format, QWidget* parent) : QDateTimeEdit(parent)
{
    withId(this, id);
    setTimeSpec(Qt::UTC);
    setDisplayFormat(format);
}

void CStartPicker::show(const CivilTime& value, bool blank)
{
    const QSignalBlocker quiet(this);
    const QDateTime shown = toPicker(value);
    if (dateTime() != shown)
        setDateTime(shown);
    if (blank_ != blank) {
        blank_ = blank;
        setDisplayFormat(displayFormat()); // writes the text again
    }
}

CivilTime CStartPicker::value() const
{
    const QDate d = date();
    const QTime t = time();
    return CivilTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

QString CStartPicker::textFromDateTime(const QDateTime& value) const
{
    return blank_ ? QStringLiteral(" ") : QDateTimeEdit::textFromDateTime(value);
}

void StartPickerPair::show(const StartPickers& values, bool blank) const
{
    time->show(values.time, blank);
    date->show(values.date, blank);
}

void StartPickerPair::setEnabled(bool enabled) const
{
    time->setEnabled(enabled);
    date->setEnabled(enabled);
}

StartPickers StartPickerPair::values() const { return StartPickers{time->value(), date->value()}; }

StartPickerPair buildStartPickers(QGroupBox* group)
{
    StartPickerPair pickers;
    pickers.time = new CStartPicker(kTimePicker, startTimeFormat(), group);
    pickers.date = new CStartPicker(kDatePicker, startDateFormat(), group);
    pickers.date->setCalendarPopup(true);

    const DialogUnits du(group->font());
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(du.x(4));
    grid->setVerticalSpacing(du.y(3));
    grid->addWidget(new QLabel(QStringLiteral("Start Time:-"), group), 0, 0);
    grid->addWidget(pickers.time, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Start Date:-"), group), 1, 0);
    grid->addWidget(pickers.date, 1, 1);
    for (CStartPicker* picker : {pickers.time, pickers.date})
        picker->setMinimumWidth(du.x(70));
    grid->setColumnStretch(2, 1);
    groupColumn(group)->addLayout(grid);
    return pickers;
}

QTimer* makeClockTimer(QWidget* page, int id)
{
    auto* timer = withId(new QTimer(page), id);
    timer->setInterval(kClockPeriodMs);
    return timer;
}

void runClockWhile(QTimer* timer, bool live)
{
    if (!live)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

QString startTimeFormat()
{
    // The long form carries the seconds; the zone it may end with is not shown.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    if (!format.contains(QLatin1String("ss")))
        format.replace(QRegularExpression(QStringLiteral("(mm?)")), QStringLiteral("\\1:ss"));
    return format.trimmed();
}

QString startDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

} // namespace velmora
