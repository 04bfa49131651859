// Lookup tables of the table-driven code pages and the Chinese script mapping, each built
// on its first use and then shared by every thread.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace win32::detail {

struct CodePageTable {
    // What a byte sequence that does not decode gives: the code page's default character.
    static constexpr char16_t kDefaultUnit = u'?';
    // Decoding. A byte that is no lead byte decodes through `single`. A lead byte L
    // followed by T decodes through pair[L << 8 | T]: a character, kDefaultUnit for an
    // unassigned pair (both bytes taken), or kLoneLead when T cannot trail L, so that L
    // alone gives kDefaultUnit and T is decoded afresh. `pair` is empty without lead bytes.
    // A lead byte that ends the input gives endLead.
    static constexpr char16_t kLoneLead = 0;
    std::array<char16_t, 256> single{};
    std::array<bool, 256> lead{};
    std::vector<char16_t> pair;
    char16_t endLead = kDefaultUnit;
    // Encoding, by UTF-16 unit: kUnmapped, a single byte (< 0x100) or lead << 8 | trail.
    static constexpr std::uint16_t kUnmapped = 0xFFFF;
    std::vector<std::uint16_t> encode;
    // Whether encode[] of the unit is its own form (decodes back to it), not a best fit.
    std::vector<bool> exact;
};

// The table of an installed table-driven code page (0 is 936), or null.
const CodePageTable* FindCodePageTable(unsigned codePage);

// Unit-to-unit map of every BMP character to its traditional (or simplified) form where
// that form is a single character with an exact GBK form; else to itself. A traditional
// form outside code page 950 gives way to a 950 character whose simplified form is the
// character mapped, where there is one.
const std::vector<char16_t>& ChineseScriptMap(bool toTraditional);

}  // namespace win32::detail
