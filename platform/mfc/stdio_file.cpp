#include "platform/mfc/stdio_file.h"

#include <cerrno>

#include "platform/win32/crt_file.h"

namespace {

// The runtime library's mode for the flags; null for a combination not supported.
const char16_t* StreamMode(UINT flags) {
    const bool binary = (flags & CStdioFile::typeBinary) != 0;
    const bool create = (flags & CStdioFile::modeCreate) != 0;
    switch (flags & 3) {
        case CStdioFile::modeRead:
            return binary ? u"rb" : u"r";
        case CStdioFile::modeWrite:
            return create ? (binary ? u"wb" : u"w") : (binary ? u"r+b" : u"r+");
        case CStdioFile::modeReadWrite:
            return create ? (binary ? u"w+b" : u"w+") : (binary ? u"r+b" : u"r+");
        default:
            return nullptr;
    }
}

int CauseOf(int error) {
    switch (error) {
        case ENOENT:
            return CFileException::fileNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return CFileException::accessDenied;
        case EMFILE:
        case ENFILE:
            return CFileException::tooManyOpenFiles;
        case ENOSPC:
            return CFileException::diskFull;
        default:
            return CFileException::genericException;
    }
}

}  // namespace

CStdioFile::~CStdioFile() {
    if (m_pStream != nullptr) {
        crt::fclose(m_pStream);
    }
}

BOOL CStdioFile::Open(const char16_t* fileName, UINT openFlags, CFileException* error) {
    const char16_t* mode = StreamMode(openFlags);
    m_strFileName = fileName;
    m_pStream = mode != nullptr ? crt::_wfopen(fileName, mode) : nullptr;
    if (m_pStream == nullptr) {
        if (error != nullptr) {
            *error = CFileException(CauseOf(mode != nullptr ? errno : EINVAL), errno, fileName);
        }
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::Write(const void* buffer, UINT count) {
    if (count != 0 && crt::fwrite(buffer, 1, count, m_pStream) != count) {
        throw CFileException(CFileException::genericException, errno, m_strFileName);
    }
}

void CStdioFile::Close() {
    crt::FILE* stream = m_pStream;
    m_pStream = nullptr;
    if (stream != nullptr && crt::fclose(stream) != 0) {
        throw CFileException(CFileException::diskFull, errno, m_strFileName);
    }
}
