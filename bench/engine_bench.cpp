// How many complete headless games the engine plays per second on one core.
#include <benchmark/benchmark.h>

#include "headless_table.h"
#include "opponents.h"

namespace {

void complete_games(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    std::uint64_t seed = 1;
    auto opponent = vimbrel::headless::make_opponent("first-two", 99);
    vimbrel::headless::HeadlessTable table(*opponent, size, vimbrel::MemoryLevel::normal,
                                           vimbrel::ChoiceMode::ai_and_memory);
    for (auto _ : state) {
        auto result = table.play(seed++);  // not const: Benchmark 1.9 deprecates that overload
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items = complete games");
}
BENCHMARK(complete_games)->Arg(6)->Arg(8)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
