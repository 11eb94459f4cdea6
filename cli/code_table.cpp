#include "cli/code_table.h"

#include "common/messages.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"

#include <filesystem>

namespace brivo::cli {

Result<MorseTable> readCodeTable(const std::optional<std::string>& tableOption)
{
    std::string path;
    if (tableOption) {
        path = *tableOption;
    } else {
        std::error_code ignored;
        if (!std::filesystem::exists(std::string(definitions::kFileName), ignored))
            return definitions::tableFromContent(definitions::defaultFileContent());
        path = std::string(definitions::kFileName);
    }
    Result<MorseTable> loaded = definitions::loadDefinitionFile(path);
    if (!loaded)
        return fail(ErrorCode::ReadFailed, messages::cannotRead(path, loaded.error().message));
    return loaded;
}

} // namespace brivo::cli
