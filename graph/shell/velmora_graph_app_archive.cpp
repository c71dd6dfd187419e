// File > Open from Archive...: the deployment's own download file is taken out of the
// store (checked against its SHA-256) into the viewer's cache and opened through the
// same reader as any file, so the chart, footer, statistics, export and report are a
// file's. It is not a file the user saved: the recent-file list does not keep it.
#include <QStandardPaths>

#include "archive_open_dialog.h"
#include "archive_pick.h"
#include "graph_main_frame.h"
#include "store_location.h"
#include "velmora_graph_app.h"

namespace velmora {

void CVelmoraGraphApp::OnFileOpenFromArchive()
{
    ArchiveOpenDialog dialog(defaultStoreLocation(), frame_.get());
    dialog.look();
    if (dialog.exec() != QDialog::Accepted || !dialog.store())
        return;
    const std::optional<Deployment> chosen = dialog.chosen();
    if (!chosen)
        return;
    const std::string cache =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString() + "/archive";
    std::string path;
    try {
        path = extractDeploymentFile(*dialog.store(), *chosen, cache);
    } catch (const StoreError& e) {
        services_.prompts.warn(e.what());
        return;
    }
    loadDocument(path);
}

} // namespace velmora
