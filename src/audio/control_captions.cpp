#include "audio/control_captions.h"

#include "audio/keying_parameters.h"

namespace brivo {

std::string frequencyCaption(int position)
{
    return " Fréquence = " + std::to_string(sound::toneHz(position)) + " Hz ";
}

std::string signalCaption(int position)
{
    return " Signal = " + std::to_string(position / 2) + "% ";
}

std::string noiseCaption(int position)
{
    return " Souffle = " + std::to_string(position / 2) + "% ";
}

std::string speedCaption(int position, const std::string& decimalSeparator)
{
    // position / 6 rounded to tenths; position x 10 / 6 never ends in exactly
    // a half, so rounding half up is exact.
    const int tenths = (position * 100 / 6 + 5) / 10;
    return " Vitesse lettres = " + std::to_string(10 * position) + " (" + std::to_string(tenths / 10) +
           decimalSeparator + std::to_string(tenths % 10) + " mots/mn)";
}

} // namespace brivo
