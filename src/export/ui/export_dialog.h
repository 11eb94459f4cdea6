#pragma once

#include "common/ui/dialogs.h"
#include "export/export_choices.h"
#include "export/lesson_export.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace brivo::exporting::ui {

// "Exporter...": the edit zone rendered with the sound settings and the
// reception conditions, written as WAV, FLAC, MP3, Ogg Vorbis or Opus,
// tagged, and split into tracks if asked. The work runs in a worker thread
// with a progress bar; "Annuler" stops it and leaves no file behind.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    struct Source {
        // The zone's render and its conditions; nothing (after telling the
        // user why) when there is nothing to export.
        std::function<std::optional<ExportRequest>()> request;
        std::function<const MorseTable&()> table;
        std::function<std::uint32_t()> seed; // the noise's seed for one export
    };

    ExportDialog(brivo::ui::Dialogs& dialogs, Source source, QWidget* parent);
    ~ExportDialog() override;
    ExportDialog(const ExportDialog&) = delete;
    ExportDialog& operator=(const ExportDialog&) = delete;

    // Shows the dialog with its title and comment filled in for the zone.
    void showExport();
    // "Parcourir...": the target, through the file dialog.
    void BoutonParcourirClick();
    // "Exporter": starts the work in the worker thread.
    void BoutonExporterClick();
    // "Annuler": stops the work, or closes the dialog when none runs.
    void BoutonAnnulerClick();

    bool running() const { return worker_.joinable(); }
    ExportChoices choices() const;
    void setChoices(const ExportChoices& choices);

Q_SIGNALS:
    // The work ended: done, failed or cancelled.
    void exportEnded(bool done);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape: as "Annuler" (a running export is stopped, not hidden).
    void reject() override;

private:
    QString titleFromName_; // the title the file's name gave
    void formatChanged();
    void splitChanged();
    void workEnded(const Result<ExportedLesson>& result);
    ExportFormat format() const;

    brivo::ui::Dialogs& dialogs_;
    Source source_;
    brivo::ui::FileDialogSpec targetDialog_;
    QString folder_;
    std::jthread worker_;
    std::atomic<bool> cancel_{false};

    QComboBox* ComboFormat = nullptr;
    QSpinBox* SpinQualite = nullptr;
    QComboBox* ComboFrequence = nullptr;
    QLineEdit* EditTitre = nullptr;
    QLineEdit* EditArtiste = nullptr;
    QLineEdit* EditAlbum = nullptr;
    QLineEdit* EditCommentaire = nullptr;
    QComboBox* ComboDecoupe = nullptr;
    QDoubleSpinBox* SpinMinutesDecoupe = nullptr;
    QLineEdit* EditCible = nullptr;
    QPushButton* BoutonParcourir = nullptr;
    QProgressBar* Progression = nullptr;
    QLabel* LabelEtat = nullptr;
    QPushButton* BoutonExporter = nullptr;
    QPushButton* BoutonAnnuler = nullptr;
};

} // namespace brivo::exporting::ui
