#include "common/key_rules.h"

#include <array>

namespace brivo {
namespace {

constexpr int kQtKey1 = 0x31; // Qt::Key_1 .. Qt::Key_9 are the ASCII digits
constexpr int kQtKey9 = 0x39;
constexpr std::uint32_t kX11KeyCode1 = 10;
constexpr std::uint32_t kX11KeyCode9 = 18;

struct FocusRow {
    int key;
    std::string_view control;
    bool soundPageFirst;
};

// The controls of the sound page are shown before they take the focus; the
// others are never hidden.
constexpr std::array<FocusRow, 14> kFocusRows = {{
    {'D', "EditLive", false},
    {'Z', "RichEdit", false},
    {kF1, "TBfreq", true},
    {kF1 + 1, "TBvitesse", true},
    {kF1 + 2, "TBsignal", true},
    {kF1 + 3, "TBsouffle", true},
    {kF1 + 4, "CSpinEditGroupes", false},
    {kF1 + 5, "CSpinEditLettres", false},
    {kF1 + 6, "CSElettres", false},
    {kF1 + 7, "CSEchiffres", false},
    {kF1 + 8, "EditDebut", false},
    {kF1 + 9, "EditFin", false},
    {kF1 + 10, "ComboBoxFe", true},
    {kF1 + 11, "CSdureeSP", true},
}};

} // namespace

int mainBlockDigit(int qtKey, bool keypad, std::uint32_t nativeScanCode)
{
    if (keypad)
        return 0;
    if (nativeScanCode != 0)
        return nativeScanCode >= kX11KeyCode1 && nativeScanCode <= kX11KeyCode9
                   ? static_cast<int>(nativeScanCode - kX11KeyCode1) + 1
                   : 0;
    return qtKey >= kQtKey1 && qtKey <= kQtKey9 ? qtKey - kQtKey1 + 1 : 0;
}

AltAction altAction(int key)
{
    switch (key) {
    case 'C':
        return AltAction::CharactersPage;
    case 'P':
        return AltAction::SoundPage;
    case 'S':
        return AltAction::SeriesPage;
    case 'V':
        return AltAction::ToggleReferenceWord;
    case 'X':
        return AltAction::ToggleMask;
    default:
        return AltAction::None;
    }
}

CtrlAction ctrlAction(int key, int digit)
{
    if (digit >= 1 && digit <= 9)
        return {CtrlAction::Kind::Pattern, digit, {}, false};
    if (key == 'H')
        return {CtrlAction::Kind::Help, 0, {}, false};
    if (key == 'K')
        return {CtrlAction::Kind::CopyCheck, 0, {}, false};
    if (key == 'J')
        return {CtrlAction::Kind::Conditions, 0, {}, false};
    if (key == 'L')
        return {CtrlAction::Kind::Course, 0, {}, false};
    if (key == 'P')
        return {CtrlAction::Kind::Sending, 0, {}, false};
    if (key == 'T')
        return {CtrlAction::Kind::Export, 0, {}, false};
    if (key == 'I')
        return {CtrlAction::Kind::Drills, 0, {}, false};
    for (const FocusRow& row : kFocusRows) {
        if (row.key == key)
            return {CtrlAction::Kind::Focus, 0, row.control, row.soundPageFirst};
    }
    return {};
}

} // namespace brivo
