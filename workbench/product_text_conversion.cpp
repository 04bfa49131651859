#include "workbench/product_text_conversion.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/byte_strings.h"
#include "foundation/coder.h"
#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "platform/win32/codepage.h"
#include "platform/win32/native_path.h"
#include "workbench/folder_listing.h"
#include "workbench/planned_files.h"
#include "workbench/product_files.h"
#include "workbench/translation_files.h"

namespace {

struct FolderRow {
    const char* folder;
    const char* pattern;
};

// In ascending byte order of the folder.
constexpr FolderRow kFolders[] = {
    {".\\config", "*.ini"},
    {".\\config\\ui", "*.ini"},
    {".\\config\\ui\\check", "*.ini"},
    {".\\config\\ui\\check2", "*.ini"},
    {".\\configset", "*.ini"},
    {".\\shell", "*.bat"},
    {".\\sql", "*.sql"},
};

constexpr LCID kChinesePrc = 2052;
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::u16string Wide(const std::string& ansiPath) {
    return MultiByteToWString(ansiPath.c_str(), 0);
}

using Owned = std::unique_ptr<char[]>;

// The file set, ordered by the bytes of the path; each path once.
std::set<std::string> CollectFiles(DataDictionary dataDictionary) {
    std::set<std::string> files;
    for (const FolderRow& row : kFolders) {
        std::vector<std::string> names;
        ListFiles(row.pattern, row.folder, names);
        for (const std::string& name : names) {
            files.insert(std::string(row.folder) + "\\" + name);
        }
    }
    if (dataDictionary == DataDictionary::kConvert) {
        files.insert(kDataDictionaryFileAnsi);
    }
    files.insert(kShortcutNameFileAnsi);
    return files;
}

// One non-empty line in the other code page; empty when a conversion fails.
std::string ConvertLine(const std::string& line, bool toBig5) {
    if (toBig5) {
        Owned simplified(Coder::GbToSimplified(line.c_str()));
        Owned big5(Coder::GbToBig5(simplified.get()));
        return big5 != nullptr ? std::string(big5.get()) : std::string();
    }
    Owned gbk(Coder::Big5ToGbSimplified(line.c_str()));
    return gbk != nullptr ? std::string(gbk.get()) : std::string();
}

// The lines converted one by one, each line break written as CR LF (as a text-mode
// write gives it).
std::string ConvertNarrowText(const std::string& text, bool toBig5) {
    std::vector<std::string> pieces;
    SplitAtAny(pieces, text, "\r\n", false);
    std::string output;
    output.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            output += "\r\n";
        }
        if (!pieces[i].empty()) {
            output += ConvertLine(pieces[i], toBig5);
        }
    }
    return output;
}

// The wide text mapped to the script of the target language (simplified first on the
// way to traditional, as the narrow lines are).
std::u16string MapScript(std::u16string text, bool toTraditional) {
    const auto map = [&text](DWORD flags) {
        const int n = static_cast<int>(text.size());
        LCMapStringW(kChinesePrc, flags, text.data(), n, text.data(), n);
    };
    if (!text.empty()) {
        map(LCMAP_SIMPLIFIED_CHINESE);
        if (toTraditional) {
            map(LCMAP_TRADITIONAL_CHINESE);
        }
    }
    return text;
}

// A UTF-16 file (FF FE, as the shortcut-name file and some settings files are): its
// characters change script; the mark, the line ends and an odd last byte stay.
std::string ConvertUtf16Bytes(const std::string& bytes, bool toBig5) {
    std::u16string text;
    win32::DecodeUtf16Le(std::string_view(bytes).substr(2), text);
    std::string converted = Utf16FileBytes(MapScript(std::move(text), toBig5));
    if (bytes.size() % 2 != 0) {
        converted.push_back(bytes.back());
    }
    return converted;
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF. longForm
// tells whether a character of three or more bytes occurs.
bool IsValidUtf8(std::string_view bytes, bool& longForm) {
    longForm = false;
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = [&bytes](size_t at) { return static_cast<unsigned char>(bytes[at]); };
        const unsigned lead = byte(i);
        size_t length = 1;
        unsigned low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high) {
            return false;
        }
        for (size_t k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return false;
            }
        }
        longForm = longForm || length >= 3;
        i += length;
    }
    return true;
}

