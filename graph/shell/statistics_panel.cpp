#include "statistics_panel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>

#include "comparison_table.h"
#include "graph_strings.h"
#include "help_topics.h"
#include "settings.h"
#include "statistics_text.h"

namespace velmora {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The kept activation energy, or the default when none (or nonsense) is kept.
double keptActivationEnergy(const Settings& settings)
{
    const std::string kept = settings.value(kStatisticsSection, kActivationEnergyKey);
    double kj = 0;
    const auto r = std::from_chars(kept.data(), kept.data() + kept.size(), kj);
    if (kept.empty() || r.ec != std::errc() || !(kj > 0) || kj > 1000)
        return kDefaultActivationEnergy;
    return kj;
}

} // namespace

StatisticsPanel::StatisticsPanel(Settings& settings, QWidget* parent)
    : QDockWidget(text(graphtext::kStatisticsTitle), parent), settings_(settings)
{
    setObjectName(QStringLiteral("statisticsPanel"));
    setProperty("helpContext", helpctx::kViewerStatistics);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    range_ = new QLabel(body);
    range_->setWordWrap(true);
    wholeFile_ = new QCheckBox(text(graphtext::kWholeFile), body);
    table_ = new QTableWidget(body);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary_ = new QLabel(body);
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::RichText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->hide();
    energy_ = new QDoubleSpinBox(body);
    energy_->setRange(1.0, 1000.0);
    energy_->setDecimals(3);
    energy_->setSingleStep(1.0);
    energy_->setValue(keptActivationEnergy(settings_));
    auto* form = new QFormLayout;
    form->addRow(text(graphtext::kActivationEnergy), energy_);
    layout->addWidget(range_);
    layout->addWidget(wholeFile_);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addLayout(form);
    setWidget(body);

    // Zooming and scrolling come in bursts: the figures follow once the burst is over.
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(30);
    connect(pending_, &QTimer::timeout, this, &StatisticsPanel::refresh);
    connect(wholeFile_, &QCheckBox::toggled, this, &StatisticsPanel::schedule);
    connect(energy_, &QDoubleSpinBox::valueChanged, this, &StatisticsPanel::activationEnergyChanged);
}

double StatisticsPanel::activationEnergy() const { return energy_->value(); }

void StatisticsPanel::activationEnergyChanged(double kj)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, kj);
    settings_.setValue(kStatisticsSection, kActivationEnergyKey, std::string(buf, r.ptr));
    schedule();
}

void StatisticsPanel::showDocument(const GraphData& data, double xMin, double xMax)
{
    data_ = &data;
    files_.clear();
    xMin_ = xMin;
    xMax_ = xMax;
    // A new document replaces the old figures at once: they must never outlive their data.
    refresh();
}

void StatisticsPanel::showFiles(std::vector<const GraphData*> files, std::vector<std::string> names,
                                std::vector<double> offsets)
{
    files_ = std::move(files);
    names_ = std::move(names);
    offsets_ = std::move(offsets);
    refresh();
}

void StatisticsPanel::setVisibleRange(double xMin, double xMax)
{
    xMin_ = xMin;
    xMax_ = xMax;
    schedule();
}

void StatisticsPanel::schedule()
{
    if (isVisible())
        pending_->start();
}

void StatisticsPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    refresh();
}

int StatisticsPanel::preferredWidth() const
{
    table_->resizeColumnsToContents();
    int width = table_->verticalHeader()->sizeHint().width() + 2 * table_->frameWidth() +
                table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < table_->columnCount(); ++c)
        width += table_->columnWidth(c);
    const QMargins m = widget()->layout()->contentsMargins();
    return width + m.left() + m.right() + 8;
}

QString StatisticsPanel::rangeText() const { return range_->text(); }

void StatisticsPanel::refresh()
{
    pending_->stop();
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    summary_->clear();
    summary_->hide();
    if (!data_ || data_->readingCount <= 0) {
        range_->clear();
        return;
    }
    if (files_.size() > 1) {
        refreshSeveral();
        return;
    }
    const GraphData& data = *data_;
    const ReadingRange range = wholeFile_->isChecked() ? wholeFile(data) : readingsWithinX(data, xMin_, xMax_);
    const DocumentStatistics stats = documentStatistics(data, range, options());
    if (range.empty) {
        range_->setText(text(graphtext::kNoReadingsInRange));
        return;
    }
    range_->setText(QString::fromStdString(velmora::rangeText(range, data.startTime, stats.interval)));
    showTable(statisticsTable(stats, data.startTime));
}

void StatisticsPanel::refreshSeveral()
{
    // The visible range comes in the first file's seconds; each file's own range is
    // the same stretch of the chart.
    std::vector<DocumentStatistics> stats;
    stats.reserve(files_.size());
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const GraphData& d = *files_[f];
        const double shift = offsets_[0] - offsets_[f];
        stats.push_back(documentStatistics(
            d, wholeFile_->isChecked() ? wholeFile(d) : readingsWithinX(d, xMin_ + shift, xMax_ + shift), options()));
    }
    std::vector<ComparedFile> compared;
    for (std::size_t f = 0; f < files_.size(); ++f)
        compared.push_back({files_[f], &stats[f]});
    const std::int64_t start = data_->startTime;
    range_->setText(
        wholeFile_->isChecked()
            ? text(graphtext::kWholeFile)
            : QString::fromStdString(readingTimeText(start + static_cast<std::int64_t>(std::ceil(xMin_))) + " - " +
                                     readingTimeText(start + static_cast<std::int64_t>(std::floor(xMax_)))));
    // The summary's rows hold one text for all the files: they go below the columns.
    StatisticsTable figures = comparisonTable(compared, names_);
    StatisticsTable summary;
    std::erase_if(figures.rows, [&](const StatisticsTable::Row& row) {
        const bool ofAll = figures.columns.size() > 1 && row.cells.size() == 1;
        if (ofAll)
            summary.rows.push_back(row);
        return ofAll;
    });
    showTable(figures);
    showSummary(summary);
}

void StatisticsPanel::showSummary(const StatisticsTable& t)
{
    // One line a figure, its name in bold: it wraps in a narrow panel.
    QStringList lines;
    for (const StatisticsTable::Row& row : t.rows)
        lines << QStringLiteral("<b>%1:</b> %2")
                     .arg(QString::fromStdString(row.label).toHtmlEscaped(),
                          QString::fromStdString(row.cells.front()).toHtmlEscaped());
    summary_->setText(lines.join(QStringLiteral("<br>")));
    summary_->setVisible(!lines.isEmpty());
}

void StatisticsPanel::showTable(const StatisticsTable& t)
{
    table_->setColumnCount(static_cast<int>(t.columns.size()));
    table_->setRowCount(static_cast<int>(t.rows.size()));
    QStringList columns, rows;
    for (const std::string& c : t.columns)
        columns << QString::fromStdString(c);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        rows << QString::fromStdString(t.rows[r].label);
        for (std::size_t c = 0; c < t.rows[r].cells.size(); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c),
                            new QTableWidgetItem(QString::fromStdString(t.rows[r].cells[c])));
    }
    table_->setHorizontalHeaderLabels(columns);
    table_->setVerticalHeaderLabels(rows);
}

} // namespace velmora
