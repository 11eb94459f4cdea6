#include "drills/ui/drill_window.h"

#include "common/number_text.h"
#include "common/settings_words.h"
#include "common/ui/announcer.h"
#include "common/ui/widgets.h"
#include "drills/drill_results.h"
#include "drills/ui/drill_charts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace brivo::drills::ui {

using namespace Qt::StringLiterals;
using brivo::ui::fromCodePoint;
using brivo::ui::fromCodePoints;

namespace {

constexpr std::array<std::string_view, 3> kSourceNames{"course", "series", "all"};

QTimer* singleShot(QObject* parent, int ms)
{
    auto* timer = new QTimer(parent);
    timer->setSingleShot(true);
    timer->setInterval(ms);
    return timer;
}

QString characterName(char32_t c)
{
    return u"« %1 »"_s.arg(fromCodePoint(c));
}

practice::ExerciseConditions exerciseConditions(const DrillSound& sound)
{
    return practice::exerciseConditions(sound.parameters, sound.conditions);
}

} // namespace

DrillWindow::DrillWindow(Services services, const MorseTable& table, practice::HistoryStore history, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(std::move(services)), table_(table), history_(std::move(history)),
      random_(static_cast<std::uint64_t>(services_.now() * 1000))
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"DrillWindow"_s);
    setWindowTitle(u"Exercices"_s);
    Onglets = new QTabWidget(this);
    Onglets->setObjectName(u"OngletsExercices"_s);
    Onglets->setAccessibleName(u"Exercices"_s);
    auto* characters = new QWidget(Onglets);
    auto* calls = new QWidget(Onglets);
    Onglets->addTab(characters, u"Reconnaissance &instantanée"_s);
    Onglets->addTab(calls, u"I&ndicatifs"_s);
    buildCharactersPage(characters);
    buildCallsPage(calls);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Onglets);

    timeout_ = singleShot(this, 6000);
    connect(timeout_, &QTimer::timeout, this, [this] { characterTimedOut(); });
    pause_ = singleShot(this, 1500);
    connect(pause_, &QTimer::timeout, this, [this] { nextCharacter(); });
    warmUp_ = singleShot(this, 1500);
    connect(warmUp_, &QTimer::timeout, this, [this] { warmUpTone(); });
}

void DrillWindow::buildCharactersPage(QWidget* page)
{
    ComboSourceCar = new QComboBox(page);
    ComboSourceCar->setObjectName(u"ComboSourceCar"_s);
    ComboSourceCar->addItems({u"Leçon du cours"_s, u"Séries cochées"_s, u"Tous les caractères"_s});
    CBajouter = new QCheckBox(u"Ajouter un caractère quand tout va bien"_s, page);
    CBajouter->setObjectName(u"CBajouter"_s);
    CBajouter->setToolTip(u"Commence par deux caractères, et en ajoute un quand l'erreur moyenne est sous 30 % "
                          "et celle de chacun sous 40 %"_s);
    SpinPauseCar = new QDoubleSpinBox(page);
    SpinPauseCar->setObjectName(u"SpinPauseCar"_s);
    SpinPauseCar->setRange(0.3, 5);
    SpinPauseCar->setSingleStep(0.1);
    SpinPauseCar->setValue(1);
    SpinPauseCar->setSuffix(u" s"_s);
    SpinPauseCar->setAccessibleName(u"Pause avant le caractère suivant"_s);
    BoutonEchauffement = new QPushButton(u"É&chauffement (10 frappes)"_s, page);
    BoutonEchauffement->setObjectName(u"BoutonEchauffement"_s);
    BoutonDepart = new QPushButton(u"&Commencer"_s, page);
    BoutonDepart->setObjectName(u"BoutonDepart"_s);
    LabelCaractere = new QLabel(page);
    LabelCaractere->setObjectName(u"LabelCaractere"_s);
    QFont big = LabelCaractere->font();
    big.setPointSize(big.pointSize() * 3);
    LabelCaractere->setFont(big);
    LabelCaractere->setAlignment(Qt::AlignCenter);
    LabelBase = new QLabel(u"Base de frappe : non mesurée"_s, page);
    LabelBase->setObjectName(u"LabelBase"_s);
    ChartReaction = new ReactionChart(page);

    auto* form = new QFormLayout(page);
    form->addRow(u"Caractères"_s, ComboSourceCar);
    form->addRow(CBajouter);
    form->addRow(u"Pause"_s, SpinPauseCar);
    form->addRow(BoutonEchauffement, LabelBase);
    form->addRow(BoutonDepart);
    form->addRow(LabelCaractere);
    form->addRow(ChartReaction);
    connect(BoutonDepart, &QPushButton::clicked, this, [this] { BoutonDepartClick(); });
    connect(BoutonEchauffement, &QPushButton::clicked, this, [this] { BoutonEchauffementClick(); });
}

