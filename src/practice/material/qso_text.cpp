#include "practice/material/qso_text.h"

#include "practice/material/callsigns.h"

#include <vector>

namespace brivo::practice {
namespace {

constexpr int kAttempts = 20;

using Options = std::vector<std::u32string_view>;

const Options kNames = {U"JOHN",  U"BOB",  U"MIKE", U"TOM",  U"JIM",  U"DAVE",  U"BILL",  U"JEAN", U"PIERRE", U"MICHEL",
                        U"ALAIN", U"PAUL", U"LUC",  U"MARC", U"HANS", U"KLAUS", U"PETER", U"JAN",  U"MARIO",  U"JOSE",
                        U"YURI",  U"IVAN", U"KEN",  U"ERIK", U"OLE",  U"ANNA",  U"MARIE", U"EVA",  U"SUE",    U"TED"};
const Options kReports = {U"599", U"579", U"589", U"569", U"559", U"449", U"5NN", U"339"};
const Options kRigs = {U"IC7300", U"FT991", U"K3", U"TS590", U"FT817", U"KX2", U"IC705", U"FT101", U"HOMEBREW"};
const Options kPowers = {U"5", U"10", U"50", U"100", U"400"};
const Options kAntennas = {U"DIPOLE", U"VERTICAL", U"YAGI", U"LOOP", U"WINDOM", U"EFHW", U"GP", U"LONG WIRE"};
const Options kWeatherEn = {U"SUNNY", U"CLOUDY", U"RAIN", U"SNOW", U"FOG", U"WINDY", U"FINE"};
const Options kWeatherFr = {U"BEAU", U"SOLEIL", U"NUAGES", U"PLUIE", U"NEIGE", U"BROUILLARD", U"VENT"};
const Options kTemperatures = {U"2", U"5", U"8", U"10", U"12", U"15", U"18", U"20", U"22", U"25", U"28", U"30"};

// One transmission, built part by part: a part is kept when the filter
// allows it, and a needed part that it does not allow spoils the contact.
class Transmission {
public:
    Transmission(const CharacterFilter& filter, bool& spoilt) : filter_(filter), spoilt_(spoilt) {}

    void needed(const std::u32string& part) { add(part, true); }
    void optional(const std::u32string& part) { add(part, false); }
    // A part made of fixed words and one value drawn from `options`.
    void optional(const std::u32string& before, const Options& options, RandomGenerator& random,
                  const std::u32string& after = {})
    {
        if (const std::optional<std::u32string> value = pickAllowed(options, filter_, random))
            add(before + *value + after, false);
    }
    // A procedure signal, left out when it is not allowed. It is written
    // with the next part: signals with no part between them (the part was
    // left out) make one, the later.
    void sign(const std::u32string& signal)
    {
        if (filter_.allows(signal))
            pendingSign_ = signal;
    }

    std::u32string text() const
    {
        if (pendingSign_.empty())
            return text_;
        return text_.empty() ? pendingSign_ : text_ + U' ' + pendingSign_;
    }

private:
    void add(const std::u32string& part, bool required)
    {
        if (!filter_.allows(part)) {
            spoilt_ = spoilt_ || required;
            return;
        }
        for (const std::u32string* piece : {static_cast<const std::u32string*>(&pendingSign_), &part}) {
            if (piece->empty())
                continue;
            if (!text_.empty())
                text_ += U' ';
            text_ += *piece;
        }
        pendingSign_.clear();
    }

