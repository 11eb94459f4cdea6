#include "reception/ui/reception_window.h"

#include "common/number_text.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/widgets.h"
#include "reception/reception_renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

namespace brivo::reception::ui {

using namespace Qt::StringLiterals;

namespace {

template <typename Spin> Spin* spin(QWidget* parent, const char* name, double low, double high, double value)
{
    auto* box = new Spin(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(static_cast<decltype(box->value())>(low), static_cast<decltype(box->value())>(high));
    box->setValue(static_cast<decltype(box->value())>(value));
    return box;
}

QDoubleSpinBox* decimalSpin(QWidget* parent, const char* name, double low, double high, double value, int decimals,
                            double step, const QString& suffix)
{
    auto* box = spin<QDoubleSpinBox>(parent, name, low, high, value);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setSuffix(suffix);
    return box;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

} // namespace

const QStringList& ReceptionWindow::presetNames()
{
    static const QStringList names = {u"Bande calme"_s, u"Fading lent"_s, u"Soir d'hiver sur 40 m"_s, u"Contest"_s};
    return names;
}

ReceptionWindow::ReceptionWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"ReceptionWindow"_s);
    setWindowTitle(u"Conditions de réception"_s);

    CBdesactive = check(this, "CBdesactive", u"&Désactivé (rendu d'origine)"_s);
    CBdesactive->setChecked(true);
    ComboPreset = new QComboBox(this);
    ComboPreset->setObjectName(u"ComboPreset"_s);
    ComboPreset->addItem(u"Personnalisé"_s);
    ComboPreset->addItems(presetNames());
    CBvitesseEff = check(this, "CBvitesseEff", u"Vitesse effective"_s);
    SEvitesseEff = decimalSpin(this, "SEvitesseEff", 1, 60, 10, 1, 0.5, u" mots/mn"_s);
    CBrampe = check(this, "CBrampe", u"Rampe jusqu'à"_s);
    CBrampe->setToolTip(u"La vitesse monte en ligne droite, du début à la fin du texte, jusqu'à celle-ci"_s);
    SErampe = decimalSpin(this, "SErampe", kRampWpm.lowest, kRampWpm.highest, 25, 1, 0.5, u" mots/mn"_s);
    ComboForme = new QComboBox(this);
    ComboForme->setObjectName(u"ComboForme"_s);
    ComboForme->addItems({u"Blackman-Harris"_s, u"Cosinus surélevé"_s, u"Linéaire"_s, u"Dure"_s});
    SEmontee = decimalSpin(this, "SEmontee", 1, 15, kDefaultRiseMs, 1, 0.5, u" ms"_s);
    CBsnr = check(this, "CBsnr", u"Bruit"_s);
    SEsnr = decimalSpin(this, "SEsnr", -15, 40, 10, 1, 1, u" dB dans 500 Hz"_s);
    LabelNiveaux = new QLabel(this);
    LabelNiveaux->setObjectName(u"LabelNiveaux"_s);
    LabelMontee = new QLabel(this);
    LabelMontee->setObjectName(u"LabelMontee"_s);
    LabelMontee->hide();
    CBfiltre = check(this, "CBfiltre", u"Filtre"_s);
    SEfiltre = spin<QSpinBox>(this, "SEfiltre", 100, 2400, 500);
    SEfiltre->setSuffix(u" Hz"_s);
    SEfiltre->setSingleStep(50);
    ComboFiltre = new QComboBox(this);
    ComboFiltre->setObjectName(u"ComboFiltre"_s);
    ComboFiltre->addItems({u"Butterworth"_s, u"Tchebychev 0,5 dB"_s});
    CBqsb = check(this, "CBqsb", u"Fading"_s);
    SEqsb = decimalSpin(this, "SEqsb", 0.02, 2, 0.1, 2, 0.05, u" Hz"_s);
    SEk = decimalSpin(this, "SEk", 0, 100, 0, 1, 1, {});
    SEk->setPrefix(u"K = "_s);
    CBflutter = check(this, "CBflutter", u"Flutter (20 Hz)"_s);
    SEqrn = decimalSpin(this, "SEqrn", 0, 200, 0, 0, 5, u" /s"_s);
    SEcrashes = decimalSpin(this, "SEcrashes", 0, 1, 0, 2, 0.05, u" /s"_s);
    SEqrm = spin<QSpinBox>(this, "SEqrm", 0, 5, 0);
    SEchirp = decimalSpin(this, "SEchirp", -150, 150, 0, 0, 5, u" Hz"_s);
    SEchirpTau = decimalSpin(this, "SEchirpTau", 5, 50, 20, 0, 1, u" ms"_s);
    CBreponse = check(this, "CBreponse", u"&Réponse parlée"_s);
    CBreponse->setToolTip(u"Après chaque groupe ou mot, une pause puis sa réponse dite en français"_s);
    SEpauseReponse = decimalSpin(this, "SEpauseReponse", 1, 10, 2, 1, 0.5, u" s de pause"_s);
    CBrepeter = check(this, "CBrepeter", u"Morse, réponse, &Morse"_s);
    CBrepeter->setToolTip(u"Après sa réponse, le groupe ou le mot est manipulé une seconde fois"_s);

