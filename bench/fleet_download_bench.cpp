// `download --all` of a tray of eight full loggers against the same eight downloaded
// one after another, as eight `velmora-cli --serial S download` runs would. Both go
// through the fleet library, the link and the simulated bridge on the steady clock,
// so the link's real pauses between steps are paid as they would be with loggers.
//
// The simulated loggers send as fast as the host reads, so what the side-by-side run
// saves here is the link's waiting (its pauses and the logger's reply times), not bus
// time: on one full-speed bus the transfers themselves still share the bus.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "clock.h"
#include "fleet_download.h"
#include "logger_presets.h"
#include "simulated_bridge.h"
#include "type_catalogue.h"

namespace fs = std::filesystem;
using namespace velmora;

namespace {

constexpr int kLoggers = 8;
constexpr LoggerType kType = 4; // two bytes a reading

// Eight loggers, each with its memory full of readings.
void fillTray(SimulatedBridge& bridge)
{
    for (int i = 0; i < kLoggers; ++i) {
        LoggerImage image = makePresetImage(kType, CivilTime{2026, 12, 8, 9, 0, 0});
        image.record.setSerialNumber(7000u + static_cast<std::uint32_t>(i));
        const std::size_t readings = image.record.memoryCapacity();
        image.memory.resize(readings * 2);
        for (std::size_t b = 0; b < image.memory.size(); ++b)
            image.memory[b] = static_cast<std::uint8_t>(b * 7);
        image.record.setReadingCount(static_cast<std::uint16_t>(readings));
        bridge.attach(std::move(image));
    }
}

void downloadTray(benchmark::State& state, FleetPace pace)
{
    const fs::path folder = fs::temp_directory_path() / "velmora-fleet-bench";
    std::size_t readings = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        fs::create_directories(folder);
        SteadyClock clock;
        SimulatedBridge bridge(clock);
        fillTray(bridge);
        const std::vector<FleetLogger> tray = listFleet(bridge, clock);
        DownloadPlan plan;
        plan.folder = folder.string();
        state.ResumeTiming();

        const auto outcomes = runOnEach(
            tray, [&](const FleetLogger& l, std::size_t) { return downloadLogger(bridge, clock, l.location, plan); },
            pace);
        if (!allSucceeded(outcomes)) {
            state.SkipWithError(outcomes.front().message.c_str());
            break;
        }
        readings = static_cast<std::size_t>(tray.front().config.memoryCapacity()) * kLoggers;
    }
    fs::remove_all(folder);
    state.counters["readings"] = static_cast<double>(readings);
}

void OneAfterAnother(benchmark::State& state) { downloadTray(state, FleetPace::OneAtATime); }
void AllAtOnce(benchmark::State& state) { downloadTray(state, FleetPace::AllAtOnce); }

BENCHMARK(OneAfterAnother)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(AllAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
