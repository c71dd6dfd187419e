#pragma once
// The viewer's chart view: shows the document's GraphData as a time chart, with the
// pointer readout and marker line, zooming by dragging a box (a stack of 24 levels),
// zoom out by command or double-click, scroll bars that pan a zoomed chart, Mark
// Points, the "Show traces..." menu, the grid switches, and printing and print
// preview through a 1024 × 768 logical page.
//
// Commands for the shell's menus and toolbar (connect nothing: the actions are wired
// to the view already; add them where they belong):
//   zoomInAction()       "Zoom In": no action of its own, zooming is by dragging a box
//   zoomOutAction()      "Zoom Out": one level out (slot zoomOut())
//   markPointsAction()   "Mark Points", checkable (toggleMarkPoints())
//   gridXAction()        "X Axis" of "Grid Lines...", checkable, on (toggleGridX())
//   gridYAction()        "Y Axis" of "Grid Lines...", checkable, on (toggleGridY())
//   tracesMenu()         "Show traces...": rebuilt by every bind(); each item is
//                        checkable and carries its command id (48000..48007) as data()
//   printAction()        "&Print...\tCtrl+P" (print())
//   printPreviewAction() "Print Pre&view" (printPreview())
//   printSetupAction()   "P&rint Setup..." (printSetup())
// The printer (landscape by default) is shared by the three print commands.
//
// On a zoomed chart the wheel and the arrow keys scroll; Ctrl+wheel zooms in around the
// pointer and out, "-" and Backspace zoom out (see ChartZoomControl).
#include <QWidget>

#include "chart_files.h"
#include "graph_data.h"
#include "zoom_session.h"

class QAction;
class QMenu;
class QPrinter;
class QScrollBar;

namespace velmora {

class Chart;
class ChartPrintCommands;
class ChartWidget;
class ChartZoomControl;
class Prompts;

// The view binds the document's data to the chart, shows the pointer readout and the
// From/To footer, and switches Mark Points, the grid and the traces; it hands the
// mouse and zoom to a ChartZoomControl and printing to ChartPrintCommands.
class CVelmoraGraphView : public QWidget {
    Q_OBJECT
public:
    explicit CVelmoraGraphView(Prompts& prompts, QWidget* parent = nullptr);
    ~CVelmoraGraphView() override;

    // The initial update after every new or opened document: the chart settings,
    // then binding `data`, which must stay alive (and unchanged) until the next bind.
    void bind(const GraphData& data);
    // The same for several files on one time axis (see bindChartFiles); the readout
    // and the From/To footer tell the first file's readings and times.
    void bindFiles(const std::vector<ChartFile>& files, const TimeAlignment& alignment,
                   const ChartSpread* spread = nullptr);

    QAction* zoomInAction() const;
    QAction* zoomOutAction() const;
    QAction* markPointsAction() const { return markPoints_; }
    QAction* gridXAction() const { return gridX_; }
    QAction* gridYAction() const { return gridY_; }
    QAction* printAction() const;
    QAction* printPreviewAction() const;
    QAction* printSetupAction() const;
    QMenu* tracesMenu() const { return traces_; }

    QPrinter& printer();
    // The open file's path (empty: none), whose name the printed document takes.
    void setDocumentPath(const QString& path);
    // Prints the chart on one page of `printer`; on failure says "Error: Failed to
    // print graph." and returns false.
    bool printTo(QPrinter& printer);

    // What the view shows, for the shell and the tests.
    const GraphData& data() const { return *data_; }
    int zoomLevel() const { return zoom().level(); }
    const ZoomSession& zoom() const;
    // Zooms one level in to X from xMin to xMax (seconds on the chart's time axis).
    void showXRange(std::int64_t xMin, std::int64_t xMax);
    QString footerText() const;
    const Chart& chart() const;
    ChartWidget* chartWidget() const { return chartWidget_; }
    QScrollBar* horizontalScrollBar() const;
    QScrollBar* verticalScrollBar() const;

public slots:
    void zoomOut();
    void toggleMarkPoints();
    void toggleGridX();
    void toggleGridY();
    void print();
    void printPreview();
    void printSetup();

signals:
    // The 24th zoom level was asked for: the view has beeped and put up the message.
    void maximumZoomReached();
    // The X range on show changed (a document was bound, a zoom level applied, a
    // scroll ended), and the footer now shows it: seconds after the (first file's)
    // start time.
    void visibleRangeChanged(double xMin, double xMax);

private:
    void createActions();
    void showReadout(QPoint pixel);
    void setFooter(const std::string& text); // Windows-1252 text
    // The X range shown changed: the From/To footer and the listeners follow it.
    void showVisibleRange(double xMin, double xMax);
    void rebuildTracesMenu();
    void toggleTrace(int id);
    std::int64_t interval() const;
    std::int64_t totalSeconds() const; // X of the last reading
    // The data sets of the files' first channels (true) and second channels (false).
    std::vector<bool> firstChannelSets() const;

    const GraphData* data_ = nullptr;
    std::vector<ChartFile> files_;         // all files on the chart, data_ first
    const ChartDataSet* spread_ = nullptr; // the spread between them, when shown
    double firstOffset_ = 0;               // X of data_'s first reading
    GraphData empty_;
    ChartWidget* chartWidget_ = nullptr;
    ChartZoomControl* zoom_ = nullptr;
    ChartPrintCommands* printing_ = nullptr;
    bool markPointsOn_ = false;
    bool gridXOn_ = true;
    bool gridYOn_ = true;

    QAction* markPoints_ = nullptr;
    QAction* gridX_ = nullptr;
    QAction* gridY_ = nullptr;
    QMenu* traces_ = nullptr;
};

} // namespace velmora
