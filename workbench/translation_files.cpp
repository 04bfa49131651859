#include "workbench/translation_files.h"

#include <cstdio>
#include <string_view>

#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/profile.h"

namespace {

constexpr size_t kLineBufferUnits = 10240;

// The first two bytes of a file; fewer when it is shorter, none when it cannot be read.
std::string LeadingBytes(const std::u16string& path) {
    crt::FILE* file = nullptr;
    if (crt::_wfopen_s(&file, path.c_str(), u"rb") != 0) {
        return {};
    }
    char bytes[2];
    const size_t count = crt::fread(bytes, 1, sizeof bytes, file);
    crt::fclose(file);
    return std::string(bytes, count);
}

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

std::u16string_view TranslationLookup::Find(const std::u16string& key) {
    for (;;) {
        const auto size = static_cast<DWORD>(buffer_.size());
        const DWORD count = GetPrivateProfileStringW(kTranslationSection, key.c_str(), u"",
                                                     buffer_.data(), size, file_);
        if (count + 1 < size) {  // a value that filled the buffer may have been cut
            return {buffer_.data(), count};
        }
        buffer_.resize(buffer_.size() * 2);
    }
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
    while (ReadLine()) {
        const size_t equals = Line().find(u'=');
        if (equals != std::u16string_view::npos && equals != 0) {
            equals_ = equals;
            return true;
        }
    }
    return false;
}

bool ProfileLineReader::ReadLine() {
    length_ = 0;
    while (file_ != nullptr) {
        char16_t* piece = buffer_.data() + length_;
        const size_t room = buffer_.size() - length_;
        if (crt::fgetws(piece, static_cast<int>(room), file_) == nullptr) {
            break;  // the end of the file, which may end the line read so far
        }
        const size_t count = std::u16string_view(piece).size();  // up to its first NUL
        length_ += count;
        if (count + 1 < room || buffer_[length_ - 1] == u'\n') {
            return true;
        }
        buffer_.resize(buffer_.size() * 2);
    }
    return length_ > 0;
}

bool EnsureUtf16ProfileFile(const std::u16string& path) {
    crt::StatRecord status;
    const bool empty = crt::_stat(GbkPath(path).c_str(), &status) == 0 && status.st_size == 0;
    if (crt::_waccess(path.c_str(), 0) == 0 && !empty) {
        return LeadingBytes(path) == "\xFF\xFE";
    }
    return ReplaceFileBytes(path, "\xFF\xFE") == FileWrite::kStored;
}
