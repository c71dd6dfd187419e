// What the user is told when a file is opened, and what the document keeps.
#include "data_file_reader.h"
#include "velmora_graph_doc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "graph_test_support.h"
#include "recording_launcher.h"
#include "scripted_prompts.h"

namespace velmora {
namespace {

// A FIFO that no program writes to: opening it for reading in the usual way waits for
// a writer for ever. So that a test of that fault fails rather than hangs, a helper
// comes along as a writer every few seconds, and says that it had to.
class FifoWithoutWriter {
public:
    FifoWithoutWriter()
    {
        char pattern[] = "/tmp/velmora-fifo-XXXXXX";
        folder_ = ::mkdtemp(pattern);
        path_ = folder_ + "/readings.txt";
        EXPECT_EQ(::mkfifo(path_.c_str(), 0600), 0);
        rescuer_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            while (!done_.wait_for(lock, std::chrono::seconds(3), [this] { return finished_; })) {
                // Succeeds only while a reader waits in its open.
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    rescued_ = true;
                    ::close(fd);
                }
            }
        });
    }
    ~FifoWithoutWriter()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        rescuer_.join();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::string& path() const { return path_; }
    bool hadToStepIn()
    {
        std::lock_guard lock(mutex_);
        return rescued_;
    }

private:
    std::string folder_, path_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false, rescued_ = false;
    std::thread rescuer_;
};

using test::RecordingLauncher;
using test::ScriptedPrompts;
using test::testData;

const char kEventQuestion[] =
    "The file you are trying to open is an event log which cannot be displayed in Velmora USB Graph. "
    "Clicking 'Yes' will open the data in a text editor.\n\nNote: To import QX-USB-5 data into LibreOffice "
    "Calc, use the following method:\n\n1. In LibreOffice Calc, select 'File > Open...'.\n2. Locate data file "
    "(*.txt) ensuring 'Text CSV (*.csv *.txt)' is selected as the file type; click 'Open'.\n3. In 'Text "
    "Import', ensure 'Comma' is checked under 'Separator Options'; click 'OK'.\n\nFor further information "
    "consult the QX-USB-5 help file section 'Importing the Measurements into Other Applications'.\n\nDo you "
    "wish to open the file in a text editor?";

TEST(DataFileReader, EachFailureTellsTheUserOnce)
{
    const std::pair<const char*, const char*> cases[] = {
        {"reader/no_such_file.txt", "Unable to open the file."},
        {"reader/stamp_month_13.txt", "The File contains invalid data (line 2)."},
        {"reader/header_one_field.txt", "The File contains invalid data (line 1)."},
        {"reader/missing_field_line4.txt", "The File contains invalid data (line 4)."},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        ScriptedPrompts prompts;
        prompts.expect(message, PromptAnswer::Ok, PromptIcon::Warning);
        RecordingLauncher launcher;
        DataFileReader reader(prompts, launcher, "/opt/velmora/bin");
        GraphData data;
        EXPECT_FALSE(reader.ReadDataFile(testData(file), data));
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::Ok);
        EXPECT_TRUE(launcher.starts.empty());
    }
}

TEST(DataFileReader, WhatIsNotARegularFileIsRefusedWithoutWaiting)
{
    FifoWithoutWriter fifo;
    // /dev/zero would fill memory with one endless line; /dev/null is an empty device.
    for (const std::string& path : {fifo.path(), std::string("/dev/null"), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        ScriptedPrompts prompts;
        prompts.expect("Unable to open the file.", PromptAnswer::Ok, PromptIcon::Warning);
        RecordingLauncher launcher;
        DataFileReader reader(prompts, launcher, "/opt/velmora/bin");
        GraphData data;
        EXPECT_FALSE(reader.ReadDataFile(path, data));
    }
    EXPECT_FALSE(fifo.hadToStepIn()) << "the reader waited for a writer";
}

TEST(DataFileReader, EventFileOffersTheTextEditor)
{
    struct Case {
        PromptAnswer answer;
        bool editorStarts;
        std::size_t messages; // the question, plus the failure text if the editor cannot start
        bool expectStart;
    } cases[] = {
        {PromptAnswer::No, true, 1, false},
        {PromptAnswer::Yes, true, 1, true},
        {PromptAnswer::Yes, false, 2, true},
    };
    const std::string path = testData("reader/event_rising.txt");
    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        prompts.expect(kEventQuestion, c.answer, PromptIcon::Question);
        if (c.messages == 2)
            prompts.expect("Unable to locate and load a text editor to view event data.\n"
                           "To view data, open the downloaded file with a text editor.");
        RecordingLauncher launcher;
        launcher.succeeds = c.editorStarts;
        DataFileReader reader(prompts, launcher, "/opt/velmora/bin");
        GraphData data;
        EXPECT_FALSE(reader.ReadDataFile(path, data));
        EXPECT_EQ(data.readingCount, 0);
        EXPECT_TRUE(data.loggerName.empty());
        ASSERT_EQ(prompts.shown().size(), c.messages);
        EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);
        ASSERT_EQ(launcher.starts.size(), c.expectStart ? 1u : 0u);
        if (c.expectStart) {
            EXPECT_EQ(launcher.starts[0].program, "xdg-open");
            EXPECT_EQ(launcher.starts[0].arguments, std::vector<std::string>{path});
            EXPECT_EQ(launcher.starts[0].workingFolder, "/opt/velmora/bin");
        }
    }
}

struct DocFixture : ::testing::Test {
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    CVelmoraGraphDoc doc{prompts, launcher, "/opt/velmora/bin"};
};

