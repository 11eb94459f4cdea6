#pragma once

#include "common/server_time_map.h"
#include "morse/morse_table.h"
#include "player/pcm_source.h"
#include "practice/history/history_store.h"
#include "practice/material/vocabulary.h"
#include "sending/decoder.h"
#include "sending/key_repeat_filter.h"
#include "sending/keyer.h"
#include "sending/keyer_settings_text.h"

#include <QFrame>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace brivo::sending {
class EchoDrill;
class Sidetone;
class KeyInput;
} // namespace brivo::sending

namespace brivo::sending::ui {

class TimingChart;

// The keying pad: while it has the focus, Left Ctrl is the dit paddle,
// Right Ctrl the dah paddle and Space a straight key; over it, the left
// mouse button is the dit paddle (or the straight key) and the right one
// the dah paddle. X's auto-repeat is taken out. Tab still leaves it.
class KeyingPad : public QFrame {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>; // monotonic microseconds
    KeyingPad(Clock clock, QWidget* parent);

Q_SIGNALS:
    void contact(const brivo::sending::KeyEdge& edge);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void keyEvent(QKeyEvent* event, bool press);
    void emitChanges(const std::vector<RawKeyEvent>& changes);
    // An event's server time (milliseconds) on the monotonic clock.
    std::int64_t micros(std::uint64_t timeMs);

    Clock clock_;
    ServerTimeMap serverTime_;
    KeyRepeatFilter filter_;
    QTimer* flush_ = nullptr;
};

// "Manipulation": the trainee keys on the pad with the chosen keyer, hears
// the sidetone, reads what was decoded, and asks for the fist report
// against the text to send.
class SendingWindow : public QWidget {
    Q_OBJECT
public:
    struct Tone {
        double hz = 795;
        double amplitude = 16800;
    };
    // How the sidetone reaches the player, and lets it go.
    struct Output {
        std::function<Result<void>(std::unique_ptr<PcmSource>)> open;
        std::function<void()> close;
    };
    SendingWindow(Output output, const MorseTable& table, std::function<Tone()> tone, QWidget* parent);
    ~SendingWindow() override;

    void showSending();
    QString decodedText() const;
    // The window's choices (what the settings keep).
    SendingSettings settings() const;
    void setSettings(const SendingSettings& settings);
    // Where the echo drill takes its characters: the course's lesson
    // (upper case), or nothing for the table's letters and figures.
    void setCourseCharacters(std::function<std::u32string()> characters) { courseCharacters_ = std::move(characters); }
    // Where each fist report and each run of the echo drill is kept.
    using Recorder = std::function<Result<void>(const practice::SendingSession&)>;
    void setRecorder(Recorder recorder) { recorder_ = std::move(recorder); }

    // The controls, named as the window's others are.
    QComboBox* ComboEntree = nullptr; // the keyboard and mouse, a serial port, a MIDI source
    QComboBox* ComboManipulateur = nullptr;
    QSpinBox* SpinVitesseManip = nullptr;
    QDoubleSpinBox* SpinPoids = nullptr;
    QSpinBox* SpinSourd = nullptr;
    KeyingPad* PadManip = nullptr;
    QLabel* LabelDecode = nullptr;
    QLineEdit* EditAEnvoyer = nullptr;
    QPushButton* BoutonBilan = nullptr;
    QPushButton* BoutonEffacerManip = nullptr;
    QLabel* LabelBilanMain = nullptr;
    TimingChart* ChartDurees = nullptr;
    QComboBox* ComboEcho = nullptr; // characters, groups, words, call signs
    QCheckBox* CBvitesseEcho = nullptr;
    QPushButton* BoutonEcho = nullptr;
    QLabel* LabelEcho = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void contact(const KeyEdge& edge);
    void keyed(const KeyEdges& edges);
    void tick();
    void restart();
    void BoutonBilanClick();
    KeyerSettings keyerSettings() const;
    void listInputs();
    void ComboEntreeChange();
    void inputLost(const QString& message);
    void BoutonEchoClick();
    void playEchoItem();
    void stopEcho();
    void judgeEcho();
    // Keeps `session` through the recorder; a failure is added to `label`.
    void record(const practice::SendingSession& session, QLabel* label);
    std::u32string echoCharacters() const;

    Output output_;
    const MorseTable& table_;
    std::function<Tone()> tone_;
    std::unique_ptr<Keyer> keyer_;
    std::unique_ptr<Decoder> decoder_;
    std::vector<std::u32string> vocabulary_ = practice::sendingVocabulary();
    std::shared_ptr<Sidetone> sidetone_; // shared with the player while it plays
    QTimer* ticks_ = nullptr;
    std::unique_ptr<KeyInput> input_; // a serial port or a MIDI source, while one is chosen
    // The echo drill, while it runs: the item is heard until
    // echoPlayedUntil_; the answer begins with the next key-down.
    std::unique_ptr<EchoDrill> echo_;
    std::int64_t echoPlayedUntil_ = 0;
    bool echoAnswering_ = false;
    QTimer* echoNext_ = nullptr;
    std::function<std::u32string()> courseCharacters_;
    Recorder recorder_;
};

} // namespace brivo::sending::ui
