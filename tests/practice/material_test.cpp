#include "practice/koch_course.h"
#include "practice/material/callsigns.h"
#include "practice/material/material.h"
#include "practice/material/qso_text.h"
#include "practice/material/word_lists.h"
#include "support/built_in_table.h"
#include "support/case_name.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>

namespace brivo::practice {
namespace {

using test::builtInTable;
const auto& table = builtInTable;

const auto& keyed = test::keyedByBuiltInTable;

std::u32string lcwoLesson(int lesson)
{
    return namedOrder("lcwo")->substr(0, static_cast<std::size_t>(lesson));
}

std::string ascii(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

MaterialSources sourcesFor(Language language, ItemDeck* deck = nullptr)
{
    MaterialSources sources;
    sources.language = language;
    sources.list = deck;
    useTableSignals(sources, table());
    return sources;
}

const auto noSeconds = [](const std::u32string& /*text*/) { return 0.0; };

struct SourceCase {
    std::string name;
    MaterialKind kind;
    Language language;
    int lesson; // 0: no lesson
};

class MaterialSource : public testing::TestWithParam<SourceCase> {};

// Every source, for many seeds: a text of the asked number of items, made
// of characters the table keys (and the lesson's when there is one),
// drawn again the same for the same seed.
TEST_P(MaterialSource, DrawsOnlyAllowedCharactersAndTheSeedReproducesIt)
{
    const SourceCase& row = GetParam();
    CharacterFilter filter{keyed, std::nullopt};
    if (row.lesson > 0)
        filter.lesson = lcwoLesson(row.lesson);
    const auto draw = [&](std::uint64_t seed) {
        ItemDeck deck({U"F5ABC", U"DL1XY/P", U"599 TU", U"EA8 CQ", U"KM"});
        RandomGenerator random(seed);
        return drawMaterial(row.kind, sourcesFor(row.language, &deck), filter, MaterialAmount{6, std::nullopt},
                            noSeconds, random);
    };
    std::set<std::u32string> texts;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        const Result<MaterialSession> session = draw(seed);
        ASSERT_TRUE(session) << session.error().message;
        const std::u32string& text = session->text;
        EXPECT_TRUE(filter.allows(text)) << ascii(text);
        EXPECT_FALSE(text.empty() || text.front() == U' ' || text.back() == U' ' ||
                     text.find(U"  ") != std::u32string::npos);
        if (row.kind != MaterialKind::Qso && row.kind != MaterialKind::List) {
            EXPECT_EQ(std::count(text.begin(), text.end(), U' '), 5) << ascii(text);
        }
        // A part left out takes its separator with it: never two signals in a row.
        for (const std::u32string_view pair : {U"= =", U"= +", U"+ =", U"= *", U"+ *"})
            EXPECT_EQ(text.find(pair), std::u32string::npos) << ascii(text);
        EXPECT_EQ(draw(seed)->text, text);
        texts.insert(text);
    }
    EXPECT_GT(texts.size(), 6U) << "the seed hardly changes the text";
}

INSTANTIATE_TEST_SUITE_P(, MaterialSource,
                         testing::Values(SourceCase{"frenchWords", MaterialKind::Words, Language::French, 0},
                                         SourceCase{"englishWords", MaterialKind::Words, Language::English, 0},
                                         SourceCase{"frenchWordsAtLesson12", MaterialKind::Words, Language::French, 12},
                                         SourceCase{"englishWordsAtLesson9", MaterialKind::Words, Language::English, 9},
                                         SourceCase{"calls", MaterialKind::Calls, Language::French, 0},
                                         SourceCase{"callsAtLesson24", MaterialKind::Calls, Language::French, 24},
                                         SourceCase{"abbreviations", MaterialKind::Abbreviations, Language::French, 0},
                                         SourceCase{"abbreviationsAtLesson8", MaterialKind::Abbreviations,
                                                    Language::French, 8},
                                         SourceCase{"frenchQso", MaterialKind::Qso, Language::French, 0},
                                         SourceCase{"englishQsoAtLesson38", MaterialKind::Qso, Language::English, 38},
                                         SourceCase{"list", MaterialKind::List, Language::French, 0}),
                         test::CaseName());

struct NothingLeftCase {
    std::string name;
    MaterialKind kind;
    std::u32string lesson;
    std::vector<std::u32string> list;
    std::string message;
};

class NothingLeft : public testing::TestWithParam<NothingLeftCase> {};

// A source with nothing to draw says so, and never loops or returns an
// empty text.
TEST_P(NothingLeft, IsRefusedWithItsMessage)
{
    const NothingLeftCase& row = GetParam();
    ItemDeck deck(row.list);
    MaterialSources sources = sourcesFor(Language::French, &deck);
    sources.extraWords = {U"MU", U"MUR", U"RU"};
    CharacterFilter filter{keyed, std::nullopt};
    if (!row.lesson.empty())
        filter.lesson = row.lesson;
    RandomGenerator random(1);
    const Result<MaterialSession> session =
        drawMaterial(row.kind, sources, filter, MaterialAmount{std::nullopt, 5.0}, noSeconds, random);
    ASSERT_FALSE(session) << ascii(session->text.substr(0, 80));
    EXPECT_EQ(session.error().message, row.message);
}

INSTANTIATE_TEST_SUITE_P(
    , NothingLeft,
    testing::Values(
        NothingLeftCase{
            "wordsOfTheFirstLesson", MaterialKind::Words, U"KM", {}, "Aucun mot avec ces 2 caractères : K M"},
        NothingLeftCase{"tooFewWordsToTrainOn",
                        MaterialKind::Words,
                        U"KMUR",
                        {},
                        "Seulement 3 mots différents avec ces 4 caractères (K M U R) : il en faut au moins 5."},
        NothingLeftCase{"oneAbbreviation",
                        MaterialKind::Abbreviations,
                        U"KM",
                        {},
                        "Seulement 1 abréviation différente avec ces 2 caractères (K M) : il en faut au moins 5."},
        NothingLeftCase{"abbreviationsOfTwoLetters",
                        MaterialKind::Abbreviations,
                        U"XZ",
                        {},
                        "Aucune abréviation avec ces 2 caractères : X Z"},
        NothingLeftCase{"listOutsideTheLesson",
                        MaterialKind::List,
                        U"KM",
                        {U"F5ABC", U"TU"},
                        "Aucun élément de la liste avec ces 2 caractères : K M"},
        NothingLeftCase{"emptyList",
                        MaterialKind::List,
                        {},
                        {},
                        "La liste personnelle est vide : ouvrez une liste d'un élément par ligne."}),
    test::CaseName());

// Calls have the shapes of real ones (a prefix of one letter or two
// characters, a digit, a suffix of one to three letters; one letter with
// one letter is no shape), every shape turns up, a portable one now and
// then, and the weighted countries more often than the rare ones. Japanese
// calls have two or three suffix letters, 2E calls three; a visitor signs
// with another country's prefix (never 2E or HB) and is heard from there.
TEST(Callsigns, FollowTheShapesOfRealCalls)
{
    const std::regex shape("(?:([A-Z0-9]{1,2})/)?(([A-Z]|[A-Z0-9]{2})[0-9])([A-Z]{1,3})(?:/P|/M|/QRP)?");
    const std::regex japanese("J[A-S]|7[K-N]");
    std::map<std::string, int> shapes;
    int portables = 0;
    int french = 0;
    int luxembourg = 0;
    int visitorsInFrance = 0;
    RandomGenerator random(11);
    for (int i = 0; i < 6000; ++i) {
        const Callsign drawn = *drawCallsign({keyed, std::nullopt}, random);
        const std::string call = ascii(drawn.call);
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(call, parts, shape)) << call;
        const std::string visitor = parts[1];
        const std::string prefix = parts[3];
        ++shapes[std::to_string(prefix.size()) + "x" + std::to_string(parts[4].length())];
        portables += call.find('/') != std::string::npos ? 1 : 0;
        french += parts[2].str().starts_with("F") && !parts[2].str().starts_with("FF") ? 1 : 0;
        luxembourg += prefix == "LX" ? 1 : 0;
        if (std::regex_match(prefix, japanese)) {
            EXPECT_GE(parts[4].length(), 2) << call;
        }
        if (prefix == "2E") {
            EXPECT_EQ(parts[4].length(), 3) << call;
        }
        EXPECT_TRUE(visitor != "2E" && visitor != "HB") << call;
        if (!visitor.empty() && visitor != "G" && visitor != "M") {
            EXPECT_FALSE(prefix.starts_with(visitor)) << call;
        }
        if (visitor == "F") {
            ++visitorsInFrance;
            const std::string town = ascii(*townOf(drawn, {keyed, std::nullopt}, random));
            EXPECT_NE(std::string(" PARIS LYON LILLE NANTES BREST DIJON NICE RENNES ").find(" " + town + " "),
                      std::string::npos)
                << call << " " << town;
        }
    }
    EXPECT_EQ(shapes.size(), 5U);
    for (const char* name : {"1x2", "1x3", "2x1", "2x2", "2x3"})
        EXPECT_GT(shapes[name], 10) << name;
    EXPECT_GT(portables, 200);
    EXPECT_LT(portables, 1000);
    EXPECT_GT(french, 3 * luxembourg);
    EXPECT_GT(visitorsInFrance, 0);
}

// A contact holds both calls, each side's report and a sign-off, and the
// table's procedure signals; a table without them gets the letters.
TEST(Qso, HoldsCallsReportsAndSignOffWithTheTablesSignals)
{
    for (const Language language : {Language::French, Language::English}) {
        RandomGenerator random(4);
        const std::string qso = ascii(*drawQso(sourcesFor(language), {keyed, std::nullopt}, random));
        std::smatch parts;
        ASSERT_TRUE(std::regex_search(qso, parts, std::regex("^CQ CQ CQ DE (\\S+) \\1 \\1 K \\1 DE (\\S+) \\2 K ")))
            << qso;
        EXPECT_NE(parts[1], parts[2]);
        EXPECT_TRUE(std::regex_search(qso, std::regex("RST ([1-5][1-9][1-9]|5NN) \\1 .* RST ([1-5][1-9][1-9]|5NN)")))
            << qso;
        EXPECT_TRUE(qso.ends_with(" * TU")) << qso;
        EXPECT_NE(qso.find(" = "), std::string::npos);
        EXPECT_NE(qso.find(" + "), std::string::npos);
    }
    MaterialSources bare;
    RandomGenerator random(4);
    const std::string qso = ascii(*drawQso(bare, {}, random));
    EXPECT_TRUE(qso.ends_with(" SK TU")) << qso;
    EXPECT_NE(qso.find(" BT "), std::string::npos);
}

// A personal list comes out whole before any item comes back, over two
// rounds, and a round never starts with the item that ended the last. Every
// item takes every place of a round, as often (a shuffle that never leaves
// an item in place would not).
TEST(ItemDeck, DrawsEveryItemOnceARound)
{
    {
        ItemDeck deck({U"A", U"B", U"C"});
        RandomGenerator random(3);
        std::map<std::pair<std::u32string, int>, int> places;
        for (int i = 0; i < 9000; ++i)
            ++places[{deck.next(random), i % 3}];
        for (const auto& [place, count] : places)
            EXPECT_GT(count, 700) << ascii(place.first) << " at " << place.second;
        EXPECT_EQ(places.size(), 9U);
    }
    std::vector<std::u32string> items;
    for (char32_t c = U'A'; c < U'H'; ++c)
        items.emplace_back(1, c);
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        ItemDeck deck(items);
        RandomGenerator random(seed);
        std::vector<std::u32string> drawn;
        for (std::size_t i = 0; i < 3 * items.size(); ++i)
            drawn.push_back(deck.next(random));
        for (std::size_t round = 0; round < 3; ++round) {
            const auto first = drawn.begin() + static_cast<std::ptrdiff_t>(round * items.size());
            std::vector<std::u32string> sorted(first, first + static_cast<std::ptrdiff_t>(items.size()));
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(sorted, items) << "seed " << seed << ", round " << round;
            if (round > 0) {
                EXPECT_NE(*first, *(first - 1)) << "seed " << seed;
            }
        }
    }
}

