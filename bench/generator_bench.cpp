// The generator over a development tree of 100,000 code texts and 100,000 dialog texts
// with a 100,000-entry lookup list (and 10,000 of each), its outputs synced.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "generator/generate_resource_list.h"

namespace {

namespace fs = std::filesystem;

// GBK text of n level-1 Chinese characters.
std::string ChineseText(std::mt19937& random, int n) {
    std::uniform_int_distribution<int> lead(0xB0, 0xD7), trail(0xA1, 0xFE);
    std::string text;
    for (int i = 0; i < n; ++i) {
        text.push_back(static_cast<char>(lead(random)));
        text.push_back(static_cast<char>(trail(random)));
    }
    return text;
}

// Makes depends/config with the three lists and enters product/; returns the tree.
fs::path MakeTree(int lines) {
    std::string pattern = (fs::temp_directory_path() / "tarnwell-bench-XXXXXX").string();
    const fs::path tree = ::mkdtemp(pattern.data());
    fs::create_directories(tree / "depends/config");
    fs::create_directories(tree / "product");
    std::mt19937 random(4101);
    std::ofstream code(tree / "depends/config/res.code.gbk.txt", std::ios::binary);
    std::ofstream dialog(tree / "depends/config/res.dlg.gbk.txt", std::ios::binary);
    std::ofstream lookup(tree / "depends/config/res.py2hz.gbk.txt", std::ios::binary);
    lookup << "[str]\r\n";
    for (int i = 0; i < lines; ++i) {
        const std::string text = ChineseText(random, 10);
        code << "module" << i % 97 << "=" << text << i << "\r\n";
        dialog << 100 + i % 500 << "=" << text << "\r\n";
        lookup << text << "=" << ChineseText(random, 10) << "\r\n";
    }
    fs::current_path(tree / "product");
    return tree;
}

void BM_Generate(benchmark::State& state) {
    const fs::path previous = fs::current_path();
    const fs::path tree = MakeTree(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(tree / "depends/config/res.todo.all");
        state.ResumeTiming();
        if (!GenerateResourceList()) {
            state.SkipWithError("generation failed");
        }
    }
    fs::current_path(previous);
    fs::remove_all(tree);
}

BENCHMARK(BM_Generate)->Arg(100000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
