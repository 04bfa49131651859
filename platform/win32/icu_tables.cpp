// The one place that talks to ICU: it turns ICU's Windows code-page converters and its
// Han script transliterators into plain lookup tables, once per process.
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/win32/detail/codepage_tables.h"

namespace win32::detail {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU converter missing: ") + name);
    }
    ucnv_setFallback(converter.get(), true);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                        &status);
    return converter;
}

// Decodes bytes with ICU; returns the units, U+FFFD for what is invalid.
std::u16string Decode(UConverter* converter, const char* bytes, int count) {
    UChar out[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    int32_t n = ucnv_toUChars(converter, out, 8, bytes, count, &status);
    if (U_FAILURE(status)) {
        return u"\uFFFD";
    }
    return std::u16string(reinterpret_cast<const char16_t*>(out), static_cast<size_t>(n));
}

void FillDecoding(UConverter* converter, CodePageTable& table) {
    table.pair.assign(65536, CodePageTable::kLoneLead);
    for (int b = 0; b < 256; ++b) {
        const char one = static_cast<char>(b);
        std::u16string alone = Decode(converter, &one, 1);
        table.single[b] = alone.size() == 1 ? alone[0] : u'\uFFFD';
        for (int t = 1; t < 256 && b >= 0x80; ++t) {
            const char two[2] = {one, static_cast<char>(t)};
            std::u16string both = Decode(converter, two, 2);
            if (both.size() == 1) {
                table.lead[b] = true;
                table.pair[b << 8 | t] = both[0];
            }
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
        int32_t n = ucnv_fromUChars(converter, out, 8, &unit, 1, &status);
        if (U_FAILURE(status) || n < 1 || n > 2) {
            continue;
        }
        const auto b0 = static_cast<unsigned char>(out[0]);
        const auto b1 = static_cast<unsigned char>(out[n - 1]);
        table.encode[u] = static_cast<std::uint16_t>(n == 1 ? b0 : (b0 << 8 | b1));
        table.exact[u] = Decode(converter, out, n) == std::u16string(1, unit);
    }
}

CodePageTable BuildTable(const char* icuName) {
    Converter converter = OpenConverter(icuName);
    CodePageTable table;
    FillDecoding(converter.get(), table);
    FillEncoding(converter.get(), table);
    return table;
}

// Transliterates every exactly-encodable GBK character in one pass; the line feeds
// between them keep each character out of its neighbours' context.
std::vector<char16_t> BuildScriptMap(const char* transliteratorId) {
    const CodePageTable& gbk = *FindCodePageTable(936);
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
        icu::Transliterator::createInstance(transliteratorId, UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU transliterator missing: ") + transliteratorId);
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

}  // namespace

const CodePageTable* FindCodePageTable(unsigned codePage) {
    switch (codePage) {
        case 0:
        case 936: {
            static const CodePageTable gbk = BuildTable("windows-936-2000");
            return &gbk;
        }
        case 950: {
            static const CodePageTable big5 = BuildTable("windows-950-2000");
            return &big5;
        }
        case 1252: {
            static const CodePageTable western = BuildTable("windows-1252");
            return &western;
        }
        default:
            return nullptr;
    }
}

const std::vector<char16_t>& ChineseScriptMap(bool toTraditional) {
    if (toTraditional) {
        static const std::vector<char16_t> traditional = BuildScriptMap("Hans-Hant");
        return traditional;
    }
    static const std::vector<char16_t> simplified = BuildScriptMap("Hant-Hans");
    return simplified;
}

}  // namespace win32::detail
