#include "foundation/whole_file.h"

#include <array>
#include <string_view>

#include "platform/mfc/stdio_file.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/file_store.h"
#include "platform/win32/native_path.h"

namespace {

// Reads the stream in chunks of 1023 units through a zero-filled buffer of 1024, keeping
// each chunk's whole units up to its first zero unit.
template <typename Unit>
std::basic_string<Unit> ReadChunks(crt::FILE* file) {
    std::basic_string<Unit> text;
    std::array<Unit, 1024> buffer{};
    for (;;) {
        buffer.fill(Unit{});
        const size_t got = crt::fread(buffer.data(), sizeof(Unit), buffer.size() - 1, file);
        if (got == 0) {
            break;
        }
        const std::basic_string_view<Unit> chunk(buffer.data(), got);
        text += chunk.substr(0, chunk.find(Unit{}));
    }
    crt::fclose(file);
    return text;
}

}  // namespace

FileWrite FileWriteOf(win32::StoreResult result) {
    switch (result) {
        case win32::StoreResult::kStored:
            return FileWrite::kStored;
        case win32::StoreResult::kRefused:
            return FileWrite::kNotOpened;
        case win32::StoreResult::kNotStored:
            break;
    }
    return FileWrite::kNotStored;
}

bool ReadFileBytes(const std::u16string& path, std::string& bytes) {
    crt::FILE* file = crt::_wfopen(path.c_str(), u"rb");
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    char chunk[65536];
    for (size_t n; (n = crt::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        bytes.append(chunk, n);
    }
    const bool failed = crt::ferror(file) != 0;
    crt::fclose(file);
    return !failed;
}

FileWrite ReplaceFileBytes(const std::u16string& path, const std::string& bytes) {
    return FileWriteOf(win32::StoreFile(win32::NativePath(path.c_str()), {bytes}));
}

std::string ReadTextFile(const std::string& path) {
    crt::FILE* file = crt::fopen(path.c_str(), "r");
    return file != nullptr ? ReadChunks<char>(file) : std::string();
}

std::u16string ReadUtf16File(const std::u16string& path) {
    crt::FILE* file = crt::_wfopen(path.c_str(), u"rb");
    return file != nullptr ? ReadChunks<char16_t>(file) : std::u16string();
}

std::string Utf16FileBytes(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    win32::AppendUtf16Le(text, bytes);
    return bytes;
}

bool WriteUtf16File(const std::u16string& path, const CString& text) {
    CStdioFile file;
    if (!file.Open(path.c_str(), CStdioFile::modeWrite | CStdioFile::typeBinary |
                                     CStdioFile::modeCreate | CStdioFile::shareExclusive)) {
        return false;
    }
    const std::string bytes = Utf16FileBytes(text.str());
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    return true;
}

int WriteBytesFile(const std::string& path, const char* mode, const std::string& data) {
    crt::FILE* file = crt::fopen(path.c_str(), mode);
    if (file == nullptr) {
        return -1;
    }
    const bool written = crt::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = crt::fclose(file) == 0;
    return written && closed ? 0 : -1;
}
