#pragma once
// A list of alarm levels as the list-based alarm pages offer them: from the top
// down in equal steps, each entry shown with a fixed number of decimals and a unit.
// velmora-cli maps a level given as a number to an entry with find(), and names the
// nearest entries with nearest() when the number is not one of them.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class AlarmLevelList {
public:
    // `unit` is Windows-1252 text, printed after a space.
    AlarmLevelList(double top, double step, int count, int decimals, std::string_view unit)
        : top_(top), step_(step), count_(count), decimals_(decimals), unit_(unit)
    {
    }

    int size() const { return count_; }
    double top() const { return top_; }
    double bottom() const { return value(count_ - 1); }

    // The level of an entry; an index outside the list reads as the nearer end.
    double value(int index) const;
    // The entry's text, "25.0 °C" in Windows-1252.
    std::string text(int index) const;
    // The entry's level alone, "25.0".
    std::string levelText(int index) const;
    std::vector<double> values() const;
    std::vector<std::string> texts() const;

    // The entry a stored level selects: the level is held inside the list's range
    // and the entry counted from the top, rounded half away from zero.
    int indexFor(double level) const;
    // The entry whose level is `level`; -1 when none is.
    int find(double level) const;

    // The entries either side of a level that is not an entry: the nearest lower and
    // the nearest higher one; -1 past an end of the list (or for an entry itself).
    struct Neighbours {
        int lower = -1;
        int higher = -1;
    };
    Neighbours nearest(double level) const;
    // The same entries by their levels, lower first ("25.0", "25.5"); one past an end
    // of the list, none for an entry itself.
    std::vector<std::string> nearestLevels(double level) const;

private:
    double position(double level) const { return (top_ - level) / step_; }

    double top_;
    double step_;
    int count_;
    int decimals_;
    std::string unit_;
};

// What a page of two list-based alarms shows: each alarm's switch, the entry of its
// level list and its "Hold" box.
struct AlarmListValues {
    bool highOn = false;
    bool lowOn = false;
    int highIndex = 0;
    int lowIndex = 0;
    bool highHold = false;
    bool lowHold = false;
};

} // namespace velmora
