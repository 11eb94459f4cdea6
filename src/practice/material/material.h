#pragma once

#include "common/random_generator.h"
#include "common/result.h"
#include "morse/morse_table.h"
#include "practice/copy_check.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brivo::practice {

// Practice material beyond random groups: words, callsigns, abbreviations,
// whole contacts and the trainee's own list. Every source is deterministic
// for a seed, draws upper-case items only, and never draws anything the
// code table cannot key.

enum class MaterialKind { Groups, Words, Calls, Abbreviations, Qso, List };
enum class Language { French, English };

// "groups", "words", "calls", "abbrev", "qso", "list"; nothing for another
// name.
std::optional<MaterialKind> materialKindNamed(std::string_view name);
std::string_view materialKindName(MaterialKind kind);

// Which characters an item may use: those the code table keys, and, while
// a lesson is active, only the lesson's. Blanks are always allowed.
struct CharacterFilter {
    KeyedPredicate keyed;                 // empty: every character is keyed
    std::optional<std::u32string> lesson; // upper case

    bool allows(char32_t c) const;
    bool allows(std::u32string_view item) const;
};

// A uniform draw in [0, 1) from the program's sequence.
double uniformDraw(RandomGenerator& random);

// The message of a source with nothing left under the filter, as "Aucun
// mot avec ces 6 caractères : K M U R E S".
std::string nothingLeftMessage(MaterialKind kind, const CharacterFilter& filter);
// The message of a source with fewer than five different items under the
// filter (they would come back again and again): "Seulement 3 mots
// différents avec ces 4 caractères (K M U R) : il en faut au moins 5."
std::string tooFewMessage(MaterialKind kind, std::size_t count, const CharacterFilter& filter);

// The trainee's own list, one item per line: blanks at either end of a
// line dropped, empty lines skipped, items taken in upper case, a line
// given twice taken once. Items that
// the code table cannot key are skipped and counted.
struct ItemList {
    std::vector<std::u32string> items;
    int unkeyable = 0;
};
ItemList parseItemList(std::string_view utf8, const KeyedPredicate& keyed);
// What the trainee is told of the items skipped.
std::string unkeyableMessage(int count);

// Draws a list's items with no repeat until every one has come out, then
// shuffles them again (the first of a new round is never the last of the
// one before, when the list has two items or more).
class ItemDeck {
public:
    explicit ItemDeck(std::vector<std::u32string> items = {}) : items_(std::move(items)) {}
    const std::u32string& next(RandomGenerator& random);
    bool empty() const { return items_.empty(); }
    const std::vector<std::u32string>& items() const { return items_; }

private:
    std::vector<std::u32string> items_;
    std::vector<std::size_t> round_;
    std::size_t position_ = 0;
};

// Where the material comes from, besides the built-in lists.
struct MaterialSources {
    Language language = Language::French;
    // Extra words (a system dictionary's), upper case, drawn after the
    // built-in list's.
    std::vector<std::u32string> extraWords;
    // The trainee's list, drawn through the deck (kept from one session to
    // the next by the caller).
    ItemDeck* list = nullptr;
    // The code table's procedure signals as single characters when it
    // keys them, written as letters otherwise.
    std::u32string endOfMessage = U"AR"; // .-.-.
    std::u32string breakSign = U"BT";    // -...-
    std::u32string endOfContact = U"SK"; // ...-.-
};

// Takes the table's characters for the procedure signals AR, BT and SK
// (as "+", "=" and "*" in the built-in table); letters where it has none.
void useTableSignals(MaterialSources& sources, const MorseTable& table);

// A session's length: `items` items, or enough items for `minutes` at the
// sound settings (measured by `seconds`, the render's timing).
struct MaterialAmount {
    std::optional<int> items;
    std::optional<double> minutes;
};

// A drawn session: its text (items separated by blanks, on one line) and
// the meaning of each abbreviation in it, in the order they first came.
struct MaterialSession {
    std::u32string text;
    std::vector<std::pair<std::u32string, std::string>> meanings;
};

// Draws a session of `kind` (not Groups: the course draws those). Fails
// (Refused, French message) when nothing passes the filter; never returns
// an empty text.
Result<MaterialSession> drawMaterial(MaterialKind kind, const MaterialSources& sources, const CharacterFilter& filter,
                                     const MaterialAmount& amount,
                                     const std::function<double(const std::u32string&)>& seconds,
                                     RandomGenerator& random);

} // namespace brivo::practice
