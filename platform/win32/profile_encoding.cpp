#include "platform/win32/detail/profile_encoding.h"

#include "platform/win32/native_path.h"

namespace win32::detail {
namespace {

char16_t UnitAt(std::string_view bytes, size_t offset) {
    return Utf16LeUnit(bytes[offset], bytes[offset + 1]);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf16Break{"\r\0\n\0", 4};

// CR and LF are never part of a GBK or UTF-8 sequence.
size_t NextByteLineStart(std::string_view body, size_t offset) {
    const size_t end = body.find_first_of("\r\n", offset);
    if (end == std::string_view::npos) {
        return body.size();
    }
    return end + (body.compare(end, 2, "\r\n") == 0 ? 2 : 1);
}

// An odd last byte stays with the last line.
size_t NextUtf16LineStart(std::string_view body, size_t offset) {
    for (size_t i = offset; i + 1 < body.size(); i += 2) {
        const char16_t unit = UnitAt(body, i);
        if (unit == u'\n') {
            return i + 2;
        }
        if (unit == u'\r') {
            return i + 2 + (i + 3 < body.size() && UnitAt(body, i + 2) == u'\n' ? 2 : 0);
        }
    }
    return body.size();
}

}  // namespace

ProfileEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.substr(0, kUtf16Mark.size()) == kUtf16Mark) {
        return ProfileEncoding::kUtf16Le;
    }
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return ProfileEncoding::kUtf8;
    }
    return ProfileEncoding::kAnsi936;
}

std::string_view EncodingMark(ProfileEncoding encoding) {
    switch (encoding) {
        case ProfileEncoding::kUtf8:
            return kUtf8Mark;
        case ProfileEncoding::kUtf16Le:
            return kUtf16Mark;
        case ProfileEncoding::kAnsi936:
            break;
    }
    return {};
}

size_t NextLineStart(std::string_view body, size_t offset, ProfileEncoding encoding) {
    return encoding == ProfileEncoding::kUtf16Le ? NextUtf16LineStart(body, offset)
                                                 : NextByteLineStart(body, offset);
}

std::vector<size_t> LineStarts(std::string_view bytes, ProfileEncoding encoding, size_t first) {
    std::vector<size_t> starts{first};
    while (starts.back() < bytes.size()) {
        starts.push_back(NextLineStart(bytes, starts.back(), encoding));
    }
    return starts;
}

size_t LineBreakLength(std::string_view line, ProfileEncoding encoding) {
    if (encoding == ProfileEncoding::kUtf16Le) {
        if (line.size() % 2 != 0 || line.size() < 2) {
            return 0;
        }
        if (line.size() >= 4 && line.substr(line.size() - 4) == kUtf16Break) {
            return 4;
        }
        const char16_t last = UnitAt(line, line.size() - 2);
        return last == u'\r' || last == u'\n' ? 2 : 0;
    }
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") {
        return 2;
    }
    return !line.empty() && (line.back() == '\r' || line.back() == '\n') ? 1 : 0;
}

std::string_view LineBreak(ProfileEncoding encoding) {
    return encoding == ProfileEncoding::kUtf16Le ? kUtf16Break : std::string_view("\r\n");
}

void DecodeLine(std::string_view bytes, ProfileEncoding encoding, std::u16string& text) {
    switch (encoding) {
        case ProfileEncoding::kUtf16Le:
            DecodeUtf16Le(bytes, text);
            return;
        case ProfileEncoding::kUtf8:
            text = Utf8ToUtf16(bytes);
            return;
        case ProfileEncoding::kAnsi936:
            break;
    }
    text = AnsiToWide(bytes);
}

std::string EncodeLine(std::u16string_view text, ProfileEncoding encoding) {
    switch (encoding) {
        case ProfileEncoding::kUtf16Le: {
            std::string bytes;
            AppendUtf16Le(text, bytes);
            return bytes;
        }
        case ProfileEncoding::kUtf8:
            return Utf16ToUtf8(text);
        case ProfileEncoding::kAnsi936:
            break;
    }
    return WideToAnsi(text);
}

}  // namespace win32::detail
