#include "practice/material/callsigns.h"

#include <array>
#include <numeric>

namespace brivo::practice {
namespace {

// The prefixes in use from each country's ITU allocation, with the digits
// its calls take (all ten unless said), a weight for how often it is heard
// and a few of its towns; the lengths its suffixes take after a prefix of
// two characters, and whether a visitor signs with its first prefix.
struct Country {
    std::u32string_view prefixes;
    std::u32string_view digits;
    int weight;
    std::u32string_view towns;
    std::size_t shortestSuffix = 1;
    std::size_t longestSuffix = 3;
    bool visitorsSignWithIt = true;
};

constexpr std::u32string_view kAllDigits = U"0123456789";

// Prefixes that end in a digit (9A, S5, 2E) are followed by the call's
// digit as any other.
constexpr std::array<Country, 36> kCountries{{
    {U"K W N AA AB AC AD AE AF AG AI AJ AK KA KB KC KD KE KF KG KI KJ KK KN KO WA WB WD", kAllDigits, 16,
     U"BOSTON DENVER DALLAS CHICAGO SEATTLE MIAMI"},
    {U"DL DK DJ DH DF DG DO DM DB DC DD", kAllDigits, 14, U"BERLIN MUNICH HAMBURG KOLN BONN DRESDEN"},
    {U"F", U"1245689", 12, U"PARIS LYON LILLE NANTES BREST DIJON NICE RENNES"},
    {U"I IK IZ IW IU", kAllDigits, 8, U"ROMA MILANO TORINO NAPOLI BOLOGNA"},
    {U"G M", kAllDigits, 8, U"LONDON LEEDS YORK BRISTOL OXFORD"},
    {U"2E", U"01", 2, U"LONDON LEEDS YORK", 3, 3, false},
    {U"GM MM", kAllDigits, 2, U"GLASGOW EDINBURGH"},
    {U"GW MW", kAllDigits, 1, U"CARDIFF SWANSEA"},
    {U"JA JE JF JG JH JI JJ JK JL JM JN JO JP JQ JR JS 7K 7L 7M 7N", kAllDigits, 8, U"TOKYO OSAKA KYOTO SAPPORO", 2},
    {U"EA EB EC ED EE EF EG EH", kAllDigits, 7, U"MADRID SEVILLA VALENCIA BILBAO"},
    {U"R RA RK RN RU RV RW RX RZ UA UB UC UD UE UF UG UI", kAllDigits, 8, U"MOSKVA OMSK KAZAN SAMARA"},
    {U"VA VE VO VY", kAllDigits, 4, U"TORONTO OTTAWA QUEBEC MONTREAL"},
    {U"ON OO OR OT", kAllDigits, 4, U"BRUXELLES LIEGE GENT NAMUR"},
    {U"HB", U"9", 3, U"GENEVE BERN ZURICH BASEL", 1, 3, false},
    {U"PA PB PD PE PH PI", kAllDigits, 4, U"AMSTERDAM UTRECHT DELFT"},
    {U"SP SQ SN SO", kAllDigits, 4, U"WARSZAWA KRAKOW GDANSK"},
    {U"OK OL", kAllDigits, 3, U"PRAHA BRNO PLZEN"},
    {U"OE", kAllDigits, 2, U"WIEN GRAZ LINZ"},
    {U"SM SA SK", kAllDigits, 2, U"STOCKHOLM GOTEBORG"},
    {U"OH OG", kAllDigits, 2, U"HELSINKI TAMPERE"},
    {U"LA LB", kAllDigits, 2, U"OSLO BERGEN"},
    {U"OZ", kAllDigits, 2, U"AARHUS ODENSE"},
    {U"UR UT UX UY", kAllDigits, 3, U"KYIV LVIV ODESA"},
    {U"PY PP PU", kAllDigits, 2, U"RIO RECIFE SANTOS"},
    {U"LU", kAllDigits, 1, U"CORDOBA ROSARIO"},
    {U"VK", kAllDigits, 2, U"SYDNEY PERTH DARWIN"},
    {U"ZL", kAllDigits, 1, U"AUCKLAND NELSON"},
    {U"CT CS", kAllDigits, 2, U"LISBOA PORTO FARO"},
    {U"EI EJ", kAllDigits, 1, U"DUBLIN CORK"},
    {U"HA HG", kAllDigits, 2, U"BUDAPEST PECS"},
    {U"9A", kAllDigits, 2, U"ZAGREB SPLIT"},
    {U"S5", kAllDigits, 1, U"LJUBLJANA MARIBOR"},
    {U"SV", kAllDigits, 1, U"ATHINA PATRA"},
    {U"LX", kAllDigits, 1, U"LUXEMBOURG"},
    {U"4X 4Z", kAllDigits, 1, U"HAIFA ELAT"},
    {U"ZS", kAllDigits, 1, U"DURBAN PRETORIA"},
}};

std::vector<std::u32string_view> words(std::u32string_view text)
{
    std::vector<std::u32string_view> out;
    while (!text.empty()) {
        const std::size_t blank = text.find(U' ');
        out.push_back(text.substr(0, blank));
        text = blank == std::u32string_view::npos ? std::u32string_view() : text.substr(blank + 1);
    }
    return out;
}

// Draws an index with probability weight / total.
std::size_t weighted(const std::vector<int>& weights, RandomGenerator& random)
{
    const int total = std::accumulate(weights.begin(), weights.end(), 0);
    int at = static_cast<int>(random.below(static_cast<std::uint32_t>(total)));
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (at < weights[i])
            return i;
        at -= weights[i];
    }
    return weights.size() - 1;
}

} // namespace

