#include "platform/win32/crt_file.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/file_store.h"
#include "platform/win32/native_path.h"

namespace crt {

enum class Encoding { kBytes, kAnsiUnits, kUtf16Le, kUtf8 };

struct FILE {
    int fd = -1;         // -1 for a stream that the store writes at its close
    std::string target;  // that stream's file
    bool text = true;
    bool wide = false;  // ",ccs=" given: the stream moves UTF-16 units
    Encoding encoding = Encoding::kBytes;
    bool eof = false;
    bool failed = false;
    std::string in;  // raw bytes read ahead
    size_t inPos = 0;
    std::u16string ahead;  // decoded units taken back, next one last
    std::string out;       // encoded bytes not yet written
};

namespace {

constexpr size_t kChunk = 65536;

struct Mode {
    win32::detail::OpenFlags flags;
    bool text = true;
    bool wide = false;
    bool read = false;
    bool append = false;
    bool replaces = false;  // "w": the file is given the stream's bytes as a whole
    bool valid = false;
};

Mode ParseMode(const std::string& mode) {
    Mode m;
    if (mode.empty()) {
        return m;
    }
    const size_t comma = mode.find(',');
    const std::string base = mode.substr(0, comma);
    if (comma != std::string::npos) {
        const std::string ccs = mode.substr(comma + 1);
        if (ccs != "ccs=UNICODE" && ccs != "ccs=UTF-16LE") {
            return m;
        }
        m.wide = true;
    }
    const bool plus = base.find('+') != std::string::npos;
    m.text = base.find('b') == std::string::npos;
    switch (base[0]) {
        case 'r':
            m.flags = {.read = true, .write = plus};
            m.read = true;
            break;
        case 'w':
            m.flags = {.read = plus, .write = true, .create = true};
            m.replaces = true;
            break;
        case 'a':
            m.flags = {.read = plus, .write = true, .create = true, .append = true};
            m.append = true;
            break;
        default:
            return m;
    }
    m.valid = !(m.wide && !m.text);
    return m;
}

bool FillInput(FILE& f) {
    if (f.inPos < f.in.size()) {
        return true;
    }
    if (f.fd < 0) {
        return false;  // a stream the store writes has nothing on disk to read yet
    }
    f.in.resize(kChunk);
    f.inPos = 0;
    const long n = win32::detail::ReadSome(f.fd, f.in.data(), kChunk);
    f.in.resize(n > 0 ? static_cast<size_t>(n) : 0);
    if (n < 0) {
        f.failed = true;
    }
    return n > 0;
}

// Next raw byte, or -1 at the end.
int NextByte(FILE& f) {
    if (!FillInput(f)) {
        return -1;
    }
    return static_cast<unsigned char>(f.in[f.inPos++]);
}

int PeekByte(FILE& f) {
    if (!FillInput(f)) {
        return -1;
    }
    return static_cast<unsigned char>(f.in[f.inPos]);
}

// Next character of the stream's encoding, before line-end translation; -1 at the end.
long NextRawUnit(FILE& f) {
    if (!f.ahead.empty()) {
        const char16_t u = f.ahead.back();
        f.ahead.pop_back();
        return u;
    }
    const int b = NextByte(f);
    if (b < 0 || f.encoding == Encoding::kBytes || f.encoding == Encoding::kAnsiUnits) {
        return b;
    }
    if (f.encoding == Encoding::kUtf16Le) {
        const int high = NextByte(f);
        return high < 0 ? -1 : win32::Utf16LeUnit(static_cast<char>(b), static_cast<char>(high));
    }
    std::string sequence(1, static_cast<char>(b));
    while (b >= 0xC0 && sequence.size() < 4 && (PeekByte(f) & 0xC0) == 0x80) {
        sequence.push_back(static_cast<char>(NextByte(f)));
    }
    const std::u16string units = win32::Utf8ToUtf16(sequence);
    for (size_t i = units.size(); i > 1; --i) {
        f.ahead.push_back(units[i - 1]);
    }
    return units[0];
}

// Next unit after text-mode translation; -1 at the end.
long NextUnit(FILE& f) {
    if (f.eof) {
        return -1;
    }
    const long u = NextRawUnit(f);
    if (u < 0 || (f.text && !f.wide && u == 0x1A)) {
        f.eof = true;
        return -1;
    }
    if (!f.text || u != '\r') {
        return u;
    }
    // CR LF arrives as LF; a lone CR stays.
    const long next = NextRawUnit(f);
    if (next == '\n') {
        return '\n';
    }
    if (next >= 0) {
        f.ahead.push_back(static_cast<char16_t>(next));
    }
    return '\r';
}

// Writes what is buffered; a stream the store writes keeps it all until its close.
bool FlushOutput(FILE& f) {
    if (f.fd < 0) {
        return true;
    }
    const bool written = win32::detail::WriteAll(f.fd, f.out);
    f.failed = f.failed || !written;
    f.out.clear();
    return written;
}

// At the close: the file given the stream's bytes by the store.
bool StoreOutput(FILE& f) {
    return win32::StoreFile(f.target, {f.out}) == win32::StoreResult::kStored;
}

void PutUnit(FILE& f, char16_t u) {
    switch (f.encoding) {
        case Encoding::kBytes:
        case Encoding::kAnsiUnits:
            f.out.push_back(static_cast<char>(u));
            break;
        case Encoding::kUtf16Le:
            win32::AppendUtf16Le(std::u16string_view(&u, 1), f.out);
            break;
        case Encoding::kUtf8:
            f.out += win32::Utf16ToUtf8(std::u16string_view(&u, 1));
            break;
    }
}

// Reads the mark of a file opened for reading in wide mode; false when it is FE FF.
bool ReadMark(FILE& f) {
    f.encoding = Encoding::kAnsiUnits;
    FillInput(f);
    if (f.in.compare(0, 2, "\xFF\xFE") == 0) {
        f.encoding = Encoding::kUtf16Le;
        f.inPos = 2;
    } else if (f.in.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        f.encoding = Encoding::kUtf8;
        f.inPos = 3;
    } else if (f.in.compare(0, 2, "\xFE\xFF") == 0) {
        return false;
    }
    return true;
}

// Encoding for appending in wide mode: UTF-8 after a UTF-8 mark, else UTF-16LE.
Encoding AppendEncoding(const std::string& nativePath) {
    std::string head;
    win32::detail::ReadWholeFile(nativePath, head);
    return head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? Encoding::kUtf8 : Encoding::kUtf16Le;
}

FILE* Open(const std::string& nativePath, const std::string& mode) {
    const Mode m = ParseMode(mode);
    if (!m.valid) {
        errno = EINVAL;
        return nullptr;
    }
    if (win32::detail::IsDirectory(nativePath)) {
        errno = EACCES;
        return nullptr;
    }
    if (m.flags.write && !win32::MayStore(nativePath)) {
        return nullptr;
    }
    auto file = std::make_unique<FILE>();
    file->text = m.text;
    file->wide = m.wide;
    if (m.wide && !m.read) {
        file->encoding = m.append ? AppendEncoding(nativePath) : Encoding::kUtf16Le;
    }
    if (m.replaces && win32::IsReplacedWhole(nativePath)) {
        file->target = nativePath;
        return file.release();
    }
    file->fd = win32::detail::OpenFile(nativePath, m.flags);
    if (file->fd < 0) {
        return nullptr;
    }
    if (m.wide && m.read && !ReadMark(*file)) {
        win32::detail::CloseFile(file->fd);
        errno = EINVAL;
        return nullptr;
    }
    return file.release();
}

}  // namespace

FILE* fopen(const char* path, const char* mode) {
    return Open(win32::NativePath(path), mode);
}

FILE* _wfopen(const char16_t* path, const char16_t* mode) {
    return Open(win32::NativePath(path), win32::Utf16ToUtf8(mode));
}

int _wfopen_s(FILE** file, const char16_t* path, const char16_t* mode) {
    *file = _wfopen(path, mode);
    return *file != nullptr ? 0 : errno;
}

size_t fread(void* buffer, size_t size, size_t count, FILE* file) {
    if (size == 0 || count == 0) {
        return 0;
    }
    const size_t unitSize = file->wide ? 2 : 1;
    const size_t units = size * count / unitSize;
    size_t got = 0;
    if (!file->text) {
        auto* bytes = static_cast<char*>(buffer);
        while (got < units && FillInput(*file)) {
            const size_t take = std::min(units - got, file->in.size() - file->inPos);
            std::memcpy(bytes + got, file->in.data() + file->inPos, take);
            file->inPos += take;
            got += take;
        }
    } else {
        for (long u = 0; got < units && (u = NextUnit(*file)) >= 0; ++got) {
            if (file->wide) {
                static_cast<char16_t*>(buffer)[got] = static_cast<char16_t>(u);
            } else {
                static_cast<char*>(buffer)[got] = static_cast<char>(u);
            }
        }
    }
    return got * unitSize / size;
}

size_t fwrite(const void* buffer, size_t size, size_t count, FILE* file) {
    const size_t total = size * count;
    if (total == 0) {
        return 0;
    }
    if (!file->text) {
        file->out.append(static_cast<const char*>(buffer), total);
    } else if (file->wide) {
        const auto* units = static_cast<const char*>(buffer);
        for (size_t i = 0; i + 1 < total; i += 2) {
            const char16_t u = win32::Utf16LeUnit(units[i], units[i + 1]);
            if (u == u'\n') {
                PutUnit(*file, u'\r');
            }
            PutUnit(*file, u);
        }
    } else {
        const auto* bytes = static_cast<const char*>(buffer);
        for (size_t i = 0; i < total; ++i) {
            if (bytes[i] == '\n') {
                file->out.push_back('\r');
            }
            file->out.push_back(bytes[i]);
        }
    }
    if (file->out.size() >= kChunk && !FlushOutput(*file)) {
        return 0;
    }
    return count;
}

char16_t* fgetws(char16_t* buffer, int count, FILE* file) {
    int got = 0;
    for (long u = 0; got < count - 1 && (u = NextUnit(*file)) >= 0;) {
        buffer[got++] = static_cast<char16_t>(u);
        if (u == '\n') {
            break;
        }
    }
    if (count > 0) {
        buffer[got] = u'\0';
    }
    return got > 0 ? buffer : nullptr;
}

int ferror(FILE* file) {
    return file->failed ? 1 : 0;
}

int fclose(FILE* file) {
    std::unique_ptr<FILE> owned(file);
    if (file->fd < 0) {
        return !file->failed && StoreOutput(*file) ? 0 : -1;
    }
    const bool flushed = FlushOutput(*file);
    const bool closed = win32::detail::CloseFile(file->fd);
    return flushed && closed && !file->failed ? 0 : -1;
}

}  // namespace crt
