// The copy check of a whole exercise: 5,000 characters of five-letter
// groups, copied with one error in twenty characters.
#include "practice/copy_check.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

std::pair<std::string, std::string> exercise(std::size_t length)
{
    std::mt19937 random(1);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> error(0, 19);
    std::string sent;
    std::string copied;
    while (sent.size() < length) {
        const char c = sent.size() % 6 == 5 ? ' ' : static_cast<char>('A' + letter(random));
        sent += c;
        switch (error(random)) {
        case 0:
            break; // missed
        case 1:
            copied += static_cast<char>('A' + letter(random));
            break; // misread
        default:
            copied += c;
        }
    }
    return {sent, copied};
}

void checkExercise(benchmark::State& state)
{
    const auto [sent, copied] = exercise(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(brivo::practice::checkCopy(sent, copied));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(checkExercise)->Arg(500)->Arg(5000)->Arg(8000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
