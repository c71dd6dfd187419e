#pragma once
// Our chart: data sets drawn against time, the first on the left value axis (Y), the
// second on the right (Y2), and more laid over them when several files are compared, with a header, a footer, a legend,
// grid lines and a vertical marker line. Chart is the model: it holds the settings, chooses automatic axis limits, lays
// itself out in a rectangle, maps pixels to values and picks readings. Drawing lives in chart_renderer.cpp and goes to
// any QPainter, so the screen, the printer and the preview share one drawing function.
//
// The chart refers to the data sets (never copies them); after a data set changes in
// place, bind it again (setDataSet) so the chart re-reads its extent.
#include <QFont>
#include <QHash>
#include <QRect>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart_data_set.h"
#include "chart_style.h"

class QPainter;

namespace velmora {

enum class Axis { X, Y, Y2 };
enum class ValueAxis { Y, Y2 };

struct ChartLayout;
class SeriesIndex;

// A pixel as chart values; x and y are ChartDataSet::kGap outside the plot.
struct ChartValue {
    double x = ChartDataSet::kGap;
    double y = ChartDataSet::kGap;
};

class Chart {
public:
    static constexpr int kMaxSeries = 4;

    Chart();

    // --- data sets -------------------------------------------------------------
    // Binds a data set (nullptr: none) and takes each series' shown state from it.
    void setDataSet(ValueAxis axis, const ChartDataSet* set);
    const ChartDataSet* dataSet(ValueAxis axis) const;
    // Whether a bound data set holds any reading. A chart without one is drawn blank:
    // there is nothing to put on its axes.
    bool hasReadings() const;
    int seriesCount(ValueAxis axis) const;
    bool seriesShown(ValueAxis axis, int series) const;
    void setSeriesShown(ValueAxis axis, int series, bool shown);

    SeriesStyle seriesStyle(ValueAxis axis, int series) const;
    void setSeriesStyle(ValueAxis axis, int series, const SeriesStyle& style);
    QString seriesLabel(ValueAxis axis, int series) const;
    void setSeriesLabel(ValueAxis axis, int series, const QString& label);

    // --- texts -------------------------------------------------------------------
    QStringList header() const { return header_; }
    void setHeader(const QStringList& lines);
    QStringList footer() const { return footer_; }
    void setFooter(const QStringList& lines); // an empty list clears it
    // A footer line as wide as any the footer will hold. A chart narrower than it gives
    // each footer line room for two, so a long line wraps instead of being cut, and the
    // plot does not move as the footer's text changes.
    QString footerSample() const { return footerSample_; }
    void setFooterSample(const QString& line);
    QString axisTitle(Axis axis) const;
    void setAxisTitle(Axis axis, const QString& title);

    QFont titleFont() const { return titleFont_; }
    void setTitleFont(const QFont& font); // header, footer and axis titles
    QFont labelFont() const { return labelFont_; }
    void setLabelFont(const QFont& font); // tick labels and legend
    // The width of a text in the label font. Kept while the font stays: every layout
    // measures the legend again, and twenty files have twenty-two entries.
    int labelTextWidth(const QString& text) const;
    QColor background() const { return background_; }
    void setBackground(const QColor& colour);
    QColor plotBackground() const { return plotBackground_; }
    void setPlotBackground(const QColor& colour);
    QColor foreground() const { return foreground_; }
    void setForeground(const QColor& colour); // texts, axes and the plot's frame
    bool legendShown() const { return legendShown_; }
    void setLegendShown(bool shown);

    // --- axes --------------------------------------------------------------------
    // The limit in force: the fixed value, or the one the chart chose from the data.
    double axisMinimum(Axis axis) const;
    double axisMaximum(Axis axis) const;
    void setAxisMinimum(Axis axis, double value); // fixes it
    void setAxisMaximum(Axis axis, double value);
    void setAxisMinimumAutomatic(Axis axis);
    void setAxisMaximumAutomatic(Axis axis);
    bool axisMinimumIsAutomatic(Axis axis) const;
    bool axisMaximumIsAutomatic(Axis axis) const;

    // Digits after the point of the Y labels (0..6); also the finest step the
    // automatic Y limits use.
    int yDecimals() const { return yDecimals_; }
    void setYDecimals(int decimals);

    // X values are seconds after the time base, a wall-clock time in seconds after
    // 1970 without a zone; the X axis is labelled with those times.
    std::int64_t timeBase() const { return timeBase_; }
    void setTimeBase(std::int64_t seconds);
    std::int64_t valueToTime(double x) const;

    bool gridShown(Axis axis) const;
    void setGridShown(Axis axis, bool shown);
    double gridSpacing(Axis axis) const; // 0: at the axis' ticks
    void setGridSpacing(Axis axis, double spacing);

    // --- marker line ---------------------------------------------------------------
    double markerX() const { return markerX_; }
    void setMarkerX(double x); // ChartDataSet::kGap: none
    bool markerShown() const { return markerShown_; }
    void setMarkerShown(bool shown);
    LineStyle markerStyle() const { return markerStyle_; }
    void setMarkerStyle(const LineStyle& style);

