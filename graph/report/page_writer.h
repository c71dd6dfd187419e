#pragma once
// Writing a report page from the top down: lines, label and value pairs, tables, a
// rule; and the fonts and text helpers the report pages share.
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <string>
#include <string_view>

#include "statistics_text.h"

namespace velmora::page {

inline QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

inline QString utf8(const std::string& s) { return QString::fromStdString(s); }

inline QString withArgs(std::string_view pattern, const QString& a, const QString& b = {})
{
    QString t = text(pattern);
    t.replace(QStringLiteral("%1"), a);
    t.replace(QStringLiteral("%2"), b);
    return t;
}

inline QFont font(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

inline QFont fixedFont(double points)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSizeF(points);
    return f;
}

// Draws from the top down, one line or block at a time.
class PageWriter {
public:
    PageWriter(QPainter& painter, const QRectF& area, double mm) : p_(painter), area_(area), mm_(mm), y_(area.top()) {}

    double mm(double v) const { return v * mm_; }
    double y() const { return y_; }
    void skip(double millimetres) { y_ += mm(millimetres); }
    void moveTo(double y) { y_ = y; }

    double lineHeight(const QFont& f) const { return QFontMetricsF(f, p_.device()).lineSpacing(); }

    // One line of text at `x` (from the left edge); the line is taken.
    void line(const QString& s, const QFont& f, double x = 0)
    {
        p_.setFont(f);
        p_.drawText(QRectF(area_.left() + x, y_, area_.width() - x, lineHeight(f)), Qt::AlignLeft | Qt::AlignVCenter,
                    s);
        y_ += lineHeight(f);
    }

    // Label and value pairs, two to a line.
    void pairs(const std::vector<std::pair<QString, QString>>& items, const QFont& f)
    {
        QFont labelFont = f;
        labelFont.setBold(true);
        const double half = area_.width() / 2;
        for (std::size_t i = 0; i < items.size(); i += 2) {
            for (std::size_t k = i; k < i + 2 && k < items.size(); ++k) {
                const double x = area_.left() + (k - i) * half;
                const QString label = items[k].first + QStringLiteral(": ");
                p_.setFont(labelFont);
                const double w = QFontMetricsF(labelFont, p_.device()).horizontalAdvance(label);
                p_.drawText(QRectF(x, y_, w + 1, lineHeight(f)), Qt::AlignLeft | Qt::AlignVCenter, label);
                p_.setFont(f);
                p_.drawText(QRectF(x + w, y_, half - w, lineHeight(f)), Qt::AlignLeft | Qt::AlignVCenter,
                            items[k].second);
            }
            y_ += lineHeight(f) * 1.15;
        }
    }

    // The statistics: a label column, then one column per series; every other row shaded.
    void table(const StatisticsTable& t, const QFont& f)
    {
        QFont header = f;
        header.setBold(true);
        const QFontMetricsF metrics(f, p_.device());
        const QFontMetricsF labelMetrics(header, p_.device());
        double labelWidth = 0;
        for (const StatisticsTable::Row& r : t.rows)
            labelWidth = std::max(labelWidth, labelMetrics.horizontalAdvance(utf8(r.label)));
        labelWidth += mm(4);
        const double columns = std::max<double>(1, static_cast<double>(t.columns.size()));
        const double width = (area_.width() - labelWidth) / columns;
        const double row = metrics.lineSpacing() * 1.3;
        auto cell = [&](double x, double w, double h, const QString& s, const QFont& cf, int wrap = 0) {
            p_.setFont(cf);
            p_.drawText(QRectF(x + mm(1), y_, w - mm(1), h), Qt::AlignLeft | Qt::AlignVCenter | wrap, s);
        };
        // A column title wider than its column goes on to a second line, not over the
        // next column or off the page.
        double titleRow = row;
        for (const std::string& c : t.columns)
            titleRow = std::max(
                titleRow,
                labelMetrics.boundingRect(QRectF(0, 0, width - mm(1), row * 10), Qt::TextWordWrap, utf8(c)).height() +
                    row - metrics.lineSpacing());

        p_.save();
        p_.setPen(Qt::NoPen);
        p_.setBrush(QColor(225, 225, 225));
        p_.drawRect(QRectF(area_.left(), y_, area_.width(), titleRow));
        p_.restore();
        for (std::size_t c = 0; c < t.columns.size(); ++c)
            cell(area_.left() + labelWidth + c * width, width, titleRow, utf8(t.columns[c]), header, Qt::TextWordWrap);
        y_ += titleRow;
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            if (r % 2 == 1) {
                p_.save();
                p_.setPen(Qt::NoPen);
                p_.setBrush(QColor(245, 245, 245));
                p_.drawRect(QRectF(area_.left(), y_, area_.width(), row));
                p_.restore();
            }
            cell(area_.left(), labelWidth, row, utf8(t.rows[r].label), header);
            for (std::size_t c = 0; c < t.rows[r].cells.size(); ++c)
                cell(area_.left() + labelWidth + c * width, width, row, utf8(t.rows[r].cells[c]), f);
            y_ += row;
        }
        p_.drawLine(QPointF(area_.left(), y_), QPointF(area_.right(), y_));
    }

    void rule() { p_.drawLine(QPointF(area_.left(), y_), QPointF(area_.right(), y_)); }

private:
    QPainter& p_;
    QRectF area_;
    double mm_;
    double y_;
};

} // namespace velmora::page
