// Lookup tables of the installed code pages and the Chinese script mapping, built once
// from ICU on first use.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace win32::detail {

struct CodePageTable {
    // Decoding. A byte that is no lead byte decodes through `single`. A lead byte L
    // followed by T decodes through pair[L << 8 | T]; kLoneLead there means that L is
    // invalid on its own (U+FFFD) and T is decoded afresh.
    static constexpr char16_t kLoneLead = 0;
    std::array<char16_t, 256> single{};
    std::array<bool, 256> lead{};
    std::vector<char16_t> pair;
    // Encoding, by UTF-16 unit: kUnmapped, a single byte (< 0x100) or lead << 8 | trail.
    static constexpr std::uint16_t kUnmapped = 0xFFFF;
    std::vector<std::uint16_t> encode;
    // Whether encode[] of the unit is its own form (decodes back to it), not a best fit.
    std::vector<bool> exact;
};

// The table of an installed code page (0 is 936), or null.
const CodePageTable* FindCodePageTable(unsigned codePage);

// Unit-to-unit map of every BMP character to its traditional (or simplified) form
// where that form is a single character with an exact GBK form; else to itself.
const std::vector<char16_t>& ChineseScriptMap(bool toTraditional);

}  // namespace win32::detail
