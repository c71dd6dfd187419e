#pragma once
// The "Start Time:-" and "Start Date:-" pickers of the two finish pages: the time of
// day with spin arrows (1024) and the short date with a drop-down calendar (1025),
// in the user's locale. They hold plain local calendar values; whether a value
// exists on its day, and which of two it means, is for the finish rules to say.
#include <QDateTimeEdit>

#include "finish_rules.h"

class QGroupBox;
class QTimer;

namespace velmora {

class CStartPicker final : public QDateTimeEdit {
    Q_OBJECT
public:
    CStartPicker(int id, const QString& format, QWidget* parent);

    // Shows `value` without reporting it as the user's edit, blank (nothing shown, the
    // value kept) or in the picker's own format. A picker already showing the value
    // is left alone, so an edit in progress is not disturbed.
    void show(const CivilTime& value, bool blank);
    CivilTime value() const;
    bool isBlank() const { return blank_; }

protected:
    QString textFromDateTime(const QDateTime& value) const override;

private:
    bool blank_ = false;
};

// The two pickers of a finish page.
struct StartPickerPair {
    CStartPicker* time = nullptr;
    CStartPicker* date = nullptr;

    void show(const StartPickers& values, bool blank) const;
    void setEnabled(bool enabled) const;
    StartPickers values() const;
};

// Adds the two labelled pickers as rows of `group`.
StartPickerPair buildStartPickers(QGroupBox* group);

// The 500 ms timer of a finish page (1001 or 1004) that keeps its pickers on the
// computer's clock, and how it runs: exactly while the page's clock flag is set.
QTimer* makeClockTimer(QWidget* page, int id);
void runClockWhile(QTimer* timer, bool live);

// The display formats: the locale's time of day with seconds, and its short date
// with the year in four digits (a two-digit year would be read in the wrong century).
QString startTimeFormat();
QString startDateFormat();

} // namespace velmora