void DrillWindow::buildCallsPage(QWidget* page)
{
    SpinVitesseInd = new QSpinBox(page);
    SpinVitesseInd->setObjectName(u"SpinVitesseInd"_s);
    SpinVitesseInd->setRange(static_cast<int>(kSlowestCallWpm), static_cast<int>(kFastestCallWpm));
    SpinVitesseInd->setValue(20);
    SpinVitesseInd->setSuffix(u" mots/mn"_s);
    SpinVitesseInd->setAccessibleName(u"Vitesse de départ des indicatifs"_s);
    BoutonIndicatifs = new QPushButton(u"Co&mmencer les 50 indicatifs"_s, page);
    BoutonIndicatifs->setObjectName(u"BoutonIndicatifs"_s);
    EditIndicatif = new QLineEdit(page);
    EditIndicatif->setObjectName(u"EditIndicatif"_s);
    EditIndicatif->setAccessibleName(u"Indicatif copié"_s);
    BoutonRejouer = new QPushButton(u"&Rejouer (moitié des points)"_s, page);
    BoutonRejouer->setObjectName(u"BoutonRejouer"_s);
    LabelScoreInd = new QLabel(page);
    LabelScoreInd->setObjectName(u"LabelScoreInd"_s);
    ChartIndicatifs = new SpeedCurve(page);

    auto* form = new QFormLayout(page);
    form->addRow(u"Vitesse de départ"_s, SpinVitesseInd);
    form->addRow(BoutonIndicatifs);
    form->addRow(u"Copie (Entrée)"_s, EditIndicatif);
    form->addRow(BoutonRejouer);
    form->addRow(LabelScoreInd);
    form->addRow(ChartIndicatifs);
    connect(BoutonIndicatifs, &QPushButton::clicked, this, [this] { BoutonIndicatifsClick(); });
    connect(BoutonRejouer, &QPushButton::clicked, this, [this] { BoutonRejouerClick(); });
    connect(EditIndicatif, &QLineEdit::returnPressed, this, [this] { submitCall(); });
}

void DrillWindow::showDrills()
{
    refreshCharts();
    brivo::ui::showOverParent(this);
}

void DrillWindow::tell(const QString& text)
{
    brivo::ui::announce(this, text);
}

std::u32string DrillWindow::sourceCharacters() const
{
    if (ComboSourceCar->currentIndex() == 0)
        return services_.courseCharacters();
    if (ComboSourceCar->currentIndex() == 1)
        return services_.seriesCharacters();
    std::u32string all;
    for (char32_t c = 0x21; c < 0x250; ++c) {
        if (practice::hasPattern(table_, c) && practice::soundsAs(table_, c) == c)
            all += c;
    }
    return all;
}

void DrillWindow::playItem(const PlannedItem& item, std::optional<double> toneHz, bool sayName)
{
    Result<ItemSound> sound = renderItem(item.text, services_.sound(), table_, random_, toneHz);
    if (!sound) {
        tell(QString::fromStdString(sound.error().message));
        return;
    }
    characterOffsetMs_ = sound->offsetMs;
    if (sayName && services_.spokenAnswers && services_.spokenAnswers())
        appendName(sound->sound, item.text.front());
    playSound(std::move(sound->sound));
}

void DrillWindow::appendName(PcmSound& sound, char32_t c)
{
    constexpr double kPauseSeconds = 0.3;
    const auto level =
        std::max<std::int16_t>(deriveKeyingValues(services_.sound().parameters, sound.sampleRate).toneAmplitude, 1);
    if (!voice_ || voiceRate_ != sound.sampleRate || voiceLevel_ != level) {
        voice_ = std::make_unique<speech::AnswerVoice>(sound.sampleRate, level);
        voiceRate_ = sound.sampleRate;
        voiceLevel_ = level;
    }
    const Result<std::vector<std::int16_t>> name = voice_->say(std::u32string(1, c));
    if (!name) {
        tell(QString::fromStdString(name.error().message));
        return;
    }
    sound.samples.resize(sound.samples.size() + static_cast<std::size_t>(kPauseSeconds * sound.sampleRate), 0);
    sound.samples.insert(sound.samples.end(), name->begin(), name->end());
}

