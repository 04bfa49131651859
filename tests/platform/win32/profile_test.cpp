#include "platform/win32/profile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/codepage.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
#include "platform/win32/native_path.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::WriteBytes;

std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string Utf16File(std::u16string_view text) {
    return "\xFF\xFE" + Utf16(text);
}

std::string Gbk(std::u16string_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::u16string FromGbk(const std::string& bytes) {
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(936, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(936, 0, bytes.data(), size, text.data(), n);
    return text;
}

// No temporary file of a failed replacement is left beside the file.
bool AloneInItsFolder(const fs::path& file) {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != file.filename().string() && name.starts_with(file.filename().string())) {
            return false;
        }
    }
    return true;
}

std::u16string Get(const char16_t* section, const char16_t* key, const char16_t* file,
                   const char16_t* defaultValue = u"") {
    char16_t buffer[256] = {};
    const DWORD n = GetPrivateProfileStringW(section, key, defaultValue, buffer, 256, file);
    EXPECT_EQ(n, std::u16string(buffer).size());
    return buffer;
}

bool Write(const char16_t* section, const char16_t* key, const char16_t* value,
           const char16_t* file) {
    return WritePrivateProfileStringW(section, key, value, file) == TRUE;
}

struct LookupCase {
    const char* name;
    const char16_t* section;
    const char16_t* key;
    std::u16string want;  // "<none>": the default
};

void ExpectLookups(const char16_t* file, const std::vector<LookupCase>& cases) {
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Get(c.section, c.key, file, u"<none>"), c.want);
    }
}

// --- reading ---

TEST(ProfileRead, ReadsEachEncoding) {
    tw_test::TempFolder folder;
    const std::u16string text = u"; 注释\r\n[str]\r\n0000000042=中文值\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"UTF-16LE with mark", Utf16File(text)},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + win32::Utf16ToUtf8(text)},
        {"code page 936", Gbk(text)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("config/res.txt", c.bytes);
        EXPECT_EQ(Get(u"str", u"0000000042", u".\\config\\res.txt"), u"中文值");
    }
}

TEST(ProfileRead, NamesIgnoreTheCaseOfAToZOnly) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini",
               "\xEF\xBB\xBF" + win32::Utf16ToUtf8(u"[Translate]\r\nSystem-Language-Code=950\r\n"
                                                   u"[Ä]\r\né=1\r\n[Ｗ]\r\nk=2\r\n"));
    ExpectLookups(u"a.ini", {
                                {"same case", u"Translate", u"System-Language-Code", u"950"},
                                {"lower case", u"translate", u"system-language-code", u"950"},
                                {"upper case", u"TRANSLATE", u"SYSTEM-LANGUAGE-CODE", u"950"},
                                {"same non-ASCII", u"Ä", u"é", u"1"},
                                {"non-ASCII section folded", u"ä", u"é", u"<none>"},
                                {"non-ASCII key folded", u"Ä", u"É", u"<none>"},
                                {"full-width letter folded", u"ｗ", u"k", u"<none>"},
                            });
}

TEST(ProfileRead, TrimsNamesAndValuesThenRemovesOnePairOfQuotes) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini",
               "[ s ] ignored\r\n"
               " \t spaced \t = \t value \t \r\n"
               "double=\"quoted\"\r\n"
               "single='quoted'\r\n"
               "inner=\" inner \"\r\n"
               "mismatched=\"x'\r\n"
               "lone=\"\r\n"
               "empty=\"\"\r\n"
               "twice=\"\"x\"\"\r\n"
               "notinline=a;b\r\n"
               "equals=a=b\r\n"
               "nothing=\r\n"
               "quotedtail=\"x\" y\r\n");
    ExpectLookups(u"a.ini", {
                                {"blanks and tabs", u"s", u"spaced", u"value"},
                                {"argument trimmed", u" s ", u" spaced\t", u"value"},
                                {"double quotes", u"s", u"double", u"quoted"},
                                {"single quotes", u"s", u"single", u"quoted"},
                                {"blanks inside quotes kept", u"s", u"inner", u" inner "},
                                {"mismatched quotes kept", u"s", u"mismatched", u"\"x'"},
                                {"lone quote kept", u"s", u"lone", u"\""},
                                {"empty quotes", u"s", u"empty", u""},
                                {"one pair only", u"s", u"twice", u"\"x\""},
                                {"no inline comment", u"s", u"notinline", u"a;b"},
                                {"value keeps later =", u"s", u"equals", u"a=b"},
                                {"empty value", u"s", u"nothing", u""},
                                {"quote not at the end", u"s", u"quotedtail", u"\"x\" y"},
                            });
}

