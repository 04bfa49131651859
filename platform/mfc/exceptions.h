// The class library's exceptions. They are thrown by value and caught by reference.
#pragma once

#include <cstddef>
#include <new>

#include "platform/mfc/cstring.h"

class CException {
  public:
    virtual ~CException() = default;
};

// An allocation that failed.
class CMemoryException : public CException {};

class CFileException : public CException {
  public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(int cause = none, long osError = -1, CString fileName = CString())
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};

// An array of count value-initialised elements, from the array form of new; released
// with delete[]. A failed allocation raises CMemoryException.
template <typename T>
T* AfxNewArray(std::size_t count) {
    T* array = new (std::nothrow) T[count]();
    if (array == nullptr) {
        throw CMemoryException();
    }
    return array;
}
