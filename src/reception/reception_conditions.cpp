#include "reception/reception_conditions.h"

#include "common/messages.h"

#include <sstream>

namespace brivo::reception {
namespace {

Error outOfRange(const char* what, double value, const char* range)
{
    return fail(ErrorCode::Refused, std::string(what) + " " + decimalText(value) + " refusé : " + range + ".");
}

} // namespace

Result<void> checkConditions(const ReceptionConditions& c, double characterWpm, int spacingFactor, int noisePosition)
{
    if (c.effectiveWpm) {
        if (!(*c.effectiveWpm >= 1))
            return outOfRange("Vitesse effective", *c.effectiveWpm, "au moins 1 mot/mn");
        if (*c.effectiveWpm >= characterWpm)
            return fail(ErrorCode::Refused,
                        messages::effectiveTooFast(decimalText(*c.effectiveWpm), decimalText(characterWpm)));
        if (spacingFactor != 1)
            return fail(ErrorCode::Refused,
                        "La vitesse effective remplace l'espacement des lettres : gardez un espacement de 1.");
    }
    if (c.rampToWpm && !(*c.rampToWpm >= kRampWpm.lowest && *c.rampToWpm <= kRampWpm.highest))
        return outOfRange("Vitesse de fin de rampe", *c.rampToWpm, "de 3,5 à 60 mots/mn");
    if (c.riseMs && !(*c.riseMs >= 1 && *c.riseMs <= 15))
        return outOfRange("Temps de montée", *c.riseMs, "de 1 à 15 ms");
    if (c.snrDb) {
        if (!(*c.snrDb >= -15 && *c.snrDb <= 40))
            return outOfRange("Rapport signal/bruit", *c.snrDb, "de -15 à +40 dB");
        // Position 1 reads " Souffle = 0% ", and the band noise replaces
        // the souffle anyway: only a souffle that shows is refused.
        if (noisePosition / 2 > 0)
            return fail(ErrorCode::Refused,
                        "Le rapport signal/bruit remplace le souffle : mettez le souffle à 0 pour l'utiliser.");
    }
    if (c.filterHz && !(*c.filterHz >= 100 && *c.filterHz <= 2400))
        return outOfRange("Largeur du filtre", *c.filterHz, "de 100 à 2400 Hz");
    if (c.qsbHz && !((*c.qsbHz >= 0.02 && *c.qsbHz <= 2) || (*c.qsbHz >= 10 && *c.qsbHz <= 30)))
        return outOfRange("Fading", *c.qsbHz, "de 0,02 à 2 Hz, ou de 10 à 30 Hz pour le flutter");
    if (!(c.qsbK >= 0 && c.qsbK <= 100))
        return outOfRange("Facteur K", c.qsbK, "de 0 (Rayleigh) à 100");
    if (!(c.qrnRate >= 0 && c.qrnRate <= 200))
        return outOfRange("Parasites", c.qrnRate, "de 0 à 200 par seconde");
    if (!(c.crashRate >= 0 && c.crashRate <= 1))
        return outOfRange("Craquements", c.crashRate, "de 0 à 1 par seconde");
    if (c.qrm < 0 || c.qrm > 5)
        return outOfRange("Stations brouilleuses", c.qrm, "de 0 à 5");
    if (!(c.chirpHz >= -150 && c.chirpHz <= 150))
        return outOfRange("Glissement", c.chirpHz, "de -150 à +150 Hz");
    if (!(c.chirpTauMs >= 5 && c.chirpTauMs <= 50))
        return outOfRange("Durée du glissement", c.chirpTauMs, "de 5 à 50 ms");
    return {};
}

// The presets: conditions a trainee meets on the air.
ReceptionConditions presetConditions(int index)
{
    ReceptionConditions c;
    c.riseMs = kDefaultRiseMs;
    switch (index) {
    case 0: // Bande calme
        c.snrDb = 20;
        c.filterHz = 500;
        c.qrnRate = 2;
        break;
    case 1: // Fading lent
        c.snrDb = 10;
        c.filterHz = 400;
        c.qsbHz = 0.1;
        c.qrnRate = 5;
        break;
    case 2: // Soir d'hiver sur 40 m
        c.snrDb = 6;
        c.filterHz = 300;
        c.filterShape = FilterShape::Chebyshev;
        c.qsbHz = 0.5;
        c.qsbK = 1;
        c.qrnRate = 20;
        c.crashRate = 0.3;
        c.qrm = 2;
        break;
    default: // Contest
        c.snrDb = 12;
        c.filterHz = 250;
        c.filterShape = FilterShape::Chebyshev;
        c.qsbHz = 0.2;
        c.qsbK = 5;
        c.qrnRate = 5;
        c.crashRate = 0.05;
        c.qrm = 5;
        break;
    }
    return c;
}

} // namespace brivo::reception
