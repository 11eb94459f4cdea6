#include "morse/definition_file.h"

#include "common/file_io.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace brivo::definitions {

Result<FileState> ensureDefinitionFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return FileState::AlreadyPresent;
    // "x": never replace a file that appeared since the test above.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr)
        return fail(ErrorCode::CreateFailed, systemErrorText(errno));
    const std::string content = defaultFileContent();
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return fail(ErrorCode::WriteFailed, systemErrorText(written ? errno : writeError));
    return FileState::Created;
}

Result<MorseTable> loadDefinitionFile(const std::filesystem::path& path)
{
    Result<std::string> read = readFileBytes(path);
    if (!read)
        return read.error();
    return tableFromContent(*read);
}

} // namespace brivo::definitions
