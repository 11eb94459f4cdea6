#include "practice/ui/course_window.h"

#include "common/file_io.h"
#include "common/messages.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/chart_table.h"
#include "common/ui/focus_ring.h"
#include "common/ui/widgets.h"
#include "common/utf8.h"
#include "practice/course_session.h"
#include "practice/material/word_lists.h"
#include "speech/spoken_answers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace brivo::practice::ui {

using namespace Qt::StringLiterals;
using brivo::ui::fromCodePoint;
using brivo::ui::fromCodePoints;
using brivo::ui::fromUtf8;

namespace {

const QString kTitle = u" Cours Koch :"_s;

// The material choices: the settings' word and the label shown.
struct MaterialChoice {
    const char* token;
    QString label;
};
const std::array<MaterialChoice, 8> kMaterials{{
    {"groups", u"groupes"_s},
    {"words-fr", u"mots français"_s},
    {"words-en", u"mots anglais"_s},
    {"calls", u"indicatifs"_s},
    {"abbrev", u"abréviations"_s},
    {"qso-fr", u"QSO en français"_s},
    {"qso-en", u"QSO en anglais"_s},
    {"list", u"liste personnelle"_s},
}};

template <typename Widget> Widget* named(Widget* widget, const char* name, const QString& accessible)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

} // namespace

CourseBars::CourseBars(QWidget* parent) : QWidget(parent)
{
    new brivo::ui::ChartTable(this, {u"Caractère"_s, u"Taux d'erreur"_s});
    setMinimumSize(360, 140);
}

void CourseBars::setState(const CourseState& state)
{
    state_ = state;
    QList<QStringList> rows;
    char32_t worst = 0;
    for (const char32_t c : state_.characters()) {
        rows.append({fromCodePoint(c), u"%1 %"_s.arg(std::lround(state_.errorRate(c) * 100))});
        if (worst == 0 || state_.errorRate(c) > state_.errorRate(worst))
            worst = c;
    }
    QString summary = rows.isEmpty()
                          ? u"Aucun caractère."_s
                          : u"%1, dont le nouveau : %2."_s.arg(brivo::ui::counted(rows.size(), u"caractère"_s),
                                                               fromCodePoint(state_.newest()));
    if (worst != 0 && state_.errorRate(worst) > 0)
        summary += u" Le plus d'erreurs : %1, %2 %."_s.arg(fromCodePoint(worst))
                       .arg(std::lround(state_.errorRate(worst) * 100));
    brivo::ui::ChartTable::of(this)->setRows(summary, rows);
    update();
}

void CourseBars::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const std::u32string characters = state_.characters();
    if (characters.empty())
        return;
    QFont small = painter.font();
    small.setPixelSize(10);
    painter.setFont(small);
    const QColor text = palette().color(QPalette::Text);
    // The scale: 0 to 100 %, a line every 25 %.
    // (Clear of the focus ring on the left.)
    const QRectF area(44, 16, width() - 48, height() - 42);
    for (int percent = 0; percent <= 100; percent += 25) {
        const double y = area.bottom() - percent / 100.0 * area.height();
        painter.setPen(QColor(200, 200, 200));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - 7, area.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                         u"%1 %"_s.arg(percent));
    }
    const double slot = area.width() / static_cast<double>(characters.size());
    const int marked = brivo::ui::ChartTable::of(this)->markedRow();
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        const double rate = std::clamp(state_.errorRate(c), 0.0, 1.0);
        const double x = area.left() + slot * static_cast<double>(i);
        const QRectF bar(x + slot * 0.15, area.bottom() - rate * area.height(), slot * 0.7, rate * area.height());
        painter.fillRect(bar, rate > 0.2 ? QColor(200, 40, 40) : QColor(60, 150, 60));
        painter.setPen(text);
        painter.setFont(small);
        if (slot >= 16)
            painter.drawText(QRectF(x, bar.top() - 13, slot, 12), Qt::AlignHCenter | Qt::AlignBottom,
                             QString::number(std::lround(rate * 100)));
        QFont label = painter.font();
        label.setPixelSize(12);
        label.setBold(c == state_.newest());
        painter.setFont(label);
        painter.drawText(QRectF(x, area.bottom() + 2, slot, 16), Qt::AlignHCenter | Qt::AlignTop, fromCodePoint(c));
        if (std::cmp_equal(i, marked))
            brivo::ui::FocusRing::paintFrame(painter, QRectF(x + 3, 5, slot - 6, height() - 10).toAlignedRect());
    }
}

