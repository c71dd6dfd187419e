#include "chart_part_rewrite.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace velmora {

namespace {

struct Span {
    std::size_t begin = 0; // at '<' of the opening tag
    std::size_t end = 0;   // just past the closing tag
};

// The first <tag>...</tag> (no attributes, as the library writes these) at or after `from`.
std::optional<Span> element(std::string_view xml, std::string_view tag, std::size_t from = 0)
{
    const std::string open = "<" + std::string(tag) + ">";
    const std::string close = "</" + std::string(tag) + ">";
    const auto begin = xml.find(open, from);
    if (begin == std::string_view::npos)
        return std::nullopt;
    const auto end = xml.find(close, begin);
    if (end == std::string_view::npos)
        return std::nullopt;
    return Span{begin, end + close.size()};
}

// The number in the first <tag val="N"/> of `xml`.
std::optional<long> valueOf(std::string_view xml, std::string_view tag)
{
    const std::string open = "<" + std::string(tag) + " val=\"";
    const auto at = xml.find(open);
    if (at == std::string_view::npos)
        return std::nullopt;
    long value = 0;
    const char* first = xml.data() + at + open.size();
    const auto [end, error] = std::from_chars(first, xml.data() + xml.size(), value);
    if (error != std::errc() || end == first || *end != '"')
        return std::nullopt;
    return value;
}

std::string axisIds(long category, long value)
{
    return "<c:axId val=\"" + std::to_string(category) + "\"/><c:axId val=\"" + std::to_string(value) + "\"/>";
}

// The right-hand value axis and the hidden category axis its series are laid out on.
std::string secondaryAxes(long category, long value, std::string_view crossBetween)
{
    const std::string cat = std::to_string(category), val = std::to_string(value);
    return "<c:valAx><c:axId val=\"" + val +
           "\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling><c:delete val=\"0\"/><c:axPos val=\"r\"/>"
           "<c:numFmt formatCode=\"General\" sourceLinked=\"1\"/><c:majorTickMark val=\"out\"/>"
           "<c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/><c:crossAx val=\"" +
           cat + "\"/><c:crosses val=\"max\"/><c:crossBetween val=\"" + std::string(crossBetween) +
           "\"/></c:valAx>"
           "<c:catAx><c:axId val=\"" +
           cat +
           "\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling><c:delete val=\"1\"/><c:axPos val=\"b\"/>"
           "<c:numFmt formatCode=\"General\" sourceLinked=\"1\"/><c:majorTickMark val=\"out\"/>"
           "<c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/><c:crossAx val=\"" +
           val +
           "\"/><c:crosses val=\"autoZero\"/><c:auto val=\"0\"/><c:lblAlgn val=\"ctr\"/><c:lblOffset val=\"100\"/>"
           "<c:noMultiLvlLbl val=\"0\"/></c:catAx>";
}

// A chart's series split by the axis they go on: the text before, between and after
// them, and the axis ids of the chart and of the moved series' own chart.
struct SeriesSplit {
    std::string prefix, kept, moved, suffix, movedSuffix;
    long first = 0, second = 0;           // the chart's two axes
    long movedFirst = 0, movedSecond = 0; // the moved series' own
};

// The series of `chart` (a <tag> element of `xml`) split by `secondaryIdx`; none when
// it is not shaped as expected. Nothing moves when kept or moved is empty.
std::optional<SeriesSplit> splitSeries(const std::string& xml, const Span& chart, std::string_view tag,
                                       const std::vector<int>& secondaryIdx)
{
    const std::size_t bodyBegin = chart.begin + tag.size() + 2;
    const std::size_t bodyEnd = chart.end - tag.size() - 3;
    SeriesSplit split;
    std::size_t seriesBegin = std::string::npos, seriesEnd = bodyBegin;
    for (auto series = element(xml, "c:ser", bodyBegin); series && series->end <= bodyEnd;
         series = element(xml, "c:ser", series->end)) {
        const std::string_view text(xml.data() + series->begin, series->end - series->begin);
        const auto idx = valueOf(text, "c:idx");
        if (!idx)
            return std::nullopt;
        const bool secondary = std::find(secondaryIdx.begin(), secondaryIdx.end(), *idx) != secondaryIdx.end();
        (secondary ? split.moved : split.kept).append(text);
        seriesBegin = std::min(seriesBegin, series->begin);
        seriesEnd = series->end;
    }
    if (split.moved.empty() || split.kept.empty())
        return split;

    split.prefix = xml.substr(bodyBegin, seriesBegin - bodyBegin);
    split.suffix = xml.substr(seriesEnd, bodyEnd - seriesEnd);
    const auto firstId = split.suffix.find("<c:axId ");
    const auto first = valueOf(split.suffix, "c:axId");
    const auto second =
        firstId == std::string::npos ? std::nullopt : valueOf(split.suffix.substr(firstId + 1), "c:axId");
    if (!first || !second)
        return std::nullopt;
    split.first = *first;
    split.second = *second;
    split.movedFirst = std::max(*first, *second) + 1;
    split.movedSecond = split.movedFirst + 1;
    const std::string ids = axisIds(*first, *second);
    const auto idsAt = split.suffix.find(ids);
    if (idsAt == std::string::npos)
        return std::nullopt;
    split.movedSuffix = split.suffix;
    split.movedSuffix.replace(idsAt, ids.size(), axisIds(split.movedFirst, split.movedSecond));
    return split;
}

} // namespace

