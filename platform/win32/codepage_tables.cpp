// Builds each table once, on the first call that needs it, and keeps it for the process.
#include "platform/win32/detail/codepage_tables.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "platform/win32/detail/icu_tables.h"

namespace win32::detail {
namespace {

// Where Windows reads broken double-byte text otherwise than ICU: in 936 and 950 a lead
// byte takes any byte but NUL with it, as one unassigned character; in 932 a lead byte
// at the end gives that code page's default character.
void FollowWindows(unsigned codePage, CodePageTable& table) {
    if (codePage == 936 || codePage == 950) {
        for (std::size_t code = 0; code < table.pair.size(); ++code) {
            if (table.lead[code >> 8] && (code & 0xFF) != 0 &&
                table.pair[code] == CodePageTable::kLoneLead) {
                table.pair[code] = CodePageTable::kDefaultUnit;
            }
        }
    }
    if (codePage == 932) {
        table.endLead = u'\u30FB';
    }
}

// The built tables, by code page. A table once built is found without a lock.
class TableRegistry {
  public:
    const CodePageTable* Find(unsigned codePage) {
        if (codePage >= slots_.size()) {
            return nullptr;
        }
        std::atomic<const CodePageTable*>& slot = slots_[codePage];
        if (const CodePageTable* table = slot.load(std::memory_order_acquire)) {
            return table;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        if (const CodePageTable* table = slot.load(std::memory_order_relaxed)) {
            return table;
        }
        std::unique_ptr<CodePageTable> built = BuildCodePageTable(codePage);
        if (built == nullptr) {
            return nullptr;
        }
        FollowWindows(codePage, *built);
        slot.store(built.get(), std::memory_order_release);
        owned_.push_back(std::move(built));
        return owned_.back().get();
    }

  private:
    std::array<std::atomic<const CodePageTable*>, 0x10000> slots_{};
    std::mutex mutex_;
    std::vector<std::unique_ptr<const CodePageTable>> owned_;
};

struct ScriptMaps {
    std::vector<char16_t> simplified;
    std::vector<char16_t> traditional;
};

// Where a traditional form lies outside code page 950, the 950 character that simplifies
// back to the same character takes its place; of several, the one with the lowest Big5
// code (the commoner character).
void PreferBig5Forms(ScriptMaps& maps, const CodePageTable& big5) {
    std::vector<std::uint16_t> lowestCode(65536, CodePageTable::kUnmapped);
    std::vector<char16_t> lowest(65536);
    for (size_t c = 0; c < 65536; ++c) {
        const char16_t simplified = maps.simplified[c];
        if (big5.exact[c] && big5.encode[c] < lowestCode[simplified]) {
            lowestCode[simplified] = big5.encode[c];
            lowest[simplified] = static_cast<char16_t>(c);
        }
    }
    for (size_t s = 0; s < 65536; ++s) {
        if (!big5.exact[maps.traditional[s]] && lowestCode[s] != CodePageTable::kUnmapped) {
            maps.traditional[s] = lowest[s];
        }
    }
}

const CodePageTable& RequiredTable(unsigned codePage) {
    const CodePageTable* table = FindCodePageTable(codePage);
    if (table == nullptr) {
        throw std::runtime_error("ICU lacks code page " + std::to_string(codePage));
    }
    return *table;
}

ScriptMaps BuildScriptMaps() {
    const CodePageTable& gbk = RequiredTable(936);
    ScriptMaps maps{TransliterateGbk(gbk, false), TransliterateGbk(gbk, true)};
    PreferBig5Forms(maps, RequiredTable(950));
    return maps;
}

}  // namespace

const CodePageTable* FindCodePageTable(unsigned codePage) {
    static TableRegistry registry;
    return registry.Find(codePage == 0 ? 936 : codePage);
}

const std::vector<char16_t>& ChineseScriptMap(bool toTraditional) {
    static const ScriptMaps maps = BuildScriptMaps();
    return toTraditional ? maps.traditional : maps.simplified;
}

}  // namespace win32::detail