CourseWindow::CourseWindow(brivo::ui::Dialogs& dialogs, HistoryStore history, Source source, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), history_(std::move(history)), source_(std::move(source))
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"CourseWindow"_s);
    setWindowTitle(u"Cours Koch"_s);
    orderDialog_.title = u"Ouvrir un ordre de caractères"_s;
    orderDialog_.nameFilters = {u"Texte (*.txt)"_s, u"Tous les fichiers (*)"_s};
    orderDialog_.fileMustExist = true;
    listDialog_.title = u"Ouvrir une liste personnelle"_s;
    listDialog_.nameFilters = {u"Texte (*.txt)"_s, u"Tous les fichiers (*)"_s};
    listDialog_.fileMustExist = true;
    buildControls();
    layOut();

    connect(BoutonSeance, &QPushButton::clicked, this, [this] { BoutonSeanceClick(); });
    connect(BoutonCorrigerCours, &QPushButton::clicked, this, [this] { BoutonCorrigerClick(); });
    connect(BoutonOuvrirOrdre, &QPushButton::clicked, this, [this] { BoutonOuvrirOrdreClick(); });
    connect(BoutonOuvrirListe, &QPushButton::clicked, this, [this] { BoutonOuvrirListeClick(); });
    connect(ComboMateriel, &QComboBox::currentIndexChanged, this, [this] { materialChanged(); });
    connect(ComboOrdre, &QComboBox::currentIndexChanged, this, [this] {
        if (updating_)
            return;
        const QString previous = orderChoice_;
        orderChoice_ = ComboOrdre->currentText();
        if (!reload())
            orderChoice_ = previous;
        showState();
    });
    connect(SpinLecon, &QSpinBox::valueChanged, this, [this](int lesson) {
        if (!updating_ && lesson != state_.lesson)
            lessonChosen(lesson);
    });
    // The effective speed is never above the character speed.
    connect(SpinVitesse, &QSpinBox::valueChanged, this, [this](int wpm) { SpinEffective->setMaximum(wpm); });
}

