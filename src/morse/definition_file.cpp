#include "morse/definition_file.h"

#include "common/file_io.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"

#include <cstdio>
#include <system_error>

namespace brivo::definitions {

EnsureResult ensureDefinitionFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return EnsureResult::AlreadyPresent;

    // "x": never replace a file that appeared since the test above.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr)
        return EnsureResult::Failed;
    const std::string content = defaultFileContent();
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? EnsureResult::Created : EnsureResult::Failed;
}

LoadResult loadDefinitionFile(const std::filesystem::path& path)
{
    FileReadResult read = readFileBytes(path);
    if (!read.ok)
        return {std::nullopt, read.error};
    return {tableFromContent(read.content), {}};
}

} // namespace brivo::definitions
