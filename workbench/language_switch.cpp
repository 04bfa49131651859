// The language switch: the host product keeps one set of translation files per language;
// a switch saves the set of the language being left under its code, brings back the set
// of the language entered, records the new code and, between Simplified and Traditional
// Chinese, converts the product's text files. Every new byte is worked out first and the
// files are replaced together, so the product is either wholly switched or left as it was.
#include <initializer_list>
#include <optional>
#include <string>

#include "foundation/text_conversion.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/profile.h"
#include "workbench/language_selection.h"
#include "workbench/planned_files.h"
#include "workbench/product_files.h"
#include "workbench/product_text_conversion.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"

namespace {

constexpr char16_t kSimplified[] = u"936";
constexpr char16_t kTraditional[] = u"950";

// One file that each language keeps a copy of.
struct LanguageFile {
    const char16_t* current;
    std::u16string (*copyFor)(const std::u16string& code);
    const char16_t* installCopy;  // made once, from the first language left; null: none
    const char16_t* fallback;     // restored when the language has no copy; null: none
};

constexpr LanguageFile kDataDictionaryFiles = {kDataDictionaryFile, LanguageDataDictionaryFile,
                                               kInstallDataDictionaryFile,
                                               kInstallDataDictionaryFile};

// In the order they are saved and restored.
constexpr LanguageFile kLanguageFiles[] = {
    {kTranslationFile, LanguageTranslationFile, kInstallTranslationFile, nullptr},
    kDataDictionaryFiles,
    {kDataTranslationFile, LanguageDataTranslationFile, nullptr, nullptr},
};

bool IsScriptSwitch(const std::u16string& left, const std::u16string& entered) {
    return (left == kSimplified && entered == kTraditional) ||
           (left == kTraditional && entered == kSimplified);
}

// Traditional Chinese is reached only from Simplified Chinese and left only towards it.
const char16_t* OrderingRefusal(const std::u16string& left, const std::u16string& entered) {
    if (entered == kTraditional && left != kSimplified) {
        return u"先切换到简体中文才能切换到繁体！";
    }
    if (left == kTraditional && entered != kSimplified) {
        return u"繁体只能先切换到简体！";
    }
    return nullptr;
}

// A code that can stand in a file name, in GBK as the narrow file calls take it.
bool CanNameFiles(const std::u16string& code) {
    if (code.empty() || code.find_first_of(u"/\\:*?\"<>|") != std::u16string::npos) {
        return false;
    }
    for (const char16_t c : code) {
        if (c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    const std::string gbk = GbkPath(LanguageTranslationFile(code));
    return !gbk.empty() && MultiByteToWString(gbk.c_str(), 936) == LanguageTranslationFile(code);
}

// The install-time copy, when the file has one and it is still missing.
bool PlanInstallCopy(PlannedFiles& files, const LanguageFile& file) {
    std::optional<std::string> copy;
    std::optional<std::string> current;
    if (file.installCopy == nullptr) {
        return true;
    }
    if (!files.Read(file.installCopy, copy) || !files.Read(file.current, current)) {
        return false;
    }
    return copy || !current || files.Write(file.installCopy, *current);
}

// The current file under the language's own name; a missing one leaves the language
// without a copy.
bool PlanSave(PlannedFiles& files, const LanguageFile& file, const std::u16string& code) {
    std::optional<std::string> current;
    if (!files.Read(file.current, current)) {
        return false;
    }
    return current ? files.Write(file.copyFor(code), *current) : files.Remove(file.copyFor(code));
}

// The entered language's copy, or the fallback, in the current file's place; without
// either the language starts without the file. carried: the file stays to be converted.
bool PlanRestore(PlannedFiles& files, const LanguageFile& file, const std::u16string& entered,
                 bool carried) {
    std::optional<std::string> source;
    if (!files.Read(file.copyFor(entered), source)) {
        return false;
    }
    if (!source && carried) {
        return true;
    }
    if (!source && file.fallback != nullptr && !files.Read(file.fallback, source)) {
        return false;
    }
    return source ? files.Write(file.current, *source) : files.Remove(file.current);
}

struct Key {
    const char16_t* section;
    const char16_t* name;
    const char16_t* value;
};

// The profile file as it will read with the keys written.
bool PlanKeys(PlannedFiles& files, const char16_t* file, std::initializer_list<Key> keys) {
    std::optional<std::string> bytes;
    if (!files.Read(file, bytes)) {
        return false;
    }
    std::string after = bytes.value_or(std::string());
    for (const Key& key : keys) {
        after = ProfileBytesAfterWrite(std::move(after), key.section, key.name, key.value);
    }
    return files.Write(file, std::move(after));
}

// Every file of the switch from left to entered with its new bytes, in the order they
// are put in place: install-time copies, the left language's copies, the entered
// language's files, the keys, then the converted texts. False when one cannot be read.
bool PlanSwitch(PlannedFiles& files, const std::u16string& left, const std::u16string& entered) {
    for (const LanguageFile& file : kLanguageFiles) {
        if (!PlanInstallCopy(files, file)) {
            return false;
        }
    }
    for (const LanguageFile& file : kLanguageFiles) {
        if (!PlanSave(files, file, left)) {
            return false;
        }
    }
    // On the way back from Traditional Chinese without a saved copy the data-dictionary
    // SQL file is carried across, converted: the install-time copy may be in either code
    // page. On the way there the install-time copy is converted.
    std::optional<std::string> dataCopy;
    if (!files.Read(kDataDictionaryFiles.copyFor(entered), dataCopy)) {
        return false;
    }
    const bool carried = left == kTraditional && entered == kSimplified;
    for (const LanguageFile& file : kLanguageFiles) {
        if (!PlanRestore(files, file, entered, carried && file.current == kDataDictionaryFile)) {
            return false;
        }
    }
    const bool simplified = entered == kSimplified;
    if (!PlanKeys(files, kStaticIni,
                  {{u"translate", u"system-language-code", entered.c_str()},
                   {u"dialog", u"enable-tooltip", simplified ? u"1" : u"0"}}) ||
        !PlanKeys(files, kProductConfiguration,
                  {{u"BASE", u"targetlang", simplified ? u"zh" : u"en"}})) {
        return false;
    }
    if (!IsScriptSwitch(left, entered)) {
        return true;
    }
    const DataDictionary dataDictionary =
        dataCopy ? DataDictionary::kLeave : DataDictionary::kConvert;
    return left == kSimplified ? ConvertProductTexts(936, 950, files, dataDictionary)
                               : ConvertProductTexts(950, 936, files, dataDictionary);
}

}  // namespace

void CTarnwellDlg::OnApplyLanguage() {
    const std::u16string left = m_languageCode;
    const std::u16string* selected = GetSelectedLanguageCode(*this);
    if (selected == nullptr) {
        // Nothing to switch to: nothing changes, and the tool ends as after a switch.
        AfxMessageBox(kSucceededRestart, MB_OK, 0);
        OnCancel();
        return;
    }
    const std::u16string entered = *selected;
    const char16_t* refusal = OrderingRefusal(left, entered);
    PlannedFiles files;
    if (refusal == nullptr &&
        (!CanNameFiles(left) || !CanNameFiles(entered) || !PlanSwitch(files, left, entered) ||
         files.Apply() != PlannedFiles::Outcome::kDone)) {
        refusal = kOperationFailed;
    }
    if (refusal != nullptr) {
        // Nothing changed: the dialog stays on the language it had.
        AfxMessageBox(refusal, MB_OK, 0);
        SelectLanguageByCode(*this, left);
        return;
    }
    m_languageCode = entered;
    AfxMessageBox(kSucceededRestart, MB_OK, 0);
    OnCancel();
}
