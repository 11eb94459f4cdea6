#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brivo {

// The words of a one-line settings value ("format=mp3 quality=5
// list=/home/a%20b/x.txt").

// A value kept as one word: "%" and blanks escaped as %25 and %20, and back.
std::string escapeBlanks(std::string_view text);
std::string unescapeBlanks(std::string_view word);

// Each "key=value" word of `line`, in order, to `take`; words without "="
// are skipped. The word whose key is `lastKey` (when given) takes the rest
// of the line as its value, blanks and all, and ends it.
void forEachSetting(std::string_view line, std::string_view lastKey,
                    const std::function<void(std::string_view key, std::string_view value)>& take);

// The value read whole as a number within [low, high]; nothing otherwise.
// A decimal comma is read as a point.
std::optional<int> wholeInteger(std::string_view value, int low, int high);
std::optional<double> wholeNumber(std::string_view value, double low, double high);

} // namespace brivo