std::optional<std::string> rewriteChartPart(std::string_view source, const std::vector<int>& secondaryIdx)
{
    std::string xml(source);
    const auto catAx = element(xml, "c:catAx");
    if (!catAx)
        return std::nullopt;
    static constexpr std::string_view kAutomatic = "<c:auto val=\"1\"/>";
    static constexpr std::string_view kPlain = "<c:auto val=\"0\"/>";
    const std::string_view axis(xml.data() + catAx->begin, catAx->end - catAx->begin);
    if (const auto at = axis.find(kAutomatic); at != std::string_view::npos)
        xml.replace(catAx->begin + at, kAutomatic.size(), kPlain);
    else if (axis.find(kPlain) == std::string_view::npos)
        return std::nullopt;
    if (secondaryIdx.empty())
        return xml;

    const auto chart = element(xml, "c:lineChart");
    if (!chart || element(xml, "c:lineChart", chart->end))
        return std::nullopt;
    const auto split = splitSeries(xml, *chart, "c:lineChart", secondaryIdx);
    if (!split)
        return std::nullopt;
    if (split->moved.empty() || split->kept.empty())
        return xml;
    const auto valAx = element(xml, "c:valAx", chart->end);
    if (!valAx)
        return std::nullopt;

    std::string crossBetween = "between";
    const std::string_view valueAxis(xml.data() + valAx->begin, valAx->end - valAx->begin);
    if (const auto at = valueAxis.find("<c:crossBetween val=\""); at != std::string_view::npos) {
        const auto start = at + std::strlen("<c:crossBetween val=\"");
        crossBetween = std::string(valueAxis.substr(start, valueAxis.find('"', start) - start));
    }

    std::string out = xml.substr(0, chart->begin);
    out += "<c:lineChart>" + split->prefix + split->kept + split->suffix + "</c:lineChart>";
    out += "<c:lineChart>" + split->prefix + split->moved + split->movedSuffix + "</c:lineChart>";
    out += xml.substr(chart->end, valAx->end - chart->end);
    out += secondaryAxes(split->movedFirst, split->movedSecond, crossBetween);
    out += xml.substr(valAx->end);
    return out;
}

namespace {

std::string xmlEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A value axis title written upright beside the axis.
std::string axisTitle(const std::string& text)
{
    return "<c:title><c:tx><c:rich><a:bodyPr rot=\"-5400000\" vert=\"horz\"/><a:lstStyle/><a:p><a:pPr><a:defRPr/>"
           "</a:pPr><a:r><a:rPr lang=\"en-US\"/><a:t>" +
           xmlEscaped(text) + "</a:t></a:r></a:p></c:rich></c:tx><c:layout/><c:overlay val=\"0\"/></c:title>";
}

// The secondary series' own time axis, hidden and scaled as the shown one, so that
// their readings stand at the same times; and their value axis on the right.
std::string secondaryScatterAxes(long time, long value, std::string_view timeScaling, const std::string& title)
{
    const std::string t = std::to_string(time), v = std::to_string(value);
    return "<c:valAx><c:axId val=\"" + t + "\"/>" + std::string(timeScaling) +
           "<c:delete val=\"1\"/><c:axPos val=\"b\"/><c:numFmt formatCode=\"General\" sourceLinked=\"1\"/>"
           "<c:tickLblPos val=\"nextTo\"/><c:crossAx val=\"" +
           v + "\"/><c:crosses val=\"autoZero\"/><c:crossBetween val=\"midCat\"/></c:valAx>" +
           "<c:valAx><c:axId val=\"" + v +
           "\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling><c:delete val=\"0\"/><c:axPos val=\"r\"/>" +
           (title.empty() ? std::string() : axisTitle(title)) +
           "<c:numFmt formatCode=\"General\" sourceLinked=\"1\"/><c:majorTickMark val=\"out\"/>"
           "<c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/><c:crossAx val=\"" +
           t + "\"/><c:crosses val=\"max\"/><c:crossBetween val=\"midCat\"/></c:valAx>";
}

} // namespace

