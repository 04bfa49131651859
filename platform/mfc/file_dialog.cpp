#include "platform/mfc/file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "platform/mfc/detail/dialog_responder.h"
#include "platform/mfc/detail/file_filter.h"
#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/detail/window.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/native_path.h"

namespace {

std::u16string TextOrEmpty(const char16_t* text) {
    return text != nullptr ? std::u16string(text) : std::u16string();
}

QStringList NameFilters(const std::u16string& filter) {
    QStringList filters;
    for (const std::u16string& one : mfc_detail::QtNameFilters(filter)) {
        filters.append(mfc_detail::ToQString(one));
    }
    return filters;
}

// Qt's dialog, modal to the application. It leaves the current directory alone, as
// OFN_NOCHANGEDIR would.
FileDialogAnswer ShowQtFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(request.openFileDialog ? QFileDialog::AcceptOpen
                                                : QFileDialog::AcceptSave);
    dialog.setFileMode(request.openFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setWindowTitle(request.openFileDialog ? QStringLiteral("打开")
                                                 : QStringLiteral("另存为"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // Qt drops the leading dot itself.
    dialog.setDefaultSuffix(mfc_detail::ToQString(request.defaultExtension));
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(mfc_detail::ToQString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {IDCANCEL, {}};
    }
    const QByteArray native = QFile::encodeName(dialog.selectedFiles().constFirst());
    return {IDOK, win32::NativePathToWide(
                      std::string_view(native.constData(), static_cast<size_t>(native.size())))};
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char16_t* defaultExtension,
                         const char16_t* fileName, DWORD flags, const char16_t* filter, CWnd*,
                         DWORD, BOOL)
    : request_{openFileDialog, TextOrEmpty(defaultExtension), TextOrEmpty(fileName), flags,
               TextOrEmpty(filter)} {}

INT_PTR CFileDialog::DoModal() {
    mfc_detail::EnsureGuiApplication();
    DialogResponder* responder = mfc_detail::InstalledResponder();
    const FileDialogAnswer answer =
        responder != nullptr ? responder->AnswerFileDialog(request_) : ShowQtFileDialog(request_);
    if (answer.result != IDOK) {
        return IDCANCEL;
    }
    pathName_ = answer.pathName;
    return IDOK;
}

CString CFileDialog::GetPathName() const {
    return CString(pathName_);
}
