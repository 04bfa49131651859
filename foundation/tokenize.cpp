#include "foundation/tokenize.h"

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