TEST(ItemList, TakesOneItemALineOnceInUpperCaseAndCountsWhatCannotBeKeyed)
{
    const ItemList list = parseItemList("  f5abc \r\n\n\tdl1xy/p\r\nΩMEGA\n599 tu\nF5ABC\nπ\n", keyed);
    EXPECT_EQ(list.items, (std::vector<std::u32string>{U"F5ABC", U"DL1XY/P", U"599 TU"}));
    EXPECT_EQ(list.unkeyable, 2);
}

TEST(Words, BuiltInListsAndADictionary)
{
    for (const Language language : {Language::French, Language::English}) {
        const std::vector<std::u32string>& words = commonWords(language);
        EXPECT_GE(words.size(), 450U);
        EXPECT_EQ(std::set<std::u32string>(words.begin(), words.end()).size(), words.size());
        const CharacterFilter keyable{keyed, std::nullopt};
        for (const std::u32string& word : words)
            EXPECT_TRUE(keyable.allows(word)) << ascii(word);
    }
    EXPECT_EQ(dictionaryWords("été\nParis\nl'eau\nchâteaux\nle\nx\nporte-avions\nnaïve\nkm\nanticonstitutionnel\n",
                              commonWords(Language::French)),
              (std::vector<std::u32string>{U"CHATEAUX", U"NAIVE"}));
}

