#pragma once

#include "audio/keying_parameters.h"
#include "common/ui/dialogs.h"

#include <QObject>
#include <QString>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace brivo::ui {

class SpinEdit;
class TrackBar;

// The save dialog that names the WAV file, and the name it holds.
struct WavFileDialog {
    FileDialogSpec spec;
    QString fileName = QStringLiteral("Morse.WAV");
};

// The sound controls: tone, signal, noise and speed bars with their
// captions, sample rate, reference word, spacing factor and the WAV file's
// name. The renderer reads them through keyingParameters().
class SoundControls : public QObject {
    Q_OBJECT
public:
    // `page` receives the controls of the sound page, `window` the
    // reference-word box.
    SoundControls(QWidget* page, QWidget* window, Dialogs& dialogs);

    KeyingParameters keyingParameters();

    void TBfreqChange();
    void TBsignalChange();
    void TBsouffleChange();
    void TBvitesseChange();
    void BoutonNomClick();

    QGroupBox* GBfrequence = nullptr;
    QGroupBox* GBsignal = nullptr;
    QGroupBox* GBvitesse = nullptr;
    QGroupBox* GBsouffle = nullptr;
    TrackBar* TBfreq = nullptr;
    TrackBar* TBsignal = nullptr;
    TrackBar* TBvitesse = nullptr;
    TrackBar* TBsouffle = nullptr;
    QPushButton* BoutonNom = nullptr;
    QComboBox* ComboBoxFe = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    SpinEdit* CSdureeSP = nullptr;
    QFrame* Bevel3 = nullptr;
    QComboBox* CBmot = nullptr;
    WavFileDialog SaveDialogWAV;

private:
    Dialogs& dialogs_;
    QWidget* window_;
};

} // namespace brivo::ui
