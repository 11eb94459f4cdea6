#include "sending/ui/sending_window.h"

#include "audio/keying_parameters.h"
#include "common/number_text.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/widgets.h"
#include "sending/fist_report.h"
#include "sending/inputs/midi_key.h"
#include "sending/inputs/serial_key.h"
#include "sending/sidetone.h"

#include <QComboBox>
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

#include <chrono>
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

std::int64_t steadyMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The player owns its source; the window keeps the sidetone to key it.
class SharedSidetone : public PcmSource {
public:
    explicit SharedSidetone(std::shared_ptr<Sidetone> tone) : tone_(std::move(tone)) {}
    int sampleRate() const override { return tone_->sampleRate(); }
    int channels() const override { return 1; }
    std::uint64_t frames() const override { return tone_->frames(); }
    std::size_t read(std::uint64_t first, std::int16_t* out, std::size_t count) override
    {
        return tone_->read(first, out, count);
    }

private:
    std::shared_ptr<Sidetone> tone_;
};

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
    const std::int64_t now = clock_();
    if (timeMs == 0)
        return now;
    const std::int64_t mapped = static_cast<std::int64_t>(timeMs) * 1000;
    // The server's clock and ours are tied at the first event, and again
    // when they drift more than a second apart (a stall, a new server).
    if (!offset_ || std::abs(now - (mapped + *offset_)) > 1'000'000)
        offset_ = now - mapped;
    return mapped + *offset_;
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
    PadManip = new KeyingPad(steadyMicros, this);
    LabelDecode = new QLabel(this);
    LabelDecode->setObjectName(u"LabelDecode"_s);
    LabelDecode->setWordWrap(true);
    LabelDecode->setMinimumHeight(40);
    LabelDecode->setAccessibleName(u"Texte décodé"_s);
    EditAEnvoyer = new QLineEdit(this);
    EditAEnvoyer->setObjectName(u"EditAEnvoyer"_s);
    BoutonBilan = new QPushButton(u"&Bilan de la main"_s, this);
    BoutonBilan->setObjectName(u"BoutonBilan"_s);
    BoutonEffacerManip = new QPushButton(u"&Effacer"_s, this);
    BoutonEffacerManip->setObjectName(u"BoutonEffacerManip"_s);
    LabelBilanMain = new QLabel(this);
    LabelBilanMain->setObjectName(u"LabelBilanMain"_s);
    LabelBilanMain->setWordWrap(true);
    LabelBilanMain->setAccessibleName(u"Bilan de la main"_s);

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
    for (QWidget* control : {static_cast<QWidget*>(ComboEntree), static_cast<QWidget*>(ComboManipulateur),
                             static_cast<QWidget*>(EditAEnvoyer)}) {
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
    listInputs();
    restart();
    brivo::ui::nameSpinBoxesByTheirCaptions(this); // once the captions are in place
}

SendingWindow::~SendingWindow() = default;

void SendingWindow::setSettings(const KeyerSettings& settings)
{
    ComboManipulateur->setCurrentIndex(static_cast<int>(settings.mode));
    SpinVitesseManip->setValue(static_cast<int>(std::lround(settings.wpm)));
    SpinPoids->setValue(settings.weight);
    SpinSourd->setValue(static_cast<int>(std::lround(settings.deafPercent)));
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
    LabelDecode->clear();
}

void SendingWindow::showSending()
{
    // The sidetone takes over the player while the window is open.
    const Tone tone = tone_();
    sidetone_ = std::make_shared<Sidetone>(kDefaultSampleRate, tone.hz, tone.amplitude, 5.0, steadyMicros);
    if (const Result<void> opened = output_.open(std::make_unique<SharedSidetone>(sidetone_)); opened)
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
        decoder_->edge(edge);
    }
}

void SendingWindow::tick()
{
    const std::int64_t now = steadyMicros();
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
}

void SendingWindow::BoutonBilanClick()
{
    tick();
    const FistReport report = fistReport(decoder_->elements(), decoder_->text(), EditAEnvoyer->text().toStdString());
    QString text = u"Note : %1 sur 100. Vitesse %2 mots/mn ; traits de %3 points ; espaces entre lettres de %4 "
                   u"points."_s.arg(QString::number(report.score, 'f', 0), oneDecimal(report.wpm),
                                    oneDecimal(report.dah.dits), oneDecimal(report.letterGap.dits));
    for (const std::string& fault : report.faults)
        text += u"\nÀ travailler : "_s + QString::fromStdString(fault) + u'.';
    LabelBilanMain->setText(text);
    brivo::ui::announce(this, text);
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
