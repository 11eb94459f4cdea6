#include "practice/material/material.h"

#include "common/cp1252.h"
#include "common/messages.h"
#include "common/utf8.h"
#include "practice/material/abbreviations.h"
#include "practice/material/callsigns.h"
#include "practice/material/qso_text.h"
#include "practice/material/word_lists.h"

#include <algorithm>
#include <array>
#include <set>

namespace brivo::practice {
namespace {

struct KindName {
    MaterialKind kind;
    std::string_view name;
    std::string_view nothingLeft;   // "Aucun mot", ...
    std::string_view differentOnes; // "mots différents", ...
};

constexpr std::array<KindName, 6> kKinds{{
    {MaterialKind::Groups, "groups", "Aucun groupe", "groupes différents"},
    {MaterialKind::Words, "words", "Aucun mot", "mots différents"},
    {MaterialKind::Calls, "calls", "Aucun indicatif", "indicatifs différents"},
    {MaterialKind::Abbreviations, "abbrev", "Aucune abréviation", "abréviations différentes"},
    {MaterialKind::Qso, "qso", "Aucun QSO", "QSO différents"},
    {MaterialKind::List, "list", "Aucun élément de la liste", "éléments différents"},
}};

// "K M U R".
std::string characterList(std::u32string_view characters)
{
    std::string out;
    for (const char32_t c : characters)
        out.append(out.empty() ? "" : " ").append(encodeUtf8(std::u32string(1, c)));
    return out;
}

// Sessions stop here whatever their length asks: a guard, far beyond two
// hours of the slowest speed.
constexpr int kMaxItems = 20000;

// Fewer different items than this repeat too much to train on.
constexpr std::size_t kFewestItems = 5;
// Built-in words the lesson must allow before the dictionary stays out.
constexpr std::size_t kEnoughCommonWords = 30;

// Words drawn with a preference for the frequent ones: the built-in word of
// rank r (from 0) weighs 1 / (r + 20). Dictionary words, taken only when
// too few built-in ones fit, are ranked alphabetically: they weigh as the
// rarest built-in word, uniformly.
class WordDraw {
public:
    WordDraw(std::vector<std::u32string_view> common, const std::vector<std::u32string_view>& dictionary)
        : words_(std::move(common))
    {
        double total = 0;
        for (std::size_t r = 0; r < words_.size(); ++r) {
            total += 1.0 / (static_cast<double>(r) + 20.0);
            cumulative_.push_back(total);
        }
        const double rarest = 1.0 / (static_cast<double>(words_.size()) + 20.0);
        for (const std::u32string_view word : dictionary) {
            words_.push_back(word);
            total += rarest;
            cumulative_.push_back(total);
        }
    }
    std::size_t size() const { return words_.size(); }
    std::u32string next(RandomGenerator& random)
    {
        const double at = uniformDraw(random) * cumulative_.back();
        const auto found = std::upper_bound(cumulative_.begin(), cumulative_.end(), at);
        const auto index =
            std::min<std::size_t>(static_cast<std::size_t>(found - cumulative_.begin()), words_.size() - 1);
        return std::u32string(words_[index]);
    }

private:
    std::vector<std::u32string_view> words_;
    std::vector<double> cumulative_;
};

} // namespace

void useTableSignals(MaterialSources& sources, const MorseTable& table)
{
    const auto signal = [&table](std::string_view pattern, std::u32string_view letters) {
        for (int byte = 0x21; byte <= 0xFF; ++byte) {
            if (table.pattern(static_cast<KeyCode>(byte)) == pattern)
                return std::u32string(1, cp1252ToUnicode(static_cast<unsigned char>(byte)));
        }
        return std::u32string(letters);
    };
    sources.endOfMessage = signal(".-.-.", U"AR");
    sources.breakSign = signal("-...-", U"BT");
    sources.endOfContact = signal("...-.-", U"SK");
}

std::optional<MaterialKind> materialKindNamed(std::string_view name)
{
    for (const KindName& k : kKinds) {
        if (k.name == name)
            return k.kind;
    }
    return std::nullopt;
}

std::string_view materialKindName(MaterialKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)].name;
}

