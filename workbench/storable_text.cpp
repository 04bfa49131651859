#include "workbench/storable_text.h"

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool HasBlankEnd(std::u16string_view text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

}  // namespace

std::u16string_view StoredTranslation(std::u16string_view typed) {
    if (typed.ends_with(u"\r\n")) {
        typed.remove_suffix(2);
    } else if (typed.ends_with(u'\n')) {
        typed.remove_suffix(1);
    }
    return typed;
}

const char16_t* TranslationRefusal(std::u16string_view stored) {
    if (stored.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return u"翻译结果不能换行，请删除换行后再确认！";
    }
    if (HasBlankEnd(stored)) {
        return u"翻译结果的开头和结尾不能是空格或制表符，请删除后再确认！";
    }
    if (stored.size() >= 2 && IsQuote(stored.front()) && stored.back() == stored.front()) {
        return u"翻译结果不能整个放在一对引号里，请修改后再确认！";
    }
    return nullptr;
}

const char16_t* LiteralKeyRefusal(std::u16string_view literal) {
    if (literal.find(u'=') != std::u16string_view::npos) {
        return u"这段文字含有“=”，它的翻译无法保存！";
    }
    if (literal.starts_with(u'[')) {
        return u"这段文字以“[”开头，它的翻译无法保存！";
    }
    if (HasBlankEnd(literal)) {
        return u"这段文字的开头或结尾是空格或制表符，它的翻译无法保存！";
    }
    return nullptr;
}
