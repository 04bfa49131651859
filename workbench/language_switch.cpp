// The language switch: the host product keeps one set of translation files per language;
// a switch saves the set of the language being left under its code, brings back the set
// of the language entered, records the new code and, between Simplified and Traditional
// Chinese, converts the product's text files.
#include <string>

#include "foundation/text_conversion.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/language_selection.h"
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
    // Rewritten by the conversion between "936" and "950". Such a switch restores the
    // entered language's own copy, which is in its code page and script already, and
    // leaves the file out of the conversion; without a copy it carries the current file
    // across through the conversion.
    bool convertedBetweenScripts;
};

constexpr LanguageFile kDataDictionaryFiles = {kDataDictionaryFile, LanguageDataDictionaryFile,
                                               kInstallDataDictionaryFile,
                                               kInstallDataDictionaryFile, true};

// In the order they are saved and restored.
constexpr LanguageFile kLanguageFiles[] = {
    {kTranslationFile, LanguageTranslationFile, kInstallTranslationFile, nullptr, false},
    kDataDictionaryFiles,
    {kDataTranslationFile, LanguageDataTranslationFile, nullptr, nullptr, false},
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

bool Exists(const std::u16string& path) {
    return crt::_access(GbkPath(path).c_str(), 0) == 0;
}

// The current file goes through the conversion in place of a copy of the entered language.
bool CarriedAcross(const LanguageFile& file, const std::u16string& left,
                   const std::u16string& entered) {
    return file.convertedBetweenScripts && IsScriptSwitch(left, entered) &&
           !Exists(file.copyFor(entered));
}

// The file calls of one switch. Each call reports whether the files ended as the
// language needs them, so that no file is deleted before its copy exists. The narrow
// runtime calls take GBK paths.
class LanguageFiles {
  public:
    // The install-time copy, when the file has one and it is still missing.
    bool MakeInstallCopy(const LanguageFile& file) {
        if (file.installCopy == nullptr || Exists(file.installCopy)) {
            return true;
        }
        return Copy(file.current, file.installCopy) || !Exists(file.current);
    }

    // The current file under the language's own name; a missing current file leaves the
    // language without a copy.
    bool Save(const LanguageFile& file, const std::u16string& code) {
        const std::u16string copy = file.copyFor(code);
        Remove(copy);
        return Copy(file.current, copy) || (!Exists(file.current) && !Exists(copy));
    }

    // The entered language's copy, or the fallback, in the current file's place; without
    // either the language starts without the file. The current file is deleted only when
    // the left language's copy of it exists.
    bool Restore(const LanguageFile& file, const std::u16string& left,
                 const std::u16string& entered) {
        if (Exists(file.current) && !Exists(file.copyFor(left))) {
            return false;
        }
        std::u16string source = file.copyFor(entered);
        const bool hasCopy = Exists(source);
        Remove(file.current);
        if (!hasCopy && file.fallback == nullptr) {
            return !Exists(file.current);
        }
        if (!hasCopy) {
            source = file.fallback;
        }
        return Copy(source, file.current) || (!Exists(source) && !Exists(file.current));
    }

  private:
    static void Remove(const std::u16string& path) { crt::_unlink(GbkPath(path).c_str()); }
    static bool Copy(const std::u16string& from, const std::u16string& to) {
        return CopyFileW(from.c_str(), to.c_str(), TRUE) != FALSE;
    }
};

bool WriteKey(const char16_t* section, const char16_t* key, const char16_t* value,
              const char16_t* file) {
    return WritePrivateProfileStringW(section, key, value, file) != FALSE;
}

// Install-time copies, then the left language's files under its code, then the new code:
// until all of it is done nothing is deleted or rewritten.
bool LeaveLanguage(LanguageFiles& files, const std::u16string& left,
                   const std::u16string& entered) {
    for (const LanguageFile& file : kLanguageFiles) {
        if (!files.MakeInstallCopy(file)) {
            return false;
        }
    }
    for (const LanguageFile& file : kLanguageFiles) {
        if (!files.Save(file, left)) {
            return false;
        }
    }
    return WriteKey(u"translate", u"system-language-code", entered.c_str(), kStaticIni);
}

// Every file is restored even when one fails; a file carried across by the conversion
// stays as it is.
bool EnterLanguage(LanguageFiles& files, const std::u16string& left,
                   const std::u16string& entered) {
    bool restored = true;
    for (const LanguageFile& file : kLanguageFiles) {
        if (!CarriedAcross(file, left, entered)) {
            restored = files.Restore(file, left, entered) && restored;
        }
    }
    return restored;
}

bool WriteLanguageKeys(const std::u16string& entered) {
    const bool simplified = entered == kSimplified;
    const bool target =
        WriteKey(u"BASE", u"targetlang", simplified ? u"zh" : u"en", kProductConfiguration);
    const bool tooltip =
        WriteKey(u"dialog", u"enable-tooltip", simplified ? u"1" : u"0", kStaticIni);
    return target && tooltip;
}

bool ConvertScripts(const std::u16string& left, const std::u16string& entered,
                    DataDictionary dataDictionary) {
    if (!IsScriptSwitch(left, entered)) {
        return true;
    }
    return left == kSimplified ? ConvertProductTexts(936, 950, dataDictionary)
                               : ConvertProductTexts(950, 936, dataDictionary);
}

}  // namespace

const std::u16string* GetSelectedLanguageCode(const CWnd& dialog) {
    const CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    if (combo == nullptr) {
        return nullptr;
    }
    const LRESULT selected = combo->SendMessage(CB_GETCURSEL);
    if (selected < 0) {
        return nullptr;
    }
    const LRESULT data = combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(selected));
    return data == CB_ERR ? nullptr : reinterpret_cast<const std::u16string*>(data);
}

void SelectLanguageByCode(const CWnd& dialog, const std::u16string& code) {
    const CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    if (combo == nullptr) {
        return;
    }
    for (LRESULT i = 0; i < combo->SendMessage(CB_GETCOUNT); ++i) {
        const LRESULT data = combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i));
        const auto* itemCode = reinterpret_cast<const std::u16string*>(data);
        if (data != CB_ERR && itemCode != nullptr && *itemCode == code) {
            combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i));
            return;
        }
    }
}

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
    if (const char16_t* refusal = OrderingRefusal(left, entered)) {
        AfxMessageBox(refusal, MB_OK, 0);
        SelectLanguageByCode(*this, left);
        return;
    }

    LanguageFiles files;
    if (!LeaveLanguage(files, left, entered)) {
        AfxMessageBox(kOperationFailed, MB_OK, 0);
        return;
    }
    // From here on the switch goes to its end; a step that fails is reported at the end.
    // Either way the product now has the new language, so the tool ends: the lists shown
    // belong to the language left.
    const DataDictionary dataDictionary = CarriedAcross(kDataDictionaryFiles, left, entered)
                                              ? DataDictionary::kConvert
                                              : DataDictionary::kLeave;
    bool complete = EnterLanguage(files, left, entered);
    m_languageCode = entered;
    complete = WriteLanguageKeys(entered) && complete;
    complete = ConvertScripts(left, entered, dataDictionary) && complete;
    AfxMessageBox(complete ? kSucceededRestart : kOperationFailed, MB_OK, 0);
    OnCancel();
}
