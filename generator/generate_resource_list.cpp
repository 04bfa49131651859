#include "generator/generate_resource_list.h"

#include <ace/ACE.h>

#include <iostream>
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

// One line on standard error.
void Report(const char16_t* what, const char16_t* path) {
    std::cerr << win32::Utf16ToUtf8(what) << win32::Utf16ToUtf8(path) << '\n';
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
    const ProfileReadScope lookups;  // the lookup list is checked once, not per line
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

// Step 1: the UTF-16 copy of the lookup list, replaced whole.
bool WriteLookupCopy() {
    const std::u16string lookup = MultiByteToWString(ReadTextFile(kLookupList).c_str(), 936);
    try {
        return WriteUtf16File(kLookupCopy, CString(lookup));
    } catch (const CFileException&) {
        return false;
    }
}

// Steps 2 and 3. The list gets its mark first, also when both input lists are empty;
// without it the entries would make it a code page 936 file, so none is written. In a
// batch its form is then settled by its first write, and the flush writes it whole (anew
// if it was removed meanwhile).
bool WriteFullResourceList() {
    if (!EnsureUtf16ProfileFile(kOutput)) {
        return false;
    }
    std::vector<char> buffer(kBufferSize);
    ProfileWriteBatch batch;
    const bool codeTexts = WriteCodeTexts(buffer);
    const bool dialogTexts = WriteDialogTexts(buffer);
    const bool flushed = batch.Flush();
    return codeTexts && dialogTexts && flushed;
}

}  // namespace

bool GenerateResourceList() {
    crt::StatRecord folder;
    if (crt::_stat(kFolder, &folder) != 0 || (folder.st_mode & crt::_S_IFMT) != crt::_S_IFDIR) {
        Report(u"找不到文件夹 ", u"..\\depends\\config");
        return false;
    }
    // Each output is written as far as it can be, whatever became of the other.
    const bool lookupCopy = WriteLookupCopy();
    if (!lookupCopy) {
        Report(u"无法写入 ", kLookupCopy);
    }
    const bool fullList = WriteFullResourceList();
    if (!fullList) {
        Report(u"无法写入 ", kOutput);
    }
    return lookupCopy && fullList;
}
