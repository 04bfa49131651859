// The profile functions on a full resource list of 100,000 entries (UTF-16, section
// "str", ten-digit keys, Chinese values of about 20 characters): lookups of every key
// with the first parse included (one stat per lookup, or one read scope around them all),
// one durable write outside a batch beside its floor (the same bytes written to a new file,
// synced and renamed by the plainest code that does it), and 100,000 new keys written in
// one batch.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/native_path.h"
#include "platform/win32/profile.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kEntries = 100'000;

// "%010u" of a number distinct for every i, into key (11 units).
void FormatKey(unsigned i, char16_t* key) {
    unsigned number = i * 2654435761u;
    for (int digit = 9; digit >= 0; --digit, number /= 10) {
        key[digit] = static_cast<char16_t>(u'0' + number % 10);
    }
    key[10] = u'\0';
}

std::u16string Key(unsigned i) {
    char16_t key[11];
    FormatKey(i, key);
    return key;
}

std::u16string Value(unsigned i) {
    std::u16string value;
    for (unsigned k = 0; k < 20; ++k) {
        value.push_back(static_cast<char16_t>(0x4E00 + (i * 31 + k * 7) % 0x5000));
    }
    return value;
}

// A folder of its own, removed at exit.
class BenchFolder {
  public:
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "profile-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string Native(const char* name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

// Writes the file anew (a new inode, so the next call parses it again) and lets the file
// clock move past it, as for a file that was there before the run.
void WriteFile(const std::string& native, const std::string& bytes) {
    const std::string temporary = native + ".new";
    std::ofstream(temporary, std::ios::binary) << bytes;
    fs::rename(temporary, native);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

std::string FullList() {
    std::u16string text = u"[str]\r\n";
    for (unsigned i = 0; i < kEntries; ++i) {
        text += Key(i) + u"=" + Value(i) + u"\r\n";
    }
    std::string bytes = "\xFF\xFE";
    win32::AppendUtf16Le(text, bytes);
    return bytes;
}

// range(0): 1 looks the keys up inside one read scope, as a handler does; 0 without.
void BM_LookUpEveryKey(benchmark::State& state) {
    const std::string native = Folder().Native("res.todo.all");
    const std::u16string file = win32::NativePathToWide(native);
    const std::string bytes = FullList();
    // Keys are asked in another order than the file's, each made afresh as a caller
    // reading them from another file would have it.
    std::vector<unsigned> order(kEntries);
    for (unsigned i = 0; i < kEntries; ++i) {
        order[i] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(936));
    std::vector<char16_t> buffer(10240);
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(native, bytes);
        state.ResumeTiming();
        std::optional<ProfileReadScope> scope;
        if (state.range(0) != 0) {
            scope.emplace();
        }
        DWORD total = 0;
        for (const unsigned i : order) {
            char16_t key[11];
            FormatKey(i, key);
            total += GetPrivateProfileStringW(u"str", key, u"", buffer.data(), 10240, file.c_str());
        }
        if (total != kEntries * 20) {
            state.SkipWithError("a lookup missed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LookUpEveryKey)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// range(0): 1 pauses between writes, as a user's confirmations come; 0 writes back to back.
void BM_WriteOneKey(benchmark::State& state) {
    const std::string native = Folder().Native("res.txt");
    const std::u16string file = win32::NativePathToWide(native);
    WriteFile(native, FullList());
    std::vector<char16_t> buffer(16);
    GetPrivateProfileStringW(u"str", u"", u"", buffer.data(), 16, file.c_str());  // parsed
    unsigned n = 0;
    for (auto _ : state) {
        if (state.range(0) != 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            state.ResumeTiming();
        }
        const std::u16string value = Value(++n);
        if (!WritePrivateProfileStringW(u"str", Key(n % kEntries).c_str(), value.c_str(),
                                        file.c_str())) {
            state.SkipWithError("the write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteOneKey)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// The floor of one durable write: the whole file written to a new file, synced, renamed
// over the old one, and the folder synced.
void BM_WriteFloor(benchmark::State& state) {
    const std::string native = Folder().Native("floor.txt");
    const std::string temporary = native + ".new";
    const std::string folder = native.substr(0, native.find_last_of('/'));
    const std::string bytes = FullList();
    WriteFile(native, bytes);
    for (auto _ : state) {
        if (state.range(0) != 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            state.ResumeTiming();
        }
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        bool done = fd >= 0 &&
                    ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        done = fd >= 0 && ::fsync(fd) == 0 && ::close(fd) == 0 && done;
        done = done && ::rename(temporary.c_str(), native.c_str()) == 0;
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        done = dir >= 0 && ::fsync(dir) == 0 && ::close(dir) == 0 && done;
        if (!done) {
            state.SkipWithError("the plain write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteFloor)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

void BM_BatchOfNewKeys(benchmark::State& state) {
    const std::string native = Folder().Native("batch.all");
    const std::u16string file = win32::NativePathToWide(native);
    std::vector<std::u16string> keys, values;
    for (unsigned i = 0; i < kEntries; ++i) {
        keys.push_back(Key(i));
        values.push_back(Value(i));
    }
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(native, "\xFF\xFE");
        state.ResumeTiming();
        ProfileWriteBatch batch;
        for (unsigned i = 0; i < kEntries; ++i) {
            WritePrivateProfileStringW(u"str", keys[i].c_str(), values[i].c_str(), file.c_str());
        }
        if (!batch.Flush()) {
            state.SkipWithError("the flush failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_BatchOfNewKeys)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