bool CharacterFilter::allows(char32_t c) const
{
    if (c == U' ')
        return true;
    if (keyed && !keyed(c))
        return false;
    return !lesson || lesson->find(c) != std::u32string::npos;
}

bool CharacterFilter::allows(std::u32string_view item) const
{
    return std::all_of(item.begin(), item.end(), [this](char32_t c) { return allows(c); });
}

double uniformDraw(RandomGenerator& random)
{
    return static_cast<double>(random.next()) / 2147483648.0;
}

std::string nothingLeftMessage(MaterialKind kind, const CharacterFilter& filter)
{
    std::string message(kKinds[static_cast<std::size_t>(kind)].nothingLeft);
    if (!filter.lesson)
        return message + " ne peut être transmis avec la table du code morse.";
    return message + " avec ces " + std::to_string(filter.lesson->size()) +
           " caractères : " + characterList(*filter.lesson);
}

std::string tooFewMessage(MaterialKind kind, std::size_t count, const CharacterFilter& filter)
{
    std::string ones(kKinds[static_cast<std::size_t>(kind)].differentOnes);
    if (count == 1) // "mot différent", "abréviation différente"
        for (std::size_t end = ones.find("s "); end != std::string::npos; end = ones.find("s ", end))
            ones.erase(end, 1);
    if (count == 1 && ones.ends_with('s'))
        ones.pop_back();
    const std::string few = "Seulement " + std::to_string(count) + " " + ones;
    const std::string enough = " : il en faut au moins " + std::to_string(kFewestItems) + ".";
    if (!filter.lesson)
        return few + " peuvent être transmis avec la table du code morse" + enough;
    return few + " avec ces " + std::to_string(filter.lesson->size()) + " caractères (" +
           characterList(*filter.lesson) + ")" + enough;
}

ItemList parseItemList(std::string_view utf8Text, const KeyedPredicate& keyed)
{
    ItemList list;
    std::set<std::u32string> seen; // a line given twice is one item
    std::size_t start = 0;
    while (start < utf8Text.size()) {
        std::size_t end = utf8Text.find('\n', start);
        if (end == std::string_view::npos)
            end = utf8Text.size();
        const std::u32string item = normalise(utf8Text.substr(start, end - start));
        start = end + 1;
        if (item.empty())
            continue;
        const bool keyable =
            !keyed || std::all_of(item.begin(), item.end(), [&keyed](char32_t c) { return c == U' ' || keyed(c); });
        if (!keyable)
            ++list.unkeyable;
        else if (seen.insert(item).second)
            list.items.push_back(item);
    }
    return list;
}

std::string unkeyableMessage(int count)
{
    return count == 1
               ? "1 élément de la liste ne peut pas être transmis avec la table du code morse : il est laissé de "
                 "côté."
               : std::to_string(count) +
                     " éléments de la liste ne peuvent pas être transmis avec la table du code morse : ils "
                     "sont laissés de côté.";
}

const std::u32string& ItemDeck::next(RandomGenerator& random)
{
    if (position_ >= round_.size()) {
        const std::size_t last = round_.empty() ? items_.size() : round_.back();
        round_.resize(items_.size());
        for (std::size_t i = 0; i < round_.size(); ++i)
            round_[i] = i;
        // Fisher-Yates, from the program's sequence.
        for (std::size_t i = round_.size(); i > 1; --i)
            std::swap(round_[i - 1], round_[random.below(static_cast<std::uint32_t>(i))]);
        if (round_.size() > 1 && round_.front() == last)
            std::swap(round_.front(), round_.back());
        position_ = 0;
    }
    return items_[round_[position_++]];
}

