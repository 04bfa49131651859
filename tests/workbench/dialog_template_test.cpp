// Template 102 as the dialog shows it: every control with its id, kind, text,
// visibility and rectangle, the default button and the tab order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/tarnwell_resources.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"
#include "workbench/tarnwell_dlg.h"

namespace {

enum Kind { kDefaultButton, kButton, kCheck, kGroup, kLabel, kFrame, kLine, kMulti, kCombo, kList };

struct Control {
    int id;  // -1: none, found by its text
    Kind kind;
    const char* text;
    int x, y, w, h;
    bool visible = true;
    bool readOnly = false;
};

const char kLongNote[] =
    "代理商/工程商在本地安装软件后选择合适的主配置模板及扩展配置模板，以及进行其它各种配置的修改，"
    "如果有必要启用并完成目标语言的翻译后，直接将软件目录打包交付给最终客户即可。最终客户仍需要运行"
    "软件目录中的\"绿化及安装驱动\"批处理安装软件，具体安装方法参考“安装说明书”。";

// In template order, which is the tab order.
const std::vector<Control> kControls = {
    {1, kDefaultButton, "确定", 355, 81, 63, 33},
    {-1, kGroup,
     "Ａ.语言配置（启用翻译后选择目标语言并点击应用。继续使用软件就会自动生成待翻译资源。）", 6, 6,
     343, 30},
    {2876, kCombo, "", 218, 18, 77, 30},
    {1433, kButton, "应用", 300, 18, 43, 13},
    {1042, kList, "", 6, 135, 409, 219},
    {2879, kButton, "显示需要翻译的文字", 6, 121, 80, 13},
    {1037, kButton, "显示已经翻译的文字", 88, 121, 84, 13},
    {2877, kMulti, "", 6, 82, 165, 31, true, true},
    {-1, kLabel, "当前待翻译项目：", 6, 70, 56, 8},
    {2878, kMulti, "", 176, 82, 176, 31},
    {-1, kLabel, "输入翻译结果（回车确认翻译结果并移到下一项）：", 177, 70, 159, 8},
    {1019, kLine, "", 255, 121, 96, 13},
    {-1, kLabel, "快速过滤列表内容：", 178, 123, 63, 8},
    {2, kButton, "退出", 355, 9, 63, 27},
    {1032, kCheck, "启用翻译功能。要使用的语言（修改后需要重新启动软件）：", 17, 20, 199, 9},
    {1378, kLine, "0 records Found", 353, 121, 63, 13, true, true},
    {-1, kLabel,
     "Ｃ.选择记录并输入对应的翻译结果。对于数据字典中的静态数据，翻译后需要初始化数据库才生效。",
     11, 56, 335, 8},
    {-1, kFrame, "", 421, 7, 1, 347},
    {-1, kLabel, "启动画面：", 435, 22, 35, 8},
    {-1, kGroup, "个性化", 426, 7, 170, 347},
    {1001, kLine, ".\\config\\loading.bmp", 476, 20, 69, 14},
    {1002, kButton, "选择", 548, 20, 24, 14},
    {1003, kButton, "默认", 572, 20, 22, 14},
    {-1, kLabel, "背景图片：", 435, 38, 35, 8},
    {1004, kLine, ".\\config\\bg.jpg", 476, 36, 69, 14},
    {1005, kButton, "选择", 548, 36, 24, 14},
    {1006, kButton, "默认", 572, 36, 22, 14},
    {1007, kButton, "选择", 548, 52, 24, 14},
    {1008, kButton, "默认", 572, 52, 22, 14},
    {1009, kLine, "0", 476, 52, 69, 14},
    {-1, kLabel, "透明颜色：", 435, 55, 35, 8},
    {1010, kButton, "选择", 542, 245, 24, 14, false},
    {1011, kButton, "默认", 566, 245, 22, 14, false},
    {1012, kLine, ".\\web\\oss\\logo.gif", 470, 245, 69, 14, false},
    {-1, kLabel, "网页图片：", 429, 248, 35, 8, false},
    {1013, kButton, "选择", 548, 68, 24, 14},
    {1014, kButton, "默认", 572, 68, 22, 14},
    {1015, kLine, ".\\agent.bmp", 476, 68, 69, 14},
    {-1, kLabel, "代理图标：", 435, 71, 35, 8},
    {1020, kButton, "保存", 548, 98, 24, 14},
    {1021, kButton, "默认", 572, 98, 22, 14},
    {1022, kLine, "Corvantis", 476, 98, 69, 14},
    {-1, kLabel, "快捷方式：", 435, 101, 35, 8},
    {1023, kCheck, "安装后禁止在桌面生成“翻译及个性化”快捷方式", 432, 119, 159, 10},
    {-1, kLabel, kLongNote, 433, 144, 156, 55},
    {-1, kLabel, "Ｂ.默认只显示启动翻译功能后软件操作涉及到的资源。要显示所有待翻译资源请点", 11,
     41, 254, 8},
    {1024, kButton, "显示所有", 265, 38, 41, 14},
    {1025, kButton, "删除", 308, 38, 41, 14},
    {1026, kButton, "删除所有翻译结果", 356, 51, 60, 14},
};

int Round(int value, int base, int divisor) {
    return (value * base + divisor / 2) / divisor;
}

QString TextOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (const auto* m = qobject_cast<const QPlainTextEdit*>(w))
        return m->toPlainText();
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    return {};
}

