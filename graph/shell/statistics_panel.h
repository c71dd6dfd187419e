#pragma once
// View > Statistics...: a panel beside the chart with the statistics of the readings
// on show, one column per reading series, following the visible range as the user
// zooms and scrolls; "Whole file" holds it on the whole file instead. The activation
// energy of the mean kinetic temperature is set here and kept in the settings.
#include <QDockWidget>

#include "document_statistics.h"
#include "statistics_text.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;
class QTimer;

namespace velmora {

class Settings;

inline constexpr const char* kStatisticsSection = "Statistics";
inline constexpr const char* kActivationEnergyKey = "Activation Energy"; // kJ/mol, as text

class StatisticsPanel final : public QDockWidget {
    Q_OBJECT
public:
    StatisticsPanel(Settings& settings, QWidget* parent = nullptr);

    // The document on show (it must stay alive until the next call) and its X range,
    // seconds after the start time.
    void showDocument(const GraphData& data, double xMin, double xMax);
    // Several files on one chart (the first is the document shown above): one column
    // per file's first channel and the summary under them. `offsets` place each file's
    // first reading on the chart, `names` (UTF-8) title the columns.
    void showFiles(std::vector<const GraphData*> files, std::vector<std::string> names, std::vector<double> offsets);
    double activationEnergy() const;
    // The width that shows every column of the table whole.
    int preferredWidth() const;
    StatisticsOptions options() const { return {activationEnergy()}; }

    // What the panel shows, for the tests: the range line and the table's texts.
    QString rangeText() const;
    QTableWidget* table() const { return table_; }
    // With several files, the comparison's summary: below the files' columns, so that
    // it stays in view however far they are scrolled.
    QLabel* summary() const { return summary_; }
    QCheckBox* wholeFileBox() const { return wholeFile_; }
    QDoubleSpinBox* activationEnergyBox() const { return energy_; }

public slots:
    // The chart's visible X range changed.
    void setVisibleRange(double xMin, double xMax);
    // Works out and shows the figures now (normally a moment after the last change).
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void schedule();
    void showTable(const StatisticsTable& t);
    void showSummary(const StatisticsTable& t);
    void refreshSeveral();
    void activationEnergyChanged(double kj);

    Settings& settings_;
    const GraphData* data_ = nullptr;
    std::vector<const GraphData*> files_; // more than one: the files compared
    std::vector<std::string> names_;
    std::vector<double> offsets_;
    double xMin_ = 0;
    double xMax_ = 0;
    QLabel* range_ = nullptr;
    QCheckBox* wholeFile_ = nullptr;
    QDoubleSpinBox* energy_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QTimer* pending_ = nullptr;
};

} // namespace velmora
