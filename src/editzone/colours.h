#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brivo::editzone {

// Colour values as the settings store them: 0x00BBGGRR, or a system colour
// code with the top bit set.
inline constexpr std::uint32_t kSystemWindowText = 0x80000008;
inline constexpr std::uint32_t kSystemWindow = 0x80000005;

struct ColourRow {
    std::string_view caption; // the text item's caption (the background item's differs on the last row)
    std::string_view textItem;
    std::string_view backgroundItem;
    std::uint32_t value; // the text value on the last row
};

inline constexpr std::size_t kColourCount = 17;

// The rows of the two colour menus, in menu order.
inline constexpr std::array<ColourRow, kColourCount> kColourRows = {{
    {"Noir", "TexteNoir", "FondNoir", 0x000000},
    {"Marron", "TexteMarron", "FondMarron", 0x000080},
    {"Vert foncé", "TexteVertFonce", "FondVertFonce", 0x008000},
    {"Marron clair", "TexteMarronClair", "FondMarronClair", 0x008080},
    {"Bleu marine", "TexteBleuMarine", "FondBleuMarine", 0x800000},
    {"Violet foncé", "TexteVioletFonce", "FondVioletFonce", 0x800080},
    {"Bleu", "TexteBleu", "FondBleu", 0x808000},
    {"Gris foncé", "TexteGrisFonce", "FondGrisFonce", 0x808080},
    {"Gris clair", "TexteGrisClair", "FondGrisClair", 0xC0C0C0},
    {"Rouge", "TexteRouge", "FondRouge", 0x0000FF},
    {"Vert clair", "TexteVertClair", "FondVertClair", 0x00FF00},
    {"Jaune", "TexteJaune", "FondJaune", 0x00FFFF},
    {"Bleu clair", "TexteBleuClair", "FondBleuClair", 0xFF0000},
    {"Violet vif", "TexteVioletVif", "FondVioletVif", 0xFF00FF},
    {"Bleu vif", "TexteBleuVif", "FondBleuVif", 0xFFFF00},
    {"Blanc", "TexteBlanc", "FondBlanc", 0xFFFFFF},
    {"Texte standard", "TexteParDefaut", "FondParDefaut", kSystemWindowText},
}};

inline constexpr std::string_view kBackgroundStandardCaption = "Fond standard";

// The value of a row in the text or the background column: the same but
// for the last row, the system's text or window colour.
constexpr std::uint32_t colourValue(std::size_t row, bool background)
{
    return background && row + 1 == kColourCount ? kSystemWindow : kColourRows[row].value;
}

} // namespace brivo::editzone
