#include "common/word_escape.h"

namespace brivo {

std::string escapeBlanks(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out += c == '%' ? std::string("%25") : c == ' ' ? std::string("%20") : std::string(1, c);
    return out;
}

std::string unescapeBlanks(std::string_view word)
{
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word.substr(i, 3) == "%20" || word.substr(i, 3) == "%25") {
            out += word[i + 2] == '0' ? ' ' : '%';
            i += 2;
        } else {
            out += word[i];
        }
    }
    return out;
}

} // namespace brivo