void DrillWindow::playSound(PcmSound sound)
{
    playedAt_ = services_.now();
    lastSoundMs_ = static_cast<double>(sound.frames()) * 1000 / std::max(1, sound.sampleRate);
    if (const Result<void> played = services_.play(std::move(sound)); !played)
        tell(QString::fromStdString(played.error().message));
}

// The characters drill.

void DrillWindow::BoutonDepartClick()
{
    if (characterDrillRunning()) {
        finishRound();
        return;
    }
    const std::u32string source = sourceCharacters();
    if (source.empty()) {
        tell(u"Aucun caractère à exercer : ouvrez le cours (Ctrl+L) pour sa leçon, cochez des séries, ou "
             "choisissez tous les caractères."_s);
        LabelCaractere->setText(u"Aucun caractère"_s);
        return;
    }
    records_.clear();
    if (const auto stored = history_.characterAnswers()) {
        for (const CharacterAnswer& answer : *stored)
            recordAnswer(records_, answer);
    }
    pool_.emplace(source, CBajouter->isChecked());
    DrillSound sound = services_.sound();
    round_ = planCharacterRound(pool_->active(), records_, baselineMs_, sound, table_, random_);
    itemIndex_ = 0;
    answers_.clear();
    BoutonDepart->setText(u"&Arrêter"_s);
    LabelCaractere->clear();
    tell(u"Écoutez, et tapez chaque caractère."_s);
    nextCharacter();
}

void DrillWindow::nextCharacter()
{
    if (itemIndex_ >= round_.items.size()) {
        finishRound();
        return;
    }
    characterItem_ = round_.items[itemIndex_];
    LabelCaractere->clear();
    playItem(*characterItem_, std::nullopt);
    timeout_->start(static_cast<int>(characterItem_->lengthMs + round_.timeoutSeconds * 1000));
}

void DrillWindow::answerCharacter(char32_t typed, double atSeconds)
{
    if (!characterItem_)
        return;
    timeout_->stop();
    PlannedItem heard = *characterItem_;
    heard.lastElementEndMs += characterOffsetMs_;
    const std::optional<double> origin = services_.heardOrigin();
    // Without the output's clock, the time the play was asked stands in.
    const double reaction = reactionMs(atSeconds, origin.value_or(playedAt_), heard, baselineMs_);
    const CharacterAnswer answer{heard.text.front(), typed, std::max(0.0, reaction)};
    answers_.push_back(answer);
    recordAnswer(records_, answer);
    characterItem_.reset();
    ++itemIndex_;
    if (answer.right()) {
        tell(u"Juste, %1 ms"_s.arg(qRound(answer.reactionMs)));
        playSound(verdictTone(kRightToneHz, services_.sound()));
        pause_->start(static_cast<int>(SpinPauseCar->value() * 1000));
        return;
    }
    LabelCaractere->setText(fromCodePoints(heard.text));
    tell(u"Faux : c'était %1"_s.arg(characterName(answer.sent)));
    replayMissed(heard);
}

void DrillWindow::replayMissed(const PlannedItem& item)
{
    playItem(item, kWrongToneHz, true);
    pause_->start(static_cast<int>(lastSoundMs_ + SpinPauseCar->value() * 1000));
}

void DrillWindow::characterTimedOut()
{
    if (!characterItem_)
        return;
    const PlannedItem missed = *characterItem_;
    const CharacterAnswer answer{missed.text.front(), std::nullopt, 0};
    answers_.push_back(answer);
    recordAnswer(records_, answer);
    characterItem_.reset();
    ++itemIndex_;
    LabelCaractere->setText(fromCodePoints(missed.text));
    tell(u"Temps écoulé : c'était %1"_s.arg(characterName(answer.sent)));
    replayMissed(missed);
}

