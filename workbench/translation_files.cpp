#include "workbench/translation_files.h"

#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"

#include <cstdio>
#include <string_view>

#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"

namespace {

constexpr int kLineBufferUnits = 10240;

}  // namespace

std::u16string LanguageTranslationFile(const std::u16string& code) {
    return u".\\config\\res_" + code + u".txt";
}

std::u16string LanguageDataDictionaryFile(const std::u16string& code) {
    return u".\\data\\data_" + code + u".sql";
}

std::u16string LanguageDataTranslationFile(const std::u16string& code) {
    return u".\\data\\data_" + code + u".ini";
}

std::u16string FormatResourceKey(std::uint32_t number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010u", number);
    return WidenAscii(digits);
}

std::u16string PendingArchiveName(std::int64_t seconds) {
    return u".\\config\\res.todo-" + FormatResourceKey(static_cast<std::uint32_t>(seconds)) +
           u".txt";
}

std::vector<ProfileLine> ReadProfileLines(const std::u16string& path) {
    std::vector<ProfileLine> lines;
    crt::FILE* file = nullptr;
    if (crt::_wfopen_s(&file, path.c_str(), u"r,ccs=UNICODE") != 0) {
        return lines;
    }
    std::u16string buffer(kLineBufferUnits, u'\0');
    while (crt::fgetws(buffer.data(), kLineBufferUnits, file) != nullptr) {
        const std::u16string_view line(buffer.data());
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos || equals == 0) {
            continue;
        }
        lines.push_back(
            {std::u16string(line.substr(0, equals)), std::u16string(line.substr(equals + 1))});
    }
    crt::fclose(file);
    return lines;
}

bool EnsureUtf16ProfileFile(const std::u16string& path) {
    crt::StatRecord status;
    const bool empty = crt::_stat(GbkPath(path).c_str(), &status) == 0 && status.st_size == 0;
    if (crt::_waccess(path.c_str(), 0) == 0 && !empty) {
        return true;
    }
    return ReplaceFileBytes(path, "\xFF\xFE") == FileWrite::kStored;
}