Result<MaterialSession> drawMaterial(MaterialKind kind, const MaterialSources& sources, const CharacterFilter& filter,
                                     const MaterialAmount& amount,
                                     const std::function<double(const std::u32string&)>& seconds,
                                     RandomGenerator& random)
{
    const auto nothingLeft = [&] { return fail(ErrorCode::Refused, nothingLeftMessage(kind, filter)); };
    const auto tooFew = [&](std::size_t count) {
        return count == 0 ? nothingLeft() : fail(ErrorCode::Refused, tooFewMessage(kind, count, filter));
    };

    // Each source as a draw of one item; nothing when it has none left.
    std::function<std::optional<std::u32string>()> draw;
    std::optional<WordDraw> words;
    std::vector<const Abbreviation*> allowedAbbreviations;
    std::vector<std::u32string> listItems;
    std::optional<ItemDeck> deck;
    switch (kind) {
    case MaterialKind::Groups:
        return fail(ErrorCode::Refused, std::string(messages::kGroupsFromCourse));
    case MaterialKind::Words: {
        std::vector<std::u32string_view> common;
        for (const std::u32string& w : commonWords(sources.language)) {
            if (filter.allows(w))
                common.emplace_back(w);
        }
        std::vector<std::u32string_view> dictionary;
        if (common.size() < kEnoughCommonWords) {
            for (const std::u32string& w : sources.extraWords) {
                if (filter.allows(w))
                    dictionary.emplace_back(w);
            }
        }
        words.emplace(std::move(common), dictionary);
        if (words->size() < kFewestItems)
            return tooFew(words->size());
        draw = [&]() -> std::optional<std::u32string> { return words->next(random); };
        break;
    }
    case MaterialKind::Calls:
        if (!drawCallsign(filter, random))
            return nothingLeft();
        draw = [&]() -> std::optional<std::u32string> { return drawCallsign(filter, random)->call; };
        break;
    case MaterialKind::Abbreviations:
        for (const Abbreviation& a : abbreviations()) {
            if (filter.allows(a.text))
                allowedAbbreviations.push_back(&a);
        }
        if (allowedAbbreviations.size() < kFewestItems)
            return tooFew(allowedAbbreviations.size());
        draw = [&]() -> std::optional<std::u32string> {
            return std::u32string(
                allowedAbbreviations[random.below(static_cast<std::uint32_t>(allowedAbbreviations.size()))]->text);
        };
        break;
    case MaterialKind::Qso:
        draw = [&] { return drawQso(sources, filter, random); };
        break;
    case MaterialKind::List: {
        if (!sources.list || sources.list->empty())
            return fail(ErrorCode::Refused, std::string(messages::kEmptyList));
        // Every item of the list that the filter allows, drawn through the
        // caller's deck so that no item comes back before the others.
        const std::vector<std::u32string>& items = sources.list->items();
        if (std::none_of(items.begin(), items.end(), [&filter](const std::u32string& i) { return filter.allows(i); }))
            return nothingLeft();
        draw = [&]() -> std::optional<std::u32string> {
            for (;;) {
                const std::u32string& item = sources.list->next(random);
                if (filter.allows(item))
                    return item;
            }
        };
        break;
    }
    }

    MaterialSession session;
    std::set<std::u32string> explained;
    double length = 0;
    std::u32string previous;
    for (int count = 0; count < kMaxItems; ++count) {
        if (amount.items ? count >= *amount.items : (count > 0 && (!amount.minutes || length >= *amount.minutes * 60)))
            break;
        std::optional<std::u32string> item = draw();
        if (!item)
            return count == 0 ? nothingLeft() : Result<MaterialSession>(session);
        // No item twice in a row when the source has others.
        for (int retry = 0; retry < 100 && *item == previous && kind != MaterialKind::List; ++retry) {
            std::optional<std::u32string> other = draw();
            if (!other)
                break;
            item = std::move(other);
        }
        previous = *item;
        if (!session.text.empty())
            session.text += U' ';
        session.text += *item;
        if (amount.minutes && !amount.items)
            length = seconds(session.text);
        if (kind == MaterialKind::Abbreviations && explained.insert(*item).second) {
            for (const Abbreviation& a : abbreviations()) {
                if (a.text == *item)
                    session.meanings.emplace_back(*item, std::string(a.meaning));
            }
        }
    }
    return session;
}

} // namespace brivo::practice
