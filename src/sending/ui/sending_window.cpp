#include "sending/ui/sending_window.h"

#include "audio/keying_parameters.h"
#include "common/monotonic_clock.h"
#include "common/number_text.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/widgets.h"
#include "common/utf8.h"
#include "practice/copy_check.h"
#include "sending/echo_drill.h"
#include "sending/fist_report.h"
#include "sending/inputs/midi_key.h"
#include "sending/inputs/serial_key.h"
#include "sending/sidetone.h"
#include "sending/ui/timing_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace brivo::sending::ui {

using namespace Qt::StringLiterals;

namespace {

// X11's keysyms and scan codes of the two Ctrl keys, and Space.
constexpr quint32 kLeftControlSym = 0xffe3;
constexpr quint32 kRightControlSym = 0xffe4;
constexpr quint32 kLeftControlCode = 37;
constexpr quint32 kRightControlCode = 105;
constexpr quint32 kSpaceCode = 65;

QString oneDecimal(double value)
{
    return QString::fromStdString(fixedText(value, 1, ','));
}

// The item starts this long after the drill asks for it, and the next one
// this long after a verdict.
constexpr std::int64_t kEchoLeadMicros = 300'000;
constexpr int kEchoPauseMs = 1200;

// Which contact a key is, from its keysym or its scan code.
std::optional<Contact> contactOf(const QKeyEvent* event)
{
    const quint32 sym = event->nativeVirtualKey();
    const quint32 code = event->nativeScanCode();
    if (sym == kLeftControlSym || code == kLeftControlCode)
        return Contact::Dit;
    if (sym == kRightControlSym || code == kRightControlCode)
        return Contact::Dah;
    if (event->key() == Qt::Key_Space)
        return Contact::Straight;
    return std::nullopt;
}

} // namespace

KeyingPad::KeyingPad(Clock clock, QWidget* parent) : QFrame(parent), clock_(std::move(clock))
{
    setObjectName(u"PadManip"_s);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(220, 90);
    setAccessibleName(u"Zone de manipulation"_s);
    setToolTip(u"Ctrl gauche : point, Ctrl droit : trait, Espace : pioche droite ; ou les boutons de la souris"_s);
    // A release is held back until the next event, or this long, to tell a
    // repeat from a real release.
    flush_ = new QTimer(this);
    flush_->setSingleShot(true);
    flush_->setInterval(30);
    connect(flush_, &QTimer::timeout, this, [this] { emitChanges(filter_.flush()); });
}

std::int64_t KeyingPad::micros(std::uint64_t timeMs)
{
    return serverTime_.micros(timeMs, clock_());
}

void KeyingPad::emitChanges(const std::vector<RawKeyEvent>& changes)
{
    for (const RawKeyEvent& change : changes) {
        const Contact contact = change.scanCode == kLeftControlCode    ? Contact::Dit
                                : change.scanCode == kRightControlCode ? Contact::Dah
                                                                       : Contact::Straight;
        Q_EMIT this->contact({micros(change.timeMs), change.press, contact});
    }
}

void KeyingPad::keyEvent(QKeyEvent* event, bool press)
{
    const std::optional<Contact> contact = contactOf(event);
    if (!contact) {
        event->ignore();
        return;
    }
    event->accept();
    const quint32 code = *contact == Contact::Dit   ? kLeftControlCode
                         : *contact == Contact::Dah ? kRightControlCode
                                                    : kSpaceCode;
    emitChanges(filter_.take({press, code, event->timestamp()}));
    if (!press)
        flush_->start();
}

void KeyingPad::keyPressEvent(QKeyEvent* event)
{
    keyEvent(event, true);
}

void KeyingPad::keyReleaseEvent(QKeyEvent* event)
{
    keyEvent(event, false);
}

void KeyingPad::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        Q_EMIT contact({clock_(), true, event->button() == Qt::LeftButton ? Contact::Dit : Contact::Dah});
}

void KeyingPad::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        Q_EMIT contact({clock_(), false, event->button() == Qt::LeftButton ? Contact::Dit : Contact::Dah});
}

