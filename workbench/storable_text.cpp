#include "workbench/storable_text.h"

#include "platform/win32/profile.h"

std::u16string_view StoredTranslation(std::u16string_view typed) {
    if (typed.ends_with(u"\r\n")) {
        typed.remove_suffix(2);
    } else if (typed.ends_with(u'\n')) {
        typed.remove_suffix(1);
    }
    return typed;
}

const char16_t* TranslationRefusal(std::u16string_view stored) {
    switch (ValueFault(stored)) {
        case ProfileTextFault::kNone:
            return nullptr;
        case ProfileTextFault::kLineBreak:
            return u"翻译结果不能换行，请删除换行后再确认！";
        case ProfileTextFault::kBlankEnd:
            return u"翻译结果的开头和结尾不能是空格或制表符，请删除后再确认！";
        default:
            return u"翻译结果不能整个放在一对引号里，请修改后再确认！";
    }
}

const char16_t* LiteralKeyRefusal(std::u16string_view literal) {
    switch (KeyFault(literal)) {
        case ProfileTextFault::kNone:
            return nullptr;
        case ProfileTextFault::kEqualsSign:
            return u"这段文字含有“=”，它的翻译无法保存！";
        case ProfileTextFault::kHeaderStart:
            return u"这段文字以“[”开头，它的翻译无法保存！";
        case ProfileTextFault::kLineBreak:
            return u"这段文字含有换行，它的翻译无法保存！";
        default:
            return u"这段文字的开头或结尾是空格或制表符，它的翻译无法保存！";
    }
}