TEST(ProfileRead, SemicolonLinesNamelessSectionAndDuplicates) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini",
               "top=nameless\n"
               "; comment=yes\n"
               "[s]\n"
               ";semi=1\n"
               "a=first\n"
               "no equals sign\n"
               "; no equals sign either\n"
               "a=second\n"
               "  ;b=indented\n"
               "[S]\n"
               "a=duplicate section\n"
               "c=in duplicate section\n"
               "[t]trailing junk\n"
               "x=1\r"
               "y=lone CR\r"
               "[broken\n"
               "z=still t");
    ExpectLookups(u"a.ini", {
                                {"nameless section", u"", u"top", u"nameless"},
                                {"';' line before a header", u"", u"; comment", u"yes"},
                                {"';' line is a key", u"s", u";semi", u"1"},
                                {"';' is part of the name", u"s", u"semi", u"<none>"},
                                {"first of two keys", u"s", u"a", u"first"},
                                {"line without =", u"s", u"no equals sign", u"<none>"},
                                {"';' line without =", u"s", u"; no equals sign either", u"<none>"},
                                {"indented ';' line", u"s", u";b", u"indented"},
                                {"second section ignored", u"s", u"c", u"<none>"},
                                {"text after ] ignored", u"t", u"x", u"1"},
                                {"lone CR ends a line", u"t", u"y", u"lone CR"},
                                {"[ without ] is no header", u"t", u"z", u"still t"},
                                {"missing section", u"u", u"x", u"<none>"},
                            });
}

TEST(ProfileRead, BufferSizes) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini", "[s]\r\nk=abcdef\r\n");
    struct Case {
        const char* name;
        const char16_t* key;
        const char16_t* defaultValue;
        DWORD size;
        DWORD want;
        std::u16string text;
    };
    const Case cases[] = {
        {"fits", u"k", u"", 10, 6, u"abcdef"},
        {"exactly fits with NUL", u"k", u"", 7, 6, u"abcdef"},
        {"cut to size - 1", u"k", u"", 4, 3, u"abc"},
        {"size 1", u"k", u"", 1, 0, u""},
        {"default cut", u"missing", u"0123456789", 5, 4, u"0123"},
        {"default trailing blanks trimmed", u"missing", u"dflt   ", 20, 4, u"dflt"},
        {"default leading blanks kept", u"missing", u"  d", 20, 3, u"  d"},
        {"null default", u"missing", nullptr, 20, 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string buffer(12, u'#');
        EXPECT_EQ(
            GetPrivateProfileStringW(u"s", c.key, c.defaultValue, buffer.data(), c.size, u"a.ini"),
            c.want);
        EXPECT_EQ(buffer.substr(0, c.want + 1), c.text + u'\0');
    }
    char16_t untouched[2] = {u'#', u'#'};
    EXPECT_EQ(GetPrivateProfileStringW(u"s", u"k", u"", untouched, 0, u"a.ini"), 0u);
    EXPECT_EQ(untouched[0], u'#');
    EXPECT_EQ(Get(u"s", u"k", u"missing.ini", u"gone "), u"gone");
}