// Created in the order of the layout, which is the order of Tab.
void CourseWindow::buildControls()
{
    ComboOrdre = named(new QComboBox(this), "ComboOrdre", u"Ordre des caractères"_s);
    ComboOrdre->addItems({u"lcwo"_s, u"kochmorse"_s});
    BoutonOuvrirOrdre =
        named(new QPushButton(u"&Ouvrir un ordre..."_s, this), "BoutonOuvrirOrdre", u"Ouvrir un ordre de caractères"_s);
    SpinLecon = named(new QSpinBox(this), "SpinLecon", u"Leçon"_s);
    SpinLecon->setRange(kFirstLesson, kFirstLesson); // never 0, before the course is read
    SpinVitesse = named(new QSpinBox(this), "SpinVitesse", u"Vitesse des caractères en mots par minute"_s);
    SpinVitesse->setRange(CourseSpeeds::kMinWpm, CourseSpeeds::kMaxWpm);
    SpinVitesse->setSuffix(u" mots/min"_s);
    SpinEffective = named(new QSpinBox(this), "SpinEffective", u"Vitesse effective en mots par minute"_s);
    SpinEffective->setRange(CourseSpeeds::kMinWpm, CourseSpeeds::kMaxWpm);
    SpinEffective->setSuffix(u" mots/min"_s);
    CBpalier = named(new QCheckBox(u"+1 mot/min effectif à chaque &leçon passée"_s, this), "CBpalier",
                     u"Augmenter la vitesse effective à chaque leçon passée"_s);
    ComboMateriel = named(new QComboBox(this), "ComboMateriel", u"Matériel de la séance"_s);
    for (const MaterialChoice& choice : kMaterials)
        ComboMateriel->addItem(choice.label, QString::fromLatin1(choice.token));
    BoutonOuvrirListe =
        named(new QPushButton(u"Ouvrir une l&iste..."_s, this), "BoutonOuvrirListe", u"Ouvrir une liste personnelle"_s);
    SpinMinutes = named(new QDoubleSpinBox(this), "SpinMinutes", u"Durée de la séance en minutes"_s);
    SpinMinutes->setRange(0.5, 120);
    SpinMinutes->setDecimals(1);
    LabelQuantite = new QLabel(u"ou groupes :"_s, this);
    SpinGroupes = named(new QSpinBox(this), "SpinGroupes", u"Nombre de groupes, 0 pour la durée"_s);
    SpinGroupes->setRange(0, 10000);
    SpinGroupes->setSpecialValueText(u"selon la durée"_s);
    ComboTaille = named(new QComboBox(this), "ComboTaille", u"Lettres par groupe"_s);
    for (int size = 2; size <= 8; ++size)
        ComboTaille->addItem(QString::number(size), size);
    ComboTaille->addItem(u"au hasard"_s, 0);
    LabelCaracteres = new QLabel(this); // read by its text
    LabelCaracteres->setObjectName(u"LabelCaracteres"_s);
    LabelCaracteres->setTextFormat(Qt::RichText);
    LabelCaracteres->setWordWrap(true);
    Barres = named(new CourseBars(this), "Barres", u"Taux d'erreur par caractère"_s);
    LabelSens = named(new QLabel(this), "LabelSens", u"Sens des abréviations de la séance"_s);
    LabelSens->setWordWrap(true);
    LabelSens->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    CBmasquer = named(new QCheckBox(u"&Masquer la zone d'édition"_s, this), "CBmasquer", u"Masquer la zone"_s);
    CBjouer = named(new QCheckBox(u"&Jouer la séance"_s, this), "CBjouer", u"Jouer la séance"_s);
    BoutonSeance = named(new QPushButton(u"&Nouvelle séance"_s, this), "BoutonSeance", u"Nouvelle séance"_s);
    MemoCopieCours = named(new QPlainTextEdit(this), "MemoCopieCours", u"Votre copie de la séance"_s);
    MemoCopieCours->setPlaceholderText(u"Tapez ici ce que vous entendez…"_s);
    MemoCopieCours->setTabChangesFocus(true);
    MemoCopieCours->setMinimumHeight(60);
    MemoCopieCours->installEventFilter(this);
    BoutonCorrigerCours = named(new QPushButton(u"&Corriger"_s, this), "BoutonCorrigerCours", u"Corriger la copie"_s);
    BoutonCorrigerCours->setToolTip(u"Compare la copie avec la séance ([Ctrl]+[Entrée])"_s);
    LabelBilan = named(new QLabel(this), "LabelBilan", u"Bilan de la séance"_s);
    LabelBilan->setWordWrap(true);
    LabelBilan->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    const CourseSettings defaults;
    SpinVitesse->setValue(defaults.speeds.characterWpm);
    SpinEffective->setValue(defaults.speeds.effectiveWpm);
    SpinMinutes->setValue(defaults.minutes);
    ComboTaille->setCurrentIndex(ComboTaille->findData(defaults.groupSize));
    CBmasquer->setChecked(defaults.mask);
    CBjouer->setChecked(defaults.play);
}

