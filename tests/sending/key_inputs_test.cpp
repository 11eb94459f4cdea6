// The serial and MIDI inputs without their hardware: which contact each
// modem line and note stands for, and what a port that is no serial port
// gives (a message, not a wait that never ends).
#include "sending/inputs/midi_key.h"
#include "sending/inputs/serial_key.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace brivo::sending {
namespace {

TEST(KeyInputs, ModemLinesAndNotesAreTheAdaptersContacts)
{
    // CTS closing, DSR closing, both opening at once, a line that is no key.
    EXPECT_EQ(modemLineEdges(0, TIOCM_CTS, 5), (KeyEdges{{5, true, Contact::Dit}}));
    EXPECT_EQ(modemLineEdges(TIOCM_CTS, TIOCM_CTS | TIOCM_DSR, 6), (KeyEdges{{6, true, Contact::Dah}}));
    EXPECT_EQ(modemLineEdges(TIOCM_CTS | TIOCM_DSR, 0, 7),
              (KeyEdges{{7, false, Contact::Dit}, {7, false, Contact::Dah}}));
    EXPECT_TRUE(modemLineEdges(0, TIOCM_CD | TIOCM_RI, 8).empty());
    EXPECT_EQ(midiNoteEdge(0, true, 1), (KeyEdge{1, true, Contact::Straight}));
    EXPECT_EQ(midiNoteEdge(1, false, 2), (KeyEdge{2, false, Contact::Dit}));
    EXPECT_EQ(midiNoteEdge(2, true, 3), (KeyEdge{3, true, Contact::Dah}));
    EXPECT_EQ(midiNoteEdge(3, true, 4), std::nullopt);
}

TEST(KeyInputs, APortWithoutModemLinesOrAbsentIsRefusedInFrench)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string terminal = ptsname(master);
    const auto refusal = [](const std::string& path) {
        const auto opened = openSerialKey(path, {[](const KeyEdge&) {}, [](const std::string&) {}});
        return opened ? std::string() : opened.error().message;
    };
    EXPECT_NE(refusal(terminal).find("lignes CTS et DSR"), std::string::npos) << refusal(terminal);
    EXPECT_NE(refusal("/dev/ttyUSB-absent").find("ne s'ouvre pas"), std::string::npos);
    close(master);
    if (!std::filesystem::exists("/dev/snd/seq")) {
        EXPECT_NE(midiSources().unavailable.find("séquenceur MIDI"), std::string::npos);
    }
}

} // namespace
} // namespace brivo::sending
