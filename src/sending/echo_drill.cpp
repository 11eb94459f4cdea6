#include "sending/echo_drill.h"

#include "common/cp1252.h"
#include "common/messages.h"
#include "common/utf8.h"

#include <algorithm>
#include <cmath>

namespace brivo::sending {

namespace {

constexpr std::size_t kGroupLength = 5;

char32_t drawCharacter(const std::u32string& characters, RandomGenerator& random)
{
    return characters[random.next() % characters.size()];
}

} // namespace

EchoDrill::EchoDrill(EchoSettings settings, std::u32string characters, practice::CharacterFilter filter,
                     std::uint64_t seed)
    : settings_(settings), characters_(std::move(characters)), filter_(std::move(filter)), random_(seed)
{}

Result<std::u32string> EchoDrill::next()
{
    const EchoSource source = settings_.source;
    if (source == EchoSource::Characters || source == EchoSource::Groups) {
        if (characters_.empty())
            return fail(ErrorCode::Refused, std::string(messages::kEchoNoCharacters));
        std::u32string drawn;
        const std::size_t length = source == EchoSource::Characters ? 1 : kGroupLength;
        while (drawn.size() < length) {
            const char32_t c = drawCharacter(characters_, random_);
            // A single character is not played twice running, when there is a choice.
            if (length == 1 && characters_.size() > 1 && item_ == std::u32string(1, c))
                continue;
            drawn.push_back(c);
        }
        item_ = drawn;
        return item_;
    }
    const practice::MaterialKind kind =
        source == EchoSource::Words ? practice::MaterialKind::Words : practice::MaterialKind::Calls;
    Result<practice::MaterialSession> drawn = practice::drawMaterial(
        kind, practice::MaterialSources{}, filter_, practice::MaterialAmount{1, std::nullopt},
        [](const std::u32string&) { return 0.0; }, random_);
    if (!drawn)
        return drawn.error();
    item_ = drawn->text;
    return item_;
}

EchoVerdict EchoDrill::answer(std::string_view decoded)
{
    const std::string sent = encodeUtf8(item_);
    const Result<practice::CopyCheck> check = practice::checkCopy(sent, decoded);
    const bool right = check && check->distance == 0;
    if (check)
        for (const auto& [c, count] : check->perCharacter) {
            counts_[c].sent += count.sent;
            counts_[c].wrong += count.wrong;
        }
    ++answered_;
    right_ += right ? 1 : 0;
    if (settings_.adaptive)
        settings_.wpm = std::clamp(settings_.wpm + (right ? 1.0 : -1.0), settings_.slowest, settings_.fastest);
    const std::string received = check ? encodeUtf8(check->copied) : std::string(decoded);
    return {right, right ? std::string(messages::kEchoRight) : messages::echoWrong(received, sent)};
}

KeyEdges idealKeying(std::u32string_view text, const MorseTable& table, double wpm, std::int64_t startMicros)
{
    const double dit = 1.2e6 / wpm;
    KeyEdges edges;
    double now = static_cast<double>(startMicros);
    double before = 0; // the gap before the next mark, in dits
    for (const char32_t c : text) {
        if (c == U' ') {
            before = edges.empty() ? 0 : 7;
            continue;
        }
        const std::optional<unsigned char> byte = unicodeToCp1252(c);
        const std::string_view pattern = byte ? table.pattern(*byte) : std::string_view();
        bool keyedOne = false;
        for (const char symbol : pattern) {
            if (symbol != '.' && symbol != '-')
                continue;
            now += before * dit;
            edges.push_back({std::llround(now), true, Contact::Straight});
            now += (symbol == '-' ? 3 : 1) * dit;
            edges.push_back({std::llround(now), false, Contact::Straight});
            before = 1;
            keyedOne = true;
        }
        if (keyedOne)
            before = 3;
    }
    return edges;
}

} // namespace brivo::sending
