// File > Open from Archive...: each deployment's own download file is taken out of the
// store (checked against its SHA-256) into the viewer's cache and opened through the
// same reader as any file, so the chart, footer, statistics, export and report are a
// file's; several are charted on one time axis, as files added to the chart are, and a
// time range asked for is the view. It is not a file the user saved: the recent-file
// list does not keep it.
#include <QStandardPaths>

#include "archive_open_dialog.h"
#include "archive_pick.h"
#include "graph_main_frame.h"
#include "store_location.h"
#include "time_alignment.h"
#include "velmora_graph_app.h"
#include "velmora_graph_view.h"

namespace velmora {

void CVelmoraGraphApp::OnFileOpenFromArchive()
{
    ArchiveOpenDialog dialog(defaultStoreLocation(), frame_.get());
    dialog.look();
    if (dialog.exec() != QDialog::Accepted || !dialog.store())
        return;
    const ArchiveChoice choice = dialog.choice();
    if (choice.deployments.empty())
        return;
    const std::string cache =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString() + "/archive";
    // Every file is checked against its SHA-256 before any is opened: a chart with one
    // deployment quietly missing would look like a gap in the logging.
    std::vector<std::string> paths;
    try {
        for (const Deployment& d : choice.deployments)
            paths.push_back(extractDeploymentFile(*dialog.store(), d, cache));
    } catch (const StoreError& e) {
        services_.prompts.warn(e.what());
        return;
    }
    if (!loadDocument(paths.front()))
        return;
    std::vector<Deployment> charted = {choice.deployments.front()};
    for (std::size_t i = 1; i < paths.size(); ++i)
        if (doc_.AddFile(paths[i], [this] { releaseDocument(); }))
            charted.push_back(choice.deployments[i]);
    if (paths.size() > 1)
        showDocument();
    if (!choice.fromUtc && !choice.toUtc)
        return;
    std::vector<std::int64_t> offsets = {0};
    if (charted.size() > 1)
        offsets = alignTimes(doc_.chartFiles()).fromEarliest().offsets;
    const AxisRange range = rangeOnAxis(charted, offsets, choice.fromUtc, choice.toUtc);
    view_->showXRange(range.xMin, range.xMax);
}

} // namespace velmora