// Everything scrolls inside the window, which never grows with its
// content.
void CourseWindow::layOut()
{
    auto* content = new QWidget;
    auto* form = new QFormLayout;
    auto* orderRow = new QHBoxLayout;
    orderRow->addWidget(ComboOrdre);
    orderRow->addWidget(BoutonOuvrirOrdre);
    form->addRow(u"Ordre :"_s, orderRow);
    form->addRow(u"Leçon :"_s, SpinLecon);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(SpinVitesse);
    speedRow->addWidget(new QLabel(u"effective :"_s, this));
    speedRow->addWidget(SpinEffective);
    speedRow->addStretch();
    form->addRow(u"Vitesse :"_s, speedRow);
    form->addRow(QString(), CBpalier);
    auto* materialRow = new QHBoxLayout;
    materialRow->addWidget(ComboMateriel);
    materialRow->addWidget(BoutonOuvrirListe);
    form->addRow(u"Matériel :"_s, materialRow);
    form->addRow(u"Durée (minutes) :"_s, SpinMinutes);
    form->addRow(LabelQuantite, SpinGroupes);
    form->addRow(u"Lettres par groupe :"_s, ComboTaille);
    auto* layout = new QVBoxLayout(content);
    layout->addLayout(form);
    layout->addWidget(LabelCaracteres);
    layout->addWidget(Barres, 1);
    layout->addWidget(LabelSens);
    layout->addWidget(CBmasquer);
    layout->addWidget(CBjouer);
    layout->addWidget(BoutonSeance);
    layout->addWidget(MemoCopieCours);
    layout->addWidget(BoutonCorrigerCours);
    layout->addWidget(LabelBilan);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(u"Defilement"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes through its controls
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    resize(460, 620);
    brivo::ui::nameSpinBoxesByTheirCaptions(this); // once the captions are in place
}

void CourseWindow::lessonChosen(int lesson)
{
    chooseLesson(state_, lesson);
    unsavedLesson_.reset();
    if (inMemory_) { // said when the course was read; nothing to keep it in
        showState();
        return;
    }
    if (const Result<void> kept =
            history_.recordLessonChoice(state_.order, state_.lesson, QDateTime::currentDateTimeUtc());
        !kept) {
        unsavedLesson_ = state_.lesson;
        dialogs_.message(this, QString::fromStdString(kept.error().message), kTitle);
    }
    showState();
}

void CourseWindow::showCourse()
{
    reload();
    brivo::ui::showOverParent(this);
}

bool CourseWindow::reload()
{
    std::string text;
    if (const std::optional<std::u32string> named = namedOrder(orderChoice_.toStdString(), source_.keyed)) {
        text = encodeUtf8(*named);
    } else {
        const Result<std::string> bytes = readFileBytes(orderChoice_.toStdString(), 1U << 20U);
        if (!bytes) {
            dialogs_.message(this,
                             u"Impossible de lire l'ordre « %1 » : %2"_s.arg(
                                 orderChoice_, QString::fromStdString(bytes.error().message)),
                             kTitle);
            return false;
        }
        text = textFileToUtf8(*bytes);
    }
    const Result<std::u32string> order = parseOrder(text, source_.keyed);
    if (!order) {
        dialogs_.message(this, QString::fromStdString(order.error().message), kTitle);
        return false;
    }
    const Result<CourseHistory> stored = history_.course(*order);
    if (!stored) {
        dialogs_.message(this, QString::fromStdString(stored.error().message) + fromUtf8(messages::kCourseInMemory),
                         kTitle);
        if (!inMemory_ || *order != state_.order)
            state_ = replayCourse(*order, {}, {});
        inMemory_ = true;
        showState();
        return true;
    }
    inMemory_ = false;
    if (*order != state_.order)
        unsavedLesson_.reset();
    state_ = replayCourse(*order, stored->checks, stored->choices);
    confusions_ = stored->confusions;
    if (unsavedLesson_ && *unsavedLesson_ != state_.lesson)
        chooseLesson(state_, *unsavedLesson_);
    showState();
    return true;
}

void CourseWindow::showState()
{
    updating_ = true;
    SpinLecon->setRange(kFirstLesson, std::max(kFirstLesson, static_cast<int>(state_.order.size())));
    SpinLecon->setValue(state_.lesson);
    if (ComboOrdre->findText(orderChoice_) < 0)
        ComboOrdre->addItem(orderChoice_);
    ComboOrdre->setCurrentIndex(ComboOrdre->findText(orderChoice_));
    updating_ = false;
    // The new character in red, light on a dark theme, dark on a light one,
    // at 4.5:1 against the window at least; the characters to come greyed.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    const QString newestColour = dark ? u"#ff9090"_s : u"#c00000"_s;
    const QString comingColour = dark ? u"#a0a0a0"_s : u"#707070"_s;
    QString known;
    for (std::size_t i = 0; i < state_.order.size(); ++i) {
        const QString c = fromCodePoint(state_.order[i]).toHtmlEscaped();
        if (static_cast<int>(i) + 1 == state_.lesson)
            known += u"<b><u><font color=\"%1\">%2</font></u></b> "_s.arg(newestColour, c);
        else if (static_cast<int>(i) < state_.lesson)
            known += u"<b>%1</b> "_s.arg(c);
        else
            known += u"<font color=\"%1\">%2</font> "_s.arg(comingColour, c);
    }
    LabelCaracteres->setText(u"Leçon %1, nouveau caractère « %2 » :<br>%3"_s.arg(
        QString::number(state_.lesson), fromCodePoint(state_.newest()), known));
    Barres->setState(state_);
}

void CourseWindow::BoutonSeanceClick()
{
    if (state_.order.empty() && !reload())
        return;
    SessionSpec spec;
    if (SpinGroupes->value() > 0) {
        spec.groups = SpinGroupes->value();
    } else {
        spec.minutes = SpinMinutes->value();
    }
    spec.groupSize = ComboTaille->currentData().toInt();
    const std::string token = ComboMateriel->currentData().toString().toStdString();
    const std::string kind = token.substr(0, token.find('-'));
    const std::optional<std::u32string> drawn = drawFromMaterial(spec);
    if (!drawn)
        return;
    const std::u32string& text = *drawn;
    CourseSession session;
    session.text = fromCodePoints(text);
    session.mask = CBmasquer->isChecked();
    session.play = CBjouer->isChecked();
    session.course = CourseTag{state_.order, state_.lesson, kind};
    session.introduction = fromCodePoints(introduction(state_));
    if (!session.introduction.isEmpty()) {
        const std::u32string introduced =
            state_.lesson == kFirstLesson ? state_.characters() : std::u32string(1, state_.newest());
        session.introducedNames =
            QString::fromStdString((introduced.size() > 1 ? "nouveaux caractères : " : "nouveau caractère : ") +
                                   speech::spokenAnswer(introduced, {}));
    }
    session.speeds = speeds();
    LabelBilan->clear();
    Q_EMIT sessionReady(session);
    // The copy is typed here, while the session plays.
    activateWindow();
    MemoCopieCours->setFocus();
}

void CourseWindow::BoutonCorrigerClick()
{
    if (!source_.correct)
        return;
    const std::optional<bool> counted = source_.correct(MemoCopieCours->toPlainText());
    if (!counted)
        return;
    MemoCopieCours->clear();
    if (!*counted)
        LabelBilan->setText(fromUtf8(messages::kCheckNotForCourse));
}

bool CourseWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MemoCopieCours && event->type() == QEvent::KeyPress) {
        if (brivo::ui::isCorrectKey(static_cast<QKeyEvent*>(event))) {
            BoutonCorrigerClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<std::u32string> CourseWindow::drawFromMaterial(const SessionSpec& spec)
{
    const std::string token = ComboMateriel->currentData().toString().toStdString();
    const MaterialKind kind = *materialKindNamed(token.substr(0, token.find('-')));
    MaterialSources sources;
    sources.language = token.ends_with("-en") ? Language::English : Language::French;
    if (source_.table)
        useTableSignals(sources, source_.table());
    if (kind == MaterialKind::Words) {
        if (!dictionaries_.contains(sources.language))
            dictionaries_[sources.language] = systemDictionaryWords(sources.language);
        sources.extraWords = dictionaries_[sources.language];
    } else if (kind == MaterialKind::List) {
        if (listPath_.isEmpty()) {
            dialogs_.message(this, u"Choisissez d'abord une liste avec « Ouvrir une liste... »."_s, kTitle);
            return std::nullopt;
        }
        if (!deckLoaded_ && !loadList(listPath_))
            return std::nullopt;
        sources.list = &deck_;
    }
    const Result<MaterialSession> session = drawCourseSession(state_, confusions_, kind, sources, source_.keyed, true,
                                                              spec, source_.seconds, source_.random());
    if (!session) {
        dialogs_.message(this, QString::fromStdString(session.error().message), kTitle);
        return std::nullopt;
    }
    QString meanings;
    for (const auto& [abbreviation, meaning] : session->meanings)
        meanings += u"%1%2 : %3"_s.arg(meanings.isEmpty() ? QString() : u"\n"_s, fromCodePoints(abbreviation),
                                       QString::fromStdString(meaning));
    LabelSens->setText(meanings);
    return session->text;
}

bool CourseWindow::loadList(const QString& path)
{
    const Result<std::string> bytes = readFileBytes(path.toStdString(), std::uintmax_t{16} << 20U);
    if (!bytes) {
        dialogs_.message(
            this, u"Impossible de lire la liste « %1 » : %2"_s.arg(path, QString::fromStdString(bytes.error().message)),
            kTitle);
        return false;
    }
    ItemList list = parseItemList(textFileToUtf8(*bytes), source_.keyed);
    if (list.items.empty()) {
        dialogs_.message(this, u"La liste « %1 » ne contient aucun élément à transmettre."_s.arg(path), kTitle);
        return false;
    }
    if (list.unkeyable > 0)
        dialogs_.message(this, QString::fromStdString(unkeyableMessage(list.unkeyable)), kTitle);
    deck_ = ItemDeck(std::move(list.items));
    deckLoaded_ = true;
    listPath_ = path;
    return true;
}

void CourseWindow::BoutonOuvrirListeClick()
{
    const std::optional<QString> chosen = dialogs_.openFileName(this, listDialog_, {});
    if (!chosen || !loadList(*chosen))
        return;
    ComboMateriel->setCurrentIndex(ComboMateriel->findData(u"list"_s));
}

void CourseWindow::materialChanged()
{
    const bool groups = ComboMateriel->currentData().toString() == u"groups"_s;
    ComboTaille->setEnabled(groups);
    LabelQuantite->setText(groups ? u"ou groupes :"_s : u"ou éléments :"_s);
    SpinGroupes->setAccessibleName(groups ? u"Nombre de groupes, 0 pour la durée"_s
                                          : u"Nombre d'éléments, 0 pour la durée"_s);
    LabelSens->clear();
}

void CourseWindow::BoutonOuvrirOrdreClick()
{
    const std::optional<QString> chosen = dialogs_.openFileName(this, orderDialog_, {});
    if (!chosen)
        return;
    const QString previous = orderChoice_;
    orderChoice_ = *chosen;
    if (!reload()) {
        orderChoice_ = previous; // the course goes on as it was
        showState();
    }
}

void CourseWindow::courseCheckRecorded(const CopyCheck& check, bool stored)
{
    const int before = state_.lesson;
    // The rule is judged on this check, stored or not.
    CourseState judged = state_;
    const AdvanceProgress progress = recordCheck(judged, check);
    if (stored && !inMemory_) {
        unsavedLesson_.reset(); // the stored check carries the lesson now
        if (!reload())
            return;
    } else {
        state_ = std::move(judged);
        showState();
    }
    if (state_.lesson > before && CBpalier->isChecked())
        SpinEffective->setValue(std::min(SpinEffective->value() + 1, SpinVitesse->value()));
    showCheckSummary(check, progress, before);
}

void CourseWindow::showCheckSummary(const CopyCheck& check, const AdvanceProgress& progress, int lessonBefore)
{
    const char32_t judged = state_.order.empty() ? U'?' : state_.order[static_cast<std::size_t>(lessonBefore) - 1];
    QString summary = u"Score : %1 %. « %2 » juste %3 fois sur %4."_s.arg(
        QString::fromStdString(scoreText(check.score)), fromCodePoint(judged), QString::number(progress.newestRight),
        QString::number(progress.newestSamples));
    QString news;
    if (state_.lesson > lessonBefore)
        news =
            u"Bravo ! Le cours passe à la leçon %1 : nouveau caractère « %2 ». La prochaine séance commence par lui."_s
                .arg(QString::number(state_.lesson), fromCodePoint(state_.newest()));
    else if (courseCompleted(state_, progress))
        news = QString::fromStdString(courseCompletedMessage(state_));
    const QString step = news.isEmpty() ? u"Pour passer à la leçon suivante, il faut encore : %1."_s.arg(
                                              QString::fromStdString(missingForAdvance(progress)))
                                        : news;
    LabelBilan->setText(summary + u"\n"_s + step);
    // The score was said by the check: the course's step follows it.
    brivo::ui::announce(this, step);
    if (!news.isEmpty() && !isVisible())
        dialogs_.message(this, news, kTitle);
}

void CourseWindow::keyPressEvent(QKeyEvent* event)
{
    if (brivo::ui::hideOnEscape(this, event))
        return;
    // Ctrl+K, the trainer's key for the copy, leads to this window's copy.
    if (event->key() == Qt::Key_K && event->modifiers() == Qt::ControlModifier) {
        MemoCopieCours->setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

CourseSpeeds CourseWindow::speeds() const
{
    return CourseSpeeds{SpinVitesse->value(), std::min(SpinEffective->value(), SpinVitesse->value()),
                        CBpalier->isChecked()};
}

CourseSettings CourseWindow::settings() const
{
    CourseSettings s;
    s.speeds = speeds();
    s.order = orderChoice_.toStdString();
    s.minutes = SpinMinutes->value();
    s.groups = SpinGroupes->value();
    s.groupSize = ComboTaille->currentData().toInt();
    s.mask = CBmasquer->isChecked();
    s.play = CBjouer->isChecked();
    s.material = ComboMateriel->currentData().toString().toStdString();
    s.list = listPath_.toStdString();
    return s;
}

void CourseWindow::setSettings(const CourseSettings& s)
{
    orderChoice_ = QString::fromStdString(s.order);
    SpinMinutes->setValue(s.minutes);
    SpinGroupes->setValue(s.groups);
    const int size = ComboTaille->findData(s.groupSize);
    ComboTaille->setCurrentIndex(size >= 0 ? size : 3);
    CBmasquer->setChecked(s.mask);
    CBjouer->setChecked(s.play);
    SpinVitesse->setValue(s.speeds.characterWpm);
    SpinEffective->setValue(s.speeds.effectiveWpm);
    CBpalier->setChecked(s.speeds.step);
    const int material = ComboMateriel->findData(QString::fromStdString(s.material));
    ComboMateriel->setCurrentIndex(material >= 0 ? material : 0);
    listPath_ = QString::fromStdString(s.list);
    deckLoaded_ = false;
    // The course is read when the window first needs it.
    state_ = {};
    unsavedLesson_.reset();
}

} // namespace brivo::practice::ui
