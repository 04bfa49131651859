#include "platform/mfc/detail/edit_menu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <functional>

namespace mfc_detail {
namespace {

// What the menu needs of either kind of edit.
struct EditOps {
    bool readOnly = false;
    bool canUndo = false;
    bool hasSelection = false;
    bool allSelected = false;
    std::function<void()> undo, cut, copy, paste, erase, selectAll;
};

EditOps OpsOf(QLineEdit* line) {
    return EditOps{line->isReadOnly(),       line->isUndoAvailable(),
                   line->hasSelectedText(),  line->selectedText().size() == line->text().size(),
                   [line] { line->undo(); }, [line] { line->cut(); },
                   [line] { line->copy(); }, [line] { line->paste(); },
                   [line] { line->del(); },  [line] { line->selectAll(); }};
}

EditOps OpsOf(QPlainTextEdit* multi) {
    const QTextCursor cursor = multi->textCursor();
    const int length = multi->document()->characterCount() - 1;
    return EditOps{multi->isReadOnly(),
                   multi->document()->isUndoAvailable(),
                   cursor.hasSelection(),
                   cursor.selectionStart() == 0 && cursor.selectionEnd() == length,
                   [multi] { multi->undo(); },
                   [multi] { multi->cut(); },
                   [multi] { multi->copy(); },
                   [multi] { multi->paste(); },
                   [multi] { multi->textCursor().removeSelectedText(); },
                   [multi] { multi->selectAll(); }};
}

void Add(QMenu& menu, const char16_t* text, bool enabled, std::function<void()> act) {
    QAction* action = menu.addAction(QString::fromUtf16(text));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu, std::move(act));
}

}  // namespace

std::unique_ptr<QMenu> MakeEditMenu(QWidget* edit) {
    EditOps ops;
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        ops = OpsOf(line);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(edit)) {
        ops = OpsOf(multi);
    } else {
        return nullptr;
    }
    const bool writable = !ops.readOnly;
    const bool canPaste = writable && !QGuiApplication::clipboard()->text().isEmpty();
    auto menu = std::make_unique<QMenu>();
    Add(*menu, u"撤消(&U)", writable && ops.canUndo, ops.undo);
    menu->addSeparator();
    Add(*menu, u"剪切(&T)", writable && ops.hasSelection, ops.cut);
    Add(*menu, u"复制(&C)", ops.hasSelection, ops.copy);
    Add(*menu, u"粘贴(&P)", canPaste, ops.paste);
    Add(*menu, u"删除(&D)", writable && ops.hasSelection, ops.erase);
    menu->addSeparator();
    Add(*menu, u"全选(&A)", !ops.allSelected, ops.selectAll);
    return menu;
}

}  // namespace mfc_detail
