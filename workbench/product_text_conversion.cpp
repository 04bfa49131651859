#include "workbench/product_text_conversion.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/byte_strings.h"
#include "foundation/coder.h"
#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "platform/win32/codepage.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
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
std::map<std::string, std::string> CollectFiles() {
    std::map<std::string, std::string> files;
    for (const FolderRow& row : kFolders) {
        std::vector<std::string> names;
        ListFiles(row.pattern, row.folder, names);
        for (const std::string& name : names) {
            const std::string path = std::string(row.folder) + "\\" + name;
            files.emplace(path, path);
        }
    }
    files.emplace(kDataDictionaryFileAnsi, kDataDictionaryFileAnsi);
    files.emplace(kShortcutNameFileAnsi, kShortcutNameFileAnsi);
    return files;
}

enum class ReadResult { kMissing, kUnreadable, kRead };

// The file's bytes, or why there are none. Bytes that a text-mode read would drop (a
// zero byte, Ctrl-Z) make the file unreadable as text.
ReadResult ReadRaw(const std::string& path, std::string& bytes) {
    if (crt::_access(path.c_str(), 0) != 0) {
        return ReadResult::kMissing;
    }
    crt::FILE* file = crt::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return ReadResult::kUnreadable;
    }
    char chunk[65536];
    for (size_t n; (n = crt::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        bytes.append(chunk, n);
    }
    const bool failed = crt::ferror(file) != 0;
    crt::fclose(file);
    return failed ? ReadResult::kUnreadable : ReadResult::kRead;
}

// Writes the bytes to a file beside the target and puts it in the target's place, so
// the target holds its old or its new content, never a mix.
bool ReplaceWhole(const std::string& path, const char* mode, const std::string& bytes) {
    const std::string temporary = path + ".tarnwell-new";
    crt::FILE* file = crt::fopen(temporary.c_str(), mode);
    if (file == nullptr) {
        return false;
    }
    const bool written =
        crt::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() || bytes.empty();
    const bool closed = crt::fclose(file) == 0;
    const std::u16string target = Wide(path);
    const std::u16string replacement = Wide(temporary);
    const bool exists = crt::_access(path.c_str(), 0) == 0;
    if (written && closed &&
        (exists ? ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr)
                : MoveFileW(replacement.c_str(), target.c_str()))) {
        return true;
    }
    crt::_unlink(temporary.c_str());
    return false;
}

// One non-empty line in the other code page; empty when a conversion fails.
std::string ConvertLine(const std::string& line, bool toBig5) {
    if (toBig5) {
        Owned simplified(Coder::GbToSimplified(line.c_str()));
        Owned big5(Coder::GbToBig5(simplified.get()));
        return big5 != nullptr ? std::string(big5.get()) : std::string();
    }
    Owned gbk(Coder::Big5ToGbSimplified(line.c_str()));
    return std::string(gbk.get());
}

std::string ConvertText(const std::string& text, bool toBig5) {
    std::vector<std::string> pieces;
    SplitAtAny(pieces, text, "\r\n", false);
    std::string output;
    output.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            output.push_back('\n');
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

// The shortcut-name file in UTF-16 (FF FE): its characters change script, its encoding
// stays.
bool ConvertUtf16File(const std::string& path, const std::string& bytes, bool toBig5) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return ReplaceWhole(path, "wb", Utf16FileBytes(MapScript(text, toBig5)));
}

bool ConvertFile(const std::string& path, bool toBig5) {
    std::string bytes;
    switch (ReadRaw(path, bytes)) {
        case ReadResult::kMissing:
            return true;
        case ReadResult::kUnreadable:
            return false;
        case ReadResult::kRead:
            break;
    }
    if (path == kShortcutNameFileAnsi && bytes.starts_with("\xFF\xFE")) {
        return ConvertUtf16File(path, bytes, toBig5);
    }
    if (bytes.find('\0') != std::string::npos || bytes.find('\x1A') != std::string::npos) {
        return false;
    }
    // Without zero bytes and Ctrl-Z, what a text-mode read gives is the bytes with each
    // CR LF read as LF.
    return ReplaceWhole(path, "w", ConvertText(ReplaceAll(bytes, "\r\n", "\n"), toBig5));
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
    return ReplaceWhole(".\\config\\res.txt", "wb", Utf16FileBytes(text));
}

}  // namespace

bool ConvertProductTexts(int fromCodePage, int toCodePage) {
    const bool toBig5 = fromCodePage == 936 && toCodePage == 950;
    if (!toBig5 && !(fromCodePage == 950 && toCodePage == 936)) {
        return true;
    }
    bool allConverted = true;
    for (const auto& [path, unused] : CollectFiles()) {
        allConverted = ConvertFile(path, toBig5) && allConverted;
    }
    if (toBig5) {
        allConverted = RegenerateTranslationFile() && allConverted;
    }
    return allConverted;
}
