#include "audio/ui/sound_controls.h"

#include "audio/control_captions.h"
#include "common/ui/error_box.h"
#include "common/ui/spin_edit.h"
#include "common/ui/track_bar.h"
#include "common/ui/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A group box holding a track bar at 3, 16, 224, 25.
TrackBar* makeTrackBarBox(QWidget* page, QGroupBox*& box, const QString& caption, const QRect& bounds, int minimum,
                          int maximum, int position)
{
    box = new QGroupBox(caption, page);
    box->setGeometry(bounds);
    auto* bar = new TrackBar(minimum, maximum, position, box);
    bar->setGeometry(3, 16, 224, 25);
    return bar;
}

} // namespace

SoundControls::SoundControls(QWidget* page, QWidget* window, Dialogs& dialogs)
    : QObject(page), dialogs_(dialogs), window_(window)
{
    TBfreq = makeTrackBarBox(page, GBfrequence, u" Fréquence "_s, {6, 1, 233, 43}, 0, 240, 99);
    TBsignal = makeTrackBarBox(page, GBsignal, u" Signal "_s, {245, 1, 233, 43}, 0, 200, 140);
    TBvitesse = makeTrackBarBox(page, GBvitesse, u" Vitesse lettres "_s, {6, 44, 233, 43}, 20, 200, 72);
    TBsouffle = makeTrackBarBox(page, GBsouffle, u" Souffle "_s, {245, 44, 233, 43}, 0, 200, 0);
    BoutonNom = makeButton(page, u"&Fichier WAV"_s, {496, 3, 97, 25}, u"Nom du fichier WAV créé"_s);
    ComboBoxFe =
        makeDropDown(page, {u" Fe=4000Hz"_s, u" Fe=8000Hz"_s, u"Fe=11025Hz"_s, u"Fe=16000Hz"_s, u"Fe=22050Hz"_s},
                     {494, 32, 102, 24}, 5, u"Fréquence d'échantillonnage du fichier"_s);
    useButtonFace(ComboBoxFe);
    ComboBoxFe->setCurrentIndex(2);
    StaticText2 = makeStaticText(page, u"Intervalle"_s, {494, 58, 58, 20});
    StaticText3 = makeStaticText(page, u"lettres  x"_s, {494, 72, 52, 20});
    CSdureeSP = new SpinEdit(1, 20, 1, page);
    CSdureeSP->setGeometry(556, 61, 39, 26);
    CSdureeSP->setToolTip(u"Augmenter la durée des espaces entre lettres"_s);
    Bevel3 = makeBevel(page, 486, 7, 84);

    CBmot = makeDropDown(window, {u" PARIS"_s, u"CODEX"_s}, {264, 242, 78, 24}, 2,
                         u"Mot de référence pour la vitesse des caractères [Alt]+[V]"_s);
    CBmot->setFrame(false);
    useButtonFace(CBmot);

    QWidget::setTabOrder(TBfreq, TBsignal);
    QWidget::setTabOrder(TBsignal, TBvitesse);
    QWidget::setTabOrder(TBvitesse, TBsouffle);
    QWidget::setTabOrder(TBsouffle, ComboBoxFe);
    QWidget::setTabOrder(ComboBoxFe, BoutonNom);
    QWidget::setTabOrder(BoutonNom, CSdureeSP);

    SaveDialogWAV.spec.title = u" Nom du fichier sonore à créer :"_s;
    // File names are case-sensitive here: the filter takes both spellings.
    SaveDialogWAV.spec.nameFilters = {u"Fichier WAV PCM 16 bits (*.WAV *.wav)"_s};
    SaveDialogWAV.spec.defaultSuffix = u"WAV"_s;
    SaveDialogWAV.spec.folderMustExist = true;
    SaveDialogWAV.spec.refuseReadOnlyFile = true;
    SaveDialogWAV.spec.confirmOverwrite = false;

    connect(TBfreq, &TrackBar::moved, this, ErrorBox::guarded([this] { TBfreqChange(); }));
    connect(TBsignal, &TrackBar::moved, this, ErrorBox::guarded([this] { TBsignalChange(); }));
    connect(TBsouffle, &TrackBar::moved, this, ErrorBox::guarded([this] { TBsouffleChange(); }));
    connect(TBvitesse, &TrackBar::moved, this, ErrorBox::guarded([this] { TBvitesseChange(); }));
    connect(ComboBoxFe, &QComboBox::currentIndexChanged, this, ErrorBox::guarded([this] { ComboBoxFeChange(); }));
    connect(BoutonNom, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonNomClick(); }));
}

KeyingParameters SoundControls::keyingParameters()
{
    KeyingParameters p;
    p.tonePosition = TBfreq->value();
    p.signalPosition = TBsignal->value();
    p.noisePosition = TBsouffle->value();
    p.speedPosition = TBvitesse->value();
    p.referenceWord = CBmot->currentIndex() == 0 ? ReferenceWord::Paris : ReferenceWord::Codex;
    p.spacingFactor = CSdureeSP->readValue();
    const int rateIndex = ComboBoxFe->currentIndex();
    p.sampleRateIndex = rateIndex >= 0 ? std::optional<int>(rateIndex) : std::nullopt;
    return p;
}

void SoundControls::TBfreqChange()
{
    GBfrequence->setTitle(fromUtf8(captions::frequency(TBfreq->value())));
}

void SoundControls::TBsignalChange()
{
    GBsignal->setTitle(fromUtf8(captions::signal(TBsignal->value())));
}

void SoundControls::TBsouffleChange()
{
    GBsouffle->setTitle(fromUtf8(captions::noise(TBsouffle->value())));
}

void SoundControls::TBvitesseChange()
{
    const QString separator = QLocale().decimalPoint();
    GBvitesse->setTitle(fromUtf8(captions::speed(TBvitesse->value(), separator.toStdString())));
}

// A new sample rate takes effect at the next render.
void SoundControls::ComboBoxFeChange()
{}

void SoundControls::BoutonNomClick()
{
    if (const auto chosen = dialogs_.saveFileName(window_, SaveDialogWAV.spec, SaveDialogWAV.fileName))
        SaveDialogWAV.fileName = *chosen;
}

} // namespace brivo::ui