void DrillWindow::finishRound()
{
    pause_->stop();
    timeout_->stop();
    characterItem_.reset();
    round_ = {};
    itemIndex_ = 0;
    BoutonDepart->setText(u"&Commencer"_s);
    if (answers_.empty())
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QString problems;
    if (const Result<void> stored = history_.recordCharacterAnswers(answers_, now); !stored)
        problems = QString::fromStdString(stored.error().message);
    if (const std::optional<practice::CourseTag> course = services_.course();
        course && ComboSourceCar->currentIndex() == 0) {
        practice::CourseTag tag = *course;
        tag.material = "drill-characters";
        if (const Result<void> fed =
                history_.record(charactersCheck(answers_), exerciseConditions(services_.sound()), now, tag);
            !fed)
            problems = QString::fromStdString(fed.error().message);
    }
    const auto right = std::count_if(answers_.begin(), answers_.end(), [](const auto& a) { return a.right(); });
    std::vector<double> times;
    for (const CharacterAnswer& answer : answers_) {
        if (answer.right())
            times.push_back(answer.reactionMs);
    }
    QString summary = u"Série terminée : %1 juste(s) sur %2, réaction médiane %3 ms."_s.arg(right)
                          .arg(answers_.size())
                          .arg(qRound(medianMs(times)));
    if (pool_) {
        if (const std::optional<char32_t> added = pool_->growIfReady(records_))
            summary += u" Nouveau caractère : %1."_s.arg(characterName(*added));
    }
    answers_.clear();
    LabelCaractere->setText(summary);
    tell(problems.isEmpty() ? summary : summary + u" "_s + problems);
    refreshCharts();
}

void DrillWindow::BoutonEchauffementClick()
{
    warmUpTimes_.clear();
    tell(u"Échauffement : appuyez sur une touche dès que vous entendez le ton."_s);
    warmUp_->start(1000 + static_cast<int>(random_.below(1500)));
}

void DrillWindow::warmUpTone()
{
    characterOffsetMs_ = 0;
    playSound(verdictTone(kRightToneHz, services_.sound()));
    warmUpWaiting_ = true;
}

