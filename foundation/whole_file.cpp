#include "foundation/whole_file.h"

#include <array>
#include <string_view>

#include "foundation/text_conversion.h"
#include "platform/mfc/exceptions.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"

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

// A new file of the path holding the bytes.
FileWrite WriteNewFile(const std::u16string& path, const std::string& bytes) {
    crt::FILE* file = crt::_wfopen(path.c_str(), u"wb");
    if (file == nullptr) {
        return FileWrite::kNotOpened;
    }
    const bool written =
        bytes.empty() || crt::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = crt::fclose(file) == 0;
    return written && closed ? FileWrite::kStored : FileWrite::kNotStored;
}

// The file emptied and written again where it stands; its old bytes go back when the new
// ones cannot be stored.
FileWrite RewriteInPlace(const std::u16string& path, const std::string& bytes) {
    std::string old;
    if (!ReadFileBytes(path, old)) {
        return FileWrite::kNotOpened;
    }
    const FileWrite written = WriteNewFile(path, bytes);
    if (written == FileWrite::kNotStored) {
        WriteNewFile(path, old);
    }
    return written;
}

}  // namespace

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
    const bool exists = crt::_waccess(path.c_str(), 0) == 0;
    if (exists && crt::_waccess(path.c_str(), 2) != 0) {
        return FileWrite::kNotOpened;
    }
    const std::u16string temporary = path + u".tarnwell-new";
    const FileWrite written = WriteNewFile(temporary, bytes);
    if (written == FileWrite::kNotOpened) {
        return exists ? RewriteInPlace(path, bytes) : FileWrite::kNotOpened;
    }
    if (written == FileWrite::kStored &&
        (exists ? ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)
                : MoveFileW(temporary.c_str(), path.c_str())) != FALSE) {
        return FileWrite::kStored;
    }
    crt::_unlink(GbkPath(temporary).c_str());
    return FileWrite::kNotStored;
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
    bytes.reserve(2 + text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

bool WriteUtf16File(const std::u16string& path, const CString& text) {
    const FileWrite written = ReplaceFileBytes(path, Utf16FileBytes(text.str()));
    if (written == FileWrite::kNotStored) {
        throw CFileException(CFileException::genericException, -1, CString(path));
    }
    return written == FileWrite::kStored;
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
