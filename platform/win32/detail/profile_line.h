// One line of a profile file as the profile functions read it, and the comparison rules
// for section and key names.
#pragma once

#include <string>
#include <string_view>

namespace win32::detail {

enum class LineKind {
    kOther,   // blank, or text without "=": no key (";" lines are no different)
    kHeader,  // "[" name "]", anything after the "]" ignored
    kKey,     // name "=" value
};

struct ParsedLine {
    LineKind kind = LineKind::kOther;
    std::u16string_view name;   // section or key name, blanks and tabs trimmed
    std::u16string_view value;  // key lines: trimmed, then one pair of quotes removed
};

// text is the line without its line break. The views point into text.
ParsedLine ParseLine(std::u16string_view text);

// A blank or a tab: what is trimmed around names and values.
inline bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Within one matching pair of '"' or '\'', which a value loses on reading.
bool IsQuoted(std::u16string_view value);

// Blanks and tabs at both ends removed.
std::u16string_view TrimBlanks(std::u16string_view text);

// The form in which names are compared: A to Z lowered, nothing else.
inline char16_t FoldChar(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
std::u16string FoldName(std::u16string_view name);
bool SameName(std::u16string_view a, std::u16string_view b);

}  // namespace win32::detail
