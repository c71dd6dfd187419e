#pragma once
// The utility's pictures, drawn with QPainter at whatever size and pixel density
// they are shown: the faces of the main menu's buttons, the program icon and the
// panels on the left of the pages.
#include <QIcon>
#include <QWidget>

class QPainter;
class QRectF;

namespace velmora {

enum class Artwork {
    ProgramIcon, // icon 128
    SetUpButton, // face 132 of button 1101
    StopButton,  // face 136 of button 1102
    ViewButton,  // face 137 of button 1103
};

// The motif in the middle of a page's left panel.
enum class PanelMotif { Logger, Thermometer, Humidity, Voltage, Gas, Clock, Shield, Chart };

void paintArtwork(QPainter& painter, const QRectF& rect, Artwork which);
void paintPanel(QPainter& painter, const QRectF& rect, PanelMotif motif);

// An icon that draws itself at the size and density asked for.
QIcon artworkIcon(Artwork which);

// The tall picture panel on the left of a page (bitmap 144 on the main menu).
class CArtPanel final : public QWidget {
    Q_OBJECT
public:
    explicit CArtPanel(PanelMotif motif, QWidget* parent = nullptr);
    PanelMotif motif() const { return motif_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PanelMotif motif_;
};

} // namespace velmora