TEST(ProfileRead, IntValues) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        const char* value;  // null: no such key
        UINT want;
    };
    const Case cases[] = {
        {"decimal", "123", 123},
        {"leading zero is still decimal", "017", 17},
        {"negative wraps", "-5", 0xFFFFFFFBu},
        {"plus sign", "+7", 7},
        {"blank after the sign", "- 5", 0},
        {"hex", "0x1f", 31},
        {"upper-case hex digits", "0x1F", 31},
        {"upper-case X is no prefix", "0X1f", 0},
        {"octal", "0o17", 15},
        {"octal stops at 8", "0o18", 1},
        {"upper-case O is no prefix", "0O17", 0},
        {"binary", "0b101", 5},
        {"binary stops at 2", "0b1021", 2},
        {"upper-case B is no prefix", "0B101", 0},
        {"negative hex", "-0x10", 0xFFFFFFF0u},
        {"prefix without digits", "0x", 0},
        {"prefix followed by no digit of its base", "0b2", 0},
        {"stops at junk", "12abc", 12},
        {"no digits", "abc", 0},
        {"quotes removed", "\"42\"", 42},
        {"blanks inside quotes", "' 9'", 9},
        {"blanks around", "  77  ", 77},
        {"wraps past 32 bits", "4294967297", 1},
        {"white", "16777215", 16777215},
        {"empty value gives the default", "", 99},
        {"empty quotes give the default", "\"\"", 99},
        {"missing key gives the default", nullptr, 99},
    };
    // One key per case, named by its row: k0, k1, ...
    const auto key = [](size_t row) { return std::string(1, 'k').append(std::to_string(row)); };
    std::string file = "[n]\r\n";
    for (size_t row = 0; row < std::size(cases); ++row) {
        if (cases[row].value != nullptr) {
            file.append(key(row)).append("=").append(cases[row].value).append("\r\n");
        }
    }
    WriteBytes("a.ini", file);
    for (size_t row = 0; row < std::size(cases); ++row) {
        SCOPED_TRACE(cases[row].name);
        const std::u16string name = win32::Utf8ToUtf16(key(row));
        EXPECT_EQ(GetPrivateProfileIntW(u"n", name.c_str(), 99, u"a.ini"), cases[row].want);
    }
    EXPECT_EQ(GetPrivateProfileIntW(u"n", u"k0", -1, u"missing.ini"), 0xFFFFFFFFu);
}

// --- writing ---

TEST(ProfileWrite, FileHoldingOnlyTheMarkStaysUtf16) {
    tw_test::TempFolder folder;
    WriteBytes("config/res.txt", "\xFF\xFE");
    EXPECT_TRUE(Write(u"str", u"0000000001", u"打开", u".\\config\\res.txt"));
    EXPECT_TRUE(Write(u"str", u"0000000002", u"关闭", u".\\config\\res.txt"));
    EXPECT_TRUE(Write(u"str", u"0000000001", u"开", u".\\config\\res.txt"));
    EXPECT_EQ(ReadBytes("config/res.txt"),
              Utf16File(u"[str]\r\n0000000001=开\r\n0000000002=关闭\r\n"));
    EXPECT_EQ(Get(u"str", u"0000000002", u".\\config\\res.txt"), u"关闭");
}

// Texts that a profile line does not give back as written, as a value and as a key.
TEST(ProfileWrite, TextFaults) {
    using F = ProfileTextFault;
    struct Case {
        const char* name;
        std::u16string text;
        F asValue;
        F asKey;
    };
    const Case kCases[] = {
        {"plain", u"性别 男", F::kNone, F::kNone},
        {"line feed", u"a\nb", F::kLineBreak, F::kLineBreak},
        {"carriage return", u"a\rb", F::kLineBreak, F::kLineBreak},
        {"blank at the start", u" a", F::kBlankEnd, F::kBlankEnd},
        {"tab at the end", u"a\t", F::kBlankEnd, F::kBlankEnd},
        {"double quotes", u"\"a\"", F::kQuoted, F::kNone},
        {"single quotes", u"'a'", F::kQuoted, F::kNone},
        {"unmatched quotes", u"'a\"", F::kNone, F::kNone},
        {"equals sign", u"性别=男", F::kNone, F::kEqualsSign},
        {"bracket first", u"[重要]", F::kNone, F::kHeaderStart},
        {"semicolon first", u";a", F::kNone, F::kNone},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ValueFault(c.text), c.asValue);
        EXPECT_EQ(KeyFault(c.text), c.asKey);
    }
}

// The bytes worked out in memory are the bytes the write leaves in the file.
TEST(ProfileWrite, BytesAfterWriteAreWhatTheWriteStores) {
    struct Case {
        const char* name;
        std::string bytes;  // empty: no file
    };
    const Case kCases[] = {
        {"missing file", ""},
        {"key replaced", "; note\r\n[translate]\r\nsystem-language-code = 936 \r\n"},
        {"new section in a UTF-16 file", Utf16File(u"[dialog]\r\nx=1\r\n")},
        {"new key in a UTF-8 file", "\xEF\xBB\xBF[translate]\nother=\xE4\xB8\xAD\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        if (!c.bytes.empty()) {
            WriteBytes("static.ini", c.bytes);
        }
        ASSERT_TRUE(Write(u"translate", u"system-language-code", u"950", u"static.ini"));
        EXPECT_EQ(ProfileBytesAfterWrite(c.bytes, u"translate", u"system-language-code", u"950"),
                  ReadBytes("static.ini"));
    }
}

