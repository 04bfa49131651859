// A switch from "936" to "950" killed at random moments: the product folder must be found
// either wholly as before or wholly as after (the temporaries of a replacement aside).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "platform/mfc/message_box.h"
#include "platform/mfc/resource_module.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/killed_child.h"
#include "tests/support/temp_folder.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/language_selection.h"
#include "workbench/tarnwell_dlg.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tw_test::Snapshot;

constexpr int kSettingsFiles = 150;
constexpr int kRounds = 100;

// The fixture product with a few hundred small GBK settings and SQL files, so that the
// conversion takes a measurable time.
void WriteProduct(const fs::path& root) {
    fs::copy(TW_FIXTURES "/language_switch/product", root, fs::copy_options::recursive);
    const char* folders[] = {"config", "config/ui", "configset", "sql"};
    std::string text;
    for (int line = 0; line < 100; ++line) {
        text += "key" + std::to_string(line) + "=\xBA\xF3\xCC\xA8\xBC\xF2\xCC\xE5\r\n";  // 后台简体
    }
    for (int i = 0; i < kSettingsFiles; ++i) {
        const std::string folder = folders[i % std::size(folders)];
        const char* extension = folder == "sql" ? ".sql" : ".ini";
        tw_test::WriteBytes(root / folder / ("file" + std::to_string(i) + extension), text);
    }
}

// The folder's files, the temporaries of a replacement left out.
Snapshot ProductFiles() {
    Snapshot files = tw_test::TakeSnapshot();
    std::erase_if(files, [](const auto& file) { return file.first.ends_with(".tarnwell-new"); });
    return files;
}

class LanguageSwitchKillTest : public testing::Test {
  protected:
    void SetUp() override { AfxSetResourceHandle(TarnwellResources()); }

    // A fresh copy of the product in work, made the current directory.
    void FreshProduct() {
        fs::current_path(folder_.path());
        fs::remove_all(work_);
        fs::copy(original_, work_, fs::copy_options::recursive);
        fs::current_path(work_);
    }

    tw_test::TempFolder folder_;
    const fs::path original_ = folder_.path() / "original";
    const fs::path work_ = folder_.path() / "work";
};

TEST_F(LanguageSwitchKillTest, AKilledSwitchLeavesTheProductWhole) {
    WriteProduct(original_);
    FreshProduct();
    const Snapshot before = ProductFiles();

    // One dialog, made before the children: each child presses "应用" on its own copy.
    ScriptedResponder responder;
    ScopedDialogResponder scoped(responder);
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    SelectLanguageByCode(dialog, u"950");
    const auto apply = [&dialog] { dialog.OnApplyLanguage(); };

    // The whole switch, to learn what it leaves and how long it takes at least.
    auto duration = std::chrono::steady_clock::duration::max();
    Snapshot after;
    for (int run = 0; run < 3; ++run) {
        FreshProduct();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(tw_test::RunInChild(apply, std::nullopt));
        duration = std::min(duration, std::chrono::steady_clock::now() - start);
        after = ProductFiles();
    }
    ASSERT_NE(after, before);
    ASSERT_EQ(
        tw_test::ProfileValue(u"translate", u"system-language-code", u".\\config\\static.ini"),
        u"950");

    std::mt19937 random(1433);
    std::uniform_int_distribution<std::int64_t> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count());
    int whole = 0;
    int killedBefore = 0;
    for (int round = 0; round < kRounds; ++round) {
        FreshProduct();
        tw_test::RunInChild(apply, std::chrono::microseconds(delay(random)));
        const Snapshot found = ProductFiles();
        if (found == before) {
            ++whole;
            ++killedBefore;
        } else if (found == after) {
            ++whole;
        }
    }
    const double percent = 100.0 * whole / kRounds;
    std::cout << "killed switch: " << whole << " of " << kRounds << " rounds whole (" << percent
              << " %; " << killedBefore << " as before, " << whole - killedBefore
              << " as after); switch "
              << std::chrono::duration<double, std::milli>(duration).count() << " ms\n";
    RecordProperty("whole_percent", std::to_string(percent));
    EXPECT_GE(percent, 95.0);
}

}  // namespace
