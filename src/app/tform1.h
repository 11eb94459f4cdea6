#pragma once

#include "audio/keying_parameters.h"
#include "common/random_generator.h"
#include "morse/morse_table.h"
#include "player/playback_session.h"
#include "reception/reception_conditions.h"

#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace brivo {
class WavePlayer;
}
namespace brivo::practice {
struct CourseTag;
}
namespace brivo::settings {
struct Settings;
}
namespace brivo::practice::ui {
class CopyCheckWindow;
class CourseWindow;
struct CourseSession;
} // namespace brivo::practice::ui
namespace brivo::exporting::ui {
class ExportDialog;
} // namespace brivo::exporting::ui
namespace brivo::sending::ui {
class SendingWindow;
} // namespace brivo::sending::ui
namespace brivo::drills::ui {
class DrillWindow;
} // namespace brivo::drills::ui
namespace brivo::reception::ui {
class ReceptionWindow;
}

namespace brivo::editzone::ui {
class EditZone;
}
namespace brivo::exercise::ui {
class SeriesControls;
}
namespace brivo::help::ui {
class TForm2;
}

namespace brivo::ui {
class Announcer;

class CodeGrid;
class Dialogs;
class PlaybackRow;
class SoundControls;
class SystemMenu;

// The main window, composition root of the program: it builds every control
// at its place, runs the creation steps, loads the code table when first
// shown, and wires the handlers of each subsystem together. Its controls
// carry their names (findChild finds them); its public face is its
// handlers.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 614;
    static constexpr int kClientHeight = 422;

    // File names without a folder (the code table, the WAV file) are taken
    // in `startFolder`, the folder the program started from; the settings
    // are kept in `settingsFile`, the copy checks in `historyFile`.
    TForm1(Dialogs& dialogs, WavePlayer& player, std::filesystem::path startFolder, std::filesystem::path settingsFile,
           std::filesystem::path historyFile, QWidget* parent = nullptr);
    ~TForm1() override;

    // Creation steps; run once by the constructor.
    void FormCreate();
    // Loads the code table and fills its grid; runs once, at the first show.
    void FormShow();
    // Close steps; run by every close, whatever asked for it.
    void FormClose();
    // Closes the window for a quit signal: no one is there to answer a box,
    // so a failed save goes to the error stream. Gives the exit status: 0,
    // or 1 when the settings could not be saved.
    int closeForQuitSignal();

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
    // Escape silences the player and empties the queue; never consumes the
    // key.
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

