#include "sending/inputs/midi_key.h"

#include "common/messages.h"

#include <alsa/asoundlib.h>
#include <atomic>
#include <poll.h>
#include <thread>

namespace brivo::sending {

namespace {

constexpr int kPollMs = 50; // how soon the reader sees that it must stop

snd_seq_t* openSequencer(std::string& reason)
{
    snd_seq_t* seq = nullptr;
    if (const int error = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, 0); error < 0) {
        reason = messages::midiUnavailable(snd_strerror(error));
        return nullptr;
    }
    snd_seq_set_client_name(seq, "BRIVO");
    return seq;
}

class MidiKey : public KeyInput {
public:
    MidiKey(snd_seq_t* seq, MidiSource source, KeyInputCallbacks callbacks)
        : seq_(seq), source_(std::move(source)), callbacks_(std::move(callbacks)), thread_([this] { run(); })
    {}
    ~MidiKey() override
    {
        stopping_ = true;
        thread_.join();
        snd_seq_close(seq_);
    }

private:
    void run()
    {
        const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
        std::vector<pollfd> fds(static_cast<std::size_t>(count));
        snd_seq_poll_descriptors(seq_, fds.data(), static_cast<unsigned>(count), POLLIN);
        while (!stopping_) {
            if (poll(fds.data(), fds.size(), kPollMs) <= 0)
                continue;
            snd_seq_event_t* event = nullptr;
            while (snd_seq_event_input(seq_, &event) >= 0 && event != nullptr) {
                const std::int64_t now = monotonicMicros();
                if ((event->type == SND_SEQ_EVENT_PORT_EXIT || event->type == SND_SEQ_EVENT_CLIENT_EXIT) &&
                    event->data.addr.client == source_.client) {
                    callbacks_.lost(messages::midiLost(source_.name));
                    return;
                }
                const bool on = event->type == SND_SEQ_EVENT_NOTEON && event->data.note.velocity > 0;
                const bool off = event->type == SND_SEQ_EVENT_NOTEOFF ||
                                 (event->type == SND_SEQ_EVENT_NOTEON && event->data.note.velocity == 0);
                if (on || off) {
                    if (const auto edge = midiNoteEdge(event->data.note.note, on, now))
                        callbacks_.edge(*edge);
                }
            }
        }
    }

    snd_seq_t* seq_;
    MidiSource source_;
    KeyInputCallbacks callbacks_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace

MidiSources midiSources()
{
    MidiSources found;
    snd_seq_t* seq = openSequencer(found.unavailable);
    if (seq == nullptr)
        return found;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    const int self = snd_seq_client_id(seq);
    constexpr unsigned kReadable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == self || id == SND_SEQ_CLIENT_SYSTEM)
            continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            if ((snd_seq_port_info_get_capability(port) & kReadable) == kReadable)
                found.sources.push_back(
                    {id, snd_seq_port_info_get_port(port),
                     std::string(snd_seq_client_info_get_name(client)) + " : " + snd_seq_port_info_get_name(port)});
        }
    }
    snd_seq_close(seq);
    return found;
}

std::optional<KeyEdge> midiNoteEdge(int note, bool down, std::int64_t micros)
{
    switch (note) {
    case 0:
        return KeyEdge{micros, down, Contact::Straight};
    case 1:
        return KeyEdge{micros, down, Contact::Dit};
    case 2:
        return KeyEdge{micros, down, Contact::Dah};
    default:
        return std::nullopt;
    }
}

Result<std::unique_ptr<KeyInput>> openMidiKey(const MidiSource& source, KeyInputCallbacks callbacks)
{
    std::string reason;
    snd_seq_t* seq = openSequencer(reason);
    if (seq == nullptr)
        return fail(ErrorCode::DeviceFailed, reason);
    const int port = snd_seq_create_simple_port(seq, "BRIVO",
                                                SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE |
                                                    SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                                SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (port < 0 || snd_seq_connect_from(seq, port, source.client, source.port) < 0) {
        snd_seq_close(seq);
        return fail(ErrorCode::DeviceFailed, messages::midiNotConnected(source.name));
    }
    // The system's announcements say when the adapter is unplugged.
    snd_seq_connect_from(seq, port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    // Told back to the adapter: its keyboard output off.
    if (snd_seq_connect_to(seq, port, source.client, source.port) >= 0) {
        snd_seq_event_t off{};
        snd_seq_ev_clear(&off);
        snd_seq_ev_set_source(&off, static_cast<unsigned char>(port));
        snd_seq_ev_set_subs(&off);
        snd_seq_ev_set_direct(&off);
        snd_seq_ev_set_noteoff(&off, 0, 0, 0);
        snd_seq_event_output_direct(seq, &off);
    }
    return std::unique_ptr<KeyInput>(std::make_unique<MidiKey>(seq, source, std::move(callbacks)));
}

} // namespace brivo::sending
