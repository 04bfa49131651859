#include "workbench/tarnwell_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "resources/tarnwell_resources.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A development tree: "product" is the current directory, its lists in
// ../depends/config.
void MakeDevelopmentTree() {
    fs::create_directories("depends/config");
    fs::create_directories("product");
    tw_test::WriteBytes("depends/config/res.code.gbk.txt", "login=\xB5\xC7\xC2\xBC\r\n");
    tw_test::WriteBytes("depends/config/res.dlg.gbk.txt", "101=queding\r\n");
    tw_test::WriteBytes("depends/config/res.py2hz.gbk.txt",
                        "[str]\r\nqueding=\xC8\xB7\xB6\xA8\r\n");
    fs::current_path("product");
}

int Start(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return AfxWinMain(TarnwellResources(), static_cast<int>(arguments.size()), argv.data());
}

TEST(TarnwellApp, TheOneApplicationObject) {
    EXPECT_EQ(AfxGetApp(), &theApp);
}

TEST(TarnwellApp, AnyArgumentRunsTheGeneratorWithoutAWindow) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"one argument", {"tarnwell", "x"}},
        {"two arguments", {"tarnwell", "--anything", "y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        MakeDevelopmentTree();
        EXPECT_EQ(Start(c.arguments), 0);
        EXPECT_TRUE(fs::exists("../depends/config/res.todo.all"));
        EXPECT_TRUE(fs::exists("../depends/config/res.py2hz.txt"));
        // No window: not even the GUI application was made.
        EXPECT_EQ(QCoreApplication::instance(), nullptr);
    }
}

TEST(TarnwellApp, AFailedGeneratorRunGivesExitStatusOne) {
    tw_test::TempFolder folder;  // no ../depends/config
    EXPECT_EQ(Start({"tarnwell", "x"}), 1);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(TarnwellApp, NoArgumentRunsTheDialogUntilItIsClosed) {
    tw_test::TempFolder folder;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "tarnwell";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QString caption;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        dialog->close();
    });
    EXPECT_EQ(Start({"tarnwell"}), 0);
    EXPECT_EQ(caption, QString("翻译及个性化"));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

}  // namespace
