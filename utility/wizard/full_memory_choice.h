#pragma once
// What a logger does when its memory is full, as the display page and the full-memory
// page both offer it: stop, or overwrite the oldest readings.
class QGroupBox;
class QRadioButton;

namespace velmora {

// "Select how the logger should perform when full." over the radios 1152 ("Logger
// stops") and 1153 ("... overwriting the oldest data"), added to `group`.
void addStorageChoice(QGroupBox* group, QRadioButton* (&radios)[2]);

} // namespace velmora