    // The window's key handler: sees every key pressed while the window is
    // active, before the focused control. Alt table, then F1, then the Ctrl
    // table. True when a Ctrl-table command ran: the chord then goes no
    // further (X11's text bindings would act on it: Ctrl+D deletes, Ctrl+K
    // cuts the line, Ctrl+Z undoes).
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);

    // Help and about: the help window (also F1, Ctrl+H), the about box (a
    // right click on the logo or a left click on "(c)"), the version box (a
    // double click on the banner).
    void BoutonAideClick();
    void ImageLogoMouseUp(QObject* control, Qt::MouseButton button);
    void Image2DblClick();
    // The drill of the copy check: `drill` becomes the last series, the only
    // one ticked, the fill goes to series mode, and a new exercise replaces
    // the zone's text.
    void practiseWeakCharacters(const QString& drill);
    // Sets the series mode from the radio button that sent it (any other
    // sender leaves it) and shows it on both radio buttons.
    void RBseriesClick(QObject* sender);

    // The program's one pseudo-random generator (tests seed it).
    RandomGenerator& random() { return random_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUpperArea();
    void buildPages();
    void buildLowerArea();
    void setTabOrder();
    void connectHandlers();
    void buildCopyCheck(std::filesystem::path historyFile);
    // The Koch course window, over the copy check's history.
    void buildCourse();
    // "Manipulation": sending practice, with the sidetone on the player.
    void buildSending();
    // "Exercices": the drills of quick recognition, played through the player.
    void buildDrills();
    // "Exporter...", over the zone and the sound settings.
    void buildExport();
    // Puts a course session in the zone in place of its text, masks and
    // plays it as asked, and tells the copy check.
    void startCourseSession(const practice::ui::CourseSession& course);
    // How the zone is rendered ("Générer", the export, the record of a
    // check): at the sound page's settings with the reception conditions;
    // a course session still in the zone takes the course's speeds, its
    // introduction keyed first and, with spoken answers, the introduced
    // characters' names said before it (`preface`).
    struct ZoneRender {
        QString text;
        std::size_t answeredFrom = 0; // the zone's key codes within the text,
        std::size_t answeredTo = 0;   // the only ones the spoken answers say
        KeyingParameters parameters;
        reception::ReceptionConditions conditions;
        QString preface;
    };
    ZoneRender zoneRender() const;
    void onFirstShow();
    // Where the window, frame included, is centred on the primary screen.
    QPoint centredPosition() const;
    void placeOnceFramed();
    void onSystemCommand(int command);
    void showRenderProgress(std::uint64_t done, std::uint64_t total);
    // The conditions a render takes: those of their window, or for a live
    // character only its keying envelope.
    reception::ReceptionConditions renderConditions(bool live) const;
    // Replaces the edit zone's selection by `text`, caret right after it,
    // focus to the zone; the replacement is not kept for undo.
    void insertGeneratedText(const QString& text);
    std::filesystem::path inStartFolder(const QString& fileName) const;
    // The settings store: creation step 12, close step 2, command 3000.
    void loadSettings();
    void saveSettings();
    void purgeSettings();
    settings::Settings collectSettings() const;
    void applySettings(const settings::Settings& stored);
    void reportAdjustedLine(std::string_view name, const std::vector<std::string>& skipped, bool clamped);

    Dialogs& dialogs_;
    const std::filesystem::path startFolder_;
    const std::filesystem::path settingsFile_;
    bool positionRestored_ = false;
    PlaybackSession session_;
    RandomGenerator random_;
    MorseTable morseTable_;
    bool saveSettingsOnClose_ = true;
    bool keepUnreadStore_ = false; // the store could not be read nor moved aside
    bool seriesMode_ = false;
    bool choiceByKey_ = false; // "soit :" chosen by its Alt key, its click to come
    QPoint startPosition_;
    bool shown_ = false;
    bool keyHandled_ = false;     // a chord re-sent without its text
    QTimer* firstShow_ = nullptr; // single shot, zero interval
    QTimer* frameWait_ = nullptr; // until the window manager has framed the window
    int frameWaits_ = 0;
    bool closing_ = false;
    bool quitBySignal_ = false;
    bool settingsSaveFailed_ = false;

    // Controls, by area.
    QLabel* Image2 = nullptr;
    QLabel* LabelCopyright = nullptr;
    QLabel* ImageLogo = nullptr;
    QPlainTextEdit* MemoINI = nullptr;
    editzone::ui::EditZone* editZone = nullptr;
    PlaybackRow* playback = nullptr;
    QLabel* StaticText1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TSprincipale = nullptr;
    QWidget* TSseries = nullptr;
    QWidget* TScaracteres = nullptr;
    SoundControls* sound = nullptr;
    exercise::ui::SeriesControls* series = nullptr;
    CodeGrid* StringGridCW = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EditDebut = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* EditFin = nullptr;
    QPushButton* BoutonAide = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QFrame* Bevel4 = nullptr;
    QFrame* Bevel5 = nullptr;
    SystemMenu* systemMenu = nullptr;
    help::ui::TForm2* Form2 = nullptr;
    practice::ui::CopyCheckWindow* copyCheck = nullptr;
    practice::ui::CourseWindow* courseWindow = nullptr;
    sending::ui::SendingWindow* sendingWindow = nullptr;
    drills::ui::DrillWindow* drillWindow = nullptr;
    std::unique_ptr<practice::ui::CourseSession> courseSession_; // the last one put in the zone
    exporting::ui::ExportDialog* exportDialog = nullptr;
    Announcer* announcer_ = nullptr;
    QString announcedState_; // the status line's state last announced
    bool liveFile_ = false;  // the file is a live character's
    reception::ui::ReceptionWindow* conditionsWindow = nullptr;
};

} // namespace brivo::ui
