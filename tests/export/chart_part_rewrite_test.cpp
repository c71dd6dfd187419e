// The rewrite of the chart parts the workbook library writes: a plain category axis,
// the humidity series on a right-hand axis, every other part of the workbook copied
// unchanged, and no edit of a part that is not shaped as expected.
#include <gtest/gtest.h>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "chart_part_rewrite.h"
#include "zip_entries.h"

namespace velmora {
namespace {

// A line chart in the form the library writes it, cut down to what matters here.
std::string ser(int idx, char column)
{
    const std::string i = std::to_string(idx), c(1, column);
    return "<c:ser><c:idx val=\"" + i + "\"/><c:order val=\"" + i + "\"/><c:tx><c:strRef><c:f>Data!$" + c +
           "$1</c:f></c:strRef></c:tx><c:marker><c:symbol val=\"none\"/></c:marker><c:val><c:numRef><c:f>Data!$" + c +
           "$2:$" + c + "$9</c:f></c:numRef></c:val></c:ser>";
}
const std::string kHead = "<?xml version=\"1.0\"?><c:chartSpace><c:chart><c:plotArea><c:layout/>";
const std::string kChartStart = "<c:lineChart><c:grouping val=\"standard\"/>";
const std::string kChartEnd = "<c:marker val=\"1\"/><c:axId val=\"50010001\"/><c:axId val=\"50010002\"/></c:lineChart>";
std::string catAx(const char* automatic)
{
    return std::string("<c:catAx><c:axId val=\"50010001\"/><c:axPos val=\"b\"/><c:tickLblPos val=\"low\"/>"
                       "<c:crossAx val=\"50010002\"/><c:auto val=\"") +
           automatic + "\"/><c:tickLblSkip val=\"5\"/></c:catAx>";
}
const std::string kValAx = "<c:valAx><c:axId val=\"50010002\"/><c:axPos val=\"l\"/><c:crossAx val=\"50010001\"/>"
                           "<c:crossBetween val=\"midCat\"/></c:valAx>";
const std::string kTail = "</c:plotArea><c:legend><c:legendPos val=\"r\"/></c:legend></c:chart></c:chartSpace>";

std::string threeSeries()
{
    return kHead + kChartStart + ser(0, 'C') + ser(1, 'D') + ser(2, 'E') + kChartEnd + catAx("1") + kValAx + kTail;
}

TEST(ChartPartRewrite, HumiditySeriesMoveToARightHandAxis)
{
    const std::string expected =
        kHead + kChartStart + ser(0, 'C') + ser(2, 'E') + kChartEnd + kChartStart + ser(1, 'D') +
        "<c:marker val=\"1\"/><c:axId val=\"50010003\"/><c:axId val=\"50010004\"/></c:lineChart>" + catAx("0") +
        kValAx +
        "<c:valAx><c:axId val=\"50010004\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling>"
        "<c:delete val=\"0\"/><c:axPos val=\"r\"/><c:numFmt formatCode=\"General\" sourceLinked=\"1\"/>"
        "<c:majorTickMark val=\"out\"/><c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/>"
        "<c:crossAx val=\"50010003\"/><c:crosses val=\"max\"/><c:crossBetween val=\"midCat\"/></c:valAx>"
        "<c:catAx><c:axId val=\"50010003\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling>"
        "<c:delete val=\"1\"/><c:axPos val=\"b\"/><c:numFmt formatCode=\"General\" sourceLinked=\"1\"/>"
        "<c:majorTickMark val=\"out\"/><c:minorTickMark val=\"none\"/><c:tickLblPos val=\"nextTo\"/>"
        "<c:crossAx val=\"50010004\"/><c:crosses val=\"autoZero\"/><c:auto val=\"0\"/><c:lblAlgn val=\"ctr\"/>"
        "<c:lblOffset val=\"100\"/><c:noMultiLvlLbl val=\"0\"/></c:catAx>" +
        kTail;
    EXPECT_EQ(rewriteChartPart(threeSeries(), {1}), expected);
}

TEST(ChartPartRewrite, OnlyTheCategoryAxisChangesWhenNothingMoves)
{
    const std::string plain =
        kHead + kChartStart + ser(0, 'C') + ser(1, 'D') + ser(2, 'E') + kChartEnd + catAx("0") + kValAx + kTail;
    EXPECT_EQ(rewriteChartPart(threeSeries(), {}), plain);
    EXPECT_EQ(rewriteChartPart(threeSeries(), {7}), plain);       // no such series
    EXPECT_EQ(rewriteChartPart(threeSeries(), {0, 1, 2}), plain); // nothing would stay on the first axis
    EXPECT_EQ(rewriteChartPart(plain, {}), plain);                // already plain
}

TEST(ChartPartRewrite, PartsOfAnotherShapeAreNotEdited)
{
    const std::string noAuto = kHead + kChartStart + ser(0, 'C') + kChartEnd +
                               "<c:catAx><c:axId val=\"50010001\"/></c:catAx>" + kValAx + kTail;
    const std::string noIdx = kHead + kChartStart + "<c:ser><c:order val=\"0\"/></c:ser>" + ser(1, 'D') + kChartEnd +
                              catAx("1") + kValAx + kTail;
    const std::string twoCharts = kHead + kChartStart + ser(0, 'C') + kChartEnd + kChartStart + ser(1, 'D') +
                                  kChartEnd + catAx("1") + kValAx + kTail;
    const std::string noValAx = kHead + kChartStart + ser(0, 'C') + ser(1, 'D') + kChartEnd + catAx("1") + kTail;
    EXPECT_FALSE(rewriteChartPart(kHead + kTail, {}));
    EXPECT_FALSE(rewriteChartPart(noAuto, {}));
    EXPECT_FALSE(rewriteChartPart(noIdx, {1}));
    EXPECT_FALSE(rewriteChartPart(twoCharts, {1}));
    EXPECT_FALSE(rewriteChartPart(noValAx, {1}));
}

// A workbook-like zip written with minizip, and its entries read back.
void writeZip(const std::string& path, const std::map<std::string, std::string>& entries)
{
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_fileinfo info{};
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 0),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size())), ZIP_OK);
        ASSERT_EQ(zipCloseFileInZip(zip), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

std::map<std::string, std::string> readZip(const std::string& path)
{
    std::map<std::string, std::string> entries;
    for (auto& [name, bytes] : test::zipEntries(path))
        entries[name] = std::move(bytes);
    return entries;
}

struct ZipCopy : ::testing::Test {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("velmora-zip-" + std::to_string(::getpid()) + "-" +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    bool copy(const std::string& source, const std::string& target, std::string& error)
    {
        const int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
        const bool copied = copyWithChartsRewritten(source, fd, {1}, error);
        ::close(fd);
        return copied;
    }
};

TEST_F(ZipCopy, ChartPartsAreRewrittenAndEverythingElseKept)
{
    const std::string sheet(200000, 'x');
    const std::map<std::string, std::string> entries = {
        {"[Content_Types].xml", "<Types/>"},
        {"xl/worksheets/sheet1.xml", sheet},
        {"xl/charts/chart1.xml", threeSeries()},
        {"xl/charts/_rels/chart1.xml.rels", "<Relationships/>"},
    };
    writeZip((dir / "in.xlsx").string(), entries);
    std::string error;
    ASSERT_TRUE(copy((dir / "in.xlsx").string(), (dir / "out.xlsx").string(), error)) << error;

    std::map<std::string, std::string> out = readZip((dir / "out.xlsx").string());
    ASSERT_EQ(out.size(), entries.size());
    EXPECT_EQ(out["[Content_Types].xml"], "<Types/>");
    EXPECT_EQ(out["xl/worksheets/sheet1.xml"], sheet);
    EXPECT_EQ(out["xl/charts/_rels/chart1.xml.rels"], "<Relationships/>");
    EXPECT_EQ(out["xl/charts/chart1.xml"], rewriteChartPart(threeSeries(), {1}));
}

TEST_F(ZipCopy, AChartOfAnotherShapeOrNoZipStopsTheCopy)
{
    writeZip((dir / "odd.xlsx").string(), {{"xl/charts/chart2.xml", "<c:chartSpace/>"}});
    std::string error;
    EXPECT_FALSE(copy((dir / "odd.xlsx").string(), (dir / "out.xlsx").string(), error));
    EXPECT_NE(error.find("xl/charts/chart2.xml"), std::string::npos) << error;

    std::filesystem::path notZip = dir / "plain.txt";
    FILE* f = std::fopen(notZip.c_str(), "w");
    std::fputs("Fridge,Time\n", f);
    std::fclose(f);
    EXPECT_FALSE(copy(notZip.string(), (dir / "out.xlsx").string(), error));
    EXPECT_FALSE(copy((dir / "missing.xlsx").string(), (dir / "out.xlsx").string(), error));
}

} // namespace
} // namespace velmora
