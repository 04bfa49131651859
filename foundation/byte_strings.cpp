#include "foundation/byte_strings.h"

#include <cstring>

void SplitAtAny(std::vector<std::string>& pieces, const std::string& text, const char* delimiters,
                bool keep) {
    pieces.clear();
    const std::string set(delimiters, std::strlen(delimiters));
    size_t start = 0;
    for (size_t hit; !set.empty() && (hit = text.find_first_of(set, start)) != std::string::npos;
         start = hit + 1) {
        pieces.push_back(text.substr(start, hit - start));
        if (keep) {
            pieces.push_back(text.substr(hit, 1));
        }
    }
    pieces.push_back(text.substr(start));
}

std::vector<std::string> SplitKeepDelimiters(const std::string& text, const char* delimiters) {
    std::vector<std::string> pieces;
    SplitAtAny(pieces, text, delimiters, true);
    return pieces;
}

std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement) {
    if (pattern.empty()) {
        return text;
    }
    std::string result;
    result.reserve(text.size());
    size_t position = 0;
    for (size_t hit; (hit = text.find(pattern, position)) != std::string::npos;
         position = hit + pattern.size()) {
        result.append(text, position, hit - position).append(replacement);
    }
    return result.append(text, position);
}

std::string ToLowerAscii(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 0x20);
        }
    }
    return lower;
}

std::u16string ToLowerWide(const std::u16string& text) {
    std::u16string lower = text.substr(0, text.find(u'\0'));
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 0x20);
        }
    }
    return lower;
}
