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

namespace layout {
constexpr ControlSpec GBfrequence{"GBfrequence", {6, 1, 233, 43}, " Fréquence "};
constexpr ControlSpec GBsignal{"GBsignal", {245, 1, 233, 43}, " Signal "};
constexpr ControlSpec GBvitesse{"GBvitesse", {6, 44, 233, 43}, " Vitesse lettres "};
constexpr ControlSpec GBsouffle{"GBsouffle", {245, 44, 233, 43}, " Souffle "};
constexpr ControlSpec::Bounds kBarInBox{3, 16, 224, 25};
constexpr ControlSpec TBfreq{"TBfreq", kBarInBox};
constexpr ControlSpec TBsignal{"TBsignal", kBarInBox};
constexpr ControlSpec TBvitesse{"TBvitesse", kBarInBox};
constexpr ControlSpec TBsouffle{"TBsouffle", kBarInBox};
constexpr ControlSpec BoutonNom{"BoutonNom", {496, 3, 97, 25}, "&Fichier WAV", "Nom du fichier WAV créé"};
constexpr ControlSpec ComboBoxFe{"ComboBoxFe", {494, 32, 102, 24}, "", "Fréquence d'échantillonnage du fichier"};
constexpr ControlSpec StaticText2{"StaticText2", {494, 58, 58, 20}, "Intervalle"};
constexpr ControlSpec StaticText3{"StaticText3", {494, 72, 52, 20}, "lettres  x"};
constexpr ControlSpec CSdureeSP{"CSdureeSP", {556, 61, 39, 26}, "", "Augmenter la durée des espaces entre lettres"};
constexpr ControlSpec Bevel3{"Bevel3", {486, 7, 0, 84}};
constexpr ControlSpec CBmot{
    "CBmot", {264, 242, 78, 24}, "", "Mot de référence pour la vitesse des caractères [Alt]+[V]"};
} // namespace layout

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// A group box holding a track bar over `range`.
TrackBar* makeTrackBarBox(QWidget* page, QGroupBox*& box, const ControlSpec& boxSpec, const ControlSpec& barSpec,
                          ControlRange range)
{
    box = place(new QGroupBox(fromUtf8(boxSpec.caption), page), boxSpec);
    return place(new TrackBar(range.minimum, range.maximum, range.initial, box), barSpec);
}

// The caption " Fréquence = 795 Hz " over the bar; the bar's value text is
// what follows "=", "795 Hz".
void showCaption(QGroupBox* box, TrackBar* bar, const std::string& caption)
{
    const QString title = fromStd(caption);
    box->setTitle(title);
    bar->setValueText(title.section(u'=', 1).trimmed());
}

// " Fe=4000Hz" .. "Fe=22050Hz": every item ten characters wide.
QStringList rateItems()
{
    QStringList items;
    for (const int rate : sound::kSampleRates)
        items.append(u"Fe=%1Hz"_s.arg(rate).rightJustified(10));
    return items;
}

} // namespace

SoundControls::SoundControls(QWidget* page, QWidget* window, Dialogs& dialogs)
    : QObject(page), dialogs_(dialogs), window_(window)
{
    TBfreq = makeTrackBarBox(page, GBfrequence, layout::GBfrequence, layout::TBfreq, sound::kTone);
    TBsignal = makeTrackBarBox(page, GBsignal, layout::GBsignal, layout::TBsignal, sound::kSignal);
    TBvitesse = makeTrackBarBox(page, GBvitesse, layout::GBvitesse, layout::TBvitesse, sound::kSpeed);
    TBsouffle = makeTrackBarBox(page, GBsouffle, layout::GBsouffle, layout::TBsouffle, sound::kNoise);
    BoutonNom = makeButton(page, layout::BoutonNom);
    ComboBoxFe = makeDropDown(page, layout::ComboBoxFe, rateItems(), static_cast<int>(sound::kSampleRates.size()));
    useButtonFace(ComboBoxFe);
    ComboBoxFe->setCurrentIndex(sound::kInitialRateIndex);
    StaticText2 = makeStaticText(page, layout::StaticText2);
    StaticText3 = makeStaticText(page, layout::StaticText3);
    CSdureeSP = place(new SpinEdit(sound::kSpacing, page), layout::CSdureeSP);
    Bevel3 = makeBevel(page, layout::Bevel3);
    CBmot = makeDropDown(window, layout::CBmot, {u" PARIS"_s, u"CODEX"_s}, 2);
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
    showCaption(GBfrequence, TBfreq, frequencyCaption(TBfreq->value()));
}

void SoundControls::TBsignalChange()
{
    showCaption(GBsignal, TBsignal, signalCaption(TBsignal->value()));
}

void SoundControls::TBsouffleChange()
{
    showCaption(GBsouffle, TBsouffle, noiseCaption(TBsouffle->value()));
}

void SoundControls::TBvitesseChange()
{
    const QString separator = QLocale().decimalPoint();
    showCaption(GBvitesse, TBvitesse, speedCaption(TBvitesse->value(), separator.toStdString()));
}

void SoundControls::BoutonNomClick()
{
    if (const auto chosen = dialogs_.saveFileName(window_, SaveDialogWAV.spec, SaveDialogWAV.fileName))
        SaveDialogWAV.fileName = *chosen;
}

} // namespace brivo::ui