TEST(ProfileWrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
    tw_test::TempFolder folder;
    const std::string before =
        "; head\n"
        "\n"
        "[Dialog]\n"
        "  Enable-Tooltip = 1 ; old\r\n"
        "other=1\n"
        "enable-tooltip=second\n"
        "\n"
        "[t]\n"
        "y=2";
    WriteBytes("static.ini", before);
    fs::permissions("static.ini", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(Write(u"dialog", u"enable-tooltip", u"  0 ", u"static.ini"));
    EXPECT_EQ(fs::status("static.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes("static.ini"),
              "; head\n"
              "\n"
              "[Dialog]\n"
              "Enable-Tooltip=0\r\n"
              "other=1\n"
              "enable-tooltip=second\n"
              "\n"
              "[t]\n"
              "y=2");
}

TEST(ProfileWrite, NewKeyAfterTheLastKeyLineNewSectionAtTheEnd) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini",
               "[s]\n"
               "a=1\n"
               "; trailing comment\n"
               "\n"
               "[empty]\n"
               "; only a comment\n"
               "[t]\n"
               "y=2");
    EXPECT_TRUE(Write(u"s", u" b ", u"2", u"a.ini"));
    EXPECT_TRUE(Write(u"s", u"c", u"3", u"a.ini"));
    EXPECT_TRUE(Write(u"EMPTY", u"k", u"v", u"a.ini"));
    EXPECT_TRUE(Write(u"u", u"k", u"中", u"a.ini"));
    EXPECT_EQ(ReadBytes("a.ini"),
              "[s]\n"
              "a=1\n"
              "b=2\r\n"
              "c=3\r\n"
              "; trailing comment\n"
              "\n"
              "[empty]\n"
              "k=v\r\n"
              "; only a comment\n"
              "[t]\n"
              "y=2\r\n"
              "[u]\r\n"
              "k=" +
                  Gbk(u"中") + "\r\n");
}

// New keys at the top of the nameless section (after the mark), and after a last line
// that lacks its line break.
TEST(ProfileWrite, NewKeysAtTheEdgesOfTheFile) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        const char16_t* section;
        std::string before;
        std::string after;  // once k=v and l=w are written
    };
    const Case cases[] = {
        {"nameless, code page 936", u"", "; about\n[s]\na=1\n",
         "k=v\r\nl=w\r\n; about\n[s]\na=1\n"},
        {"nameless, UTF-8", u"", "\xEF\xBB\xBF; about\n[s]\na=1\n",
         "\xEF\xBB\xBFk=v\r\nl=w\r\n; about\n[s]\na=1\n"},
        {"nameless, UTF-16", u"", Utf16File(u"; about\n[s]\na=1\n"),
         Utf16File(u"k=v\r\nl=w\r\n; about\n[s]\na=1\n")},
        {"nameless, only the mark", u"", "\xFF\xFE", Utf16File(u"k=v\r\nl=w\r\n")},
        {"last line unended, code page 936", u"s", "[s]\r\na=1", "[s]\r\na=1\r\nk=v\r\nl=w\r\n"},
        {"last line unended, UTF-16", u"s", Utf16File(u"[s]\r\na=1"),
         Utf16File(u"[s]\r\na=1\r\nk=v\r\nl=w\r\n")},
        {"UTF-16 with a stray last byte", u"s", Utf16File(u"[s]\r\na=1") + "x",
         Utf16File(u"[s]\r\na=1") + "x" + std::string(1, '\0') + Utf16(u"\r\nk=v\r\nl=w\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("a.ini", c.before);
        EXPECT_TRUE(Write(c.section, u"k", u"v", u"a.ini"));
        EXPECT_TRUE(Write(c.section, u"l", u"w", u"a.ini"));
        EXPECT_EQ(ReadBytes("a.ini"), c.after);
        EXPECT_EQ(Get(c.section, u"l", u"a.ini"), u"w");
    }
}

TEST(ProfileWrite, CreatesMissingOrEmptyFilesInCodePage936) {
    tw_test::TempFolder folder;
    WriteBytes("empty.ini", "");
    for (const char16_t* file : {u"missing.ini", u"empty.ini"}) {
        SCOPED_TRACE(win32::Utf16ToUtf8(file));
        EXPECT_TRUE(Write(u"translate", u"system-language-code", u"繁體", file));
        EXPECT_EQ(ReadBytes(win32::Utf16ToUtf8(file)),
                  "[translate]\r\nsystem-language-code=" + Gbk(u"繁體") + "\r\n");
        EXPECT_EQ(Get(u"translate", u"system-language-code", file), u"繁體");
    }
}

TEST(ProfileWrite, KeepsUtf8AndTurnsWhat936CannotHoldIntoWhatTheCodePageGives) {
    tw_test::TempFolder folder;
    WriteBytes("utf8.ini", "\xEF\xBB\xBF[s]\r\n");
    EXPECT_TRUE(Write(u"s", u"k", u"한국어😀", u"utf8.ini"));
    EXPECT_EQ(ReadBytes("utf8.ini"),
              "\xEF\xBB\xBF[s]\r\nk=" + win32::Utf16ToUtf8(u"한국어😀") + "\r\n");
    EXPECT_EQ(Get(u"s", u"k", u"utf8.ini"), u"한국어😀");

    WriteBytes("gbk.ini", "[s]\r\n");
    EXPECT_TRUE(Write(u"s", u"k", u"中😀", u"gbk.ini"));
    const std::string stored = Gbk(u"中😀");
    EXPECT_NE(stored.find('?'), std::string::npos);
    EXPECT_EQ(ReadBytes("gbk.ini"), "[s]\r\nk=" + stored + "\r\n");
    EXPECT_EQ(Get(u"s", u"k", u"gbk.ini"), FromGbk(stored));
}

TEST(ProfileWrite, ValueWithALineBreakIsWrittenAsItIsAndReadsAsTheFileReads) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini", "[s]\r\nk=old\r\n");
    EXPECT_TRUE(Write(u"s", u"k", u"one\ntwo=2\n[other]\r\nx=3", u"a.ini"));
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=one\ntwo=2\n[other]\r\nx=3\r\n");
    ExpectLookups(u"a.ini", {
                                {"first line", u"s", u"k", u"one"},
                                {"key from the second line", u"s", u"two", u"2"},
                                {"section from the value", u"other", u"x", u"3"},
                            });
    EXPECT_TRUE(Write(u"s", u"k", u"plain", u"a.ini"));
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"plain");
}

