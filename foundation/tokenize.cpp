#include "foundation/tokenize.h"

#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"

std::vector<std::u16string> TokenizeToVector(CString text, CString separators) {
    std::vector<std::u16string> tokens;
    int position = 0;
    for (;;) {
        CString token = text.Tokenize(separators, position);
        token.TrimRight();
        token.TrimLeft();
        if (token.IsEmpty()) {
            return tokens;
        }
        tokens.push_back(token.str());
    }
}

std::vector<std::u16string> ReadGbkLines(const char* path) {
    const std::u16string text = MultiByteToWString(ReadTextFile(path).c_str(), 936);
    return TokenizeToVector(CString(text), CString(u"\r\n"));
}