    // --- geometry ------------------------------------------------------------------
    // The rectangle the chart occupies on its widget; mapping and picking use it.
    QRect bounds() const { return bounds_; }
    void setBounds(const QRect& bounds);
    // The plot area within bounds(); its right and bottom edges belong to it.
    QRect plotRect() const;
    ChartValue map(QPoint pixel, ValueAxis axis) const;
    // Index of the reading nearest to the pixel's X (the pixel is first brought into
    // the plot), or -1 when the chart holds no readings.
    long pick(QPoint pixel) const;
    // The X nearest the pixel's (brought into the plot) of the steps of `step` seconds
    // through the first data set's first reading; its offset when the chart is empty.
    std::int64_t pickX(QPoint pixel, double step) const;

    // --- drawing -------------------------------------------------------------------
    // The whole chart into `painter` at `rect` (marker line included).
    void draw(QPainter& painter, const QRect& rect) const;
    // Grows with every change of the picture except the footer's text and the marker
    // line, so a widget can keep the rest as an image and draw only those over it.
    std::uint64_t revision() const { return revision_; }
    // Where everything goes when the chart is drawn at `rect`.
    std::shared_ptr<const ChartLayout> layoutFor(const QRect& rect) const;

    // Series index (minimum/maximum pyramid) of a bound series, for the renderer.
    const SeriesIndex* seriesIndex(ValueAxis axis) const;

    // --- several files -------------------------------------------------------------
    // Data sets by number: 0 and 1 are the ones above (Y and Y2); more are laid over
    // them, each on a value axis with its X moved by an offset in seconds: other
    // files on the same time axis. Series of a data set are addressed as above.
    int addDataSet(ValueAxis axis, const ChartDataSet* set, double xOffset);
    void removeAddedDataSets(); // back to Y and Y2, whose offsets return to 0
    int dataSetCount() const { return static_cast<int>(slots_.size()); }
    ValueAxis dataSetAxis(int id) const { return slots_.at(static_cast<std::size_t>(id)).axis; }
    double dataSetOffset(int id) const { return slots_.at(static_cast<std::size_t>(id)).xOffset; }
    void setDataSetOffset(int id, double xOffset);
    const ChartDataSet* dataSetAt(int id) const { return slots_.at(static_cast<std::size_t>(id)).set; }
    const SeriesIndex* seriesIndexAt(int id) const { return slots_.at(static_cast<std::size_t>(id)).index.get(); }
    int seriesCountAt(int id) const;
    bool seriesShownAt(int id, int series) const;
    void setSeriesShownAt(int id, int series, bool shown);
    SeriesStyle seriesStyleAt(int id, int series) const;
    void setSeriesStyleAt(int id, int series, const SeriesStyle& style);
    QString seriesLabelAt(int id, int series) const;
    void setSeriesLabelAt(int id, int series, const QString& label);

private:
    struct Limits {
        double min = 0.0;
        double max = 10.0;
        bool autoMin = true;
        bool autoMax = true;
    };
    struct DataSlot {
        ValueAxis axis = ValueAxis::Y;
        double xOffset = 0.0;
        const ChartDataSet* set = nullptr;
        std::shared_ptr<const SeriesIndex> index;
        std::array<bool, kMaxSeries> shown{};
        std::array<SeriesStyle, kMaxSeries> styles{};
        std::array<QString, kMaxSeries> labels;
    };
    struct AxisSettings {
        Limits limits;
        QString title;
        bool grid = false;
        double gridSpacing = 0.0;
    };

    static int idOf(ValueAxis axis) { return axis == ValueAxis::Y ? 0 : 1; }
    DataSlot& slot(ValueAxis axis) { return slots_[static_cast<std::size_t>(idOf(axis))]; }
    const DataSlot& slot(ValueAxis axis) const { return slots_[static_cast<std::size_t>(idOf(axis))]; }
    bool validId(int id) const { return id >= 0 && id < dataSetCount(); }
    void bindSlot(DataSlot& s, const ChartDataSet* set);
    AxisSettings& settings(Axis axis) { return axes_[static_cast<int>(axis)]; }
    const AxisSettings& settings(Axis axis) const { return axes_[static_cast<int>(axis)]; }
    void changed() { ++revision_; }

public:
    // Limits the chart chooses from the data: X spans every reading, Y and Y2 the
    // shown series of their data set.
    std::pair<double, double> automaticLimits(Axis axis) const;

private:
    std::vector<DataSlot> slots_;
    std::array<AxisSettings, 3> axes_;
    QStringList header_;
    QStringList footer_;
    QString footerSample_;
    QFont titleFont_;
    QFont labelFont_;
    mutable QHash<QString, int> labelWidths_;
    QColor background_ = Qt::white;
    QColor plotBackground_ = Qt::white;
    QColor foreground_ = Qt::black;
    bool legendShown_ = true;
    int yDecimals_ = 0;
    std::int64_t timeBase_ = 0;
    double markerX_ = ChartDataSet::kGap;
    bool markerShown_ = false;
    LineStyle markerStyle_;
    QRect bounds_;
    std::uint64_t revision_ = 1;

    // The layout last made, kept while neither the picture nor the rectangle changes.
    mutable std::shared_ptr<const ChartLayout> layout_;
    mutable std::uint64_t layoutRevision_ = 0;
    mutable QRect layoutRect_;
};

} // namespace velmora
