// The copy check of a whole exercise: 5,000 characters of five-letter
// groups, and chapters of a book.
#include "practice/copy_check.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

// One character in `oneIn` is missed, and one in `oneIn` misread.
std::pair<std::string, std::string> exercise(std::size_t length, int oneIn)
{
    std::mt19937 random(1);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> error(0, oneIn - 1);
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
    const auto [sent, copied] = exercise(static_cast<std::size_t>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(brivo::practice::checkCopy(sent, copied));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// An exercise of 5,000 characters copied with one error in ten, then
// chapters of 20,000 and 100,000 characters copied with one in a hundred.
BENCHMARK(checkExercise)->Args({5000, 20})->Args({20000, 200})->Args({100000, 200})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
