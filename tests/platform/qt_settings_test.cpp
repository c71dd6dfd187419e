#include "qt/qt_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace velmora {
namespace {

TEST(QtSettingsTest, ValuesEditedByHandReadAsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QDir(dir.path()).mkpath(QString::fromLatin1(kCompanyKey));
    QFile file(dir.path() + "/" + kCompanyKey + "/Test Program.conf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\n"
               "USB%20Device%20IDs=1234:ABCD, 1234:ABCE\n"
               "Quoted=\"1111:2222,3333:4444\"\n"
               "Saved%20Directory=/home/lab/logs\n");
    file.close();

    QtSettings settings(QStringLiteral("Test Program"));
    EXPECT_EQ(settings.value("Settings", "USB Device IDs"), "1234:ABCD,1234:ABCE");
    EXPECT_EQ(settings.value("Settings", "Quoted"), "1111:2222,3333:4444");
    EXPECT_EQ(settings.value("Settings", "Saved Directory"), "/home/lab/logs");
    EXPECT_EQ(settings.value("Settings", "Missing", "fallback"), "fallback");

    settings.setValue("Settings", "USB Device IDs", "5555:6666,7777:8888");
    EXPECT_EQ(QtSettings(QStringLiteral("Test Program")).value("Settings", "USB Device IDs"), "5555:6666,7777:8888");
}

} // namespace
} // namespace velmora