TEST_F(DocFixture, OpenKeepsThePathOnlyWhileAGraphIsLoaded)
{
    const std::string good = testData("reader/humidity_alarms.txt");
    EXPECT_TRUE(doc.OnOpenDocument(good));
    EXPECT_EQ(doc.filePath(), good);
    EXPECT_EQ(doc.data().readingCount, 3);
    EXPECT_TRUE(prompts.shown().empty());

    // A file that opens but cannot be read: told, reset, still "opened".
    prompts.expect("The File contains invalid data (line 4).", PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_TRUE(doc.OnOpenDocument(testData("reader/empty_line_after_line3.txt")));
    EXPECT_EQ(doc.filePath(), "");
    EXPECT_EQ(doc.data().readingCount, 0);
    EXPECT_FALSE(doc.data().channel2.present);
    ASSERT_EQ(prompts.shown().size(), 1u);

    EXPECT_TRUE(doc.OnOpenDocument(good));
    doc.OnNewDocument();
    EXPECT_EQ(doc.filePath(), "");
    EXPECT_EQ(doc.data().readingCount, 0);
    EXPECT_EQ(doc.data().sampleInterval, 10);
    EXPECT_EQ(doc.data().startTime, 946684800);
}

TEST_F(DocFixture, MissingFileIsReportedAndThePreviousGraphStays)
{
    const std::string good = testData("reader/temperature_alarms.txt");
    ASSERT_TRUE(doc.OnOpenDocument(good));
    const std::string missing = testData("reader/not_there.txt");
    prompts.expect(missing + "\nCannot find this file.\nPlease verify that the correct path and file name are given.");
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(doc.filePath(), good);
    EXPECT_EQ(doc.data().readingCount, 3);
}

TEST_F(DocFixture, AFifoIsRefusedWithoutWaitingForAWriter)
{
    FifoWithoutWriter fifo;
    prompts.expect("Unable to open the file.", PromptAnswer::Ok, PromptIcon::Warning);
    EXPECT_TRUE(doc.OnOpenDocument(fifo.path()));
    EXPECT_EQ(doc.filePath(), "");
    EXPECT_FALSE(fifo.hadToStepIn()) << "opening waited for a writer";
}

TEST_F(DocFixture, EventFileLeavesAnEmptyDocument)
{
    ASSERT_TRUE(doc.OnOpenDocument(testData("reader/temperature_alarms.txt")));
    prompts.expect(kEventQuestion, PromptAnswer::No, PromptIcon::Question);
    EXPECT_TRUE(doc.OnOpenDocument(testData("reader/event_lowercase.txt")));
    EXPECT_EQ(doc.filePath(), "");
    EXPECT_EQ(doc.data().readingCount, 0);
    EXPECT_FALSE(doc.data().channel1.present);
}

// Several files on the chart: the first file's unit takes the left axis, the next
// unit the right one, and a third is refused by name while the others stay.
TEST_F(DocFixture, AddedFilesTakeTheAxesOfTheirUnitsAndAThirdUnitIsRefused)
{
    const std::string hall = testData("compare/hall.txt"), damp = testData("compare/damp.txt"),
                      door = testData("compare/door.txt"), warm = testData("reader/fahrenheit_without_unit.txt");
    EXPECT_TRUE(doc.AddFile(hall)); // nothing loaded: opened
    EXPECT_EQ(doc.filePath(), hall);
    EXPECT_TRUE(doc.AddFile(damp));
    EXPECT_TRUE(doc.AddFile(door));
    prompts.expect(warm + "\nThis file cannot join the chart: its unit °F fits neither axis (°C on the left, %RH on "
                          "the right).");
    EXPECT_FALSE(doc.AddFile(warm));
    EXPECT_EQ(doc.chartPaths(), (std::vector<std::string>{hall, damp, door}));
    EXPECT_EQ(doc.chartSides(), (std::vector<AxisSide>{AxisSide::Left, AxisSide::Right, AxisSide::Left}));
    ASSERT_EQ(doc.chartFiles().size(), 3u);
    EXPECT_EQ(doc.chartFiles()[2]->loggerName, "Door");

    // Taking the first off: the next is the opened file, and its unit the left axis'.
    doc.RemoveFile(0);
    EXPECT_EQ(doc.filePath(), damp);
    EXPECT_EQ(doc.data().loggerName, "Damp");
    EXPECT_EQ(doc.chartSides(), (std::vector<AxisSide>{AxisSide::Left, AxisSide::Right}));
    doc.RemoveFile(1);
    EXPECT_EQ(doc.chartPaths(), std::vector<std::string>{damp});
    // Opening a file replaces them all.
    EXPECT_TRUE(doc.AddFile(hall));
    EXPECT_TRUE(doc.OnOpenDocument(door));
    EXPECT_EQ(doc.chartPaths(), std::vector<std::string>{door});
}

TEST_F(DocFixture, TheFirstFilesSecondChannelKeepsTheRightAxis)
{
    const std::string warm = testData("reader/fahrenheit_without_unit.txt");
    ASSERT_TRUE(doc.OnOpenDocument(testData("reader/humidity_alarms.txt")));
    prompts.expect(warm + "\nThis file cannot join the chart: its unit °F fits neither axis (°C on the left, %rh on "
                          "the right).");
    EXPECT_FALSE(doc.AddFile(warm));
    EXPECT_EQ(doc.chartFiles().size(), 1u);
}

} // namespace
} // namespace velmora
