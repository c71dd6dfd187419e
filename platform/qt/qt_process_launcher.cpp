#include "qt_process_launcher.h"

#include <QProcess>
#include <QStringList>

namespace velmora {

bool QtProcessLauncher::startDetached(const std::string& program, const std::vector<std::string>& arguments,
                                      const std::string& workingFolder)
{
    QStringList args;
    for (const std::string& a : arguments)
        args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args, QString::fromStdString(workingFolder));
}

} // namespace velmora
