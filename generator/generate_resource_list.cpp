#include "generator/generate_resource_list.h"

#include <ace/ACE.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "foundation/text_conversion.h"
#include "foundation/tokenize.h"
#include "foundation/whole_file.h"
#include "platform/mfc/exceptions.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/native_path.h"
#include "platform/win32/profile.h"
#include "workbench/translation_files.h"

namespace {

constexpr char kFolder[] = "..\\depends\\config";
constexpr char kLookupList[] = "..\\depends\\config\\res.py2hz.gbk.txt";
constexpr char16_t kLookupCopy[] = u"..\\depends\\config\\res.py2hz.txt";
constexpr char kCodeTexts[] = "..\\depends\\config\\res.code.gbk.txt";
constexpr char kDialogTexts[] = "..\\depends\\config\\res.dlg.gbk.txt";
constexpr char16_t kOutput[] = u"..\\depends\\config\\res.todo.all";
constexpr int kBufferSize = 10240;

// The run stops at the first output it cannot write, with one line on standard error.
bool Fail(const char16_t* what, const char16_t* path) {
    std::cerr << win32::Utf16ToUtf8(what) << win32::Utf16ToUtf8(path) << '\n';
    return false;
}

struct Item {
    std::u16string head;  // tag, or dialog id part
    std::u16string text;
};

// A line split at its first "="; a line without one serves whole as both parts.
Item SplitItem(const std::u16string& line) {
    const size_t equals = line.find(u'=');
    if (equals == std::u16string::npos) {
        return {line, line};
    }
    return {line.substr(0, equals), line.substr(equals + 1)};
}

// ACE's CRC-32 of the key source's GBK bytes, as ten digits.
std::u16string ResourceKey(const std::u16string& keySource, std::vector<char>& buffer) {
    WideToGbk(keySource.c_str(), kBufferSize, buffer.data());
    return FormatResourceKey(ACE::crc32(buffer.data()));
}

// Whether the write was taken; a batch reports its own writes when it is flushed.
bool WriteEntry(const std::u16string& key, const std::u16string& value) {
    EnsureUtf16ProfileFile(kOutput);
    return WritePrivateProfileStringW(u"str", key.c_str(), value.c_str(), kOutput) != FALSE;
}

bool WriteCodeTexts(std::vector<char>& buffer) {
    bool written = true;
    for (const std::u16string& line : ReadGbkLines(kCodeTexts)) {
        const Item item = SplitItem(line);
        written =
            WriteEntry(ResourceKey(u"file" + item.head + u"$" + item.text, buffer), item.text) &&
            written;
    }
    return written;
}

bool WriteDialogTexts(std::vector<char>& buffer) {
    bool written = true;
    for (const std::u16string& line : ReadGbkLines(kDialogTexts)) {
        const Item item = SplitItem(line);
        const std::u16string id = WidenAscii(std::to_string(crt::_wtol(item.head.c_str())));
        const std::u16string key = ResourceKey(u"dlg" + id + u"$" + item.text, buffer);
        const std::string lookupKey = WideToGbk(item.text.c_str(), kBufferSize, buffer.data());
        GetPrivateProfileStringA("str", lookupKey.c_str(), "", buffer.data(), kBufferSize,
                                 kLookupList);
        written = WriteEntry(key, MultiByteToWString(buffer.data(), 936)) && written;
    }
    return written;
}

}  // namespace

bool GenerateResourceList(ProfileWrites writes) {
    crt::StatRecord folder;
    if (crt::_stat(kFolder, &folder) != 0 || (folder.st_mode & crt::_S_IFMT) != crt::_S_IFDIR) {
        return Fail(u"找不到文件夹 ", u"..\\depends\\config");
    }
    const std::u16string lookup = MultiByteToWString(ReadTextFile(kLookupList).c_str(), 936);
    try {
        if (!WriteUtf16File(kLookupCopy, CString(lookup))) {
            return Fail(u"无法写入 ", kLookupCopy);
        }
    } catch (const CFileException&) {
        return Fail(u"无法写入 ", kLookupCopy);
    }
    // The list exists even when both input lists are empty.
    EnsureUtf16ProfileFile(kOutput);
    if (crt::_waccess(kOutput, 0) != 0) {
        return Fail(u"无法写入 ", kOutput);
    }
    std::vector<char> buffer(kBufferSize);
    std::optional<ProfileWriteBatch> batch;
    if (writes == ProfileWrites::kBatched) {
        batch.emplace();
    }
    const bool codeTexts = WriteCodeTexts(buffer);
    const bool dialogTexts = WriteDialogTexts(buffer);
    const bool flushed = !batch || batch->Flush();
    return (codeTexts && dialogTexts && flushed) || Fail(u"无法写入 ", kOutput);
}
