#pragma once
// The groups the name pages have in common, built once: the name box with its
// heading and example, the temperature scale radios, and the sample-rate box.
#include <QString>
#include <string>

#include "logger_config.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace velmora {

// Logger names and units are Windows-1252 in the record and Unicode on the screen.
QString shownText(const std::string& recordText);
std::string recordText(const QString& shown);

// The name group: its heading, "Logger Name (Max 15 Char.):-" beside the box 1012
// and the example under it. Returns the box.
QLineEdit* buildNameGroup(QGroupBox* group, const QString& example);

// Shows `text` in a box whose typing stops at `limit` characters. A longer text the
// logger already holds is shown whole and may be shortened, never cut on the way in.
void setLimitedText(QLineEdit* box, const QString& text, int limit);

// The "°C" (1004) and "°F" (1026) radios, side by side in `parent`'s layout row.
struct ScaleRadios {
    QRadioButton* celsius = nullptr;
    QRadioButton* fahrenheit = nullptr;

    void show(int scale) const; // kCelsius or kFahrenheit
    int chosen() const;
};
ScaleRadios makeScaleRadios(QWidget* parent);
// The scale group: "Select Temperature Scale. " with the two radios beside it.
ScaleRadios buildScaleGroup(QGroupBox* group);

// The rate group: the three lines on what the rate decides, "Sample Rate:-" and the
// box 1028. Returns the box.
QComboBox* buildRateGroup(QGroupBox* group);
// Fills the box with the type's rate entries and selects `index` (-1: none).
void fillRateBox(QComboBox* box, LoggerType type, int index);

} // namespace velmora
