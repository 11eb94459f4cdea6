#pragma once

#include "common/result.h"
#include "morse/morse_table.h"

#include <optional>
#include <string>

namespace brivo::cli {

// A text file of the user's (a text sent, a copy, an order): read as UTF-8
// when it is, else as Windows-1252 (a byte-order mark says UTF-16). Fails
// with the program's read message: ReadFailed with the system's reason, or
// TooLong over 16 MB.
Result<std::string> readUserText(const std::string& path);

// The code table the tools use: the file given by --table, else
// Codmorse.INI of the current folder when there is one, else the built-in
// table. The file is never created. A file that cannot be read fails
// (ReadFailed) with the program's open-failure message and its reason.
Result<MorseTable> readCodeTable(const std::optional<std::string>& tableOption);

} // namespace brivo::cli
