#include "early_command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace velmora {

void answerHelpOrVersionEarly(int argc, char* argv[], const DeclareCommandLine& declare)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser probe;
    declare(probe);
    // Errors are not ours to report here: the window system's options (-platform,
    // -style) are unknown to this parser and taken out of the arguments only by the
    // QApplication the program makes next.
    probe.parse(arguments);
    const QStringList asked = probe.optionNames();
    const bool answer = std::any_of(asked.begin(), asked.end(), [](const QString& name) {
        return name == QLatin1String("h") || name == QLatin1String("help") || name == QLatin1String("help-all") ||
               name == QLatin1String("v") || name == QLatin1String("version");
    });
    if (!answer)
        return;
    // A core application reads the arguments as the full one would but opens no
    // display; process() prints the answer and ends the program.
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    declare(parser);
    parser.process(core);
}

} // namespace velmora
