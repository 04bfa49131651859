// A read-only product folder: every kind of write the panel makes fails, says so, and
// leaves the files as they were.
#include <filesystem>
#include <functional>
#include <map>

#include "resources/resource.h"
#include "tests/personalisation/panel_fixture.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"

namespace {

namespace fs = std::filesystem;
using tw_test::WriteBytes;

// Every file of the product folder but ACE.dll, with its bytes.
std::map<fs::path, std::string> ProductFiles() {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        if (entry.is_regular_file() && entry.path().filename() != "ACE.dll") {
            files[entry.path()] = tw_test::ReadBytes(entry.path());
        }
    }
    return files;
}

class ReadOnlyProduct : public tw_test::PanelTest {};

TEST_F(ReadOnlyProduct, EveryKindOfWriteSaysItFailed) {
    struct Case {
        const char* name;
        std::function<void(ScriptedResponder&, CWnd&)> prepare;
        int click;
    };
    const Case cases[] = {
        {"picture select",
         [](ScriptedResponder& script, CWnd&) {
             WriteBytes("config/loading.bmp", "original");
             WriteBytes(PictureFolder() / "new.bmp", "new");
             script.fileAnswers.push_back({IDOK, ChosenPath("new.bmp")});
         },
         IDC_SELECT_SPLASH},
        {"picture default",
         [](ScriptedResponder&, CWnd&) {
             WriteBytes("config/bg.jpg", "replaced");
             WriteBytes("config/bg.jpg.bak", "original");
         },
         IDC_DEFAULT_BACKGROUND},
        {"colour select",
         [](ScriptedResponder& script, CWnd&) {
             WriteBytes("config/static.ini", "[trademark]\r\ntransparent=65280\r\n");
             script.colorAnswers.push_back({IDOK, 0x000000FF});
         },
         IDC_SELECT_TRANSPARENT_COLOR},
        {"colour default", [](ScriptedResponder&, CWnd&) {}, IDC_DEFAULT_TRANSPARENT_COLOR},
        {"shortcut name over an existing file",
         [](ScriptedResponder&, CWnd&) {
             WriteBytes(u8"软件名称.txt", tw_test::Utf16LeFile(u"旧名称"));
         },
         IDC_SAVE_SHORTCUT_NAME},
        {"default shortcut name, no file yet", [](ScriptedResponder&, CWnd&) {},
         IDC_DEFAULT_SHORTCUT_NAME},
        {"flag written", [](ScriptedResponder&, CWnd&) {}, IDC_NO_SHORTCUT},
        {"flag deleted",
         [](ScriptedResponder&, CWnd& shown) {
             WriteBytes("config/noLocalizeIco.txt", "1");
             shown.GetDlgItem(IDC_NO_SHORTCUT)->SendMessage(BM_SETCHECK, BST_CHECKED);
         },
         IDC_NO_SHORTCUT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        c.prepare(responder, *dialog);
        const std::u16string colorShown = ControlText(IDC_TRANSPARENT_COLOR);
        const auto before = ProductFiles();
        MakeProductReadOnly();

        Click(c.click);
        EXPECT_EQ(Messages(), std::vector<std::u16string>{u"操作失败"});
        EXPECT_EQ(ProductFiles(), before);
        EXPECT_EQ(ControlText(IDC_TRANSPARENT_COLOR), colorShown);
    }
}

}  // namespace
