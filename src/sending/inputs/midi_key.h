#pragma once

#include "common/result.h"
#include "sending/inputs/key_input.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brivo::sending {

// A port of the ALSA sequencer that sends notes: a USB paddle adapter.
struct MidiSource {
    int client = 0;
    int port = 0;
    std::string name; // "client name : port name"
};

// The sources found, or why there are none to look at (no /dev/snd/seq).
struct MidiSources {
    std::vector<MidiSource> sources;
    std::string unavailable; // a French reason; empty when the sequencer opened
};
MidiSources midiSources();

// The adapters' convention: note 0 is the straight key, note 1 the dit
// paddle, note 2 the dah paddle; a note-on is down, a note-off (or a
// note-on at velocity 0) up. Other notes are no edge.
std::optional<KeyEdge> midiNoteEdge(int note, bool down, std::int64_t micros);

// Opens a sequencer client with a port named "BRIVO", connects `source` to
// it and it to `source`, and sends the source a note-off for note 0 on
// channel 0, which turns such adapters' keyboard output off (the paddle
// would otherwise also type Ctrl into the window). Notes are read on a
// thread.
Result<std::unique_ptr<KeyInput>> openMidiKey(const MidiSource& source, KeyInputCallbacks callbacks);

} // namespace brivo::sending
