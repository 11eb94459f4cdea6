#include "common/key_rules.h"

namespace brivo::keys {
namespace {

constexpr int kQtKey1 = 0x31; // Qt::Key_1 .. Qt::Key_9 are the ASCII digits
constexpr int kQtKey9 = 0x39;
constexpr std::uint32_t kX11KeyCode1 = 10;
constexpr std::uint32_t kX11KeyCode9 = 18;

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

} // namespace brivo::keys