SendingWindow::SendingWindow(Output output, const MorseTable& table, std::function<Tone()> tone, QWidget* parent)
    : QWidget(parent, Qt::Window), output_(std::move(output)), table_(table), tone_(std::move(tone))
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"SendingWindow"_s);
    setWindowTitle(u"Manipulation"_s);
    ComboEntree = new QComboBox(this);
    ComboEntree->setObjectName(u"ComboEntree"_s);
    ComboManipulateur = new QComboBox(this);
    ComboManipulateur->setObjectName(u"ComboManipulateur"_s);
    ComboManipulateur->addItems(
        {u"Pioche droite"_s, u"Bug"_s, u"Iambique A"_s, u"Iambique B"_s, u"Ultimatic"_s, u"Levier simple"_s});
    ComboManipulateur->setCurrentIndex(static_cast<int>(KeyerMode::IambicB));
    SpinVitesseManip = new QSpinBox(this);
    SpinVitesseManip->setObjectName(u"SpinVitesseManip"_s);
    SpinVitesseManip->setRange(5, 50);
    SpinVitesseManip->setValue(20);
    SpinVitesseManip->setSuffix(u" mots/mn"_s);
    SpinPoids = new QDoubleSpinBox(this);
    SpinPoids->setObjectName(u"SpinPoids"_s);
    SpinPoids->setRange(2.5, 4.5);
    SpinPoids->setSingleStep(0.1);
    SpinPoids->setDecimals(1);
    SpinPoids->setValue(3);
    SpinPoids->setSuffix(u" points"_s);
    SpinSourd = new QSpinBox(this);
    SpinSourd->setObjectName(u"SpinSourd"_s);
    SpinSourd->setRange(0, 100);
    SpinSourd->setValue(50);
    SpinSourd->setSuffix(u" % d'un point"_s);
    PadManip = new KeyingPad(monotonicMicros, this);
    // What the window tells: wrapped, and named for screen readers.
    const auto saying = [this](const QString& name, const QString& spoken) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setAccessibleName(spoken);
        return label;
    };
    LabelDecode = saying(u"LabelDecode"_s, u"Texte décodé"_s);
    LabelDecode->setMinimumHeight(40);
    EditAEnvoyer = new QLineEdit(this);
    EditAEnvoyer->setObjectName(u"EditAEnvoyer"_s);
    BoutonBilan = new QPushButton(u"&Bilan de la main"_s, this);
    BoutonBilan->setObjectName(u"BoutonBilan"_s);
    BoutonEffacerManip = new QPushButton(u"&Effacer"_s, this);
    BoutonEffacerManip->setObjectName(u"BoutonEffacerManip"_s);
    LabelBilanMain = saying(u"LabelBilanMain"_s, u"Bilan de la main"_s);
    ChartDurees = new TimingChart(this);
    ChartDurees->hide(); // until the first report
    ComboEcho = new QComboBox(this);
    ComboEcho->setObjectName(u"ComboEcho"_s);
    // Each item: the source, and whether it takes the course's characters.
    ComboEcho->addItem(u"Caractères du cours Koch"_s, QVariantList{int(EchoSource::Characters), true});
    ComboEcho->addItem(u"Groupes du cours Koch"_s, QVariantList{int(EchoSource::Groups), true});
    ComboEcho->addItem(u"Tous les caractères"_s, QVariantList{int(EchoSource::Characters), false});
    ComboEcho->addItem(u"Mots"_s, QVariantList{int(EchoSource::Words), false});
    ComboEcho->addItem(u"Indicatifs"_s, QVariantList{int(EchoSource::Calls), false});
    CBvitesseEcho = new QCheckBox(u"Vitesse &adaptative (±1 mot/mn, de 10 à 40)"_s, this);
    CBvitesseEcho->setObjectName(u"CBvitesseEcho"_s);
    BoutonEcho = new QPushButton(u"Exercice d'é&cho"_s, this);
    BoutonEcho->setObjectName(u"BoutonEcho"_s);
    LabelEcho = saying(u"LabelEcho"_s, u"Verdict de l'écho"_s);

    auto* form = new QFormLayout(this);
    form->addRow(u"E&ntrée"_s, ComboEntree);
    form->addRow(u"&Manipulateur"_s, ComboManipulateur);
    form->addRow(u"&Vitesse"_s, SpinVitesseManip);
    form->addRow(u"&Poids du trait"_s, SpinPoids);
    form->addRow(u"Temps &sourd"_s, SpinSourd);
    form->addRow(u"Manipu&lez ici"_s, PadManip);
    form->addRow(u"Décodé"_s, LabelDecode);
    form->addRow(u"&Texte à envoyer"_s, EditAEnvoyer);
    form->addRow(BoutonBilan, BoutonEffacerManip);
    form->addRow(LabelBilanMain);
    form->addRow(ChartDurees);
    form->addRow(u"&Jouer en écho"_s, ComboEcho);
    form->addRow(CBvitesseEcho);
    form->addRow(BoutonEcho, LabelEcho);
    for (QWidget* control : {static_cast<QWidget*>(ComboEntree), static_cast<QWidget*>(ComboManipulateur),
                             static_cast<QWidget*>(EditAEnvoyer), static_cast<QWidget*>(ComboEcho)}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(control)))
            control->setAccessibleName(label->text().remove(u'&'));
    }

    ticks_ = new QTimer(this);
    ticks_->setTimerType(Qt::PreciseTimer);
    ticks_->setInterval(2);
    connect(ticks_, &QTimer::timeout, this, [this] { tick(); });
    connect(PadManip, &KeyingPad::contact, this, [this](const KeyEdge& edge) { contact(edge); });
    connect(BoutonBilan, &QPushButton::clicked, this, [this] { BoutonBilanClick(); });
    connect(BoutonEffacerManip, &QPushButton::clicked, this, [this] { restart(); });
    for (QSpinBox* box : {SpinVitesseManip, SpinSourd})
        connect(box, &QSpinBox::valueChanged, this, [this] { restart(); });
    connect(SpinPoids, &QDoubleSpinBox::valueChanged, this, [this] { restart(); });
    connect(ComboManipulateur, &QComboBox::currentIndexChanged, this, [this] { restart(); });
    connect(ComboEntree, &QComboBox::activated, this, [this] { ComboEntreeChange(); });
    connect(BoutonEcho, &QPushButton::clicked, this, [this] { BoutonEchoClick(); });
    echoNext_ = new QTimer(this);
    echoNext_->setSingleShot(true);
    echoNext_->setInterval(kEchoPauseMs);
    connect(echoNext_, &QTimer::timeout, this, [this] { playEchoItem(); });
    listInputs();
    restart();
    brivo::ui::nameSpinBoxesByTheirCaptions(this); // once the captions are in place
}

