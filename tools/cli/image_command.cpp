#include "image_command.h"

#include <ostream>

#include "simulation_setup.h"
#include "virtual_logger.h"

namespace velmora {

int runSaveImage(const std::string& spec, const std::string& path, Clock& clock, std::ostream& err)
{
    std::string error;
    const std::unique_ptr<SimulatedBridge> bridge = makeSimulatedBridge(spec, clock, error);
    if (!bridge || bridge->attachedCount() == 0) {
        err << (bridge ? "--simulate: no logger to save" : error) << '\n';
        return 2;
    }
    if (!bridge->logger(0).saveImage(path, error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace velmora
