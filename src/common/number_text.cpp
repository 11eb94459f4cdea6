#include "common/number_text.h"

#include <algorithm>
#include <charconv>
#include <locale>
#include <sstream>

namespace brivo {
namespace {

std::string withSeparator(std::string text, char separator)
{
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

} // namespace

std::string decimalText(double value, char separator)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value;
    return withSeparator(text.str(), separator);
}

std::string exactText(double value)
{
    std::string text(32, '\0');
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

std::string fixedText(double value, int digits, char separator)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.setf(std::ios::fixed);
    text.precision(digits);
    text << value;
    return withSeparator(text.str(), separator);
}

} // namespace brivo