SendingWindow::~SendingWindow() = default;

void SendingWindow::setSettings(const SendingSettings& settings)
{
    ComboManipulateur->setCurrentIndex(static_cast<int>(settings.keyer.mode));
    SpinVitesseManip->setValue(static_cast<int>(std::lround(settings.keyer.wpm)));
    SpinPoids->setValue(settings.keyer.weight);
    SpinSourd->setValue(static_cast<int>(std::lround(settings.keyer.deafPercent)));
    const auto source = std::find(kEchoSourceNames.begin(), kEchoSourceNames.end(), settings.echoSource);
    ComboEcho->setCurrentIndex(source == kEchoSourceNames.end() ? 0 : int(source - kEchoSourceNames.begin()));
    CBvitesseEcho->setChecked(settings.echoAdaptive);
}

SendingSettings SendingWindow::settings() const
{
    return {keyerSettings(), std::string(kEchoSourceNames[static_cast<std::size_t>(ComboEcho->currentIndex())]),
            CBvitesseEcho->isChecked()};
}

KeyerSettings SendingWindow::keyerSettings() const
{
    KeyerSettings settings;
    settings.mode = static_cast<KeyerMode>(ComboManipulateur->currentIndex());
    settings.wpm = SpinVitesseManip->value();
    settings.weight = SpinPoids->value();
    settings.deafPercent = SpinSourd->value();
    settings.sampleRate = sidetone_ ? sidetone_->sampleRate() : kDefaultSampleRate;
    return settings;
}

void SendingWindow::restart()
{
    keyer_ = std::make_unique<Keyer>(keyerSettings());
    decoder_ = std::make_unique<Decoder>(table_, SpinVitesseManip->value());
    // Free sending reads the practice words as such; the echo drill's
    // decoder has no vocabulary, which would lean towards a right answer.
    decoder_->setVocabulary(vocabulary_);
    LabelDecode->clear();
}

void SendingWindow::showSending()
{
    // The sidetone takes over the player while the window is open.
    const Tone tone = tone_();
    sidetone_ = std::make_shared<Sidetone>(kDefaultSampleRate, tone.hz, tone.amplitude, 5.0, monotonicMicros);
    if (const Result<void> opened = output_.open(sharedSource(sidetone_)); opened)
        LabelBilanMain->clear();
    else
        LabelBilanMain->setText(u"Le son de contrôle n'est pas disponible (%1) : la manipulation est décodée sans "
                                u"lui."_s.arg(QString::fromStdString(opened.error().message)));
    restart();
    ticks_->start();
    brivo::ui::showOverParent(this);
    PadManip->setFocus();
}

