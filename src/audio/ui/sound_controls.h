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
    void ComboBoxFeChange();
    void BoutonNomClick();

    QGroupBox* GBfrequence;
    QGroupBox* GBsignal;
    QGroupBox* GBvitesse;
    QGroupBox* GBsouffle;
    TrackBar* TBfreq;
    TrackBar* TBsignal;
    TrackBar* TBvitesse;
    TrackBar* TBsouffle;
    QPushButton* BoutonNom;
    QComboBox* ComboBoxFe;
    QLabel* StaticText2;
    QLabel* StaticText3;
    SpinEdit* CSdureeSP;
    QFrame* Bevel3;
    QComboBox* CBmot;
    WavFileDialog SaveDialogWAV;

private:
    Dialogs& dialogs_;
    QWidget* window_;
};

} // namespace brivo::ui
