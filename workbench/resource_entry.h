// One text to translate, as the translation list holds it.
#pragma once

#include <string>

struct ResourceEntry {
    std::u16string key;          // resource key, or a data-dictionary running number
    std::u16string text;         // the source text
    std::u16string translation;  // empty when there is none
    // The data-dictionary line the text comes from; null for an interface text. It only
    // marks the kind of entry: nothing reads or frees through it.
    const std::u16string* sqlLine = nullptr;

    // No entry: three empty texts and no line.
    bool IsEmpty() const {
        return key.empty() && text.empty() && translation.empty() && sqlLine == nullptr;
    }
};
