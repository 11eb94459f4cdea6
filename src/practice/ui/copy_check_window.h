#pragma once

#include "common/ui/dialogs.h"
#include "practice/history/history_store.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QTextEdit;

namespace brivo::practice::ui {

class ProgressChart;

// "Contrôle de la copie": a modeless window where the trainee types what
// they heard while the exercise plays, then has it corrected against the
// text of the edit zone. Each correction is kept in the history; the
// "Progrès" page draws the history, exports it as CSV, and the weak
// characters of the last checks become a drill.
class CopyCheckWindow : public QWidget {
    Q_OBJECT
public:
    // What the window reads from the main window.
    struct Source {
        std::function<QString()> sentText;              // the edit zone's plain text
        std::function<ExerciseConditions()> conditions; // speed, spacing, noise
        KeyedPredicate keyed;                           // the characters the code table keys
        SoundsAs soundsAs;                              // and what each sounds as
    };

    CopyCheckWindow(brivo::ui::Dialogs& dialogs, HistoryStore history, Source source, QWidget* parent);

    // Shows the window on its correction page (or brings it to the front),
    // the focus in the copy.
    void showCheck();
    // "Corriger" (also Ctrl+Entrée): corrects, shows, stores.
    void BoutonCorrigerClick();
    // Corrects `copy` against the zone as "Corriger" does, its messages over
    // `owner`: nothing when refused, else whether the check counted for
    // the course's session.
    std::optional<bool> correct(const QString& copy, QWidget* owner);
    // "Exercer les points faibles": asks the main window for a drill of the
    // weak characters of the last checks.
    void BoutonPointsFaiblesClick();
    // "Exporter en CSV...".
    void BoutonExporterClick();

    const HistoryStore& history() const { return history_; }

    // The zone now holds a session of the course: a check of this very text
    // is stored for the course; once the zone is edited, checks are
    // ordinary ones.
    void setCourseSession(const CourseTag& course, const QString& text);

Q_SIGNALS:
    // The drill series to write into the last series and fill from.
    void drillRequested(const QString& series);
    // A check was made for the course: `stored` when the history kept it
    // (the course then reads it from there), else the course takes it in
    // memory.
    void courseCheckRecorded(const brivo::practice::CopyCheck& check, bool stored);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildCorrectionPage(QWidget* page);
    void buildProgressPage(QWidget* page);
    void showCheckResult(const CopyCheck& check);
    void refreshProgress();

    brivo::ui::Dialogs& dialogs_;
    HistoryStore history_;
    Source source_;
    brivo::ui::FileDialogSpec exportDialog_;
    std::optional<CourseTag> course_;
    QString courseText_;

    QTabWidget* Onglets = nullptr;
    QPlainTextEdit* MemoCopie = nullptr;
    QPushButton* BoutonCorriger = nullptr;
    QPushButton* BoutonPointsFaibles = nullptr;
    QLabel* LabelScore = nullptr;
    QTextEdit* TexteAligne = nullptr;
    QTableWidget* GrilleCaracteres = nullptr;
    ProgressChart* Graphique = nullptr;
    QPushButton* BoutonExporter = nullptr;
};

} // namespace brivo::practice::ui