bool IsKind(const QWidget* w, Kind kind) {
    const auto* button = qobject_cast<const QPushButton*>(w);
    switch (kind) {
        case kDefaultButton:
            return button != nullptr && button->isDefault();
        case kButton:
            return button != nullptr && !button->isDefault();
        case kCheck:
            return qobject_cast<const QCheckBox*>(w) != nullptr;
        case kGroup:
            return qobject_cast<const QGroupBox*>(w) != nullptr;
        case kLabel:
            return qobject_cast<const QLabel*>(w) != nullptr;
        case kFrame:
            return w->metaObject()->className() == QByteArray("QFrame");
        case kLine:
            return qobject_cast<const QLineEdit*>(w) != nullptr;
        case kMulti:
            return qobject_cast<const QPlainTextEdit*>(w) != nullptr;
        case kCombo:
            return qobject_cast<const QComboBox*>(w) != nullptr;
        case kList:
            return qobject_cast<const QTableView*>(w) != nullptr;
    }
    return false;
}

bool ReadOnly(const QWidget* w) {
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->isReadOnly();
    if (const auto* m = qobject_cast<const QPlainTextEdit*>(w))
        return m->isReadOnly();
    return false;
}

// A control without id: the direct child of its kind with the text.
QWidget* FindUnnamed(QWidget* dialog, const Control& c) {
    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (IsKind(w, c.kind) && TextOf(w) == QString::fromUtf8(c.text)) {
            return w;
        }
    }
    return nullptr;
}

class DialogTemplateTest : public testing::Test {
  protected:
    void SetUp() override {
        // The offscreen screen has 96 dots per inch, as a Windows screen at 100 %.
        ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96);
        AfxSetResourceHandle(TarnwellResources());
        ASSERT_TRUE(dialog.Create());
        window = WidgetOfWindow(dialog.m_hWnd);
    }
    QWidget* Find(const Control& c) {
        return c.id == -1 ? FindUnnamed(window, c) : WidgetOfControl(dialog.m_hWnd, c.id);
    }

    tw_test::TempFolder folder;
    CTarnwellDlg dialog;
    QWidget* window = nullptr;
    // The base units of 宋体 9 pt at 96 dots per inch, where "MS Shell Dlg" is 宋体.
    const int bx = 6;
    const int by = 12;
};