TEST(ProfileWrite, SemicolonKeysAreWrittenAndReplacedLikeAnyOther) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        const char16_t* section;
        std::string before;
        const char16_t* key;
        std::string after;  // once the key is written with "B", then with "C"
    };
    const Case cases[] = {
        {"new key in a UTF-16 file", u"str", Utf16File(u"[str]\r\nx=1\r\n"), u";文",
         Utf16File(u"[str]\r\nx=1\r\n;文=C\r\n")},
        {"existing key, spelt as the file has it", u"s", "[s]\r\n  ;Semi = 1\r\nx=1\r\n", u";semi",
         "[s]\r\n;Semi=C\r\nx=1\r\n"},
        {"new key after the last key line", u"s", "[s]\r\n;a=1\r\n; comment\r\n", u";b",
         "[s]\r\n;a=1\r\n;b=C\r\n; comment\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("a.ini", c.before);
        EXPECT_TRUE(Write(c.section, c.key, u"B", u"a.ini"));
        EXPECT_EQ(Get(c.section, c.key, u"a.ini"), u"B");
        EXPECT_TRUE(Write(c.section, c.key, u"C", u"a.ini"));
        EXPECT_EQ(ReadBytes("a.ini"), c.after);
        EXPECT_EQ(Get(c.section, c.key, u"a.ini"), u"C");
    }
}

// --- the file on disk and the held state ---

TEST(ProfileFiles, FileChangedOnDiskIsReadAfresh) {
    tw_test::TempFolder folder;
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24);
    WriteBytes("a.ini", "[s]\r\nk=aaaa\r\n");
    fs::last_write_time("a.ini", stamp);
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"aaaa");
    // Same size, same inode, same modification time.
    WriteBytes("a.ini", "[s]\r\nk=bbbb\r\n");
    fs::last_write_time("a.ini", stamp);
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"bbbb");
    // Rewritten at once, times untouched.
    WriteBytes("a.ini", "[s]\r\nk=cccc\r\n");
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"cccc");
    fs::remove("a.ini");
    EXPECT_EQ(Get(u"s", u"k", u"a.ini", u"gone"), u"gone");
}

