#pragma once

#include "reception/reception_conditions.h"
#include "speech/answered_render.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace brivo::reception::ui {

// "Conditions de réception": a modeless window holding the conditions of
// the render, with presets and a "Désactivé" switch that returns to the
// plain render. Escape hides it.
class ReceptionWindow : public QWidget {
    Q_OBJECT
public:
    // The presets, in the order of the list (after "Personnalisé").
    static const QStringList& presetNames();

    explicit ReceptionWindow(QWidget* parent);

    // Shows the window, or brings it to the front.
    void showConditions();

    // The conditions the render takes: none while switched off.
    ReceptionConditions conditions() const;
    bool enabled() const;
    // The controls' values, switched on or not (what the settings keep).
    ReceptionConditions settings() const;
    void setSettings(const ReceptionConditions& c, bool switchedOn);
    // "Réponse parlée": the pause before each spoken answer and whether the
    // word is keyed again after it, or nothing when it is off. Independent
    // of the conditions' switch.
    std::optional<speech::AnswerOptions> spokenAnswers() const;
    void setSpokenAnswers(bool on, const speech::AnswerOptions& options);

    // What the last render did to the rise time when it could not keep it
    // ("temps de montée ramené à ..."), shown under it; empty: nothing.
    void setRiseNote(const QString& note);

    // Fills the controls from a preset of presetNames(); switches them on.
    void ComboPresetChange(int index);

Q_SIGNALS:
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showLevels();
    void setControlsEnabled();

    bool loading_ = false;
    QCheckBox* CBdesactive = nullptr;
    QComboBox* ComboPreset = nullptr;
    QCheckBox* CBvitesseEff = nullptr;
    QDoubleSpinBox* SEvitesseEff = nullptr;
    QCheckBox* CBrampe = nullptr;
    QDoubleSpinBox* SErampe = nullptr;
    QComboBox* ComboForme = nullptr;
    QDoubleSpinBox* SEmontee = nullptr;
    QCheckBox* CBsnr = nullptr;
    QDoubleSpinBox* SEsnr = nullptr;
    QLabel* LabelNiveaux = nullptr;
    QLabel* LabelMontee = nullptr;
    QCheckBox* CBfiltre = nullptr;
    QSpinBox* SEfiltre = nullptr;
    QComboBox* ComboFiltre = nullptr;
    QCheckBox* CBqsb = nullptr;
    QDoubleSpinBox* SEqsb = nullptr;
    QDoubleSpinBox* SEk = nullptr;
    QCheckBox* CBflutter = nullptr;
    QCheckBox* CBreponse = nullptr;
    QDoubleSpinBox* SEpauseReponse = nullptr;
    QCheckBox* CBrepeter = nullptr;
    QDoubleSpinBox* SEqrn = nullptr;
    QDoubleSpinBox* SEcrashes = nullptr;
    QSpinBox* SEqrm = nullptr;
    QDoubleSpinBox* SEchirp = nullptr;
    QDoubleSpinBox* SEchirpTau = nullptr;
};

} // namespace brivo::reception::ui
