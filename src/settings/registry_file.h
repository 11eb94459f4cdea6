#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::settings {

// A value as a registry key holds it: an integer (REG_DWORD), a text
// (REG_SZ) or an expandable text (REG_EXPAND_SZ, taken unexpanded).
struct Value {
    enum class Type { Integer, Text, ExpandableText };
    Type type = Type::Integer;
    std::int32_t integer = 0;
    std::string text; // UTF-8

    static Value ofInteger(std::int32_t value) { return {Type::Integer, value, {}}; }
    static Value ofText(std::string value) { return {Type::Text, 0, std::move(value)}; }
    bool isText() const { return type != Type::Integer; }
    bool operator==(const Value&) const = default;
};

struct Entry {
    std::string name;
    Value value;
    bool operator==(const Entry&) const = default;
};

// The key's values in file order, with the comment lines of the file.
// Names are compared without regard to case, as a registry does.
struct RegistryFile {
    std::vector<Entry> entries;
    std::vector<std::string> comments; // lines starting with ';', kept as they are
    std::vector<std::string> unread;   // lines that could not be read, kept as they are

    const Value* find(std::string_view name) const;
    // Replaces the value of that name, or adds it at the end.
    void set(std::string_view name, Value value);
};

// Value names are equal whatever the case of their ASCII letters.
bool equalNames(std::string_view a, std::string_view b);

// The quoted name a line starts with, if it starts with one.
std::optional<std::string> lineName(std::string_view line);

inline constexpr std::string_view kHeader = "[HKEY_CURRENT_USER\\Software\\ZORVANE\\BRIVO]";

// Reads the registry-export text: a header line, then one value a line,
//   "Frequence"=dword:00000063
//   "Serie_1"="QSDFG"          (\\ \" \r \n \t \0 escapes)
//   "Chemin"=expand:"..."
// Blanks around '=' and the type words in any case are accepted. Comments
// (';') are kept, blank lines and the header skipped, and a line that
// cannot be read is kept in `unread` without stopping the rest. Linear
// time.
RegistryFile parseRegistryFile(std::string_view text);

// The text of the file: the header, the comments, then `order`'s values
// in that order (with their names as `order` writes them) and every other
// value after them, one a line, then the unread lines, but those that name
// a value of `order`.
std::string writeRegistryFile(const RegistryFile& file, const std::vector<std::string_view>& order);

} // namespace brivo::settings
