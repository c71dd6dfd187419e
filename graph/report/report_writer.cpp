#include "report_writer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

#include "atomic_file.h"
#include "file_identity.h"
#include "graph_strings.h"
#include "placeholders.h"
#include "velmora_version.h"

namespace velmora {

namespace {

constexpr int kDotsPerInch = 300;
constexpr double kMarginMm = 15.0;

std::string withArgs(std::string_view pattern, const std::string& a, const std::string& b = {})
{
    return fillPlaceholders(pattern, {a, b});
}

} // namespace

QPageSize::PageSizeId paperForSize(int widthMm, int heightMm)
{
    return widthMm == 216 && heightMm == 279 ? QPageSize::Letter : QPageSize::A4;
}

QPageSize::PageSizeId localePaper()
{
    // The user's LC_PAPER, whatever the program's own locale is set to.
    const locale_t user = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr))
        return QPageSize::A4;
    const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, user)));
    const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_HEIGHT, user)));
    freelocale(user);
    return paperForSize(width, height);
}

bool writeReportPdf(const std::string& path, const std::string& downloadFile, const ReportContent& content,
                    QPageSize::PageSizeId paper, std::string& error)
{
    return writeReportPages(
        path, {downloadFile}, paper,
        [&](QPainter& painter, const QRectF& area, double mm, const std::function<void()>&) {
            drawReportPage(painter, area, mm, content);
        },
        error);
}

bool writeReportPages(const std::string& path, const std::vector<std::string>& downloadFiles,
                      QPageSize::PageSizeId paper, const ReportDrawing& draw, std::string& error)
{
    for (const std::string& downloadFile : downloadFiles)
        if (sameExistingFile(path, downloadFile)) {
            error = withArgs(graphtext::kReportOverDownload, path);
            return false;
        }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageSize(QPageSize(paper));
        pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
        pdf.setTitle(QString::fromUtf8(graphtext::kReportTitle.data(), graphtext::kReportTitle.size()));
        pdf.setCreator(QStringLiteral("velmora-graph " VELMORA_VERSION));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            error = withArgs(graphtext::kReportWriteFailed, path, std::strerror(ENOMEM));
            return false;
        }
        const QRectF area(QPointF(0, 0), pdf.pageLayout().paintRectPixels(kDotsPerInch).size());
        draw(painter, area, kDotsPerInch / 25.4, [&pdf] { pdf.newPage(); });
        painter.end();
    }

    AtomicFile file;
    if (!file.create(path)) {
        error = withArgs(graphtext::kReportOpenFailed, path, std::strerror(file.error()));
        return false;
    }
    if (const int failed = writeAll(file.fd(), bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        error = withArgs(graphtext::kReportWriteFailed, path, std::strerror(failed));
        return false;
    }
    if (!file.commit()) {
        error = withArgs(graphtext::kReportWriteFailed, path, std::strerror(file.error()));
        return false;
    }
    return true;
}

} // namespace velmora