// A file with the mark EF BB BF: its characters change script; mark and line ends stay.
// Bytes that are not valid UTF-8 would not come back: such a file stays as it is.
std::optional<std::string> ConvertUtf8Bytes(const std::string& bytes, bool toBig5) {
    const std::string_view text = std::string_view(bytes).substr(kUtf8Mark.size());
    bool longForm = false;
    if (!IsValidUtf8(text, longForm)) {
        return std::nullopt;
    }
    if (text.empty()) {
        return bytes;
    }
    const int units =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<size_t>(units), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    wide = MapScript(std::move(wide), toBig5);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string converted(kUtf8Mark.size() + static_cast<size_t>(size), '\0');
    converted.replace(0, kUtf8Mark.size(), kUtf8Mark);
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, converted.data() + kUtf8Mark.size(), size,
                        nullptr, nullptr);
    return converted;
}

// Bytes that are text in the code page being left, as far as can be told: no zero byte
// or Ctrl-Z (a text-mode read would cut the file there), and not UTF-8 with characters of
// three bytes or more, which every Chinese UTF-8 text has and GBK or Big5 text almost
// never forms.
bool IsNarrowText(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos || bytes.find('\x1A') != std::string::npos) {
        return false;
    }
    bool longForm = false;
    return !(IsValidUtf8(bytes, longForm) && longForm);
}

// The file's new bytes; nullopt when it stays as it is.
std::optional<std::string> ConvertedBytes(const std::string& bytes, bool toBig5) {
    if (bytes.starts_with(kUtf16Mark)) {
        return ConvertUtf16Bytes(bytes, toBig5);
    }
    if (bytes.starts_with(kUtf8Mark)) {
        return ConvertUtf8Bytes(bytes, toBig5);
    }
    if (!IsNarrowText(bytes)) {
        return std::nullopt;
    }
    return ConvertNarrowText(ReplaceAll(bytes, "\r\n", "\n"), toBig5);
}

// The full resource list's text in traditional characters; empty without one.
std::u16string TraditionalResourceList(const std::string& bytes) {
    std::u16string all;
    win32::DecodeUtf16Le(bytes, all);
    if (all.starts_with(u'\uFEFF')) {
        all.erase(0, 1);
    }
    if (all.empty()) {
        return all;
    }
    Owned gbk(Coder::Utf16ToBytes(936, all.c_str()));
    Owned simplified(gbk != nullptr ? Coder::GbToSimplified(gbk.get()) : nullptr);
    Owned big5(Coder::GbToBig5(simplified.get()));
    return big5 != nullptr ? MultiByteToWString(big5.get(), 950) : u"";
}

// The full resource list in traditional characters becomes the translation file. With
// none to take, the translation file as planned stays, and a missing one holds FF FE.
bool RegenerateTranslationFile(PlannedFiles& files) {
    std::optional<std::string> all;
    std::optional<std::string> current;
    if (!files.Read(kFullResourceList, all) || !files.Read(kTranslationFile, current)) {
        return false;
    }
    const std::u16string text = TraditionalResourceList(all.value_or(""));
    if (!text.empty()) {
        return files.Write(kTranslationFile, Utf16FileBytes(text));
    }
    return current.has_value() || files.Write(kTranslationFile, std::string(kUtf16Mark));
}

}  // namespace

bool ConvertProductTexts(int fromCodePage, int toCodePage, PlannedFiles& files,
                         DataDictionary dataDictionary) {
    const bool toBig5 = fromCodePage == 936 && toCodePage == 950;
    if (!toBig5 && !(fromCodePage == 950 && toCodePage == 936)) {
        return true;
    }
    for (const std::string& path : CollectFiles(dataDictionary)) {
        const std::u16string widePath = Wide(path);
        std::optional<std::string> bytes;
        if (!files.Read(widePath, bytes)) {
            return false;
        }
        if (!bytes) {
            continue;
        }
        if (std::optional<std::string> converted = ConvertedBytes(*bytes, toBig5)) {
            files.Write(widePath, std::move(*converted));
        }
    }
    return !toBig5 || RegenerateTranslationFile(files);
}
