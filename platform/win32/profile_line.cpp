#include "platform/win32/detail/profile_line.h"

#include <algorithm>

namespace win32::detail {
namespace {

std::u16string_view Unquote(std::u16string_view value) {
    return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

}  // namespace

bool IsQuoted(std::u16string_view value) {
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
           value.back() == value.front();
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::u16string FoldName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) {
        c = FoldChar(c);
    }
    return folded;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldChar(x) == FoldChar(y); });
}

ParsedLine ParseLine(std::u16string_view text) {
    const std::u16string_view line = TrimBlanks(text);
    if (line.empty()) {
        return {};
    }
    if (line.front() == u'[') {
        const size_t close = line.find(u']');
        if (close != std::u16string_view::npos) {
            return {LineKind::kHeader, TrimBlanks(line.substr(1, close - 1)), {}};
        }
    }
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
        return {};
    }
    return {LineKind::kKey, TrimBlanks(line.substr(0, equals)),
            Unquote(TrimBlanks(line.substr(equals + 1)))};
}

}  // namespace win32::detail
