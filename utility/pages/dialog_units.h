#pragma once
// Sizes given in dialog units, turned into pixels for a font the way dialog forms
// have always been measured: a horizontal unit is a quarter of the font's average
// letter width, a vertical unit an eighth of its height. Pages are 300 x 175 units.
#include <QFont>
#include <QSize>

namespace velmora {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const { return (units * baseX_ + 2) / 4; }
    int y(int units) const { return (units * baseY_ + 4) / 8; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

inline constexpr int kPageWidthDlu = 300;
inline constexpr int kPageHeightDlu = 175;

} // namespace velmora