QString SendingWindow::decodedText() const
{
    return QString::fromStdString(decoder_->text());
}

void SendingWindow::contact(const KeyEdge& edge)
{
    KeyEdges keyedEdges;
    keyer_->paddle(edge, keyedEdges);
    keyed(keyedEdges);
}

void SendingWindow::keyed(const KeyEdges& edges)
{
    if (edges.empty())
        return;
    for (const KeyEdge& edge : edges) {
        if (sidetone_)
            sidetone_->schedule(edge);
        if (echo_ && !echoAnswering_) {
            // The drill waits for the first key-down after the item, for
            // as long as it takes.
            if (!edge.down || edge.micros < echoPlayedUntil_ || echoNext_->isActive())
                continue;
            echoAnswering_ = true;
        }
        decoder_->edge(edge);
    }
}

void SendingWindow::tick()
{
    const std::int64_t now = monotonicMicros();
    KeyEdges edges;
    keyer_->runUntil(now, edges);
    keyed(edges);
    decoder_->idle(now);
    const QString text = decodedText();
    if (text != LabelDecode->text()) {
        // The characters are told as they complete.
        if (text.startsWith(LabelDecode->text()) && text.size() > LabelDecode->text().size())
            brivo::ui::announce(this, text.mid(LabelDecode->text().size()).trimmed());
        LabelDecode->setText(text);
    }
    if (echo_ && echoAnswering_ && !decoder_->inWord())
        judgeEcho();
    else if (echo_ && !echoAnswering_ && !echoNext_->isActive() && now >= echoPlayedUntil_)
        LabelEcho->setText(u"À vous."_s);
}

void SendingWindow::BoutonBilanClick()
{
    tick();
    const FistReport report = fistReport(decoder_->elements(), decoder_->text(), EditAEnvoyer->text().toStdString());
    QString text = u"Note : %1 sur 100. Vitesse %2 mots/mn ; traits de %3 points ; espaces entre lettres de %4 "
                   u"points."_s.arg(QString::number(report.score, 'f', 0), oneDecimal(report.wpm),
                                    oneDecimal(report.dah.dits), oneDecimal(report.letterGap.dits));
    for (const CharacterTiming& timing : report.furthest)
        text += u"\nLoin du juste : "_s + QString::fromStdString(characterTimingText(timing)) + u'.';
    for (const std::string& fault : report.faults)
        text += u"\nÀ travailler : "_s + QString::fromStdString(fault) + u'.';
    LabelBilanMain->setText(text);
    ChartDurees->setHistogram(timingHistogram(decoder_->elements()), text);
    ChartDurees->show();
    brivo::ui::announce(this, text);
    if (!decoder_->elements().empty())
        record({practice::SendingSession::Kind::Report, QDateTime::currentDateTimeUtc(), report.wpm, report.score,
                report.perCharacter},
               LabelBilanMain);
}

void SendingWindow::record(const practice::SendingSession& session, QLabel* label)
{
    if (!recorder_)
        return;
    if (const Result<void> kept = recorder_(session); !kept)
        label->setText(label->text() + u'\n' + QString::fromStdString(kept.error().message));
}

void SendingWindow::keyPressEvent(QKeyEvent* event)
{
    if (!brivo::ui::hideOnEscape(this, event))
        QWidget::keyPressEvent(event);
}

// However the window is closed (Escape, its close button), the player and
// the port are let go.
void SendingWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return; // minimised: the keying goes on when it comes back
    ticks_->stop();
    stopEcho();
    output_.close();
    input_.reset();
    ComboEntree->setCurrentIndex(0);
}

void SendingWindow::listInputs()
{
    ComboEntree->clear();
    ComboEntree->addItem(u"Clavier et souris"_s);
    for (const std::string& port : serialPorts())
        ComboEntree->addItem(u"Port série %1"_s.arg(QString::fromStdString(port)), QString::fromStdString(port));
    const MidiSources midi = midiSources();
    for (const MidiSource& source : midi.sources)
        ComboEntree->addItem(u"MIDI : %1"_s.arg(QString::fromStdString(source.name)),
                             QList<QVariant>{source.client, source.port, QString::fromStdString(source.name)});
    if (!midi.unavailable.empty()) {
        ComboEntree->addItem(u"MIDI indisponible : %1"_s.arg(QString::fromStdString(midi.unavailable)));
        auto* items = qobject_cast<QStandardItemModel*>(ComboEntree->model());
        items->item(ComboEntree->count() - 1)->setEnabled(false);
    }
}

