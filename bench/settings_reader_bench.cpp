// The settings reader on the largest settings file velmora-cli reads (1 MB): an object
// of 50,000 names, the last one given twice, so the duplicate check runs over every
// name before the refusal.
//
//   SettingsReader/duplicateAtEnd   readSettings on the object: parsing plus the check
//                                   that no name is given twice.
//   Anchor/sameStringsAsArray       the anchor: the same names as an array of strings,
//                                   which the reader parses without any name check.
//
// A check that looked back over every earlier name took 40 s for 100,000 names; a
// linear one keeps the object within a small factor of the array.
#include <benchmark/benchmark.h>

#include <string>

#include "json_reader.h"
#include "settings_json.h"

using namespace velmora;

namespace {

constexpr int kNames = 50'000;

std::string name(int i) { return "\"setting" + std::to_string(i) + "\""; }

std::string objectText()
{
    std::string text = "{";
    for (int i = 0; i < kNames; ++i)
        text += name(i) + ": 1, ";
    return text + name(0) + ": 2}";
}

std::string arrayText()
{
    std::string text = "[";
    for (int i = 0; i < kNames; ++i)
        text += name(i) + ", 1, ";
    return text + name(0) + ", 2]";
}

void duplicateAtEnd(benchmark::State& state)
{
    const std::string text = objectText();
    for (auto _ : state) {
        SettingsProblem problem;
        benchmark::DoNotOptimize(readSettings(text, problem));
        if (problem.message.find("is given twice") == std::string::npos)
            state.SkipWithError("the duplicate was not found");
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void sameStringsAsArray(benchmark::State& state)
{
    const std::string text = arrayText();
    for (auto _ : state) {
        JsonError error;
        benchmark::DoNotOptimize(readJson(text, error));
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

} // namespace

BENCHMARK(duplicateAtEnd)->Name("SettingsReader/duplicateAtEnd")->Unit(benchmark::kMillisecond);
BENCHMARK(sameStringsAsArray)->Name("Anchor/sameStringsAsArray")->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