// Built-in words first, weighted by frequency; a dictionary (alphabetical)
// only when fewer than 30 built-in words fit, and then drawn uniformly, so
// its first letters come out as often as it has them. Never one word twice
// in a row.
TEST(Words, TheDictionaryOnlyFillsInAndUniformly)
{
    // "EEE", "EEK", ... in alphabetical order, beyond the built-in words.
    const std::u32string_view letters = U"EKMRSU";
    const std::vector<std::u32string>& common = commonWords(Language::French);
    std::vector<std::u32string> dictionary;
    for (const char32_t a : letters)
        for (const char32_t b : letters)
            for (const char32_t c : letters)
                if (std::u32string word{a, b, c}; word.find_first_of(U"EU") != std::u32string::npos &&
                                                  std::find(common.begin(), common.end(), word) == common.end())
                    dictionary.push_back(word);
    const std::set<std::u32string> fromDictionary(dictionary.begin(), dictionary.end());
    struct Row {
        std::optional<std::u32string> lesson;
        double dictionaryShare;
    };
    for (const Row& row : {Row{std::nullopt, 0.0}, Row{U"KMURES", -1.0}}) {
        MaterialSources sources = sourcesFor(Language::French);
        sources.extraWords = dictionary;
        RandomGenerator random(5);
        const Result<MaterialSession> session = drawMaterial(MaterialKind::Words, sources, {keyed, row.lesson},
                                                             MaterialAmount{4000, std::nullopt}, noSeconds, random);
        ASSERT_TRUE(session);
        std::vector<std::u32string> drawn;
        for (std::size_t start = 0, end = 0; end != std::u32string::npos; start = end + 1) {
            end = session->text.find(U' ', start);
            drawn.push_back(session->text.substr(start, end - start));
            if (drawn.size() > 1) {
                ASSERT_NE(drawn.back(), drawn[drawn.size() - 2]);
            }
        }
        const auto inDictionary = static_cast<double>(std::count_if(
            drawn.begin(), drawn.end(), [&](const std::u32string& w) { return fromDictionary.contains(w); }));
        if (row.dictionaryShare >= 0) {
            EXPECT_EQ(inDictionary / static_cast<double>(drawn.size()), row.dictionaryShare);
            continue;
        }
        // Uniform: each first letter as often as the dictionary has it.
        for (const char32_t first : letters) {
            const auto starts = [first](const std::u32string& w) { return w.front() == first; };
            const double expected = static_cast<double>(std::count_if(dictionary.begin(), dictionary.end(), starts)) /
                                    static_cast<double>(dictionary.size());
            const double seen = static_cast<double>(std::count_if(
                                    drawn.begin(), drawn.end(),
                                    [&](const std::u32string& w) { return fromDictionary.contains(w) && starts(w); })) /
                                inDictionary;
            EXPECT_NEAR(seen, expected, 0.03) << static_cast<char>(first);
        }
    }
}

// A session in minutes draws items until the render's timing reaches them.
TEST(MaterialAmount, MinutesAreMeasuredWithTheRendersTiming)
{
    RandomGenerator random(2);
    const auto seconds = [](const std::u32string& text) { return static_cast<double>(text.size()); };
    const Result<MaterialSession> session = drawMaterial(MaterialKind::Words, sourcesFor(Language::English), {},
                                                         MaterialAmount{std::nullopt, 2.0}, seconds, random);
    ASSERT_TRUE(session);
    EXPECT_GE(session->text.size(), 120U);
    EXPECT_LT(session->text.size(), 135U);
}

} // namespace
} // namespace brivo::practice
