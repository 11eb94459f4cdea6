#pragma once

#include "common/result.h"
#include "sending/inputs/key_input.h"

#include <memory>
#include <string>
#include <vector>

namespace brivo::sending {

// The serial ports a key could be wired to: /dev/ttyUSB*, /dev/ttyACM* and
// /dev/ttyS* that open, in that order.
std::vector<std::string> serialPorts();

// The edges between two readings of a port's modem lines (TIOCM_* bits):
// CTS is the dit paddle, or the straight key (a straight keyer takes
// either contact as the key); DSR is the dah paddle.
KeyEdges modemLineEdges(int before, int after, std::int64_t micros);

// Opens `path`, raises DTR and RTS to power the contacts, asks the driver
// for low latency where it allows it, and waits for CTS and DSR to move
// (TIOCMIWAIT) on a thread. Refused with a French message when the port is
// missing, not allowed (the dialout group), or gives no modem lines (a
// pseudo-terminal): the wait would then never end.
Result<std::unique_ptr<KeyInput>> openSerialKey(const std::string& path, KeyInputCallbacks callbacks);

} // namespace brivo::sending
