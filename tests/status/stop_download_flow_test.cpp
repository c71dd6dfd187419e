// "OK" on the stop page without its window: the download from a virtual logger, the
// save dialog's request and starting folder, the folder kept in the settings, and
// what each way of answering the dialog writes and tells. The file's contents are the
// writer's business (download_file_writer_test); here one good save shows that the
// downloaded readings reach it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "clock.h"
#include "connected_logger.h"
#include "fridge_expectations.h"
#include "logger_presets.h"
#include "memory_settings.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompts.h"
#include "simulated_bridge.h"
#include "stop_download_flow.h"
#include "utility_strings.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string substitute(std::string text, const std::string& placeholder, const std::string& value)
{
    if (const auto at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

// The Fridge logger of fridge_expectations.h: stopped, Celsius (0.5 degrees a count
// from -40), high alarm 8.0 and low 2.0, 10 s from 07/12/2026 14:00:00, serial 12345,
// holding the raw readings 89, 89, 90, not yet downloaded.
LoggerImage fridgeImage()
{
    LoggerImage image;
    LoggerConfig& c = image.record;
    c.setType(1);
    c.setName("Fridge");
    c.setStart(2026, 12, 7, 14, 0, 0);
    c.setSampleInterval(10);
    c.setReadingCount(3);
    c.setFlags(flag::kHighEnabled | flag::kLowEnabled | flag::kUndownloaded);
    c.setCalGain(0.5f);
    c.setCalOffset(-40.0f);
    c.setHighAlarmRaw(96); // 8.0
    c.setLowAlarmRaw(84);  // 2.0
    c.setSerialNumber(12345);
    c.setMemoryCapacity(16382);
    image.memory = {89, 89, 90};
    return image;
}

class StopDownloadFlowTest : public ::testing::Test {
protected:
    StopDownloadFlowTest() { fs::create_directory(documents); }
    ~StopDownloadFlowTest() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::vector<std::string> filesIn(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.is_regular_file())
                names.push_back(e.path().filename().string());
        return names;
    }

    static fs::path makeFolder()
    {
        char pattern[] = "/tmp/velmora-flow-XXXXXX";
        return ::mkdtemp(pattern);
    }

    fs::path dir = makeFolder();
    fs::path documents = dir / "Documents";
    VirtualClock clock;
    SimulatedBridge bridge{clock};
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    MemorySettings settings;
    ConnectedLogger logger{bridge, clock, prompts};
    std::vector<float> readings;
    StopDownloadFlow flow{logger, readings, prompts, dialogs, settings, documents.string()};
};

TEST_F(StopDownloadFlowTest, EachAnswerToTheSaveDialog)
{
    struct Case {
        const char* name;
        std::optional<std::string> chosen; // nullopt: cancelled; else relative to the case's folder; "" as typed
        std::size_t readingsKept;          // of the three downloaded
        const char* message;               // nullptr: none; %s stands for the chosen path
        const char* savedDirectory;        // "<unset>": not stored; {folder} stands for the case's folder
        bool written;                      // a file was written and its path returned
        std::vector<bool> busy;            // the wait cursor on and off around the write
        std::vector<std::string> files;    // in the case's folder afterwards
    };
    const Case cases[] = {
        {"saved", "Fridge.txt", 3, nullptr, "{folder}", true, {true, false}, {"Fridge.txt"}},
        {"cancelled",
         std::nullopt,
         3,
         "Warning:- The data from the logger may not have been saved to your PC.",
         "<unset>",
         false,
         {},
         {}},
        {"empty path: its empty folder is stored", "", 3, "Error:  No file selected.", "", false, {}, {}},
        {"a folder that does not exist is still remembered",
         "no such folder/Fridge.txt",
         3,
         "Failed opening file:\n%s\n(No such file or directory)",
         "{folder}/no such folder",
         false,
         {true, false},
         {}},
        {"fewer readings than the record holds: kept beside the file, and a failure",
         "Fridge.txt",
         1,
         "The logger sent fewer readings than it reported.\nOnly 1 of 3 readings arrived, so the download was not "
         "saved as:\n%s\nThe readings that arrived were saved to:\n{folder}/Fridge.partial.txt",
         "{folder}",
         false,
         {true, false},
         {"Fridge.partial.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedBridge b(clock);
        b.attach(fridgeImage());
        ScriptedPrompts p;
        ScriptedFileDialogs d;
        MemorySettings s;
        ConnectedLogger l(b, clock, p);
        std::vector<float> r;
        const fs::path folder = dir / "case";
        fs::remove_all(folder);
        fs::create_directory(folder);
        StopDownloadFlow f(l, r, p, d, s, documents.string());

        ASSERT_TRUE(f.download());
        EXPECT_EQ(r, (std::vector<float>{89, 89, 90}));
        r.resize(c.readingsKept);
        std::string path;
        if (c.chosen)
            path = c.chosen->empty() ? std::string() : (folder / *c.chosen).string();
        d.answer(c.chosen ? std::optional<std::string>(path) : std::nullopt);
        if (c.message)
            p.expect(substitute(substitute(c.message, "%s", path), "{folder}", folder.string()), PromptAnswer::Ok,
                     PromptIcon::Warning);
        std::vector<bool> busy;

        const std::optional<std::string> saved = f.save([&](bool on) { busy.push_back(on); });

        p.expectAllShown();
        EXPECT_EQ(saved, c.written ? std::optional<std::string>(path) : std::nullopt);
        EXPECT_EQ(busy, c.busy);
        EXPECT_EQ(s.value("Settings", "Saved Directory", "<unset>"),
                  substitute(c.savedDirectory, "{folder}", folder.string()));
        EXPECT_EQ(filesIn(folder), c.files);
    }
}

TEST_F(StopDownloadFlowTest, ACancelledDownloadSavesNothingAndSaysSo)
{
    // A factory KV-USB-1 holds 576 readings: nine blocks of 64.
    VirtualLogger& device = bridge.attach(makePresetImage(1, CivilTime{2026, 12, 7, 15, 0, 0}));
    ASSERT_TRUE(device.record().hasUndownloadedData());
    ASSERT_GT(device.record().readingCount(), 64);
    prompts.expect("The download was cancelled: nothing has been saved.\n"
                   "The logger remains stopped and still holds its readings.",
                   PromptAnswer::Ok, PromptIcon::Information);
    std::size_t calls = 0;
    EXPECT_FALSE(flow.download([&](std::size_t, std::size_t) { return ++calls == 0; }));
    prompts.expectAllShown();
    EXPECT_EQ(calls, 1u);
    EXPECT_TRUE(readings.empty()) << "nothing left to save by mistake";
    EXPECT_TRUE(dialogs.calls.empty()) << "no Save dialog";
    EXPECT_EQ(device.recordsTaken(), 0);
    EXPECT_FALSE(device.record().isLogging());
    EXPECT_TRUE(device.record().hasUndownloadedData()) << "its readings still count as not downloaded";

    // A download left to run is not affected by the last one's Cancel.
    EXPECT_TRUE(flow.download([](std::size_t, std::size_t) { return true; }));
    EXPECT_EQ(readings.size(), static_cast<std::size_t>(device.record().readingCount()));
}

TEST_F(StopDownloadFlowTest, AGoodSaveWritesTheDownloadedReadings)
{
    bridge.attach(fridgeImage());
    ASSERT_TRUE(flow.download());
    const fs::path path = dir / "Fridge.txt";
    dialogs.answer(path.string());
    EXPECT_EQ(flow.save(), path.string());
    EXPECT_EQ(slurp(path), fridge::kDownloadFile);
}

TEST_F(StopDownloadFlowTest, TheSaveDialogIsAskedForTheLoggersFile)
{
    LoggerImage image = fridgeImage();
    // Windows-1252 in the logger: u-umlaut (FC) and the degree sign (B0). The dialog
    // and the file system take UTF-8; the dot and slash cannot be in a file name.
    image.record.setName("K\xFChl.\xB0/2");
    bridge.attach(std::move(image));
    ASSERT_TRUE(flow.download());
    dialogs.answer(std::nullopt);
    prompts.expectMsg(utilitytext::kDataMayNotBeSaved);
    EXPECT_EQ(flow.save(), std::nullopt);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "save");
    const FileDialogRequest& request = dialogs.calls[0].request;
    EXPECT_EQ(request.title, "Save As");
    EXPECT_EQ(request.suggestedName, "K\xC3\xBChl\302\2602");
    EXPECT_EQ(request.filter, "Velmora USB Download File (*.txt)|*.txt|All Files (*.*)| *.*||");
    EXPECT_EQ(request.defaultSuffix, "txt");
    EXPECT_EQ(request.initialFolder, documents.string());
}

TEST_F(StopDownloadFlowTest, TheDialogOpensInTheRememberedFolderWhileItIsOne)
{
    const fs::path readingsFolder = dir / "Readings";
    fs::create_directory(readingsFolder);
    std::ofstream(dir / "a file") << "not a folder";
    const std::string home = dir.string();
    const std::string noDocuments = (dir / "No Documents").string();
    struct Case {
        const char* name;
        std::optional<std::string> stored; // nullopt: never stored
        std::string documents;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing stored yet", std::nullopt, documents.string(), documents.string()},
        {"an existing folder", readingsFolder.string(), documents.string(), readingsFolder.string()},
        {"a folder since removed", (dir / "Gone").string(), documents.string(), documents.string()},
        {"a file, not a folder", (dir / "a file").string(), documents.string(), documents.string()},
        {"stored empty", std::string(), documents.string(), documents.string()},
        {"a desktop without a documents folder", std::nullopt, noDocuments, home},
        {"no documents folder, a folder since removed", (dir / "Gone").string(), noDocuments, home},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettings s;
        if (c.stored)
            s.setValue("Settings", "Saved Directory", *c.stored);
        const StopDownloadFlow f(logger, readings, prompts, dialogs, s, c.documents, home);
        EXPECT_EQ(f.initialFolder(), c.expected);
    }
}

} // namespace
} // namespace velmora::test
