// velmora-usb: the configuration utility. `--simulate SPEC` puts virtual loggers
// behind the bridge (a type code 1..21, a logger image path, or a comma list of
// them); given several times, as velmora-cli takes it, each adds its loggers after
// the earlier ones. Otherwise the loggers on the USB ports are used.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <iostream>
#include <memory>

#include "bridge_factory.h"
#include "clock.h"
#include "locale_format.h"
#include "main_frame.h"
#include "qt/early_command_line.h"
#include "qt/qt_desktop_launcher.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_help.h"
#include "qt/qt_prompts.h"
#include "qt/qt_settings.h"
#include "simulation_setup.h"
#include "usb_id_list.h"
#include "velmora_usb_app.h"
#include "velmora_version.h"
#include "wall_clock.h"

using namespace velmora;

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kUtilitySettingsName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Use simulated loggers: a type code 1..21, a logger image file, 'none', or a comma list; "
                       "give it again for more loggers."),
        QStringLiteral("SPEC"));
    const auto declare = [&simulate](QCommandLineParser& parser) {
        parser.setApplicationDescription(QStringLiteral("Sets up, stops and downloads Velmora USB data loggers."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(simulate);
    };
    answerHelpOrVersionEarly(argc, argv, declare);

    QApplication application(argc, argv);
    QCommandLineParser parser;
    declare(parser);
    parser.process(application);

    SteadyClock clock;
    QtSettings settings(QString::fromLatin1(kUtilitySettingsName));
    std::unique_ptr<UsbBridge> bridge;
    if (parser.isSet(simulate)) {
        // The same spelling velmora-cli makes of repeated options: one comma list.
        const QString spec = parser.values(simulate).join(QLatin1Char(','));
        std::string error;
        bridge = makeSimulatedBridge(spec.toStdString(), clock, error, 1.0, &std::cerr);
        if (!bridge) {
            const QString text = QStringLiteral("Cannot simulate \"%1\": %2").arg(spec, QString::fromStdString(error));
            std::cerr << text.toStdString() << '\n';
            QMessageBox::critical(nullptr, QString::fromLatin1(kProgramTitle), text);
            return 2;
        }
    } else {
        bridge = makeRealBridge(settings.value(kUsbIdsSettingsSection, kUsbIdsSettingsKey));
    }
    bridge = wrapWithTraceIfRequested(std::move(bridge));

    QtPrompts prompts(QString::fromLatin1(kProgramTitle));
    QtFileDialogs dialogs;
    QtDesktopLauncher launcher;
    SystemLocaleFormat locale;
    QtHelp help;
    SystemWallClock wallClock;
    const UtilityServices services{*bridge,
                                   clock,
                                   wallClock,
                                   prompts,
                                   dialogs,
                                   launcher,
                                   settings,
                                   locale,
                                   help,
                                   QCoreApplication::applicationDirPath().toStdString(),
                                   QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
                                   QDir::homePath().toStdString()};
    CVelmoraUSBApp velmora(services);
    velmora.InitInstance();
    prompts.setParent(&velmora.mainFrame());
    dialogs.setParent(&velmora.mainFrame());
    help.setParent(&velmora.mainFrame());
    return application.exec();
}
