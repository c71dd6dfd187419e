// The GUI tests run headless: the offscreen platform, a private runtime folder and
// settings kept in a temporary folder, all set before QApplication exists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string base = "/tmp/velmora-gui-test-XXXXXX";
    if (!mkdtemp(base.data()))
        return 1;
    const std::string runtime = base + "/runtime";
    const std::string settings = base + "/settings";
    mkdir(runtime.c_str(), 0700);
    mkdir(settings.c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", runtime.c_str());
    qputenv("VELMORA_TEST_TMP", base.c_str());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settings));

    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    return result;
}