void DrillWindow::keyPressEvent(QKeyEvent* event)
{
    if (brivo::ui::hideOnEscape(this, event))
        return;
    const double at =
        static_cast<double>(serverTime_.micros(event->timestamp(), static_cast<std::int64_t>(services_.now() * 1e6))) /
        1e6;
    if (warmUpWaiting_ && !event->text().isEmpty()) {
        warmUpWaiting_ = false;
        const std::optional<double> origin = services_.heardOrigin();
        warmUpTimes_.push_back(std::max(0.0, (at - origin.value_or(playedAt_)) * 1000));
        if (warmUpTimes_.size() < kWarmUpPresses) {
            warmUp_->start(1000 + static_cast<int>(random_.below(1500)));
            return;
        }
        baselineMs_ = medianMs(warmUpTimes_);
        LabelBase->setText(u"Base de frappe : %1 ms"_s.arg(qRound(baselineMs_)));
        tell(LabelBase->text());
        return;
    }
    const std::u32string typed = practice::normalise(event->text().toStdString());
    if (characterItem_ && typed.size() == 1) {
        answerCharacter(typed.front(), at);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The calls.

void DrillWindow::BoutonIndicatifsClick()
{
    practice::CharacterFilter filter;
    filter.keyed = [this](char32_t c) { return practice::hasPattern(table_, c); };
    Result<std::vector<std::u32string>> calls = drawCalls(filter, random_);
    if (!calls) {
        tell(QString::fromStdString(calls.error().message));
        return;
    }
    run_ = std::make_unique<CallsignRun>(std::move(*calls), SpinVitesseInd->value());
    replayed_ = false;
    EditIndicatif->clear();
    EditIndicatif->setFocus();
    LabelScoreInd->setText(u"Indicatif 1 sur %1"_s.arg(run_->callCount()));
    playCurrentCall();
}

void DrillWindow::playCurrentCall()
{
    if (!run_ || run_->finished())
        return;
    DrillSound sound = services_.sound();
    sound.parameters = atSpeed(sound.parameters, run_->currentWpm());
    if (sound.conditions.effectiveWpm && *sound.conditions.effectiveWpm >= run_->currentWpm())
        sound.conditions.effectiveWpm.reset();
    const Result<ItemSound> rendered = renderItem(run_->currentCall(), sound, table_, random_);
    if (!rendered) {
        tell(QString::fromStdString(rendered.error().message));
        return;
    }
    playSound(rendered->sound);
}

void DrillWindow::BoutonRejouerClick()
{
    if (!run_ || run_->finished() || replayed_)
        return;
    replayed_ = true;
    playCurrentCall();
    EditIndicatif->setFocus();
}

void DrillWindow::submitCall()
{
    if (!run_ || run_->finished())
        return;
    const CallResult& result = run_->answer(EditIndicatif->text().toStdString(), replayed_);
    const QString points = QString::fromStdString(fixedText(result.points, 1, ','));
    tell(result.correct() ? u"Juste : %1 points"_s.arg(points)
                          : u"Faux : c'était %1, %2 points"_s.arg(fromCodePoints(result.call), points));
    replayed_ = false;
    EditIndicatif->clear();
    if (run_->finished()) {
        finishRun();
        return;
    }
    LabelScoreInd->setText(u"Indicatif %1 sur %2 ; %3 points ; %4 mots/mn"_s.arg(run_->results().size() + 1)
                               .arg(run_->callCount())
                               .arg(QString::fromStdString(fixedText(run_->points(), 1, ',')))
                               .arg(run_->currentWpm()));
    playCurrentCall();
}

void DrillWindow::finishRun()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto correct =
        std::count_if(run_->results().begin(), run_->results().end(), [](const CallResult& r) { return r.correct(); });
    QString problems;
    if (const Result<void> stored = history_.recordCallsignRun(
            {now, run_->points(), static_cast<int>(run_->results().size()), static_cast<int>(correct), run_->speeds()});
        !stored)
        problems = QString::fromStdString(stored.error().message);
    if (const std::optional<practice::CourseTag> course = services_.course()) {
        practice::CourseTag tag = *course;
        tag.material = "drill-calls";
        if (const Result<void> fed =
                history_.record(callsCheck(run_->results()), exerciseConditions(services_.sound()), now, tag);
            !fed)
            problems = QString::fromStdString(fed.error().message);
    }
    const QString summary = u"Fin : %1 points, %2 indicatifs justes sur %3."_s
                                .arg(QString::fromStdString(fixedText(run_->points(), 1, ',')))
                                .arg(correct)
                                .arg(run_->results().size());
    LabelScoreInd->setText(summary);
    tell(problems.isEmpty() ? summary : summary + u" "_s + problems);
    refreshCharts();
}

void DrillWindow::refreshCharts()
{
    if (const auto answers = history_.characterAnswers())
        ChartReaction->setAnswers(*answers);
    if (const auto runs = history_.callsignRuns(); runs && !runs->empty()) {
        double best = 0;
        for (const practice::CallsignRunRecord& run : *runs)
            best = std::max(best, run.points);
        ChartIndicatifs->setRun(runs->back().speeds, best);
    }
}

// Settings: "source=course grow=0 pause=1 calls-wpm=20".

std::string DrillWindow::settingsText() const
{
    std::string text = "source=";
    text += kSourceNames[static_cast<std::size_t>(std::max(0, ComboSourceCar->currentIndex()))];
    text += CBajouter->isChecked() ? " grow=1" : " grow=0";
    text += " pause=" + exactText(SpinPauseCar->value());
    text += " calls-wpm=" + std::to_string(SpinVitesseInd->value());
    return text;
}

void DrillWindow::setSettingsText(std::string_view text)
{
    forEachSetting(text, {}, [this](std::string_view key, std::string_view value) {
        if (key == "source") {
            const auto found = std::find(kSourceNames.begin(), kSourceNames.end(), value);
            if (found != kSourceNames.end())
                ComboSourceCar->setCurrentIndex(static_cast<int>(found - kSourceNames.begin()));
        } else if (key == "grow" && (value == "0" || value == "1")) {
            CBajouter->setChecked(value == "1");
        } else if (key == "pause") {
            if (const std::optional<double> pause = wholeNumber(value, 0.3, 5))
                SpinPauseCar->setValue(*pause);
        } else if (key == "calls-wpm") {
            if (const std::optional<double> wpm = wholeNumber(value, kSlowestCallWpm, kFastestCallWpm))
                SpinVitesseInd->setValue(static_cast<int>(*wpm));
        }
    });
}

} // namespace brivo::drills::ui
