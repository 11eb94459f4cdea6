#include "common/settings_words.h"

#include <algorithm>
#include <charconv>

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

void forEachSetting(std::string_view line, std::string_view lastKey,
                    const std::function<void(std::string_view key, std::string_view value)>& take)
{
    while (!line.empty()) {
        const std::size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        const std::size_t equals = word.find('=');
        if (equals != std::string_view::npos && !lastKey.empty() && word.substr(0, equals) == lastKey) {
            take(lastKey, line.substr(equals + 1));
            return;
        }
        line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        if (equals != std::string_view::npos)
            take(word.substr(0, equals), word.substr(equals + 1));
    }
}

std::optional<int> wholeInteger(std::string_view value, int low, int high)
{
    int read = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), read);
    if (error != std::errc{} || end != value.data() + value.size() || read < low || read > high)
        return std::nullopt;
    return read;
}

std::optional<double> wholeNumber(std::string_view value, double low, double high)
{
    std::string number(value);
    std::replace(number.begin(), number.end(), ',', '.');
    double read = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), read);
    if (error != std::errc{} || end != number.data() + number.size() || read < low || read > high)
        return std::nullopt;
    return read;
}

} // namespace brivo
