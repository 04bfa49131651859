#include "foundation/coder.h"

#include <cstring>
#include <memory>

#include "platform/mfc/exceptions.h"
#include "platform/win32/codepage.h"

namespace {

constexpr LCID kChinesePrc = 2052;
constexpr LCID kChinesePrcStroke = 0x20804;

template <typename T>
using Owned = std::unique_ptr<T[]>;

}  // namespace

char16_t* Coder::BytesToUtf16(int codePage, const char* bytes) {
    const auto page = static_cast<UINT>(codePage);
    const int n = MultiByteToWideChar(page, 0, bytes, -1, nullptr, 0);
    Owned<char16_t> wide(AfxNewArray<char16_t>(static_cast<size_t>(n) + 1));
    if (MultiByteToWideChar(page, 0, bytes, -1, wide.get(), n) == 0) {
        return nullptr;
    }
    return wide.release();
}

char* Coder::Utf16ToBytes(int codePage, const char16_t* wide) {
    const auto page = static_cast<UINT>(codePage);
    const int n = WideCharToMultiByte(page, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    Owned<char> bytes(AfxNewArray<char>(static_cast<size_t>(n) + 1));
    if (WideCharToMultiByte(page, 0, wide, -1, bytes.get(), n, nullptr, nullptr) == 0) {
        return nullptr;
    }
    return bytes.release();
}

char* Coder::GbToSimplified(const char* gbk) {
    const int length = static_cast<int>(std::strlen(gbk));
    if (length == 0) {
        return nullptr;
    }
    const int size = LCMapStringA(kChinesePrc, LCMAP_SIMPLIFIED_CHINESE, gbk, length, nullptr, 0);
    if (size == 0) {
        return nullptr;
    }
    char* mapped = AfxNewArray<char>(static_cast<size_t>(size) + 1);
    LCMapStringA(kChinesePrc, LCMAP_SIMPLIFIED_CHINESE, gbk, length, mapped, size);
    return mapped;
}

char* Coder::GbToBig5(const char* gbk) {
    const int size =
        LCMapStringA(kChinesePrcStroke, LCMAP_TRADITIONAL_CHINESE, gbk, -1, nullptr, 0);
    Owned<char> mapped(AfxNewArray<char>(static_cast<size_t>(size) + 1));
    if (size > 0) {
        LCMapStringA(kChinesePrcStroke, LCMAP_TRADITIONAL_CHINESE, gbk, -1, mapped.get(), size);
    }
    mapped[size] = '\0';
    Owned<char16_t> wide(BytesToUtf16(936, mapped.get()));
    return wide != nullptr ? Utf16ToBytes(950, wide.get()) : nullptr;
}

char* Coder::Big5ToGbSimplified(const char* big5) {
    Owned<char16_t> wide(BytesToUtf16(950, big5));
    Owned<char> gbk(wide != nullptr ? Utf16ToBytes(936, wide.get()) : nullptr);
    // The length is asked with the stroke-order locale and the mapping made with the
    // default one: both are Chinese (PRC) on code page 936, so the length fits.
    const int size =
        LCMapStringA(kChinesePrcStroke, LCMAP_SIMPLIFIED_CHINESE, gbk.get(), -1, nullptr, 0);
    char* mapped = AfxNewArray<char>(static_cast<size_t>(size) + 1);
    if (size > 0) {
        LCMapStringA(kChinesePrc, LCMAP_SIMPLIFIED_CHINESE, gbk.get(), -1, mapped, size);
    }
    return mapped;
}
