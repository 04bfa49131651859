// Converting 50 MB of mixed GBK text from 936 to 950 line by line, as the product-text
// conversion calls the Coder: GbToSimplified, then GbToBig5. And what the first use of a
// code page or of the Chinese script mapping costs: building its table.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "foundation/coder.h"
#include "platform/win32/detail/codepage_tables.h"
#include "platform/win32/detail/icu_tables.h"

namespace {

// Lines like a host product's settings: an ASCII key, "=", and a mix of GBK
// level-1 Chinese characters, ASCII words and punctuation; 20 to 80 bytes.
std::vector<std::string> MakeLines(size_t totalBytes) {
    std::mt19937 random(936);
    std::uniform_int_distribution<int> lead(0xB0, 0xD7), trail(0xA1, 0xFE), length(4, 30);
    std::vector<std::string> lines;
    size_t bytes = 0;
    while (bytes < totalBytes) {
        std::string line = "key" + std::to_string(lines.size()) + "=";
        for (int n = length(random); n > 0; --n) {
            if (n % 5 == 0) {
                line += " Open ";
            } else {
                line.push_back(static_cast<char>(lead(random)));
                line.push_back(static_cast<char>(trail(random)));
            }
        }
        bytes += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

void BM_Coder936To950(benchmark::State& state) {
    const std::vector<std::string> lines = MakeLines(50u << 20);
    size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size() + 2;
    }
    Coder coder;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            std::unique_ptr<char[]> simplified(coder.GbToSimplified(line.c_str()));
            std::unique_ptr<char[]> big5(coder.GbToBig5(simplified.get()));
            benchmark::DoNotOptimize(big5.get());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
}
BENCHMARK(BM_Coder936To950)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildCodePageTable(benchmark::State& state) {
    const auto codePage = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(win32::detail::BuildCodePageTable(codePage));
    }
}
BENCHMARK(BM_BuildCodePageTable)
    ->Arg(932)
    ->Arg(936)
    ->Arg(950)
    ->Arg(1251)
    ->Unit(benchmark::kMillisecond);

// Both transliterations over GBK; the Big5 preference on top is a pass over two arrays.
void BM_TransliterateGbk(benchmark::State& state) {
    const win32::detail::CodePageTable& gbk = *win32::detail::FindCodePageTable(936);
    for (auto _ : state) {
        benchmark::DoNotOptimize(win32::detail::TransliterateGbk(gbk, false));
        benchmark::DoNotOptimize(win32::detail::TransliterateGbk(gbk, true));
    }
}
BENCHMARK(BM_TransliterateGbk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
