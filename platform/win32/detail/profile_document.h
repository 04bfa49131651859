// One profile file held in memory: its lines as they are on disk, indexed by section and
// key, with the changes of WritePrivateProfileStringW applied.
//
// Untouched lines keep their bytes; a replaced key line is rewritten as key "=" value with
// the line break it had; new key lines and sections end in CR LF. A section's new keys
// are kept after its last key line in the order written and placed there when the file
// is serialised, so that many insertions cost no line shifting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/win32/detail/profile_encoding.h"
#include "platform/win32/detail/profile_line.h"

namespace win32::detail {

class ProfileDocument {
  public:
    // A missing or empty file: code page 936, no lines.
    ProfileDocument() = default;
    // The file's whole bytes.
    explicit ProfileDocument(std::string bytes);

    // The value of the first key of that name in the first section of that name
    // (trimmed, quotes removed), into value; false (value unspecified) when there is none.
    // Names are trimmed and compared with A to Z folded; the section "" is the part before
    // the first header.
    bool Find(std::u16string_view section, std::u16string_view key, std::u16string& value) const;

    // Sets key = value (both trimmed of blanks) in section.
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // The bytes of the file as it now reads, in runs held by the document (none empty),
    // valid until it changes.
    std::vector<std::string_view> Pieces() const;

  private:
    static constexpr std::uint32_t kFileLine = UINT32_MAX;       // a line as the file has it
    static constexpr std::uint32_t kRewritten = UINT32_MAX - 1;  // a file line rewritten
    static constexpr std::uint32_t kFree = UINT32_MAX;

    // A line of the file (index: where it begins; profile files are far below 4 GiB), a
    // rewritten one, or (section: its id) one added to a section.
    struct LineRef {
        std::uint32_t section;
        std::uint32_t index;
    };

    struct Section {
        // The file line after which added lines go: the last key line, else the header;
        // -1 before the first line (the part before the first header).
        std::int64_t anchor = -1;
        bool newToFile = false;
        std::string header;              // encoded header line of a section new to the file
        std::vector<std::string> added;  // encoded key lines, with CR LF
    };

    // The first line of each key of each section, in an open-addressing table: a slot
    // holds a hash of section and folded name, the section and the line.
    struct KeySlot {
        std::uint32_t hash = 0;
        std::uint32_t section = kFree;
        LineRef line{};
    };

    size_t FileLineCount() const { return starts_.size() - 1; }
    std::string_view Raw(LineRef ref) const;
    void Text(LineRef ref, std::u16string& text) const;  // without the line break
    KeySlot* FindKey(std::uint32_t section, std::u16string_view name, std::u16string& text);
    const KeySlot* FindKey(std::uint32_t section, std::u16string_view name,
                           std::u16string& text) const;
    void AddKey(std::uint32_t section, std::u16string_view name, LineRef line);
    void Rewrite(KeySlot& slot, std::u16string_view text);
    void ResizeIndex(size_t slots);
    std::uint32_t SectionFor(std::u16string_view name, bool& readsBack);
    bool ReadsBackAs(std::u16string_view text, LineKind kind, std::u16string_view name) const;

    ProfileEncoding encoding_ = ProfileEncoding::kAnsi936;
    std::string bytes_;              // the file's bytes as read, its mark included
    std::vector<size_t> starts_{0};  // of its lines (LineStarts), offsets into bytes_
    std::vector<std::string> rewritten_;
    std::unordered_map<std::uint32_t, std::uint32_t> rewrittenLines_;  // line start: rewritten_
    std::vector<Section> sections_{Section{}};
    std::unordered_map<std::u16string, std::uint32_t> sectionIds_{{u"", 0}};  // folded name
    std::vector<KeySlot> keys_ = std::vector<KeySlot>(16);  // a power of two, at most half used
    size_t keyCount_ = 0;
};

}  // namespace win32::detail
