// The class library's stream file class, on the C runtime stand-in.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/mfc/exceptions.h"
#include "platform/win32/win_types.h"

namespace crt {
struct FILE;
}

class CStdioFile {
  public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    // Closes a file still open, without reporting a failure.
    ~CStdioFile();

    // Opens the file; modeCreate creates it or empties it. FALSE when it cannot be
    // opened (then *error, when given, says why). Sharing flags have no effect here.
    BOOL Open(const char16_t* fileName, UINT openFlags, CFileException* error = nullptr);

    // Writes count bytes; CFileException (genericException) when fewer were stored.
    void Write(const void* buffer, UINT count);

    // Closes the file; CFileException (diskFull) when buffered data could not be stored.
    void Close();

  private:
    crt::FILE* m_pStream = nullptr;
    CString m_strFileName;
};