TEST(ProfileFiles, RelativePathsFollowTheCurrentDirectoryOutsideABatch) {
    tw_test::TempFolder folder;
    fs::create_directories("one");
    fs::create_directories("two");
    fs::current_path("one");
    EXPECT_TRUE(Write(u"s", u"k", u"1", u".\\a.ini"));
    fs::current_path("../two");
    EXPECT_EQ(Get(u"s", u"k", u"a.ini", u"none"), u"none");
    EXPECT_TRUE(Write(u"s", u"k", u"2", u"a.ini"));
    fs::current_path("..");
    EXPECT_EQ(ReadBytes("one/a.ini"), "[s]\r\nk=1\r\n");
    EXPECT_EQ(ReadBytes("two/a.ini"), "[s]\r\nk=2\r\n");
}

TEST(ProfileBatch, RelativePathsAreTakenFromWhereTheBatchBegan) {
    tw_test::TempFolder folder;
    fs::create_directories("one");
    {
        ProfileWriteBatch batch;
        fs::current_path("one");
        EXPECT_TRUE(Write(u"s", u"k", u"1", u"a.ini"));
        fs::current_path("..");
        EXPECT_EQ(Get(u"s", u"k", u"a.ini", u"none"), u"1");
        EXPECT_TRUE(batch.Flush());
    }
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=1\r\n");
    EXPECT_FALSE(fs::exists("one/a.ini"));
}

TEST(ProfileBatch, HeldWritesAreReadBackAndFlushedBeforeOtherFileCalls) {
    tw_test::TempFolder folder;
    const std::string flushed = "[s]\r\nk=new\r\nadded=1\r\n";
    struct Case {
        const char* name;
        std::function<std::string()> reader;  // what the platform layer's reader sees
    };
    const Case cases[] = {
        {"fopen",
         [] {
             crt::FILE* file = crt::fopen("a.ini", "rb");
             std::string bytes(64, '\0');
             bytes.resize(crt::fread(bytes.data(), 1, bytes.size(), file));
             crt::fclose(file);
             return bytes;
         }},
        {"CopyFileW",
         [] {
             EXPECT_TRUE(CopyFileW(u"a.ini", u"copy.ini", FALSE));
             return ReadBytes("copy.ini");
         }},
        {"_stat",
         [] {
             crt::StatRecord status;
             EXPECT_EQ(crt::_stat("a.ini", &status), 0);
             return ReadBytes("a.ini");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("a.ini", "[s]\r\nk=old\r\n");
        ProfileWriteBatch batch;
        EXPECT_TRUE(Write(u"s", u"k", u"new", u"a.ini"));
        EXPECT_TRUE(Write(u"s", u"added", u"1", u"a.ini"));
        EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=old\r\n");
        EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"new");
        EXPECT_EQ(c.reader(), flushed);
        EXPECT_TRUE(batch.Flush());
        EXPECT_EQ(ReadBytes("a.ini"), flushed);
    }
}

TEST(ProfileBatch, ExistenceTestsAnswerFromTheBatchWithoutAFlush) {
    tw_test::TempFolder folder;
    WriteBytes("res.todo.all", "\xFF\xFE");
    ProfileWriteBatch batch;
    EXPECT_TRUE(Write(u"str", u"0000000001", u"a", u"res.todo.all"));
    EXPECT_EQ(crt::_waccess(u"res.todo.all", 0), 0);
    EXPECT_EQ(ReadBytes("res.todo.all"), "\xFF\xFE");  // still held: the answer is the same

    EXPECT_TRUE(Write(u"str", u"k", u"v", u"new.ini"));
    EXPECT_EQ(crt::_access("new.ini", 0), 0) << "the batch will write it";
    EXPECT_FALSE(fs::exists("new.ini"));
    EXPECT_EQ(crt::_access("other.ini", 0), -1);
    EXPECT_TRUE(batch.Flush());
    EXPECT_EQ(ReadBytes("new.ini"), "[str]\r\nk=v\r\n");
    EXPECT_EQ(ReadBytes("res.todo.all"), Utf16File(u"[str]\r\n0000000001=a\r\n"));
}

TEST(ProfileBatch, EndsWithItsScopeAndDoesNotNest) {
    tw_test::TempFolder folder;
    {
        ProfileWriteBatch outer;
        {
            ProfileWriteBatch inner;
            EXPECT_TRUE(Write(u"s", u"k", u"v", u"a.ini"));
            EXPECT_TRUE(inner.Flush());
            EXPECT_FALSE(fs::exists("a.ini"));
        }
        EXPECT_FALSE(fs::exists("a.ini"));
    }
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=v\r\n");
    EXPECT_TRUE(Write(u"s", u"k", u"w", u"a.ini"));  // written through again
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=w\r\n");
}

// --- read scopes ---

TEST(ProfileReadScope, TrustsTheFirstCheckOfEachFileUntilTheOutermostScopeEnds) {
    tw_test::TempFolder folder;
    WriteBytes("a.ini", "[s]\r\nk=old\r\n");
    {
        ProfileReadScope outer;
        {
            ProfileReadScope inner;
            EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"old");
            EXPECT_EQ(Get(u"s", u"k", u"missing.ini", u"none"), u"none");
        }
        // Another program changes both files; the scope goes by its first check.
        WriteBytes("a.ini", "[s]\r\nk=changed\r\n");
        WriteBytes("missing.ini", "[s]\r\nk=here\r\n");
        EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"old");
        EXPECT_EQ(Get(u"s", u"k", u"missing.ini", u"none"), u"none");
    }
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"changed");
    EXPECT_EQ(Get(u"s", u"k", u"missing.ini"), u"here");
}

