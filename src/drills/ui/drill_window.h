#pragma once

#include "common/server_time_map.h"
#include "drills/callsign_run.h"
#include "drills/drill_plan.h"
#include "morse/morse_table.h"
#include "player/wav_reader.h"
#include "practice/history/history_store.h"
#include "speech/answer_voice.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace brivo::drills::ui {

class ReactionChart;
class SpeedCurve;

// "Exercices": the drills of quick recognition, a tab each. "Reconnaissance
// instantanée" plays one character at a time and takes the key typed, with
// its reaction time from the heard end of the character; "Indicatifs" plays
// 50 calls whose speed follows the copies. Every verdict and score goes
// through the announcer; the history keeps them.
class DrillWindow : public QWidget {
    Q_OBJECT
public:
    struct Services {
        std::function<DrillSound()> sound; // the sound page, with the conditions when they are on
        std::function<Result<void>(PcmSound)> play;
        std::function<std::optional<double>()> heardOrigin; // of the last play, in clock seconds
        std::function<double()> now;                        // clock seconds
        std::function<std::u32string()> courseCharacters;
        std::function<std::u32string()> seriesCharacters;           // ticked on the "Séries" page
        std::function<std::optional<practice::CourseTag>()> course; // when the course is on
        std::function<bool()> spokenAnswers;                        // a missed character's name is then said after it
    };

    DrillWindow(Services services, const MorseTable& table, practice::HistoryStore history, QWidget* parent = nullptr);

    void showDrills();
    // The window's choices as one settings line, and back.
    std::string settingsText() const;
    void setSettingsText(std::string_view text);

    // The characters drill: start or stop, and an answer typed at a clock
    // time (seconds).
    void BoutonDepartClick();
    void answerCharacter(char32_t typed, double atSeconds);
    void BoutonEchauffementClick();
    // The calls: start, play again, and the copy of the current call.
    void BoutonIndicatifsClick();
    void BoutonRejouerClick();
    void submitCall();

    bool awaitingAnswer() const { return characterItem_.has_value(); }
    std::optional<char32_t> awaitedCharacter() const
    {
        return characterItem_ ? std::optional(characterItem_->text.front()) : std::nullopt;
    }
    const std::vector<CharacterAnswer>& roundAnswers() const { return answers_; }
    bool characterDrillRunning() const { return !round_.items.empty(); }
    double baselineMs() const { return baselineMs_; }
    const CallsignRun* callsignRun() const { return run_.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildCharactersPage(QWidget* page);
    void buildCallsPage(QWidget* page);
    std::u32string sourceCharacters() const;
    void playItem(const PlannedItem& item, std::optional<double> toneHz, bool sayName = false);
    // The character's name, as the spoken answers say it, after a pause.
    void appendName(PcmSound& sound, char32_t c);
    void playSound(PcmSound sound);
    void nextCharacter();
    void characterTimedOut();
    // A missed character: the low tone, the character again (and its name
    // with spoken answers on), then the pause.
    void replayMissed(const PlannedItem& item);
    void finishRound();
    void warmUpTone();
    void playCurrentCall();
    void finishRun();
    void refreshCharts();
    void tell(const QString& text);

    Services services_;
    const MorseTable& table_;
    practice::HistoryStore history_;
    ServerTimeMap serverTime_;

    QTabWidget* Onglets = nullptr;
    QComboBox* ComboSourceCar = nullptr;
    QCheckBox* CBajouter = nullptr;
    QDoubleSpinBox* SpinPauseCar = nullptr;
    QPushButton* BoutonEchauffement = nullptr;
    QPushButton* BoutonDepart = nullptr;
    QLabel* LabelCaractere = nullptr;
    QLabel* LabelBase = nullptr;
    ReactionChart* ChartReaction = nullptr;
    QSpinBox* SpinVitesseInd = nullptr;
    QPushButton* BoutonIndicatifs = nullptr;
    QLineEdit* EditIndicatif = nullptr;
    QPushButton* BoutonRejouer = nullptr;
    QLabel* LabelScoreInd = nullptr;
    SpeedCurve* ChartIndicatifs = nullptr;

    QTimer* timeout_ = nullptr;
    QTimer* pause_ = nullptr;
    QTimer* warmUp_ = nullptr;
    CharacterRecords records_;
    std::optional<CharacterPool> pool_;
    CharacterRound round_;
    std::size_t itemIndex_ = 0;
    std::optional<PlannedItem> characterItem_; // awaiting its answer
    double playedAt_ = 0;                      // clock seconds of the last play asked
    double characterOffsetMs_ = 0;             // where the item starts in the last sound played
    double lastSoundMs_ = 0;
    std::vector<CharacterAnswer> answers_; // of the round
    double baselineMs_ = 0;
    std::vector<double> warmUpTimes_;
    bool warmUpWaiting_ = false;
    RandomGenerator random_;
    std::unique_ptr<CallsignRun> run_;
    std::unique_ptr<speech::AnswerVoice> voice_; // made at the rate and level of the last name said
    int voiceRate_ = 0;
    std::int16_t voiceLevel_ = 0;
    bool replayed_ = false;
};

} // namespace brivo::drills::ui
