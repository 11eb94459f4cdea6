#include "settings/settings_file.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "settings/settings.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace brivo::settings {

std::filesystem::path settingsFilePath(const char* xdgConfigHome, const char* home)
{
    std::filesystem::path base;
    if (xdgConfigHome != nullptr && *xdgConfigHome != '\0')
        base = xdgConfigHome;
    else
        base = std::filesystem::path(home != nullptr ? home : "") / ".config";
    return base / "ZORVANE" / "BRIVO.reg";
}

Result<RegistryFile> readSettingsFile(const std::filesystem::path& path)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return RegistryFile{};
    // A settings file has no business being large; a huge one is refused
    // rather than read into memory.
    Result<std::string> bytes = readFileBytes(path, std::uintmax_t{64} * 1024 * 1024);
    if (!bytes && bytes.error().code == ErrorCode::TooLong)
        return fail(ErrorCode::ReadFailed, std::string(messages::kSettingsTooLarge));
    if (!bytes)
        return bytes.error();
    return parseRegistryFile(*bytes);
}

Result<std::filesystem::path> setAsideSettingsFile(const std::filesystem::path& path, std::int64_t now)
{
    std::filesystem::path aside = path;
    aside += ".illisible";
    std::error_code error;
    if (std::filesystem::exists(aside, error)) {
        aside = path;
        aside += ".illisible-" + std::to_string(now);
    }
    std::filesystem::rename(path, aside, error);
    if (error)
        return fail(ErrorCode::WriteFailed, systemErrorText(error));
    return aside;
}

Result<void> writeSettingsFile(const std::filesystem::path& path, const RegistryFile& file)
{
    const std::filesystem::path folder = path.parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::exists(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (error)
            return fail(ErrorCode::CreateFailed, systemErrorText(error));
        chmod(folder.c_str(), 0700);
    }
    return writeFileAtomically(path, writeRegistryFile(file, valueNames()));
}

Result<void> removeSettingsFile(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        return fail(ErrorCode::WriteFailed, systemErrorText(error));
    return {};
}

} // namespace brivo::settings
