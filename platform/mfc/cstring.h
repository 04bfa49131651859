// The class library's wide string class, over std::u16string.
#pragma once

#include <string>

class CString {
  public:
    CString() = default;
    CString(const char16_t* text);  // null gives the empty string
    CString(std::u16string text) : text_(std::move(text)) {}

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const char16_t* GetString() const { return text_.c_str(); }
    operator const char16_t*() const { return text_.c_str(); }
    const std::u16string& str() const { return text_; }

    // The next token at or after start, skipping leading characters of the token set;
    // start moves one past the separator that ends it. At the end: the empty string and
    // start -1. A null or empty set gives the rest of the text.
    CString Tokenize(const char16_t* tokens, int& start) const;

    // Remove white space (as iswspace classifies it) from one or both ends.
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }

    // Replaces every occurrence, left to right; returns how many. An empty pattern
    // replaces nothing.
    int Replace(const char16_t* pattern, const char16_t* replacement);

    CString Mid(int first, int count) const;
    CString Mid(int first) const { return Mid(first, GetLength() - first); }

    CString& operator+=(const CString& other) {
        text_ += other.text_;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char16_t* b) { return a == CString(b); }

  private:
    std::u16string text_;
};

// Whether the runtime library's iswspace accepts the unit in its default locale: tab,
// LF, VT, FF, CR, space, U+00A0 and the Unicode space characters above U+00FF.
bool IsWideSpace(char16_t unit);
