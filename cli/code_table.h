#pragma once

#include "common/result.h"
#include "morse/morse_table.h"

#include <optional>
#include <string>

namespace brivo::cli {

// The code table the tools use: the file given by --table, else
// Codmorse.INI of the current folder when there is one, else the built-in
// table. The file is never created. A file that cannot be read fails
// (ReadFailed) with the described open-failure message and its reason.
Result<MorseTable> readCodeTable(const std::optional<std::string>& tableOption);

} // namespace brivo::cli
