// Data-dictionary literals that the profile files take as keys like any other, through the
// real dialog: confirmed, stored once under the literal, and found again by the reload.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "platform/mfc/resource_module.h"
#include "resources/resource.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "tests/support/widget_access.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/tarnwell_dlg.h"

namespace {

using tw_test::ReadBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

// A product in a language that lists the data dictionary: one literal in data.sql (GBK),
// one interface text in the pending file.
class LiteralKeys : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TarnwellResources());
        WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=1252\r\n");
        WriteBytes("config/res.todo.txt", Utf16LeFile(u"[str]\r\n0000000001=打开\r\n"));
    }

    void Open(const std::string& literalGbk) {
        WriteBytes("data/data.sql", "INSERT INTO t VALUES (1, '" + literalGbk + "');\r\n");
        dialog_ = std::make_unique<CTarnwellDlg>();
        ASSERT_TRUE(dialog_->Create());
        WidgetOfWindow(dialog_->m_hWnd)->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOfWindow(dialog_->m_hWnd)));
    }

    QWidget* Control(int id) { return WidgetOfControl(dialog_->m_hWnd, id); }

    std::vector<std::u16string> Column(int column) {
        return tw_test::ListColumn(dialog_->m_list, column);
    }

    // Replaces the text of the translation edit, as typed, and presses Enter.
    void Confirm(const QString& text) {
        QWidget* edit = Control(IDC_TRANSLATION);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        tw_test::Type(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    tw_test::TempFolder folder_;
    ScriptedResponder responder_;
    ScopedDialogResponder scoped_{responder_};
    std::unique_ptr<CTarnwellDlg> dialog_;
};

using Texts = std::vector<std::u16string>;

TEST_F(LiteralKeys, ALiteralStartingWithASemicolonIsStoredOnceAndFoundAgain) {
    Open(";\xCE\xC4");  // ;文
    ASSERT_EQ(Column(1), (Texts{u";文", u"打开\n"}));
    // Confirmed first in the pending view, then twice more in the translated view.
    struct Step {
        int viewButton;
        const char* typed;
    } const steps[] = {
        {IDC_SHOW_PENDING, "B"}, {IDC_SHOW_TRANSLATED, "C"}, {IDC_SHOW_TRANSLATED, "D"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed);
        QTest::mouseClick(Control(step.viewButton), Qt::LeftButton);
        tw_test::ClickListRow(*dialog_, 0);
        ASSERT_EQ(dialog_->m_current.text, u";文");
        Confirm(step.typed);
        const std::u16string typed = QString(step.typed).toStdU16String();
        EXPECT_EQ(ReadBytes("data/data.ini"), Utf16LeFile(u"[str]\r\n;文=" + typed + u"\r\n"));
        QTest::mouseClick(Control(IDC_SHOW_PENDING), Qt::LeftButton);
        EXPECT_EQ(Column(1), Texts{u"打开\n"}) << "translated, so no longer pending";
        QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
        EXPECT_EQ(Column(1), Texts{u";文"});
        EXPECT_EQ(Column(2), Texts{typed});
    }
    EXPECT_TRUE(responder_.messageBoxes.empty());
}

}  // namespace
