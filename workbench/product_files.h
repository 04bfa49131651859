// The host product's configuration and personalisation files that several handlers
// share, and the outcome messages of the tool.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/text_conversion.h"

inline constexpr char16_t kStaticIni[] = u".\\config\\static.ini";
inline constexpr char16_t kProductConfiguration[] = u".\\drovak.conf";
inline constexpr char16_t kShortcutNameFile[] = u".\\软件名称.txt";
// The same name in GBK, for the narrow file calls.
inline constexpr char kShortcutNameFileAnsi[] = ".\\\xC8\xED\xBC\xFE\xC3\xFB\xB3\xC6.txt";
inline constexpr char16_t kDefaultShortcutName[] = u"Corvantis";
inline constexpr char kNoShortcutFlagFile[] = ".\\config\\noLocalizeIco.txt";

inline constexpr char16_t kOperationFailed[] = u"操作失败";
inline constexpr char16_t kSucceededRestart[] = u"操作成功，请重新启动软件！";

// The transparent colour (COLORREF 0x00BBGGRR) as "%ld" prints it: the stored 32-bit
// value, signed.
inline std::u16string TransparentColorText(std::uint32_t color) {
    return WidenAscii(std::to_string(static_cast<std::int32_t>(color)));
}