std::optional<std::u32string> pickAllowed(const std::vector<std::u32string_view>& options,
                                          const CharacterFilter& filter, RandomGenerator& random)
{
    std::vector<std::u32string_view> allowed;
    for (const std::u32string_view option : options) {
        if (filter.allows(option))
            allowed.push_back(option);
    }
    if (allowed.empty())
        return std::nullopt;
    return std::u32string(allowed[random.below(static_cast<std::uint32_t>(allowed.size()))]);
}

std::optional<Callsign> drawCallsign(const CharacterFilter& filter, RandomGenerator& random)
{
    std::u32string letters;
    for (char32_t c = U'A'; c <= U'Z'; ++c) {
        if (filter.allows(c))
            letters += c;
    }
    if (letters.empty())
        return std::nullopt;
    // The countries with a prefix and a digit the filter allows.
    std::vector<std::size_t> usable;
    std::vector<int> weights;
    for (std::size_t i = 0; i < kCountries.size(); ++i) {
        bool prefix = false;
        for (const std::u32string_view p : words(kCountries[i].prefixes))
            prefix = prefix || filter.allows(p);
        bool digit = false;
        for (const char32_t d : kCountries[i].digits)
            digit = digit || filter.allows(d);
        if (prefix && digit) {
            usable.push_back(i);
            weights.push_back(kCountries[i].weight);
        }
    }
    if (usable.empty())
        return std::nullopt;
    const std::size_t country = usable[weighted(weights, random)];
    const Country& c = kCountries[country];
    std::u32string call = *pickAllowed(words(c.prefixes), filter, random);
    std::u32string digits;
    for (const char32_t d : c.digits) {
        if (filter.allows(d))
            digits += d;
    }
    call += digits[random.below(static_cast<std::uint32_t>(digits.size()))];
    // 1x2 and 1x3 after a one-letter prefix; after longer ones, 2x1, 2x2
    // and 2x3 as the country gives them.
    std::size_t suffix = 0;
    if (call.size() == 2) {
        suffix = random.below(10) < 4 ? 2 : 3;
    } else {
        std::vector<int> lengths{1, 4, 5};
        for (std::size_t length = 1; length <= lengths.size(); ++length)
            if (length < c.shortestSuffix || length > c.longestSuffix)
                lengths[length - 1] = 0;
        suffix = 1 + weighted(lengths, random);
    }
    for (std::size_t i = 0; i < suffix; ++i)
        call += letters[random.below(static_cast<std::uint32_t>(letters.size()))];

    // One call in twelve is portable. A visitor signs with the visited
    // country's prefix, never its own, and is heard from there.
    std::size_t heardFrom = country;
    if (random.below(12) == 0) {
        const std::size_t form = weighted({3, 2, 1, 2}, random);
        std::u32string portable;
        std::size_t visited = random.below(static_cast<std::uint32_t>(kCountries.size()));
        if (form == 3 && visited != country && kCountries[visited].visitorsSignWithIt)
            portable = std::u32string(words(kCountries[visited].prefixes).front()) + U"/" + call;
        else if (form != 3)
            portable = call + (form == 0 ? U"/P" : form == 1 ? U"/M" : U"/QRP");
        if (!portable.empty() && filter.allows(portable)) {
            call = portable;
            heardFrom = form == 3 ? visited : country;
        }
    }
    return Callsign{call, heardFrom};
}

std::optional<std::u32string> townOf(const Callsign& call, const CharacterFilter& filter, RandomGenerator& random)
{
    return pickAllowed(words(kCountries[call.country].towns), filter, random);
}

} // namespace brivo::practice
