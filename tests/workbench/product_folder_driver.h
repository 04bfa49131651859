// Test helpers for the dialog's operations on a product folder: the fixture folder, a
// snapshot of every file, profile values, and the dialog's controls driven offscreen.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <QWidget>
#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/mfc/list_ctrl.h"
#include "platform/mfc/message_box.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"

namespace tw_test {

// The product folder of the fixtures, copied into the current directory: a "936"
// product with a translation file, a pending file, a full resource list, the data files
// and one converted settings file.
inline void CopyProductFixture() {
    std::filesystem::copy(TW_FIXTURES "/language_switch/product", ".",
                          std::filesystem::copy_options::recursive);
}

inline std::string FixtureBytes(const std::string& path) {
    return ReadBytes(TW_FIXTURES "/language_switch/product/" + path);
}

// Every file under the current directory, by relative path ("config/res.txt").
using Snapshot = std::map<std::string, std::string>;

inline Snapshot TakeSnapshot() {
    Snapshot files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
        if (entry.is_regular_file()) {
            files[std::filesystem::relative(entry.path(), ".").generic_string()] =
                ReadBytes(entry.path());
        }
    }
    return files;
}

inline std::u16string ProfileValue(const char16_t* section, const char16_t* key,
                                   const char16_t* file) {
    std::array<char16_t, 256> buffer{};
    GetPrivateProfileStringW(section, key, u"<missing>", buffer.data(),
                             static_cast<DWORD>(buffer.size()), file);
    return buffer.data();
}

inline void Click(const CWnd& dialog, int id) {
    QTest::mouseClick(WidgetOfControl(dialog.m_hWnd, id), Qt::LeftButton);
}

// Types the text key by key; QTest's own typing knows ASCII keys only.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The texts of one column of a list control, row by row.
inline std::vector<std::u16string> ListColumn(const CListCtrl& list, int column) {
    std::vector<std::u16string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        texts.push_back(list.GetItemText(row, column).str());
    }
    return texts;
}

// The selected rows of a list control, in order.
inline std::vector<int> SelectedRows(const CListCtrl& list) {
    std::vector<int> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemState(row, LVIS_SELECTED) != 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

// A click on a row of the dialog's translation list.
inline void ClickListRow(const CWnd& dialog, int row) {
    QApplication::processEvents();  // the list shows what the last reload put in
    auto* view = static_cast<QTableView*>(WidgetOfControl(dialog.m_hWnd, IDC_RESOURCE_LIST));
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// A dialog made with Create() hides when it is closed.
inline bool IsOpen(const CWnd& dialog) {
    return WidgetOfWindow(dialog.m_hWnd)->isVisible();
}

inline std::vector<std::u16string> Texts(const ScriptedResponder& responder) {
    std::vector<std::u16string> texts;
    for (const MessageBoxRequest& box : responder.messageBoxes) {
        texts.push_back(box.text);
    }
    return texts;
}

// Chooses the item of the language combo box whose code is given, with the keyboard as
// a user would; false when there is none.
inline bool ChooseLanguage(const CWnd& dialog, const std::u16string& code) {
    CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    auto* widget = static_cast<QComboBox*>(WidgetOfControl(dialog.m_hWnd, IDC_LANGUAGE));
    for (int i = 0; i < widget->count(); ++i) {
        const auto* itemCode = reinterpret_cast<const std::u16string*>(
            combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i)));
        if (*itemCode == code) {
            QTest::keyClick(widget, Qt::Key_Home);
            for (int down = 0; down < i; ++down) {
                QTest::keyClick(widget, Qt::Key_Down);
            }
            return widget->currentIndex() == i;
        }
    }
    return false;
}

}  // namespace tw_test
