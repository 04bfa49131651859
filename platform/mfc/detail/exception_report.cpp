#include "platform/mfc/detail/exception_report.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/mfc/exceptions.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/native_path.h"

namespace mfc_detail {
namespace {

std::u16string DescribeFileException(const CFileException& e) {
    const std::u16string name = e.m_strFileName.str();
    switch (e.m_cause) {
        case CFileException::fileNotFound:
            return u"找不到文件“" + name + u"”。";
        case CFileException::accessDenied:
            return u"拒绝访问文件“" + name + u"”。";
        case CFileException::diskFull:
            return u"磁盘已满，无法写入文件“" + name + u"”。";
        default:
            return u"访问文件“" + name + u"”时发生错误。";
    }
}

std::u16string DescribeCurrentException() {
    try {
        throw;
    } catch (const CMemoryException&) {
        return u"内存不足。";
    } catch (const CFileException& e) {
        return DescribeFileException(e);
    } catch (const CException&) {
        return u"发生了未知错误。";
    } catch (const std::bad_alloc&) {
        return u"内存不足。";
    } catch (const std::exception& e) {
        return u"发生了意外错误：" + win32::Utf8ToUtf16(e.what());
    } catch (...) {
        return u"发生了未知错误。";
    }
}

}  // namespace

void ReportCurrentException() {
    const std::u16string text = DescribeCurrentException();
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace mfc_detail
