#pragma once

#include <string>
#include <string_view>

namespace brivo {

// A value kept as one word of a settings line ("list=/home/a%20b/x.txt"):
// "%" and blanks escaped as %25 and %20, and back.
std::string escapeBlanks(std::string_view text);
std::string unescapeBlanks(std::string_view word);

} // namespace brivo
