#pragma once

#include "common/random_generator.h"
#include "morse/morse_table.h"
#include "player/wave_player.h"

#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace brivo::ui {

class CodeGrid;
class Dialogs;
class EditZone;
class PlaybackRow;
class SeriesControls;
class SoundControls;
class SystemMenu;

// The wave player of the window and the file name it is opened on.
struct MediaPlayer {
    WavePlayer& device;
    QString fileName = QStringLiteral("son.wav");
};

// The main window, composition root of the program: it builds every control
// at its place, runs the creation steps, loads the code table when first
// shown, and wires the handlers of each subsystem together.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 614;
    static constexpr int kClientHeight = 422;

    TForm1(Dialogs& dialogs, WavePlayer& player, QWidget* parent = nullptr);
    ~TForm1() override;

    // Creation steps; run once by the constructor.
    void FormCreate();
    // Loads the code table and fills its grid; runs once, at the first show.
    void FormShow();
    // Close steps; run by every close, whatever asked for it.
    void FormClose();

    // Renders the message (or, with EditLive as sender, the live character)
    // into the WAV file and leaves the player open on it.
    void BoutonGeneFicClick(QObject* sender);
    void BoutonQuitterClick();

    // Playback: "Générer et lire", "Lire", "Pause", "Stop" and the status
    // line, refreshed by Timer1 every 100 ms.
    void BoutonLectureClick();
    void BoutonLireClick();
    void BoutonPauseClick();
    void BoutonStopClick();
    void Timer1Timer();

    // Live keying: the entry is a queue that Timer2 sends one character at
    // a time, each once the previous one has been heard.
    void EditLiveChange();
    void Timer2Timer();
    // Escape silences the player and empties the queue; returns nothing
    // and never consumes the key.
    void EditLiveKeyDown(int key);

    // Random fill and patterns: each inserts its groups at the caret, in
    // place of the selection.
    void BoutonRemplirClick();
    void RemplirClick();
    void BoutonGRPClick();
    // Where the pattern menu opens: 213, 422 from the window's outer corner.
    QPoint patternMenuOrigin() const;
    // Inserts the pattern of the menu item that sent it (Motif1 .. Motif9).
    void RemplirMotifClick(QObject* sender);
    // Replaces the edit zone's selection by `text`, caret right after it,
    // focus to the zone; the replacement is not kept for undo.
    void insertGeneratedText(const QString& text);

    // The window's key handler: sees every key pressed while the window is
    // active, before the focused control, and never consumes it.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);
    // Sets SeriesMode from the radio button that sent it (any other sender
    // leaves it) and shows it on both radio buttons.
    void RBseriesClick(QObject* sender);

    // Shared state of the window.
    bool SaveSettingsOnClose = true;
    bool PlayerOpen = false;
    bool FileGenerated = false;
    bool LiveBusy = false;
    bool SeriesMode = false;
    int SampleRate = 11025;
    std::uint32_t TextColour = 0;
    std::uint32_t BackgroundColour = 0;
    QPoint startPosition;
    MorseTable morseTable;
    RandomGenerator random;
    MediaPlayer MediaPlayer1;

    // Controls, by area.
    QLabel* Image2;
    QLabel* LabelCopyright;
    QLabel* ImageLogo;
    QPlainTextEdit* MemoINI;
    EditZone* editZone;
    PlaybackRow* playback;
    QLabel* StaticText1;
    QTabWidget* PageControl1;
    QWidget* TSprincipale;
    QWidget* TSseries;
    QWidget* TScaracteres;
    SoundControls* sound;
    SeriesControls* series;
    CodeGrid* StringGridCW;
    QLabel* Label4;
    QLineEdit* EditDebut;
    QLabel* Label6;
    QLineEdit* EditFin;
    QPushButton* BoutonAide;
    QPushButton* BitBtn1;
    QFrame* Bevel4;
    QFrame* Bevel5;
    SystemMenu* systemMenu;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void onFirstShow();

private:
    void buildUpperArea();
    void buildPages();
    void buildLowerArea();
    void setTabOrder();
    void nameControls();
    void connectHandlers();
    void onSystemCommand(int command);
    void showRenderProgress(std::uint64_t done, std::uint64_t total);

    Dialogs& dialogs_;
    bool shown_ = false;
    bool closing_ = false;
};

} // namespace brivo::ui