TEST(ProfileReadScope, WritesThroughTheLayerAreReadBackAtOnce) {
    tw_test::TempFolder folder;
    fs::create_directories("sub");
    WriteBytes("a.ini", "[s]\r\nk=old\r\n");
    ProfileReadScope scope;
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"old");
    EXPECT_EQ(Get(u"s", u"k", u"sub\\..\\a.ini"), u"old");
    EXPECT_TRUE(Write(u"s", u"k", u"new", u"a.ini"));
    EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"new");
    EXPECT_EQ(Get(u"s", u"k", u"sub\\..\\a.ini"), u"new") << "another spelling of the path";
    EXPECT_TRUE(Write(u"s", u"k", u"created", u"new.ini"));
    EXPECT_EQ(Get(u"s", u"k", u"new.ini"), u"created");
    {
        ProfileWriteBatch batch;
        EXPECT_TRUE(Write(u"s", u"k", u"held", u"a.ini"));
        EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"held");
        EXPECT_TRUE(batch.Flush());
    }
    EXPECT_EQ(Get(u"s", u"k", u"sub\\..\\a.ini"), u"held");
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=held\r\n");
}

TEST(ProfileReadScope, OtherFileCallsOfTheLayerEndTheTrust) {
    tw_test::TempFolder folder;
    WriteBytes("other.txt", "x");
    struct Case {
        const char* name;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"fopen of another file",
         [] {
             crt::FILE* file = crt::fopen("other.txt", "rb");
             ASSERT_NE(file, nullptr);
             crt::fclose(file);
         }},
        {"_wfopen_s creating a file",
         [] {
             crt::FILE* file = nullptr;
             ASSERT_EQ(crt::_wfopen_s(&file, u"created.ini", u"a+,ccs=UNICODE"), 0);
             crt::fclose(file);
         }},
        {"CopyFileW", [] { EXPECT_TRUE(CopyFileW(u"other.txt", u"copy.txt", FALSE)); }},
        {"_unlink", [] { EXPECT_EQ(crt::_unlink("copy.txt"), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("a.ini", "[s]\r\nk=old\r\n");
        ProfileReadScope scope;
        EXPECT_EQ(Get(u"s", u"k", u"a.ini"), u"old");
        WriteBytes("a.ini", std::string("[s]\r\nk=") + c.name + "\r\n");
        c.call();
        EXPECT_EQ(Get(u"s", u"k", u"a.ini"), win32::Utf8ToUtf16(c.name));
    }
}

// --- failures ---

TEST(ProfileFailure, FailedWriteLeavesTheFileAndTheReadValue) {
    tw_test::TempFolder folder;
    const std::string old = "; keep\r\n[s]\r\nk=old\r\n";
    struct Case {
        const char* name;
        const char* native;
        const char16_t* file;
        const char* locked;  // made read-only
        bool batched;
    };
    const Case cases[] = {
        {"read-only file", "ro.ini", u"ro.ini", "ro.ini", false},
        {"read-only file in a batch", "ro2.ini", u"ro2.ini", "ro2.ini", true},
        {"read-only file in a read-only folder", "locked/ro.ini", u"locked\\ro.ini", "locked",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.native, old);
        EXPECT_EQ(Get(u"s", u"k", c.file), u"old");
        tw_test::MakeReadOnly(c.native);
        tw_test::MakeReadOnly(c.locked);
        if (c.batched) {
            ProfileWriteBatch batch;
            EXPECT_TRUE(Write(u"s", u"k", u"new", c.file));
            EXPECT_EQ(Get(u"s", u"k", c.file), u"new");
            EXPECT_FALSE(batch.Flush());
        } else {
            EXPECT_FALSE(Write(u"s", u"k", u"new", c.file));
        }
        EXPECT_EQ(ReadBytes(c.native), old);
        EXPECT_EQ(Get(u"s", u"k", c.file), u"old");
        EXPECT_TRUE(AloneInItsFolder(c.native));
    }
    EXPECT_FALSE(Write(u"s", u"k", u"v", u"missing-folder\\a.ini"));
}

// Windows writes a writable file of a read-only folder where it stands; only a new file
// cannot be made there.
TEST(ProfileFailure, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    tw_test::TempFolder folder;
    WriteBytes("locked/a.ini", "; keep\r\n[s]\r\nk=old\r\n");
    WriteBytes("locked/b.ini", "[s]\r\nk=old\r\n");
    tw_test::MakeReadOnly("locked");
    EXPECT_TRUE(Write(u"s", u"k", u"new", u"locked\\a.ini"));
    {
        ProfileWriteBatch batch;
        EXPECT_TRUE(Write(u"s", u"j", u"added", u"locked\\b.ini"));
        EXPECT_TRUE(batch.Flush());
    }
    EXPECT_FALSE(Write(u"s", u"k", u"v", u"locked\\new.ini"));
    {
        const tw_test::FileSizeLimit fullDisk(40);  // the rewrite stops midway
        EXPECT_FALSE(Write(u"s", u"long", std::u16string(60, u'x').c_str(), u"locked\\b.ini"));
    }
    EXPECT_EQ(ReadBytes("locked/a.ini"), "; keep\r\n[s]\r\nk=new\r\n");
    EXPECT_EQ(ReadBytes("locked/b.ini"), "[s]\r\nk=old\r\nj=added\r\n");
    EXPECT_EQ(Get(u"s", u"k", u"locked\\a.ini"), u"new");
    EXPECT_EQ(std::distance(fs::directory_iterator("locked"), fs::directory_iterator()), 2);
}

TEST(ProfileFailure, FailureOfAFlushMadeForAnotherCallIsReportedByTheBatch) {
    tw_test::TempFolder folder;
    WriteBytes("ro.ini", "[s]\r\nk=old\r\n");
    tw_test::MakeReadOnly("ro.ini");
    ProfileWriteBatch batch;
    EXPECT_TRUE(Write(u"s", u"k", u"new", u"ro.ini"));
    crt::FILE* file = crt::fopen("ro.ini", "rb");  // flushes; the write fails
    ASSERT_NE(file, nullptr);
    crt::fclose(file);
    EXPECT_EQ(Get(u"s", u"k", u"ro.ini"), u"old");
    EXPECT_FALSE(batch.Flush());
    EXPECT_EQ(ReadBytes("ro.ini"), "[s]\r\nk=old\r\n");
}

// --- the narrow form ---

TEST(ProfileNarrow, GbkKeysAndValuesCutByBytes) {
    tw_test::TempFolder folder;
    WriteBytes("res.py2hz.gbk.txt", Gbk(u"[str]\r\n打开=值值值\r\nMixed=a值\r\n"));
    struct Case {
        const char* name;
        std::string key;
        std::string defaultValue;
        DWORD size;
        std::string want;
    };
    const Case cases[] = {
        {"whole value", Gbk(u"打开"), "", 10240, Gbk(u"值值值")},
        {"cut between characters", Gbk(u"打开"), "", 5, Gbk(u"值值")},
        {"never half a character", Gbk(u"打开"), "", 4, Gbk(u"值")},
        {"size 1", Gbk(u"打开"), "", 1, ""},
        {"ASCII case folded", "MIXED", "", 10240, Gbk(u"a值")},
        {"half character after ASCII dropped", "mixed", "", 3, "a"},
        {"missing key gives the default", Gbk(u"关闭"), "none  ", 10240, "none"},
        {"GBK default", Gbk(u"关闭"), Gbk(u"默认 "), 10240, Gbk(u"默认")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string buffer(16, '#');
        std::vector<char> big(10240, '#');
        char* target = c.size > buffer.size() ? big.data() : buffer.data();
        const DWORD n = GetPrivateProfileStringA("str", c.key.c_str(), c.defaultValue.c_str(),
                                                 target, c.size, "res.py2hz.gbk.txt");
        EXPECT_EQ(n, c.want.size());
        EXPECT_EQ(std::string(target, n + 1), c.want + '\0');
    }
}

}  // namespace