TEST_F(DialogTemplateTest, EveryControlWithItsKindTextVisibilityAndRectangle) {
    EXPECT_EQ(window->windowTitle(), QString("翻译及个性化"));
    EXPECT_EQ(window->size(), QSize(905, 542));  // 603 by 361 dialog units
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    for (const Control& c : kControls) {
        SCOPED_TRACE(std::string(c.text) + " / " + std::to_string(c.id));
        QWidget* w = Find(c);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(IsKind(w, c.kind));
        EXPECT_EQ(TextOf(w), QString::fromUtf8(c.text));
        EXPECT_EQ(w->isVisible(), c.visible);
        EXPECT_EQ(ReadOnly(w), c.readOnly);
        const QRect want(Round(c.x, bx, 4), Round(c.y, by, 8), Round(c.w, bx, 4),
                         Round(c.h, by, 8));
        if (c.kind == kCombo) {
            // The template's height includes the drop-down list.
            EXPECT_EQ(w->pos(), want.topLeft());
            EXPECT_EQ(w->width(), want.width());
            EXPECT_LE(w->height(), want.height());
        } else {
            EXPECT_EQ(w->geometry(), want);
        }
    }
}

// The lines of a static text wrapped at width, as the dialog draws it.
int WrappedLines(const QFont& font, const QString& text, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

TEST_F(DialogTemplateTest, TextsFitTheirControls) {
    const QFont font = window->font();
    const QFontMetrics metrics(font);
    // The ink of a line of the dialog's texts, where it stands inside the line height of
    // a static text, whose lines are centred on it.
    const QString sample = "Ａ.选择记录（翻译）：，。“个性化”records Found";
    const QRect ink = metrics.tightBoundingRect(sample);
    QTextLayout layout(sample, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int baseline = static_cast<int>(std::lround((by - line.height()) / 2 + line.ascent()));
    EXPECT_GE(baseline + ink.top(), 0);
    EXPECT_LE(baseline + ink.bottom(), by - 1);
    for (const Control& c : kControls) {
        if (c.kind != kLabel && c.kind != kButton && c.kind != kDefaultButton && c.kind != kCheck &&
            c.kind != kGroup) {
            continue;
        }
        SCOPED_TRACE(c.text);
        QWidget* w = Find(c);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->font(), font);
        const QString text = QString::fromUtf8(c.text);
        if (c.kind == kLabel) {
            // Every line shows whole: as many line heights as lines.
            EXPECT_LE(WrappedLines(font, text, w->width()) * by, w->height());
        } else {
            // One line, with room for the check box or the button's frame.
            const QStyle* style = w->style();
            const int margin =
                c.kind == kCheck
                    ? style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w)
                : c.kind == kGroup ? 12
                                   : 4;
            EXPECT_LE(metrics.horizontalAdvance(text) + margin, w->width());
            EXPECT_LE(ink.height(), w->height());
        }
    }
    // A list row holds a whole line.
    const auto* list = static_cast<QTableView*>(WidgetOfControl(dialog.m_hWnd, IDC_RESOURCE_LIST));
    EXPECT_GE(list->verticalHeader()->defaultSectionSize(), metrics.height());
    // The texts stay readable: the font is 10 pixels high, 5/6 of 宋体's 12.
    EXPECT_EQ(font.pixelSize(), 10);
}

TEST_F(DialogTemplateTest, TheDialogFitsALaptopScreen) {
    // With its frame; the offscreen screen draws none, so a Windows 10 dialog's caption
    // and borders (31 and 8 pixels) are reckoned in where the frame is smaller.
    const QSize frame = window->frameGeometry().size() - window->size();
    const QSize outer = window->size() + frame.expandedTo(QSize(2 * 8, 31 + 8));
    EXPECT_LE(outer.width(), 1366);
    EXPECT_LE(outer.height(), 720);
}

TEST_F(DialogTemplateTest, TabOrderIsTemplateOrderAndTheFirstTabStopHasTheFocus) {
    std::vector<QWidget*> stops;
    for (const Control& c : kControls) {
        if (c.id != -1 && c.kind != kGroup) {
            stops.push_back(Find(c));
        }
    }
    std::vector<QWidget*> chain;
    QWidget* w = stops.front();
    do {
        if (std::find(stops.begin(), stops.end(), w) != stops.end()) {
            chain.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != stops.front());
    EXPECT_EQ(chain, stops);
    for (QWidget* stop : stops) {
        EXPECT_EQ(stop->focusPolicy(), Qt::StrongFocus);
    }
    EXPECT_EQ(FindUnnamed(window, kControls[8])->focusPolicy(), Qt::NoFocus);  // a label

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), WidgetOfControl(dialog.m_hWnd, IDOK));
}

}  // namespace
