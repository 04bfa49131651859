#include "platform/win32/detail/profile_document.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace win32::detail {
namespace {

// FNV-1a over the section and the folded name, then mixed so that the low bits, which
// pick the slot, depend on every unit.
std::uint32_t HashName(std::uint32_t section, std::u16string_view name) {
    std::uint64_t hash = 14695981039346656037ull ^ section;
    for (const char16_t c : name) {
        hash = (hash ^ FoldChar(c)) * 1099511628211ull;
    }
    hash ^= hash >> 31;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 29;
    return static_cast<std::uint32_t>(hash);
}

// name "=" value
std::u16string KeyLine(std::u16string_view name, std::u16string_view value) {
    std::u16string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name).append(1, u'=').append(value);
    return line;
}

// "[" name "]"
std::u16string HeaderLine(std::u16string_view name) {
    std::u16string line;
    line.reserve(name.size() + 2);
    line.append(1, u'[').append(name).append(1, u']');
    return line;
}

// The pieces of a file put together from runs of whole lines: a run whose last line lacks
// its line break gets one when more follows (in UTF-16, after a stray last byte is made a
// whole unit).
struct LineJoiner {
    explicit LineJoiner(ProfileEncoding fileEncoding) : encoding(fileEncoding) {}

    void Add(std::string_view lines) {
        if (lines.empty()) {
            return;
        }
        if (!ended) {
            if (encoding == ProfileEncoding::kUtf16Le && size % 2 != 0) {
                Piece(std::string_view("\0", 1));
            }
            Piece(LineBreak(encoding));
        }
        Piece(lines);
        ended = LineBreakLength(lines, encoding) > 0;
    }

    void Piece(std::string_view piece) {
        if (!piece.empty()) {
            pieces.push_back(piece);
            size += piece.size();
        }
    }

    ProfileEncoding encoding;
    std::vector<std::string_view> pieces;
    size_t size = 0;
    bool ended = true;
};

}  // namespace

ProfileDocument::ProfileDocument(std::string bytes)
    : encoding_(DetectEncoding(bytes)),
      bytes_(std::move(bytes)),
      starts_(LineStarts(bytes_, encoding_, EncodingMark(encoding_).size())) {
    ResizeIndex(std::bit_ceil(2 * FileLineCount() + 16));
    std::int64_t current = 0;  // -1: a later section of a name seen before, not used
    std::u16string text;
    for (std::uint32_t i = 0; i < FileLineCount(); ++i) {
        const LineRef ref{kFileLine, static_cast<std::uint32_t>(starts_[i])};
        Text(ref, text);
        const ParsedLine line = ParseLine(text);
        if (line.kind == LineKind::kHeader) {
            const auto id = static_cast<std::uint32_t>(sections_.size());
            const bool first = sectionIds_.try_emplace(FoldName(line.name), id).second;
            current = first ? static_cast<std::int64_t>(id) : -1;
            if (first) {
                sections_.emplace_back().anchor = i;
            }
        } else if (line.kind == LineKind::kKey && current >= 0) {
            sections_[static_cast<size_t>(current)].anchor = i;
            AddKey(static_cast<std::uint32_t>(current), line.name, ref);
        }
    }
}

bool ProfileDocument::Find(std::u16string_view section, std::u16string_view key,
                           std::u16string& value) const {
    const auto id = sectionIds_.find(FoldName(TrimBlanks(section)));
    if (id == sectionIds_.end() || FindKey(id->second, TrimBlanks(key), value) == nullptr) {
        return false;
    }
    // The line's value, moved to the front of the line's own buffer.
    const std::u16string_view found = ParseLine(value).value;
    const size_t begin = static_cast<size_t>(found.data() - value.data());
    value.resize(begin + found.size());
    value.erase(0, begin);
    return true;
}

void ProfileDocument::Set(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
    bool readsBack = true;
    const std::uint32_t id = SectionFor(TrimBlanks(section), readsBack);
    const std::u16string_view keyName = TrimBlanks(key);
    const std::u16string_view text = TrimBlanks(value);
    std::u16string line;
    std::u16string old;
    if (KeySlot* found = FindKey(id, keyName, old)) {
        // Rewritten in place, under the name as the file spells it.
        line = KeyLine(ParseLine(old).name, text);
        Rewrite(*found, line);
    } else {
        line = KeyLine(keyName, text);
        std::vector<std::string>& added = sections_[id].added;
        AddKey(id, keyName, LineRef{id, static_cast<std::uint32_t>(added.size())});
        added.push_back(EncodeLine(line, encoding_).append(LineBreak(encoding_)));
    }
    // A line break in the value, a name that is no plain name, or one that the code page
    // cannot hold makes the file read otherwise than the index says: index it afresh.
    if (!readsBack || !ReadsBackAs(line, LineKind::kKey, keyName)) {
        std::string bytes;
        for (const std::string_view piece : Pieces()) {
            bytes += piece;
        }
        *this = ProfileDocument(std::move(bytes));
    }
}

// The line keeps its line break.
void ProfileDocument::Rewrite(KeySlot& slot, std::u16string_view text) {
    const std::string_view raw = Raw(slot.line);
    std::string line = EncodeLine(text, encoding_);
    line.append(raw.substr(raw.size() - LineBreakLength(raw, encoding_)));
    switch (slot.line.section) {
        case kFileLine: {
            const auto index = static_cast<std::uint32_t>(rewritten_.size());
            rewrittenLines_[slot.line.index] = index;
            rewritten_.push_back(std::move(line));
            slot.line = LineRef{kRewritten, index};
            break;
        }
        case kRewritten:
            rewritten_[slot.line.index] = std::move(line);
            break;
        default:
            sections_[slot.line.section].added[slot.line.index] = std::move(line);
    }
}

