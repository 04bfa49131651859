#include "workbench/data_dictionary.h"

#include <cstdint>

#include "foundation/tokenize.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"

namespace {

bool IsCjkUnit(char16_t unit) {
    return unit >= 0x4E00 && unit <= 0x9FBB;
}

// Replaces the lines element by element, so that an unchanged file leaves every line in
// its place (entries of earlier loads keep pointing at the same text).
void AssignLines(std::vector<std::u16string>& lines, std::vector<std::u16string> read) {
    lines.resize(read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        lines[i] = std::move(read[i]);
    }
}

}  // namespace

std::vector<std::u16string> ExtractCjkLiterals(std::u16string line) {
    std::vector<std::u16string> literals;
    bool inside = false;
    bool hasCjk = false;
    std::u16string literal;
    for (const char16_t unit : line) {
        if (unit == u'\'') {
            if (inside && hasCjk && !literal.empty()) {
                literals.push_back(literal);
            }
            if (!inside) {
                literal.clear();
            }
            inside = !inside;
            hasCjk = false;
        } else if (inside) {
            hasCjk = hasCjk || IsCjkUnit(unit);
            literal.push_back(unit);
        }
    }
    return literals;
}

void LoadDataDictionaryEntries(const std::u16string& filter, CTarnwellDlg& dialog,
                               std::list<ResourceEntry>& list) {
    AssignLines(dialog.m_sqlLines, ReadGbkLines(kDataDictionaryFileAnsi));
    std::uint32_t number = 0;
    TranslationLookup translations(kDataTranslationFile);
    for (const std::u16string& line : dialog.m_sqlLines) {
        for (std::u16string& literal : ExtractCjkLiterals(line)) {
            const std::u16string key = FormatResourceKey(++number);
            std::u16string translation(translations.Find(literal));
            const bool inView =
                dialog.m_showPending != 0 ? translation.empty() : !translation.empty();
            if (inView && literal.find(filter) != std::u16string::npos) {
                list.push_back({key, std::move(literal), std::move(translation), &line});
            }
        }
    }
}
