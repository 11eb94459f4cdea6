#pragma once

#include "common/random_generator.h"
#include "common/ui/dialogs.h"
#include "practice/koch_course.h"
#include "practice/material/material.h"
#include "practice/ui/history_store.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace brivo::practice::ui {

// The bars of the course window: one per character of the lesson, as high
// as its error rate, the newest one marked.
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
// Koch method over the copy check. It shows the order, the lesson and the
// error rate of each character; "Nouvelle séance" asks the main window to
// put the session's text in the edit zone (masked and played if ticked),
// and the copy check of that text moves the course on by itself.
class CourseWindow : public QWidget {
    Q_OBJECT
public:
    struct Source {
        KeyedPredicate keyed;                     // the characters the code table keys
        TextDuration seconds;                     // a text's length at the sound settings
        std::function<RandomGenerator&()> random; // the program's one sequence
        std::function<const MorseTable&()> table; // the code table in use, for its procedure signals
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
    // A check of the course was made: the course reads it again from the
    // history when `stored`, or takes it in memory; a new lesson is
    // announced.
    void courseCheckRecorded(const CopyCheck& check, bool stored);

    CourseSettings settings() const;
    void setSettings(const CourseSettings& settings);
    const CourseState& state() const { return state_; }

protected:
    // Escape hides the window and gives the keyboard back to the trainer.
    void keyPressEvent(QKeyEvent* event) override;

Q_SIGNALS:
    // The session to put in the edit zone in place of its text.
    void sessionReady(const QString& text, bool mask, bool play, const brivo::practice::CourseTag& course);

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
};

} // namespace brivo::practice::ui
