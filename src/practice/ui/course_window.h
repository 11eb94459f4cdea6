#pragma once

#include "common/random_generator.h"
#include "common/ui/dialogs.h"
#include "practice/history/history_store.h"
#include "practice/koch_course.h"
#include "practice/material/material.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace brivo::practice::ui {

// A session as the course hands it to the trainer: the text for the zone,
// and how it is rendered (the course's speeds, its introduction first).
struct CourseSession {
    QString text;
    bool mask = true;
    bool play = true;
    CourseTag course;
    QString introduction;    // keyed before the text, not part of it
    QString introducedNames; // the French names of the characters introduced
    CourseSpeeds speeds;
};

// The bars of the course window: one per character of the lesson, as high
// as its error rate on a scale of 0 to 100 %, its rate written over it, the
// newest one marked. A screen reader gets every rate as a table.
class CourseBars : public QWidget {
    Q_OBJECT
public:
    explicit CourseBars(QWidget* parent = nullptr);
    void setState(const CourseState& state);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CourseState state_;
};

// "Cours Koch": a modeless window that runs a course of lessons in the
// Koch method over the copy check. It shows the order, the lesson, the
// speeds and the error rate of each character; "Nouvelle séance" asks the
// main window to put the session's text in the edit zone (masked and
// played if ticked) and gives the keyboard to the copy field; "Corriger"
// (Ctrl+Entrée) has the copy checked and stored, and shows what the check
// did to the course. A check made in the copy check window counts alike.
// Its content scrolls: the window never grows past the screen.
class CourseWindow : public QWidget {
    Q_OBJECT
public:
    struct Source {
        KeyedPredicate keyed;                     // the characters the code table keys
        TextDuration seconds;                     // a text's length at the sound settings
        std::function<RandomGenerator&()> random; // the program's one sequence
        std::function<const MorseTable&()> table; // the code table in use, for its procedure signals
        // Checks a copy against the zone as the copy check does, its
        // messages over the course window: nothing when refused, else
        // whether it counted for the course's session.
        std::function<std::optional<bool>(const QString& copy)> correct;
    };

    CourseWindow(brivo::ui::Dialogs& dialogs, HistoryStore history, Source source, QWidget* parent);

    // Shows the window in front (placed over the trainer the first time).
    void showCourse();
    // "Nouvelle séance".
    void BoutonSeanceClick();
    // "Ouvrir un ordre...".
    void BoutonOuvrirOrdreClick();
    // "Ouvrir une liste...": the personal list, which becomes the material.
    void BoutonOuvrirListeClick();
    // "Corriger" (also Ctrl+Entrée in the copy): checks the copy; the copy
    // field is cleared once a check was made.
    void BoutonCorrigerClick();
    // A check of the course was made: the course reads it again from the
    // history when `stored`, or takes it in memory; a new lesson is
    // announced.
    void courseCheckRecorded(const CopyCheck& check, bool stored);

    CourseSettings settings() const;
    CourseSpeeds speeds() const;
    void setSettings(const CourseSettings& settings);
    const CourseState& state() const { return state_; }

protected:
    // Escape hides the window and gives the keyboard back to the trainer;
    // Ctrl+K goes to the copy field.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The session to put in the edit zone in place of its text.
    void sessionReady(const brivo::practice::ui::CourseSession& session);

private:
    // Reads the order and the course from the history; false (with a
    // message, the course left as it was) when the order cannot be used.
    // A history that cannot be read is said, and the course then runs in
    // memory for this run, from its first lesson.
    bool reload();
    // The lesson chosen in the spin box, kept in the history.
    void lessonChosen(int lesson);
    void showState();
    // Reads the personal list into the deck; false (with a message) when it
    // cannot be read.
    bool loadList(const QString& path);
    // The session's text from the material chosen, or nothing (with a
    // message) when the material has nothing to draw.
    std::optional<std::u32string> drawFromMaterial(const SessionSpec& spec);
    void materialChanged();
    void buildControls();
    void layOut();
    // What the check did to the course, in the window (and in a box when
    // the window is not shown).
    void showCheckSummary(const CopyCheck& check, const AdvanceProgress& progress, int lessonBefore);

    brivo::ui::Dialogs& dialogs_;
    HistoryStore history_;
    Source source_;
    brivo::ui::FileDialogSpec orderDialog_;
    brivo::ui::FileDialogSpec listDialog_;
    QString listPath_;
    ItemDeck deck_;
    bool deckLoaded_ = false;
    std::map<Language, std::vector<std::u32string>> dictionaries_;
    QString orderChoice_ = QString::fromLatin1(kDefaultOrderName.data(), kDefaultOrderName.size());
    CourseState state_;
    // A lesson chosen by hand that the history could not keep: it holds
    // for this run, until a check is stored or another order is opened.
    std::optional<int> unsavedLesson_;
    // The history could not be read: the course lives in memory until the
    // program ends, and nothing of it is kept.
    bool inMemory_ = false;
    std::map<std::pair<char32_t, char32_t>, int> confusions_;
    bool updating_ = false;

    QComboBox* ComboOrdre = nullptr;
    QPushButton* BoutonOuvrirOrdre = nullptr;
    QSpinBox* SpinLecon = nullptr;
    QSpinBox* SpinVitesse = nullptr;
    QSpinBox* SpinEffective = nullptr;
    QCheckBox* CBpalier = nullptr;
    QLabel* LabelCaracteres = nullptr;
    CourseBars* Barres = nullptr;
    QDoubleSpinBox* SpinMinutes = nullptr;
    QSpinBox* SpinGroupes = nullptr;
    QComboBox* ComboTaille = nullptr;
    QComboBox* ComboMateriel = nullptr;
    QPushButton* BoutonOuvrirListe = nullptr;
    QLabel* LabelQuantite = nullptr;
    QLabel* LabelSens = nullptr;
    QCheckBox* CBmasquer = nullptr;
    QCheckBox* CBjouer = nullptr;
    QPushButton* BoutonSeance = nullptr;
    QPlainTextEdit* MemoCopieCours = nullptr;
    QPushButton* BoutonCorrigerCours = nullptr;
    QLabel* LabelBilan = nullptr;
};

} // namespace brivo::practice::ui
