#pragma once
// --help and --version are answered on the terminal before any window system starts:
// a program asked for them where there is no display (over ssh, on a build machine)
// must print its answer, not abort for want of a screen.
#include <functional>

class QCommandLineParser;

namespace velmora {

// Declares a program's description, options and arguments on a parser (help and
// version included).
using DeclareCommandLine = std::function<void(QCommandLineParser&)>;

// When the command line asks for help or the version, prints the answer exactly as
// QCommandLineParser::process() does and ends the program; otherwise returns having
// started nothing, so the program can make its QApplication. Anything else on the
// command line, the window system's own options among it, is left to the program.
// The application's name and version must be set (QCoreApplication's static setters)
// before the call.
void answerHelpOrVersionEarly(int argc, char* argv[], const DeclareCommandLine& declare);

} // namespace velmora