    const CharacterFilter& filter_;
    bool& spoilt_;
    std::u32string text_;
    std::u32string pendingSign_;
};

std::u32string twice(const std::u32string& word)
{
    return word + U' ' + word;
}

std::optional<std::u32string> attempt(const MaterialSources& sources, const CharacterFilter& filter,
                                      RandomGenerator& random)
{
    const bool french = sources.language == Language::French;
    const std::optional<Callsign> a = drawCallsign(filter, random);
    const std::optional<Callsign> b = drawCallsign(filter, random);
    const std::optional<std::u32string> reportA = pickAllowed(kReports, filter, random);
    const std::optional<std::u32string> reportB = pickAllowed(kReports, filter, random);
    if (!a || !b || !reportA || !reportB || a->call == b->call)
        return std::nullopt;
    const std::u32string& callA = a->call;
    const std::u32string& callB = b->call;
    const std::u32string& bt = sources.breakSign;
    bool spoilt = false;
    std::vector<std::u32string> overs;

    Transmission cq(filter, spoilt);
    cq.needed(U"CQ CQ CQ DE " + callA + U' ' + twice(callA) + U" K");
    overs.push_back(cq.text());

    Transmission answer(filter, spoilt);
    answer.needed(callA + U" DE " + twice(callB) + U" K");
    overs.push_back(answer.text());

    // Each side's report, name and town, the second side with its station.
    const auto exchange = [&](const Callsign& from, const Callsign& to, const std::u32string& report, bool first) {
        Transmission over(filter, spoilt);
        over.needed(to.call + U" DE " + from.call);
        over.sign(bt);
        if (first)
            over.optional(french ? U"BJR CHER OM MERCI POUR APPEL" : U"GM DR OM TNX FER CALL");
        else
            over.optional(french ? U"R MERCI POUR REPORT" : U"R TNX FER RPT");
        over.sign(bt);
        over.needed((french ? U"RST " : U"UR RST ") + twice(report));
        over.sign(bt);
        if (const std::optional<std::u32string> name = pickAllowed(kNames, filter, random))
            over.optional((french ? U"NOM " : U"NAME ") + twice(*name));
        over.sign(bt);
        if (const std::optional<std::u32string> town = townOf(from, filter, random))
            over.optional(U"QTH " + twice(*town));
        if (!first) {
            over.sign(bt);
            if (const std::optional<std::u32string> rig = pickAllowed(kRigs, filter, random))
                over.optional((french ? U"TX " : U"RIG ") + *rig + (french ? U" " : U" PWR "), kPowers, random, U"W");
            over.optional(U"ANT ", kAntennas, random);
            over.optional(U"WX ", french ? kWeatherFr : kWeatherEn, random);
            over.optional(U"TEMP ", kTemperatures, random, french ? U" DEGRES" : U"C");
        }
        over.sign(bt);
        over.optional(french ? U"COMMENT?" : U"HW?");
        over.sign(sources.endOfMessage);
        over.needed(to.call + U" DE " + from.call + U" KN");
        overs.push_back(over.text());
    };
    exchange(*a, *b, *reportA, true);
    exchange(*b, *a, *reportB, false);

    Transmission closing(filter, spoilt);
    closing.needed(callB + U" DE " + callA);
    closing.sign(bt);
    closing.optional(french ? U"MERCI POUR QSO" : U"TNX FER QSO");
    closing.optional(french ? U"73 ET BONNE JOURNEE" : U"73 ES GL");
    closing.sign(sources.endOfContact);
    closing.needed(callB + U" DE " + callA + U" TU");
    overs.push_back(closing.text());

    Transmission last(filter, spoilt);
    last.optional(U"73");
    last.sign(sources.endOfContact);
    last.needed(U"TU");
    overs.push_back(last.text());

    if (spoilt)
        return std::nullopt;
    std::u32string text;
    for (const std::u32string& over : overs)
        text += (text.empty() ? U"" : U" ") + over;
    return text;
}

} // namespace

std::optional<std::u32string> drawQso(const MaterialSources& sources, const CharacterFilter& filter,
                                      RandomGenerator& random)
{
    for (int i = 0; i < kAttempts; ++i) {
        if (std::optional<std::u32string> qso = attempt(sources, filter, random))
            return qso;
    }
    return std::nullopt;
}

} // namespace brivo::practice
