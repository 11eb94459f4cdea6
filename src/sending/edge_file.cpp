#include "sending/edge_file.h"

#include "common/messages.h"
#include "common/utf8.h"

#include <array>
#include <charconv>
#include <cmath>
#include <sstream>

namespace brivo::sending {
namespace {

Error wrongLine(std::size_t line, const std::string& why)
{
    return fail(ErrorCode::Refused, messages::edgeLine(line, why));
}

std::optional<std::int64_t> micros(std::string_view word)
{
    double ms = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), ms);
    constexpr double kDayMs = 86'400'000;
    if (error != std::errc{} || end != word.data() + word.size() || !std::isfinite(ms) || ms < 0 || ms > kDayMs)
        return std::nullopt;
    return std::llround(ms * 1000);
}

std::string_view contactName(Contact contact)
{
    return contact == Contact::Dit ? "dit" : contact == Contact::Dah ? "dah" : "key";
}

} // namespace

Result<KeyEdges> parseEdgeText(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos || !isValidUtf8(text))
        return fail(ErrorCode::Refused, std::string(messages::kNotEdgeText));
    KeyEdges edges;
    std::array<bool, 3> down{};
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        ++number;
        std::istringstream words(line);
        std::string time;
        std::string direction;
        std::string contact = "key";
        std::string extra;
        if (!(words >> time) || time.starts_with('#'))
            continue;
        words >> direction >> contact >> extra;
        const std::optional<std::int64_t> at = micros(time);
        if (!at)
            return wrongLine(number, messages::quoted(time) + " n'est pas un temps en millisecondes (0 à 24 heures).");
        if (direction != "down" && direction != "up")
            return wrongLine(number, messages::quoted(direction) + " n'est ni down ni up.");
        if (contact != "dit" && contact != "dah" && contact != "key")
            return wrongLine(number, messages::quoted(contact) + " n'est ni dit, ni dah, ni key.");
        if (!extra.empty())
            return wrongLine(number, messages::quoted(extra) + " est de trop.");
        if (!edges.empty() && *at < edges.back().micros)
            return wrongLine(number, "le temps recule (" + time + " ms après " +
                                         std::to_string(edges.back().micros / 1000) + " ms).");
        const Contact which = contact == "dit" ? Contact::Dit : contact == "dah" ? Contact::Dah : Contact::Straight;
        bool& isDown = down[static_cast<std::size_t>(which)];
        if (direction == "up" && !isDown)
            return wrongLine(number, "« up » sans « down » avant lui pour " + contact + ".");
        isDown = direction == "down";
        edges.push_back({*at, isDown, which});
    }
    if (edges.empty())
        return fail(ErrorCode::Refused, std::string(messages::kNoEdges));
    return edges;
}

std::string edgeText(const KeyEdges& edges)
{
    std::string text;
    for (const KeyEdge& edge : edges) {
        text += std::to_string(edge.micros / 1000);
        if (const std::int64_t rest = edge.micros % 1000; rest != 0) {
            const std::string digits = std::to_string(1000 + rest).substr(1);
            text.append(".").append(digits, 0, digits.find_last_not_of('0') + 1);
        }
        text += edge.down ? " down " : " up ";
        text.append(contactName(edge.contact)).append("\n");
    }
    return text;
}

} // namespace brivo::sending
