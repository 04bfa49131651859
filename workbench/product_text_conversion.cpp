#include "workbench/product_text_conversion.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/byte_strings.h"
#include "foundation/coder.h"
#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "platform/win32/codepage.h"
#include "platform/win32/crt_misc.h"
#include "workbench/folder_listing.h"
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
            const std::string path = std::string(row.folder) + "\\" + name;
            files.insert(path);
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
std::string ConvertText(const std::string& text, bool toBig5) {
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
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    std::string converted = Utf16FileBytes(MapScript(text, toBig5));
    if (bytes.size() % 2 != 0) {
        converted.push_back(bytes.back());
    }
    return converted;
}

// A narrow file without zero bytes and Ctrl-Z: what a text-mode read gives of it is its
// bytes with each CR LF read as LF. With them the text read would lose the rest.
bool ConvertibleAsText(const std::string& bytes) {
    return bytes.find('\0') == std::string::npos && bytes.find('\x1A') == std::string::npos;
}

// True when the file is converted or missing.
bool ConvertFile(const std::string& path, bool toBig5) {
    if (crt::_access(path.c_str(), 0) != 0) {
        return true;
    }
    const std::u16string widePath = Wide(path);
    std::string bytes;
    if (!ReadFileBytes(widePath, bytes)) {
        return false;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return ReplaceFileBytes(widePath, ConvertUtf16Bytes(bytes, toBig5)) == FileWrite::kStored;
    }
    if (!ConvertibleAsText(bytes)) {
        return false;
    }
    const std::string converted = ConvertText(ReplaceAll(bytes, "\r\n", "\n"), toBig5);
    return ReplaceFileBytes(widePath, converted) == FileWrite::kStored;
}

// The full resource list in traditional characters becomes the translation file: the
// mark FF FE and the converted text.
bool RegenerateTranslationFile() {
    std::u16string all = ReadUtf16File(kFullResourceList);
    if (all.starts_with(u'\uFEFF')) {
        all.erase(0, 1);
    }
    Owned gbk(Coder::Utf16ToBytes(936, all.c_str()));
    Owned simplified(gbk != nullptr ? Coder::GbToSimplified(gbk.get()) : nullptr);
    Owned big5(Coder::GbToBig5(simplified.get()));
    const std::u16string text = big5 != nullptr ? MultiByteToWString(big5.get(), 950) : u"";
    return ReplaceFileBytes(kTranslationFile, Utf16FileBytes(text)) == FileWrite::kStored;
}

}  // namespace

bool ConvertProductTexts(int fromCodePage, int toCodePage, DataDictionary dataDictionary) {
    const bool toBig5 = fromCodePage == 936 && toCodePage == 950;
    if (!toBig5 && !(fromCodePage == 950 && toCodePage == 936)) {
        return true;
    }
    bool allConverted = true;
    for (const std::string& path : CollectFiles(dataDictionary)) {
        allConverted = ConvertFile(path, toBig5) && allConverted;
    }
    if (toBig5) {
        allConverted = RegenerateTranslationFile() && allConverted;
    }
    return allConverted;
}