void SendingWindow::ComboEntreeChange()
{
    input_.reset();
    const QVariant chosen = ComboEntree->currentData();
    if (!chosen.isValid())
        return;
    // Edges come on the input's thread; the window takes them on its own.
    KeyInputCallbacks callbacks{
        [this](const KeyEdge& edge) {
            QMetaObject::invokeMethod( // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
                this, [this, edge] { contact(edge); }, Qt::QueuedConnection);
        },
        [this](const std::string& message) {
            QMetaObject::invokeMethod( // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
                this, [this, text = QString::fromStdString(message)] { inputLost(text); }, Qt::QueuedConnection);
        },
    };
    Result<std::unique_ptr<KeyInput>> opened =
        chosen.typeId() == QMetaType::QString ? openSerialKey(chosen.toString().toStdString(), std::move(callbacks))
                                              : openMidiKey({chosen.toList()[0].toInt(), chosen.toList()[1].toInt(),
                                                             chosen.toList()[2].toString().toStdString()},
                                                            std::move(callbacks));
    if (!opened) {
        inputLost(QString::fromStdString(opened.error().message));
        return;
    }
    input_ = std::move(*opened);
}

// The keyboard and mouse take over; the window stays usable.
void SendingWindow::inputLost(const QString& message)
{
    input_.reset();
    ComboEntree->setCurrentIndex(0);
    LabelBilanMain->setText(message);
    brivo::ui::announce(this, message);
}

} // namespace brivo::sending::ui

namespace brivo::sending::ui {

std::u32string SendingWindow::echoCharacters() const
{
    if (courseCharacters_ && ComboEcho->currentData().toList().value(1).toBool())
        return courseCharacters_();
    std::u32string characters;
    for (const char32_t c : std::u32string_view(U"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
        if (practice::hasPattern(table_, c))
            characters.push_back(c);
    return characters;
}

void SendingWindow::BoutonEchoClick()
{
    if (echo_) {
        stopEcho();
        return;
    }
    EchoSettings settings;
    settings.source = static_cast<EchoSource>(ComboEcho->currentData().toList().value(0).toInt());
    settings.wpm = SpinVitesseManip->value();
    settings.adaptive = CBvitesseEcho->isChecked();
    practice::CharacterFilter filter{[this](char32_t c) { return practice::hasPattern(table_, c); }, std::nullopt};
    echo_ = std::make_unique<EchoDrill>(settings, echoCharacters(), std::move(filter),
                                        static_cast<std::uint64_t>(monotonicMicros()));
    BoutonEcho->setText(u"Arrêter l'é&cho"_s);
    playEchoItem();
    PadManip->setFocus();
}

void SendingWindow::stopEcho()
{
    echoNext_->stop();
    if (!echo_)
        return;
    if (echo_->answered() > 0) {
        LabelEcho->setText(u"Écho arrêté : %1 juste(s) sur %2."_s.arg(echo_->right()).arg(echo_->answered()));
        record({practice::SendingSession::Kind::Echo, QDateTime::currentDateTimeUtc(), echo_->wpm(),
                100.0 * echo_->right() / echo_->answered(), echo_->counts()},
               LabelEcho);
    }
    echo_.reset();
    BoutonEcho->setText(u"Exercice d'é&cho"_s);
}

void SendingWindow::playEchoItem()
{
    const Result<std::u32string> item = echo_->next();
    if (!item) {
        LabelEcho->setText(QString::fromStdString(item.error().message));
        brivo::ui::announce(this, LabelEcho->text());
        stopEcho();
        return;
    }
    const KeyEdges played = idealKeying(*item, table_, echo_->wpm(), monotonicMicros() + kEchoLeadMicros);
    if (sidetone_)
        for (const KeyEdge& edge : played)
            sidetone_->schedule(edge);
    echoPlayedUntil_ = played.empty() ? monotonicMicros() : played.back().micros;
    echoAnswering_ = false;
    decoder_ = std::make_unique<Decoder>(table_, echo_->wpm());
    LabelDecode->clear();
    LabelEcho->setText(u"Écoutez…"_s);
}

void SendingWindow::judgeEcho()
{
    const EchoVerdict verdict = echo_->answer(decoder_->text());
    echoAnswering_ = false;
    QString text = QString::fromStdString(verdict.message);
    if (CBvitesseEcho->isChecked())
        text += u" (%1 mots/mn)"_s.arg(std::lround(echo_->wpm()));
    LabelEcho->setText(text);
    brivo::ui::announce(this, text);
    echoNext_->start();
}

} // namespace brivo::sending::ui
