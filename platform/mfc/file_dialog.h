// The class library's file-selection dialog. The real program shows Qt's file dialog;
// an installed DialogResponder (message_box.h) answers in its place.
#pragma once

#include <string>

#include "platform/mfc/cstring.h"
#include "platform/mfc/window_types.h"

class CWnd;

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;

// What the dialog was set up with, as the caller gave it.
struct FileDialogRequest {
    BOOL openFileDialog;
    std::u16string defaultExtension;  // appended to a typed name without one
    std::u16string fileName;          // the name the dialog starts with
    DWORD flags;
    std::u16string filter;  // "description|patterns|...|", patterns joined by ";"
};

struct FileDialogAnswer {
    int result;               // IDOK or IDCANCEL
    std::u16string pathName;  // the chosen file's full path, Windows-style
};

class CFileDialog {
  public:
    // Null texts are empty. The parent, the structure size and the style are accepted
    // and not used: the dialog is modal to the application.
    explicit CFileDialog(BOOL openFileDialog, const char16_t* defaultExtension = nullptr,
                         const char16_t* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char16_t* filter = nullptr, CWnd* parent = nullptr, DWORD size = 0,
                         BOOL vistaStyle = TRUE);
    virtual ~CFileDialog() = default;

    // Runs the dialog: IDOK when the user chose a file, IDCANCEL otherwise. The
    // process's current directory is not changed.
    virtual INT_PTR DoModal();

    // The chosen file's full path (Windows-style); empty before a confirmed choice.
    CString GetPathName() const;

  private:
    FileDialogRequest request_;
    std::u16string pathName_;
};
