#pragma once

#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "practice/copy_check.h"

namespace brivo::test {

// The built-in code table, read once.
inline const MorseTable& builtInTable()
{
    static const MorseTable table = tableFromContent(defaultDefinitionContent());
    return table;
}

// Whether the built-in table keys a character.
inline bool keyedByBuiltInTable(char32_t c)
{
    return practice::hasPattern(builtInTable(), c);
}

} // namespace brivo::test
