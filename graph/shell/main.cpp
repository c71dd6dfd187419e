// velmora-graph: the graph viewer. Its one argument is the download file to show;
// without one it asks for a file at once.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include "graph_main_frame.h"
#include "graph_strings.h"
#include "qt/early_command_line.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_help.h"
#include "qt/qt_process_launcher.h"
#include "qt/qt_prompts.h"
#include "qt/qt_settings.h"
#include "velmora_graph_app.h"
#include "velmora_version.h"

using namespace velmora;

namespace {
QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kViewerSettingsName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    const auto declare = [](QCommandLineParser& parser) {
        parser.setApplicationDescription(text(graphtext::kCommandLineDescription));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(text(graphtext::kFileArgument), text(graphtext::kFileArgumentHelp),
                                     text(graphtext::kFileArgumentSyntax));
    };
    answerHelpOrVersionEarly(argc, argv, declare);

    QApplication application(argc, argv);
    QCommandLineParser parser;
    declare(parser);
    parser.process(application);

    QtPrompts prompts(text(graphtext::kAppTitle));
    QtFileDialogs dialogs;
    QtProcessLauncher launcher;
    QtSettings settings(QString::fromLatin1(kViewerSettingsName));
    const QtSettings utilitySettings(QString::fromLatin1(kUtilitySettingsName)); // read only
    QtHelp help;
    const GraphServices services{prompts,
                                 dialogs,
                                 launcher,
                                 settings,
                                 help,
                                 QCoreApplication::applicationDirPath().toStdString(),
                                 &utilitySettings,
                                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
                                 QDir::homePath().toStdString()};
    CVelmoraGraphApp viewer(services);
    // Messages from start-up on belong to the main window.
    if (!viewer.InitInstance(parser.positionalArguments().mid(0, 1)))
        return 1;
    prompts.setParent(&viewer.mainFrame());
    dialogs.setParent(&viewer.mainFrame());
    help.setParent(&viewer.mainFrame());
    return application.exec();
}
