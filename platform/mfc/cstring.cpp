#include "platform/mfc/cstring.h"

#include <algorithm>

bool IsWideSpace(char16_t unit) {
    switch (unit) {
        case 0x09:
        case 0x0A:
        case 0x0B:
        case 0x0C:
        case 0x0D:
        case 0x20:
        case 0xA0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return unit >= 0x2000 && unit <= 0x200A;
    }
}

CString::CString(const char16_t* text) {
    if (text != nullptr) {
        text_ = text;
    }
}

CString CString::Tokenize(const char16_t* tokens, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    if (tokens == nullptr || *tokens == u'\0') {
        CString rest = Mid(start);
        start = GetLength();
        return rest;
    }
    const size_t first = text_.find_first_not_of(tokens, static_cast<size_t>(start));
    if (first == std::u16string::npos) {
        start = -1;
        return CString();
    }
    const size_t end = std::min(text_.find_first_of(tokens, first), text_.size());
    start = static_cast<int>(end) + 1;
    return CString(text_.substr(first, end - first));
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(text_.begin(), text_.end(), IsWideSpace);
    text_.erase(text_.begin(), first);
    return *this;
}

CString& CString::TrimRight() {
    const auto last = std::find_if_not(text_.rbegin(), text_.rend(), IsWideSpace);
    text_.erase(last.base(), text_.end());
    return *this;
}

int CString::Replace(const char16_t* pattern, const char16_t* replacement) {
    const std::u16string from = pattern != nullptr ? pattern : u"";
    const std::u16string to = replacement != nullptr ? replacement : u"";
    if (from.empty()) {
        return 0;
    }
    int count = 0;
    std::u16string result;
    size_t position = 0;
    for (size_t hit; (hit = text_.find(from, position)) != std::u16string::npos; ++count) {
        result.append(text_, position, hit - position).append(to);
        position = hit + from.size();
    }
    text_ = result.append(text_, position);
    return count;
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(text_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}