std::vector<std::string_view> ProfileDocument::Pieces() const {
    // The changes to the file's lines by the offset where they go; lines added after a
    // line (at the start of the next) go before a rewrite of that next line.
    struct Change {
        size_t offset;
        bool rewrite;        // else: the added lines of a section
        std::uint32_t item;  // the rewritten line, or the section
        auto operator<=>(const Change&) const = default;
    };
    std::vector<Change> changes;
    for (std::uint32_t id = 0; id < sections_.size(); ++id) {
        const Section& section = sections_[id];
        if (!section.newToFile && !section.added.empty()) {
            changes.push_back({starts_[static_cast<size_t>(section.anchor + 1)], false, id});
        }
    }
    for (const auto& [start, index] : rewrittenLines_) {
        changes.push_back({start, true, index});
    }
    std::sort(changes.begin(), changes.end());

    LineJoiner out(encoding_);
    const std::string_view file(bytes_);
    out.Piece(file.substr(0, starts_[0]));  // the mark
    size_t copied = starts_[0];             // the file's bytes up to here are in out
    for (const Change& change : changes) {
        out.Add(file.substr(copied, change.offset - copied));
        copied = change.offset;
        if (change.rewrite) {
            out.Add(rewritten_[change.item]);
            copied = NextLineStart(file, change.offset, encoding_);
        } else {
            for (const std::string& line : sections_[change.item].added) {
                out.Add(line);
            }
        }
    }
    out.Add(file.substr(copied));
    for (const Section& section : sections_) {
        if (section.newToFile) {
            out.Add(section.header);
            for (const std::string& line : section.added) {
                out.Add(line);
            }
        }
    }
    return std::move(out.pieces);
}

std::string_view ProfileDocument::Raw(LineRef ref) const {
    switch (ref.section) {
        case kFileLine:
            return std::string_view(bytes_).substr(
                ref.index, NextLineStart(bytes_, ref.index, encoding_) - ref.index);
        case kRewritten:
            return rewritten_[ref.index];
        default:
            return sections_[ref.section].added[ref.index];
    }
}

void ProfileDocument::Text(LineRef ref, std::u16string& text) const {
    const std::string_view raw = Raw(ref);
    DecodeLine(raw.substr(0, raw.size() - LineBreakLength(raw, encoding_)), encoding_, text);
}

// On success text holds the key's line, without its line break.
const ProfileDocument::KeySlot* ProfileDocument::FindKey(std::uint32_t section,
                                                         std::u16string_view name,
                                                         std::u16string& text) const {
    const std::uint32_t hash = HashName(section, name);
    const size_t mask = keys_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const KeySlot& slot = keys_[i];
        if (slot.section == kFree) {
            return nullptr;
        }
        if (slot.hash == hash && slot.section == section) {
            Text(slot.line, text);
            if (SameName(ParseLine(text).name, name)) {
                return &slot;
            }
        }
    }
}

ProfileDocument::KeySlot* ProfileDocument::FindKey(std::uint32_t section, std::u16string_view name,
                                                   std::u16string& text) {
    return const_cast<KeySlot*>(std::as_const(*this).FindKey(section, name, text));
}

// Keeps the first line of a name: a later one is not indexed.
void ProfileDocument::AddKey(std::uint32_t section, std::u16string_view name, LineRef line) {
    std::u16string text;
    if (FindKey(section, name, text) != nullptr) {
        return;
    }
    if (2 * (keyCount_ + 1) > keys_.size()) {
        ResizeIndex(2 * keys_.size());
    }
    const std::uint32_t hash = HashName(section, name);
    const size_t mask = keys_.size() - 1;
    size_t i = hash & mask;
    while (keys_[i].section != kFree) {
        i = (i + 1) & mask;
    }
    keys_[i] = KeySlot{hash, section, line};
    ++keyCount_;
}

void ProfileDocument::ResizeIndex(size_t slots) {
    const std::vector<KeySlot> old = std::exchange(keys_, std::vector<KeySlot>(slots));
    const size_t mask = slots - 1;
    for (const KeySlot& slot : old) {
        if (slot.section != kFree) {
            size_t i = slot.hash & mask;
            while (keys_[i].section != kFree) {
                i = (i + 1) & mask;
            }
            keys_[i] = slot;
        }
    }
}

std::uint32_t ProfileDocument::SectionFor(std::u16string_view name, bool& readsBack) {
    std::u16string folded = FoldName(name);
    const auto found = sectionIds_.find(folded);
    if (found != sectionIds_.end()) {
        return found->second;
    }
    const std::u16string header = HeaderLine(name);
    readsBack = ReadsBackAs(header, LineKind::kHeader, name);
    const auto id = static_cast<std::uint32_t>(sections_.size());
    Section& section = sections_.emplace_back();
    section.newToFile = true;
    section.header = EncodeLine(header, encoding_).append(LineBreak(encoding_));
    sectionIds_.emplace(std::move(folded), id);
    return id;
}

bool ProfileDocument::ReadsBackAs(std::u16string_view text, LineKind kind,
                                  std::u16string_view name) const {
    std::u16string stored;
    if (encoding_ != ProfileEncoding::kUtf16Le) {  // UTF-16 holds every unit as it is
        DecodeLine(EncodeLine(text, encoding_), encoding_, stored);
        text = stored;
    }
    if (text.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return false;
    }
    const ParsedLine line = ParseLine(text);
    return line.kind == kind && SameName(line.name, name);
}

}  // namespace win32::detail
