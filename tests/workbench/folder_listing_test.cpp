#include "workbench/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace {

using tw_test::WriteBytes;

struct MatchCase {
    std::string pattern;
    std::string name;
    bool match;
};

const MatchCase kMatches[] = {
    {"*.ini", "static.ini", true},
    {"*.ini", "Static.INI", true},
    {"*.ini", "a.ini.ini", true},
    {"*.ini", ".ini", true},
    {"*.ini", "static.ini.bak", false},
    {"*.ini", "static.inix", false},
    {"*.ini", "static_ini", false},
    {"*.ini", "ini", false},
    {"*.sql", "X.SQL", true},
    {"?.bat", "a.bat", true},
    {"?.bat", "ab.bat", false},
    {"?.bat", ".bat", false},
    {"??.ini", "\xD6\xD0.ini", true},  // "?" takes one byte of a double-byte character
    {"a*b?c", "abxc", true},
    {"a*b?c", "a-b-bzc", true},
    {"a*b?c", "abc", false},
    {"abc", "ABC", true},
    {"ABC", "abc", true},
    {"*.INI", "static.ini", true},
    {"abc", "abcd", false},
    {"*", "", true},
    {"a*", "a", true},
};

TEST(WildcardMatch, WholeNameWithoutAsciiCase) {
    for (const MatchCase& c : kMatches) {
        SCOPED_TRACE(c.pattern + " / " + c.name);
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match);
    }
}

TEST(ListFiles, PlainMatchingFilesOfTheFolderOnly) {
    tw_test::TempFolder folder;
    WriteBytes("config/static.ini", "");
    WriteBytes("config/NOTES.INI", "");
    WriteBytes("config/\xE4\xB8\xAD.ini", "");  // 中.ini on disk, in UTF-8
    WriteBytes("config/.hidden.ini", "");
    WriteBytes("config/readme.txt", "");
    WriteBytes("config/old.ini/inner.ini", "");
    WriteBytes("config/ui/ui.ini", "");
    std::vector<std::string> names = {"kept"};
    EXPECT_EQ(ListFiles("*.ini", ".\\config", names), 0);
    ASSERT_EQ(names.front(), "kept");
    std::vector<std::string> found(names.begin() + 1, names.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"NOTES.INI", "static.ini", "\xD6\xD0.ini"}));
}

TEST(ListFiles, MissingFolderAndNoMatches) {
    tw_test::TempFolder folder;
    WriteBytes("shell/run.sh", "");
    std::vector<std::string> names;
    EXPECT_EQ(ListFiles("*.ini", ".\\missing", names), -1);
    EXPECT_EQ(ListFiles("*.bat", ".\\shell", names), 0);
    EXPECT_EQ(ListFiles("*.bat", ".\\shell\\run.sh", names), -1) << "a file is no folder";
    EXPECT_TRUE(names.empty());
}

TEST(ListFiles, TwoFoldersAppendInCallOrder) {
    tw_test::TempFolder folder;
    WriteBytes("a/1.ini", "");
    WriteBytes("b/2.ini", "");
    std::vector<std::string> names;
    ListFiles("*.ini", ".\\a", names);
    ListFiles("*.ini", ".\\b", names);
    EXPECT_EQ(names, (std::vector<std::string>{"1.ini", "2.ini"}));
}

}  // namespace
