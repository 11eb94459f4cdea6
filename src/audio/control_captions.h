#pragma once

#include <string>

namespace brivo {

// Group-box captions of the four track bars (UTF-8). Each shows the value
// of its bar's position; they are the only display of these settings.

// " Fréquence = 795 Hz " at position 99: 300 + 5 x position.
std::string frequencyCaption(int position);

// " Signal = 70% " at position 140: half the position, rounded down.
std::string signalCaption(int position);

// " Souffle = 0% " at position 0: half the position, rounded down.
std::string noiseCaption(int position);

// " Vitesse lettres = 720 (12,0 mots/mn)" at position 72 with a comma as
// `decimalSeparator`: letters per minute, then words per minute (position /
// 6) rounded to one decimal.
std::string speedCaption(int position, const std::string& decimalSeparator);

} // namespace brivo
