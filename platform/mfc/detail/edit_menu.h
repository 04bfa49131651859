// The context menu of a Windows edit control.
#pragma once

#include <memory>

class QMenu;
class QWidget;

namespace mfc_detail {

// The menu for a QLineEdit or QPlainTextEdit as a Windows edit shows it: 撤消, 剪切, 复制,
// 粘贴, 删除, 全选 (no redo), each enabled when it can act: undo, cut, paste and delete
// not in a read-only edit; cut, copy and delete with a selection; paste with text on
// the clipboard; select all unless the whole text is selected already.
std::unique_ptr<QMenu> MakeEditMenu(QWidget* edit);

}  // namespace mfc_detail
