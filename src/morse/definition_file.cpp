#include "morse/definition_file.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace brivo {

Result<DefinitionFileState> ensureDefinitionFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return DefinitionFileState::AlreadyPresent;
    // Written whole beside it, then put in place, never over a file that
    // appeared since the test above: a failure leaves no file at all, so
    // the next start tries again instead of reading an empty table.
    Result<ReplacementFile> file = ReplacementFile::create(path);
    if (!file)
        return file.error();
    if (Result<void> written = file->write(defaultDefinitionContent()); !written)
        return written.error();
    if (const Result<void> committed = file->commitNew(true); !committed)
        return committed.error();
    return DefinitionFileState::Created;
}

Result<MorseTable> loadDefinitionFile(const std::filesystem::path& path)
{
    Result<std::string> read = readFileBytes(path);
    if (!read)
        return read.error();
    return tableFromContent(*read);
}

} // namespace brivo
