#include "cli/input_files.h"

#include "common/file_io.h"
#include "common/messages.h"
#include "common/utf8.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"

#include <filesystem>

namespace brivo::cli {

Result<std::string> readUserText(const std::string& path)
{
    constexpr std::uintmax_t kMaxBytes = 16U << 20U;
    const Result<std::string> file = readFileBytes(path, kMaxBytes);
    if (!file) {
        if (file.error().code == ErrorCode::TooLong)
            return fail(ErrorCode::TooLong, messages::cannotRead(path, "il dépasse 16 Mo"));
        return fail(ErrorCode::ReadFailed, messages::cannotRead(path, file.error().message));
    }
    return textFileToUtf8(*file);
}

Result<MorseTable> readCodeTable(const std::optional<std::string>& tableOption)
{
    std::string path;
    if (tableOption) {
        path = *tableOption;
    } else {
        std::error_code ignored;
        if (!std::filesystem::exists(std::string(kDefinitionFileName), ignored))
            return tableFromContent(defaultDefinitionContent());
        path = std::string(kDefinitionFileName);
    }
    Result<MorseTable> loaded = loadDefinitionFile(path);
    if (!loaded)
        return fail(ErrorCode::ReadFailed, messages::cannotRead(path, loaded.error().message));
    return loaded;
}

} // namespace brivo::cli