std::optional<std::string> rewriteScatterPart(std::string_view source, const std::vector<int>& secondaryIdx,
                                              const std::string& secondaryTitle)
{
    std::string xml(source);
    const auto chart = element(xml, "c:scatterChart");
    if (!chart || element(xml, "c:scatterChart", chart->end))
        return std::nullopt;
    const auto timeAxis = element(xml, "c:valAx", chart->end);
    const auto valueAxis = timeAxis ? element(xml, "c:valAx", timeAxis->end) : std::nullopt;
    if (!valueAxis)
        return std::nullopt;
    if (secondaryIdx.empty())
        return xml;
    const auto split = splitSeries(xml, *chart, "c:scatterChart", secondaryIdx);
    if (!split)
        return std::nullopt;
    if (split->moved.empty() || split->kept.empty())
        return xml;
    const std::string_view shownTime(xml.data() + timeAxis->begin, timeAxis->end - timeAxis->begin);
    const auto scaling = element(shownTime, "c:scaling");
    if (!scaling)
        return std::nullopt;

    std::string out = xml.substr(0, chart->begin);
    out += "<c:scatterChart>" + split->prefix + split->kept + split->suffix + "</c:scatterChart>";
    out += "<c:scatterChart>" + split->prefix + split->moved + split->movedSuffix + "</c:scatterChart>";
    out += xml.substr(chart->end, valueAxis->end - chart->end);
    out += secondaryScatterAxes(split->movedFirst, split->movedSecond,
                                shownTime.substr(scaling->begin, scaling->end - scaling->begin), secondaryTitle);
    out += xml.substr(valueAxis->end);
    return out;
}

namespace {

// minizip writes the copy through these, straight into the open file.
struct FdStream {
    int fd;
    int error = 0;
};

voidpf ZCALLBACK fdOpen(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK fdRead(voidpf, voidpf stream, void* buf, uLong size)
{
    auto* s = static_cast<FdStream*>(stream);
    const ssize_t n = ::read(s->fd, buf, size);
    if (n < 0)
        s->error = errno;
    return n < 0 ? 0 : static_cast<uLong>(n);
}

uLong ZCALLBACK fdWrite(voidpf, voidpf stream, const void* buf, uLong size)
{
    auto* s = static_cast<FdStream*>(stream);
    const char* p = static_cast<const char*>(buf);
    uLong left = size;
    while (left > 0) {
        const ssize_t n = ::write(s->fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            s->error = n < 0 ? errno : ENOSPC;
            break;
        }
        p += n;
        left -= static_cast<uLong>(n);
    }
    return size - left;
}

ZPOS64_T ZCALLBACK fdTell(voidpf, voidpf stream)
{
    const off_t at = ::lseek(static_cast<FdStream*>(stream)->fd, 0, SEEK_CUR);
    return at < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(at);
}

long ZCALLBACK fdSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    const int whence = origin == ZLIB_FILEFUNC_SEEK_SET   ? SEEK_SET
                       : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END
                                                          : SEEK_CUR;
    return ::lseek(static_cast<FdStream*>(stream)->fd, static_cast<off_t>(offset), whence) < 0 ? -1 : 0;
}

int ZCALLBACK fdClose(voidpf, voidpf) { return 0; } // the caller owns the file
int ZCALLBACK fdError(voidpf, voidpf stream) { return static_cast<FdStream*>(stream)->error; }

bool isChartPart(const char* name)
{
    return std::strncmp(name, "xl/charts/chart", 15) == 0 && std::strchr(name + 15, '/') == nullptr &&
           std::strlen(name) > 19 && std::strcmp(name + std::strlen(name) - 4, ".xml") == 0;
}

struct UnzipCloser {
    void operator()(void* z) const { unzClose(z); }
};

} // namespace