    auto* form = new QFormLayout(this);
    form->addRow(CBdesactive);
    form->addRow(u"Préréglage"_s, ComboPreset);
    form->addRow(row({CBvitesseEff, SEvitesseEff}));
    form->addRow(row({CBrampe, SErampe}));
    form->addRow(u"Manipulation"_s, row({ComboForme, SEmontee}));
    form->addRow(LabelMontee);
    form->addRow(row({CBsnr, SEsnr}));
    form->addRow(LabelNiveaux);
    form->addRow(row({CBfiltre, SEfiltre, ComboFiltre}));
    form->addRow(row({CBqsb, SEqsb, SEk, CBflutter}));
    form->addRow(u"Parasites (QRN)"_s, row({SEqrn, new QLabel(u"craquements"_s, this), SEcrashes}));
    form->addRow(u"Stations (QRM)"_s, SEqrm);
    form->addRow(u"Glissement (chirp)"_s, row({SEchirp, SEchirpTau}));
    form->addRow(row({CBreponse, SEpauseReponse, CBrepeter}));

    const auto edited = [this] {
        if (loading_)
            return;
        ComboPreset->setCurrentIndex(0);
        showLevels();
        setControlsEnabled();
        Q_EMIT changed();
    };
    for (QCheckBox* box : {CBvitesseEff, CBrampe, CBsnr, CBfiltre, CBqsb, CBflutter})
        connect(box, &QCheckBox::toggled, this, edited);
    for (QDoubleSpinBox* box :
         {SEvitesseEff, SErampe, SEmontee, SEsnr, SEqsb, SEk, SEqrn, SEcrashes, SEchirp, SEchirpTau})
        connect(box, &QDoubleSpinBox::valueChanged, this, edited);
    for (QSpinBox* box : {SEfiltre, SEqrm})
        connect(box, &QSpinBox::valueChanged, this, edited);
    for (QComboBox* box : {ComboForme, ComboFiltre})
        connect(box, &QComboBox::currentIndexChanged, this, edited);
    connect(CBdesactive, &QCheckBox::toggled, this, [this] {
        setControlsEnabled();
        Q_EMIT changed();
    });
    connect(ComboPreset, &QComboBox::activated, this, [this](int index) { ComboPresetChange(index); });
    showLevels();
    setControlsEnabled();
    brivo::ui::nameSpinBoxesByTheirCaptions(this); // once the captions are in place
}

std::optional<speech::AnswerOptions> ReceptionWindow::spokenAnswers() const
{
    if (!CBreponse->isChecked())
        return std::nullopt;
    return speech::AnswerOptions{SEpauseReponse->value(), CBrepeter->isChecked()};
}

void ReceptionWindow::setSpokenAnswers(bool on, const speech::AnswerOptions& options)
{
    CBreponse->setChecked(on);
    SEpauseReponse->setValue(options.pauseSeconds);
    CBrepeter->setChecked(options.keyAgain);
}

void ReceptionWindow::setRiseNote(const QString& note)
{
    LabelMontee->setText(note);
    LabelMontee->setVisible(!note.isEmpty());
}

void ReceptionWindow::showConditions()
{
    brivo::ui::showOverParent(this);
}

void ReceptionWindow::keyPressEvent(QKeyEvent* event)
{
    if (brivo::ui::hideOnEscape(this, event))
        return;
    QWidget::keyPressEvent(event);
}

bool ReceptionWindow::enabled() const
{
    return !CBdesactive->isChecked();
}

ReceptionConditions ReceptionWindow::conditions() const
{
    return enabled() ? settings() : ReceptionConditions{};
}

ReceptionConditions ReceptionWindow::settings() const
{
    ReceptionConditions c;
    if (CBvitesseEff->isChecked())
        c.effectiveWpm = SEvitesseEff->value();
    if (CBrampe->isChecked())
        c.rampToWpm = SErampe->value();
    c.shape = static_cast<EnvelopeShape>(ComboForme->currentIndex());
    c.riseMs = SEmontee->value();
    if (CBsnr->isChecked())
        c.snrDb = SEsnr->value();
    if (CBfiltre->isChecked())
        c.filterHz = SEfiltre->value();
    c.filterShape = ComboFiltre->currentIndex() == 1 ? FilterShape::Chebyshev : FilterShape::Butterworth;
    if (CBflutter->isChecked())
        c.qsbHz = kFlutterHz;
    else if (CBqsb->isChecked())
        c.qsbHz = SEqsb->value();
    c.qsbK = SEk->value();
    c.qrnRate = SEqrn->value();
    c.crashRate = SEcrashes->value();
    c.qrm = SEqrm->value();
    c.chirpHz = SEchirp->value();
    c.chirpTauMs = SEchirpTau->value();
    return c;
}

void ReceptionWindow::setSettings(const ReceptionConditions& c, bool switchedOn)
{
    loading_ = true;
    CBvitesseEff->setChecked(c.effectiveWpm.has_value());
    if (c.effectiveWpm)
        SEvitesseEff->setValue(*c.effectiveWpm);
    CBrampe->setChecked(c.rampToWpm.has_value());
    if (c.rampToWpm)
        SErampe->setValue(*c.rampToWpm);
    ComboForme->setCurrentIndex(static_cast<int>(c.shape.value_or(EnvelopeShape::BlackmanHarris)));
    SEmontee->setValue(c.riseMs.value_or(kDefaultRiseMs));
    CBsnr->setChecked(c.snrDb.has_value());
    if (c.snrDb)
        SEsnr->setValue(*c.snrDb);
    CBfiltre->setChecked(c.filterHz.has_value());
    if (c.filterHz)
        SEfiltre->setValue(static_cast<int>(std::lround(*c.filterHz)));
    ComboFiltre->setCurrentIndex(c.filterShape == FilterShape::Chebyshev ? 1 : 0);
    const bool flutter = c.qsbHz && *c.qsbHz >= 10;
    CBflutter->setChecked(flutter);
    CBqsb->setChecked(c.qsbHz.has_value() && !flutter);
    if (c.qsbHz && !flutter)
        SEqsb->setValue(*c.qsbHz);
    SEk->setValue(c.qsbK);
    SEqrn->setValue(c.qrnRate);
    SEcrashes->setValue(c.crashRate);
    SEqrm->setValue(c.qrm);
    SEchirp->setValue(c.chirpHz);
    SEchirpTau->setValue(c.chirpTauMs);
    CBdesactive->setChecked(!switchedOn);
    loading_ = false;
    showLevels();
    setControlsEnabled();
    Q_EMIT changed();
}

void ReceptionWindow::ComboPresetChange(int index)
{
    if (index <= 0)
        return;
    setSettings(presetConditions(index - 1), true);
    ComboPreset->setCurrentIndex(index);
}

void ReceptionWindow::showLevels()
{
    if (!CBsnr->isChecked()) {
        LabelNiveaux->setText(u"Sans bruit ajouté"_s);
        return;
    }
    const SignalLevels levels = signalLevels(SEsnr->value());
    LabelNiveaux->setText(u"RSB dans 2500 Hz : %1 dB ; signal S%2, bruit S%3"_s.arg(
        QString::fromStdString(fixedText(levels.snr2500Db, 1, ',')), QString::number(levels.signalS),
        QString::number(levels.noiseS)));
}

void ReceptionWindow::setControlsEnabled()
{
    const bool on = enabled();
    // The spoken answers go with the plain render too: they stay
    // within reach when the conditions are off.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control != CBdesactive && control != CBreponse && control != SEpauseReponse && control != CBrepeter &&
            control->parentWidget() == this)
            control->setEnabled(on);
    }
    SEvitesseEff->setEnabled(on && CBvitesseEff->isChecked());
    SErampe->setEnabled(on && CBrampe->isChecked());
    SEsnr->setEnabled(on && CBsnr->isChecked());
    SEfiltre->setEnabled(on && CBfiltre->isChecked());
    ComboFiltre->setEnabled(on && CBfiltre->isChecked());
    SEqsb->setEnabled(on && CBqsb->isChecked() && !CBflutter->isChecked());
    SEk->setEnabled(on && (CBqsb->isChecked() || CBflutter->isChecked()));
}

} // namespace brivo::reception::ui
