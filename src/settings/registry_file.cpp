#include "settings/registry_file.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>

namespace brivo::settings {
namespace {

// A quoted string at `pos` (on its opening quote); `pos` ends past the
// closing quote. Nothing when the string is malformed.
std::optional<std::string> readQuoted(std::string_view line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++pos >= line.size())
            return std::nullopt;
        switch (line[pos]) {
        case '\\':
            text += '\\';
            break;
        case '"':
            text += '"';
            break;
        case 'r':
            text += '\r';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case '0':
            text += '\0';
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> readDword(std::string_view digits)
{
    if (digits.starts_with("0x") || digits.starts_with("0X"))
        digits.remove_prefix(2);
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value); // two's complement
}

// Blanks, tabs and stray carriage returns around a part of a line.
std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// True, and `text` past it, when `text` starts with the type word `word`
// in any case.
bool takeTypeWord(std::string_view& text, std::string_view word)
{
    if (text.size() < word.size() || !equalNames(text.substr(0, word.size()), word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

std::optional<Entry> parseEntry(std::string_view line)
{
    std::size_t pos = 0;
    std::optional<std::string> name = readQuoted(line, pos);
    if (!name)
        return std::nullopt;
    std::string_view rest = trimmed(line.substr(pos));
    if (!rest.starts_with('='))
        return std::nullopt;
    rest = trimmed(rest.substr(1));
    if (takeTypeWord(rest, "dword:")) {
        if (const auto integer = readDword(trimmed(rest)))
            return Entry{std::move(*name), Value::ofInteger(*integer)};
        return std::nullopt;
    }
    Value value = Value::ofText({});
    if (takeTypeWord(rest, "expand:")) {
        value.type = Value::Type::ExpandableText;
        rest = trimmed(rest);
    }
    std::size_t at = 0;
    std::optional<std::string> text = readQuoted(rest, at);
    if (!text || at != rest.size())
        return std::nullopt;
    value.text = std::move(*text);
    return Entry{std::move(*name), std::move(value)};
}

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

void appendEntry(std::string& out, const Entry& entry)
{
    appendQuoted(out, entry.name);
    out += '=';
    if (entry.value.type == Value::Type::Integer) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<std::uint32_t>(entry.value.integer));
        out += hex;
    } else {
        if (entry.value.type == Value::Type::ExpandableText)
            out += "expand:";
        appendQuoted(out, entry.value.text);
    }
    out += '\n';
}

} // namespace

bool equalNames(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<std::string> lineName(std::string_view line)
{
    std::size_t pos = 0;
    return readQuoted(line, pos);
}

const Value* RegistryFile::find(std::string_view name) const
{
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return equalNames(e.name, name); });
    return found != entries.end() ? &found->value : nullptr;
}

void RegistryFile::set(std::string_view name, Value value)
{
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return equalNames(e.name, name); });
    if (found != entries.end())
        found->value = std::move(value);
    else
        entries.push_back({std::string(name), std::move(value)});
}

RegistryFile parseRegistryFile(std::string_view text)
{
    RegistryFile file;
    std::unordered_map<std::string, std::size_t> index; // keeps the parse linear
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.starts_with(';')) {
            file.comments.emplace_back(line);
            continue;
        }
        if (line.starts_with('['))
            continue;
        if (std::optional<Entry> entry = parseEntry(line)) {
            // A name given twice (in any case): the later line decides, as
            // in a key.
            std::string key = entry->name;
            std::transform(key.begin(), key.end(), key.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
            const auto [at, added] = index.try_emplace(std::move(key), file.entries.size());
            if (added)
                file.entries.push_back(std::move(*entry));
            else
                file.entries[at->second].value = std::move(entry->value);
        } else if (!trimmed(line).empty()) {
            file.unread.emplace_back(line);
        }
    }
    return file;
}

std::string writeRegistryFile(const RegistryFile& file, const std::vector<std::string_view>& order)
{
    std::string out(kHeader);
    out += '\n';
    for (const std::string& comment : file.comments)
        out += comment + '\n';
    const auto ordered = [&order](std::string_view name) {
        return std::any_of(order.begin(), order.end(),
                           [name](std::string_view known) { return equalNames(known, name); });
    };
    for (const std::string_view name : order) {
        if (const Value* value = file.find(name))
            appendEntry(out, {std::string(name), *value});
    }
    for (const Entry& entry : file.entries) {
        if (!ordered(entry.name))
            appendEntry(out, entry);
    }
    // A line that could not be read stays as it was, unless it named a
    // value written above.
    for (const std::string& line : file.unread) {
        const std::optional<std::string> name = lineName(line);
        if (!name || !ordered(*name))
            out += line + '\n';
    }
    return out;
}

} // namespace brivo::settings
