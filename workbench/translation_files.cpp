#include "workbench/translation_files.h"

#include <cstdio>
#include <string_view>

#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
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

ProfileLineReader::ProfileLineReader(const std::u16string& path) {
    if (crt::_wfopen_s(&file_, path.c_str(), u"r,ccs=UNICODE") == 0) {
        buffer_.resize(kLineBufferUnits);
    }
}

ProfileLineReader::~ProfileLineReader() {
    if (file_ != nullptr) {
        crt::fclose(file_);
    }
}

bool ProfileLineReader::Next() {
    while (file_ != nullptr && crt::fgetws(buffer_.data(), kLineBufferUnits, file_) != nullptr) {
        const std::u16string_view line(buffer_.data());  // up to its first NUL
        const size_t equals = line.find(u'=');
        if (equals != std::u16string_view::npos && equals != 0) {
            length_ = line.size();
            equals_ = equals;
            return true;
        }
    }
    return false;
}

bool EnsureUtf16ProfileFile(const std::u16string& path) {
    crt::StatRecord status;
    const bool empty = crt::_stat(GbkPath(path).c_str(), &status) == 0 && status.st_size == 0;
    if (crt::_waccess(path.c_str(), 0) == 0 && !empty) {
        return true;
    }
    return ReplaceFileBytes(path, "\xFF\xFE") == FileWrite::kStored;
}
