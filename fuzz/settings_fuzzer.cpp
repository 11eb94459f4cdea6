// Feeds arbitrary text to the settings file reader and the load rules: no
// crash, no hang, and what is read writes back to a file that reads the
// same; the reception conditions line it holds reads back the same once
// written.
#include "reception/conditions_text.h"
#include "settings/registry_file.h"
#include "settings/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo::settings;
    const RegistryFile file = parseRegistryFile(std::string_view(reinterpret_cast<const char*>(data), size));
    Settings settings;
    (void)load(file, {1280, 1024}, settings);
    using brivo::reception::conditionsText;
    using brivo::reception::parseConditionsText;
    const std::string conditions = conditionsText(parseConditionsText(settings.conditions));
    if (conditionsText(parseConditionsText(conditions)) != conditions)
        std::abort();
    const RegistryFile again = parseRegistryFile(writeRegistryFile(file, valueNames()));
    if (again.entries.size() != file.entries.size())
        std::abort();
    for (const Entry& entry : file.entries) {
        const Value* value = again.find(entry.name);
        if (value == nullptr || !(*value == entry.value))
            std::abort();
    }
    return 0;
}
