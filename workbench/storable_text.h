// What a translation file can hold as a key or a value of a key "=" value line, so that
// the profile reads, the host product's among them, give back the text as it was typed.
#pragma once

#include <string_view>

// The form of a typed translation that is stored: without one final line break (LF or
// CR LF), which is the end of the line it is stored on. The translated view shows every
// stored translation with that line break.
std::u16string_view StoredTranslation(std::u16string_view typed);

// Why the stored form of a translation cannot be a profile value as it stands, as the
// message to show: a line break in it would end the line there, blanks or tabs at its
// ends are trimmed on reading, and one pair of matching quotes around it is removed.
// Null when it can.
const char16_t* TranslationRefusal(std::u16string_view stored);

// Why a data-dictionary literal cannot be a profile key as it stands, as the message to
// show: a key ends at its first "=", a line starting with "[" is a section header, a
// line break ends the line, and blanks or tabs at its ends are trimmed. Null when it can.
const char16_t* LiteralKeyRefusal(std::u16string_view literal);
