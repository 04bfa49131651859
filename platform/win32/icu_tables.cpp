// The one place that talks to ICU: it turns ICU's Windows code-page converters and its
// Han script transliterators into plain lookup tables.
#include "platform/win32/detail/icu_tables.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <stdexcept>
#include <string>

namespace win32::detail {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

bool IsTableDriven(UConverter* converter) {
    switch (ucnv_getType(converter)) {
        case UCNV_SBCS:
        case UCNV_DBCS:
        case UCNV_MBCS:
        case UCNV_LATIN_1:
        case UCNV_US_ASCII:
            return ucnv_getMaxCharSize(converter) <= 2;
        default:
            return false;
    }
}

// ICU's converter for Windows code page codePage, with best-fit fallbacks and stopping at
// every sequence it cannot convert; null when ICU has no table-driven one.
Converter OpenWindowsConverter(unsigned codePage) {
    const std::string windowsName = "windows-" + std::to_string(codePage);
    UErrorCode status = U_ZERO_ERROR;
    const char* name = ucnv_getCanonicalName(windowsName.c_str(), "WINDOWS", &status);
    if (U_FAILURE(status) || name == nullptr || *name == '\0') {
        return nullptr;
    }
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status) || !IsTableDriven(converter.get())) {
        return nullptr;
    }
    ucnv_setFallback(converter.get(), true);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// What ICU makes of a byte sequence on its own: the units, or for bytes that do not
// decode how many of them the bad sequence spans (0 when it is cut short at the end).
struct Decoded {
    std::u16string units;
    int badLength = 0;
    bool ok = true;
};

Decoded Decode(UConverter* converter, const char* bytes, int count) {
    UChar out[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int32_t n = ucnv_toUChars(converter, out, 8, bytes, count, &status);
    if (U_SUCCESS(status)) {
        return {std::u16string(reinterpret_cast<const char16_t*>(out), static_cast<size_t>(n))};
    }
    if (status == U_TRUNCATED_CHAR_FOUND) {
        return {{}, 0, false};
    }
    char bad[8];
    int8_t length = sizeof bad;
    UErrorCode badStatus = U_ZERO_ERROR;
    ucnv_getInvalidChars(converter, bad, &length, &badStatus);
    return {{}, length, false};
}

// What a lead byte followed by trail decodes to, as CodePageTable::pair holds it.
char16_t DecodePair(UConverter* converter, char lead, char trail) {
    const char two[2] = {lead, trail};
    const Decoded both = Decode(converter, two, 2);
    if (both.ok) {
        return both.units.size() == 1 ? both.units[0] : CodePageTable::kLoneLead;
    }
    return both.badLength == 2 ? CodePageTable::kDefaultUnit : CodePageTable::kLoneLead;
}

void FillDecoding(UConverter* converter, CodePageTable& table) {
    for (int b = 0; b < 256; ++b) {
        const char one = static_cast<char>(b);
        const Decoded alone = Decode(converter, &one, 1);
        table.lead[b] = !alone.ok && alone.badLength == 0;
        table.single[b] = alone.units.size() == 1 ? alone.units[0] : CodePageTable::kDefaultUnit;
        if (!table.lead[b]) {
            continue;
        }
        table.pair.resize(65536, CodePageTable::kLoneLead);
        for (int t = 0; t < 256; ++t) {
            table.pair[b << 8 | t] = DecodePair(converter, one, static_cast<char>(t));
        }
    }
}

void FillEncoding(UConverter* converter, CodePageTable& table) {
    table.encode.assign(65536, CodePageTable::kUnmapped);
    table.exact.assign(65536, false);
    for (int u = 0; u < 65536; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) {
            continue;
        }
        const UChar unit = static_cast<UChar>(u);
        char out[8];
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(converter);
        const int32_t n = ucnv_fromUChars(converter, out, 8, &unit, 1, &status);
        if (U_FAILURE(status) || n < 1 || n > 2) {
            continue;
        }
        const auto b0 = static_cast<unsigned char>(out[0]);
        const auto b1 = static_cast<unsigned char>(out[n - 1]);
        table.encode[u] = static_cast<std::uint16_t>(n == 1 ? b0 : (b0 << 8 | b1));
        table.exact[u] = Decode(converter, out, n).units == std::u16string(1, unit);
    }
}

}  // namespace

std::unique_ptr<CodePageTable> BuildCodePageTable(unsigned codePage) {
    const Converter converter = OpenWindowsConverter(codePage);
    if (converter == nullptr) {
        return nullptr;
    }
    auto table = std::make_unique<CodePageTable>();
    FillDecoding(converter.get(), *table);
    FillEncoding(converter.get(), *table);
    return table;
}

// Transliterates every exactly-encodable GBK character in one pass; the line feeds
// between them keep each character out of its neighbours' context.
std::vector<char16_t> TransliterateGbk(const CodePageTable& gbk, bool toTraditional) {
    const char* id = toTraditional ? "Hans-Hant" : "Hant-Hans";
    std::vector<char16_t> map(65536);
    icu::UnicodeString all;
    for (int u = 0; u < 65536; ++u) {
        map[u] = static_cast<char16_t>(u);
        if (u > 0x7F && gbk.exact[u]) {
            all.append(static_cast<UChar>(u)).append(u'\n');
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU transliterator missing: ") + id);
    }
    icu::UnicodeString mapped(all);
    transliterator->transliterate(mapped);
    int32_t from = 0;
    int32_t to = 0;
    while (from < all.length() && to < mapped.length()) {
        const int32_t end = mapped.indexOf(u'\n', to);
        const int32_t stop = end < 0 ? mapped.length() : end;
        const char16_t source = all.charAt(from);
        if (stop - to == 1) {
            const char16_t target = mapped.charAt(to);
            if (gbk.exact[target]) {
                map[source] = target;
            }
        }
        from += 2;
        to = stop + 1;
    }
    return map;
}

}  // namespace win32::detail
