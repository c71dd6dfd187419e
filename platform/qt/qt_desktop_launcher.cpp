#include "qt_desktop_launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace velmora {

bool QtDesktopLauncher::openFolder(const std::string& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

} // namespace velmora
