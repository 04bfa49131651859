// The dialog decodes the shortcut-name file in the code page of the language code that
// static.ini names, whichever Windows code page that is.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/mfc/resource_module.h"
#include "resources/resource.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/temp_folder.h"
#include "workbench/tarnwell_dlg.h"

namespace {

namespace fs = std::filesystem;

class ShortcutNameCodePageTest : public testing::Test {
  protected:
    void SetUp() override { AfxSetResourceHandle(TarnwellResources()); }
    tw_test::TempFolder folder;
};

TEST_F(ShortcutNameCodePageTest, TheDialogShowsTheNameInTheLanguagesCodePage) {
    struct Case {
        const char* name;
        std::string code;
        std::string bytes;
        std::u16string want;
    };
    const Case cases[] = {
        {"1251 Cyrillic", "1251", "\xCA\xEE\xF0\xE2\xE0\xED\xF2\xE8\xF1", u"Корвантис"},
        {"932 Japanese", "932",
         "\x83\x52\x83\x8B\x83\x6F\x83\x93\x83\x65\x83\x42\x83\x58 \x8A\xC7\x97\x9D",
         u"コルバンティス 管理"},
        {"949 Korean", "949", "\xB0\xA1\xB3\xAA", u"가나"},
        {"437 OEM", "437", "Caf\x82", u"Café"},
        {"65001 UTF-8", "65001", "\xE6\xB1\x89\xE5\xAD\x97", u"汉字"},
        {"932 with a lead byte at the end", "932", "\x8A\xC7\x97", u"管?"},
    };
    fs::create_directories("config");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=" + c.code +
                                                     "\r\nlanguages=" + c.code + ":L\r\n");
        tw_test::WriteBytes(u8"软件名称.txt", c.bytes);
        CTarnwellDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(GetDlgItemWString(IDC_SHORTCUT_NAME, &dialog), c.want);
    }
}

}  // namespace