bool copyWithChartsRewritten(const std::string& source, int fd, const std::vector<int>& secondaryIdx,
                             std::string& error, const std::string& secondaryTitle)
{
    const std::unique_ptr<void, UnzipCloser> in(unzOpen64(source.c_str()));
    if (!in) {
        error = "the workbook library's output cannot be read";
        return false;
    }
    FdStream stream{fd};
    zlib_filefunc64_def functions{fdOpen, fdRead, fdWrite, fdTell, fdSeek, fdClose, fdError, &stream};
    zipFile out = zipOpen2_64("workbook", APPEND_STATUS_CREATE, nullptr, &functions);
    if (!out) {
        error = std::strerror(stream.error ? stream.error : EIO);
        return false;
    }
    const auto fail = [&](const std::string& why) {
        zipClose(out, nullptr);
        error = stream.error ? std::strerror(stream.error) : why;
        return false;
    };

    std::vector<char> buffer(1 << 16);
    int at = unzGoToFirstFile(in.get());
    for (; at == UNZ_OK; at = unzGoToNextFile(in.get())) {
        unz_file_info64 info{};
        char name[512];
        if (unzGetCurrentFileInfo64(in.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
            return fail("the workbook library's output cannot be read");
        zip_fileinfo entry{};
        entry.dosDate = info.dosDate;
        entry.internal_fa = info.internal_fa;
        entry.external_fa = info.external_fa;

        if (isChartPart(name)) {
            std::string xml;
            if (unzOpenCurrentFile(in.get()) != UNZ_OK)
                return fail("a chart cannot be read");
            for (int n; (n = unzReadCurrentFile(in.get(), buffer.data(), static_cast<unsigned>(buffer.size()))) > 0;)
                xml.append(buffer.data(), static_cast<std::size_t>(n));
            if (unzCloseCurrentFile(in.get()) != UNZ_OK)
                return fail("a chart cannot be read");
            const std::optional<std::string> rewritten = xml.find("<c:scatterChart>") != std::string::npos
                                                             ? rewriteScatterPart(xml, secondaryIdx, secondaryTitle)
                                                             : rewriteChartPart(xml, secondaryIdx);
            if (!rewritten)
                return fail(std::string("the chart part ") + name + " is not laid out as expected");
            if (zipOpenNewFileInZip64(out, name, &entry, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                      Z_DEFAULT_COMPRESSION, 0) != ZIP_OK ||
                zipWriteInFileInZip(out, rewritten->data(), static_cast<unsigned>(rewritten->size())) != ZIP_OK ||
                zipCloseFileInZip(out) != ZIP_OK)
                return fail("the workbook cannot be written");
            continue;
        }

        // Everything else keeps its compressed bytes: nothing is packed twice.
        int method = 0, level = 0;
        if (unzOpenCurrentFile2(in.get(), &method, &level, 1) != UNZ_OK)
            return fail("the workbook library's output cannot be read");
        const int zip64 = info.uncompressed_size >= 0xffffffffu ? 1 : 0;
        if (zipOpenNewFileInZip2_64(out, name, &entry, nullptr, 0, nullptr, 0, nullptr, method, level, 1, zip64) !=
            ZIP_OK)
            return fail("the workbook cannot be written");
        int n = 0;
        while ((n = unzReadCurrentFile(in.get(), buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
            if (zipWriteInFileInZip(out, buffer.data(), static_cast<unsigned>(n)) != ZIP_OK)
                return fail("the workbook cannot be written");
        }
        unzCloseCurrentFile(in.get()); // a raw read has no check sum of its own to fail
        if (n < 0)
            return fail("the workbook library's output cannot be read");
        if (zipCloseFileInZipRaw64(out, info.uncompressed_size, info.crc) != ZIP_OK)
            return fail("the workbook cannot be written");
    }
    if (at != UNZ_END_OF_LIST_OF_FILE)
        return fail("the workbook library's output cannot be read");
    if (zipClose(out, nullptr) != ZIP_OK || stream.error) {
        error = std::strerror(stream.error ? stream.error : EIO);
        return false;
    }
    return true;
}

} // namespace velmora
