#include "practice/ui/copy_check_window.h"

#include "common/messages.h"
#include "common/ui/announcer.h"
#include "common/ui/error_box.h"
#include "common/ui/widgets.h"
#include "practice/ui/progress_chart.h"
#include "practice/weak_characters.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace brivo::practice::ui {

using namespace Qt::StringLiterals;
using brivo::ui::ErrorBox;
using brivo::ui::fromCodePoint;
using brivo::ui::fromCodePoints;
using brivo::ui::fromUtf8;

namespace {

// One aligned character as HTML: errors on a coloured ground, gaps as "·".
QString cell(char32_t c, const QString& colour)
{
    const QString text = c == 0 ? u"·"_s : fromCodePoint(c).toHtmlEscaped();
    // Dark text on the light grounds we choose, whatever the theme (a
    // contrast of 4.5:1 at least).
    return colour.isEmpty() ? text : u"<span style=\"background:%1; color:#000000\">%2</span>"_s.arg(colour, text);
}

} // namespace

CopyCheckWindow::CopyCheckWindow(brivo::ui::Dialogs& dialogs, HistoryStore history, Source source, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), history_(std::move(history)), source_(std::move(source))
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"CopyCheckWindow"_s);
    setWindowTitle(u"Contrôle de la copie"_s);
    resize(640, 480);
    exportDialog_.title = u"Exporter l'historique"_s;
    exportDialog_.nameFilters = {u"Fichiers CSV (*.csv)"_s, u"Tous les fichiers (*)"_s};
    exportDialog_.defaultSuffix = u"csv"_s;
    exportDialog_.confirmOverwrite = true;

    Onglets = new QTabWidget(this);
    Onglets->setObjectName(u"Onglets"_s);
    auto* correction = new QWidget(Onglets);
    auto* progress = new QWidget(Onglets);
    Onglets->addTab(correction, u"Correction"_s);
    Onglets->addTab(progress, u"Progrès"_s);
    buildCorrectionPage(correction);
    buildProgressPage(progress);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Onglets);
    connect(Onglets, &QTabWidget::currentChanged, this, [this, progress](int index) {
        if (Onglets->widget(index) == progress)
            ErrorBox::guarded([this] { refreshProgress(); })();
    });
}

void CopyCheckWindow::buildCorrectionPage(QWidget* page)
{
    MemoCopie = new QPlainTextEdit(page);
    MemoCopie->setObjectName(u"MemoCopie"_s);
    MemoCopie->setPlaceholderText(u"Tapez ici ce que vous entendez…"_s);
    MemoCopie->setTabChangesFocus(true);
    BoutonCorriger = new QPushButton(u"&Corriger"_s, page);
    BoutonCorriger->setObjectName(u"BoutonCorriger"_s);
    BoutonCorriger->setToolTip(u"Compare la copie avec le texte de la zone de saisie ([Ctrl]+[Entrée])"_s);
    BoutonPointsFaibles = new QPushButton(u"Exercer les &points faibles"_s, page);
    BoutonPointsFaibles->setObjectName(u"BoutonPointsFaibles"_s);
    BoutonPointsFaibles->setToolTip(
        u"Remplit la zone de saisie avec les caractères manqués lors des 10 derniers contrôles"_s);
    LabelScore = new QLabel(page);
    LabelScore->setObjectName(u"LabelScore"_s);
    TexteAligne = new QTextEdit(page);
    TexteAligne->setObjectName(u"TexteAligne"_s);
    TexteAligne->setReadOnly(true);
    TexteAligne->setLineWrapMode(QTextEdit::NoWrap);
    GrilleCaracteres = new QTableWidget(0, 3, page);
    GrilleCaracteres->setObjectName(u"GrilleCaracteres"_s);
    GrilleCaracteres->setHorizontalHeaderLabels({u"Caractère"_s, u"Envoyés"_s, u"Erreurs"_s});
    GrilleCaracteres->verticalHeader()->hide();
    GrilleCaracteres->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrilleCaracteres->setTabKeyNavigation(false); // one Tab stop: the arrows move inside
    GrilleCaracteres->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Read-only views show no caret: their frame shows the focus.
    for (QWidget* view : std::initializer_list<QWidget*>{TexteAligne, GrilleCaracteres})
        view->setStyleSheet(u"#%1:focus { border: 2px solid palette(highlight); }"_s.arg(view->objectName()));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BoutonCorriger);
    buttons->addWidget(BoutonPointsFaibles);
    buttons->addStretch();
    buttons->addWidget(LabelScore);
    auto* results = new QHBoxLayout;
    results->addWidget(TexteAligne, 3);
    results->addWidget(GrilleCaracteres, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(MemoCopie, 2);
    layout->addLayout(buttons);
    layout->addLayout(results, 3);

    connect(BoutonCorriger, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonCorrigerClick(); }));
    connect(BoutonPointsFaibles, &QPushButton::clicked, this,
            ErrorBox::guarded([this] { BoutonPointsFaiblesClick(); }));
    MemoCopie->installEventFilter(this);
}

void CopyCheckWindow::buildProgressPage(QWidget* page)
{
    Graphique = new ProgressChart(page);
    Graphique->setObjectName(u"Graphique"_s);
    BoutonExporter = new QPushButton(u"&Exporter en CSV..."_s, page);
    BoutonExporter->setObjectName(u"BoutonExporter"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BoutonExporter);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Graphique, 1);
    layout->addLayout(buttons);
    connect(BoutonExporter, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonExporterClick(); }));
}

void CopyCheckWindow::showCheck()
{
    Onglets->setCurrentIndex(0);
    brivo::ui::showOverParent(this);
    MemoCopie->setFocus();
}

// Ctrl+Entrée corrects from the copy, where Entrée alone starts a line.
bool CopyCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MemoCopie && event->type() == QEvent::KeyPress &&
        brivo::ui::isCorrectKey(static_cast<QKeyEvent*>(event))) {
        ErrorBox::guarded([this] { BoutonCorrigerClick(); })();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CopyCheckWindow::keyPressEvent(QKeyEvent* event)
{
    if (brivo::ui::hideOnEscape(this, event))
        return;
    if (brivo::ui::isCorrectKey(event)) {
        ErrorBox::guarded([this] { BoutonCorrigerClick(); })();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CopyCheckWindow::BoutonCorrigerClick()
{
    correct(MemoCopie->toPlainText(), this);
}

std::optional<bool> CopyCheckWindow::correct(const QString& copy, QWidget* owner)
{
    const QString sent = source_.sentText();
    if (sent.trimmed().isEmpty()) {
        dialogs_.message(owner, fromUtf8(messages::kNothingSent), fromUtf8(messages::kCheckTitle));
        return std::nullopt;
    }
    const Result<CopyCheck> check = checkCopy(sent.toStdString(), copy.toStdString(), source_.keyed, source_.soundsAs);
    if (!check) {
        dialogs_.message(owner, QString::fromStdString(check.error().message), fromUtf8(messages::kCheckTitle));
        return std::nullopt;
    }
    showCheckResult(*check);
    const bool forCourse = course_ && sent == courseText_;
    const Result<void> stored = history_.record(*check, source_.conditions(), QDateTime::currentDateTimeUtc(),
                                                forCourse ? course_ : std::nullopt);
    if (!stored)
        dialogs_.message(owner, QString::fromStdString(stored.error().message), fromUtf8(messages::kCheckTitle),
                         brivo::ui::Dialogs::Icon::Exclamation);
    if (forCourse) {
        course_.reset(); // one check a session
        Q_EMIT courseCheckRecorded(*check, static_cast<bool>(stored));
    }
    return forCourse;
}

void CopyCheckWindow::setCourseSession(const CourseTag& course, const QString& text)
{
    course_ = course;
    courseText_ = text;
}

void CopyCheckWindow::showCheckResult(const CopyCheck& check)
{
    LabelScore->setText(u"Score : %1 %  (substitutions : %2, omissions : %3, ajouts : %4)"_s.arg(
        QString::fromStdString(scoreText(check.score)), QString::number(check.substitutions),
        QString::number(check.deletions), QString::number(check.insertions)));
    brivo::ui::announce(this, u"Score : %1 %"_s.arg(QString::fromStdString(scoreText(check.score))));
    QString sentLine;
    QString copiedLine;
    for (const AlignmentStep& step : check.alignment) {
        QString colour;
        if (step.kind == AlignmentStep::Kind::Substitution)
            colour = u"#ffb0b0"_s;
        else if (step.kind == AlignmentStep::Kind::Deletion)
            colour = u"#ffd890"_s;
        else if (step.kind == AlignmentStep::Kind::Insertion)
            colour = u"#b0c8ff"_s;
        sentLine += cell(step.sent, colour);
        copiedLine += cell(step.copied, colour);
    }
    TexteAligne->setHtml(u"<pre>Envoyé : %1\nCopié  : %2</pre>"_s.arg(sentLine, copiedLine));
    GrilleCaracteres->setRowCount(static_cast<int>(check.perCharacter.size()));
    int row = 0;
    for (const auto& [character, count] : check.perCharacter) {
        GrilleCaracteres->setItem(row, 0, new QTableWidgetItem(fromCodePoint(character)));
        GrilleCaracteres->setItem(row, 1, new QTableWidgetItem(QString::number(count.sent)));
        auto* wrong = new QTableWidgetItem(QString::number(count.wrong));
        if (count.wrong > 0) {
            wrong->setBackground(QColor(0xff, 0xb0, 0xb0));
            wrong->setForeground(Qt::black);
        }
        GrilleCaracteres->setItem(row, 2, wrong);
        ++row;
    }
}

void CopyCheckWindow::BoutonPointsFaiblesClick()
{
    const Result<std::map<char32_t, CharacterCount>> recent = history_.counts(kRecentChecks);
    if (!recent) {
        dialogs_.message(this, QString::fromStdString(recent.error().message), fromUtf8(messages::kCheckTitle));
        return;
    }
    const std::u32string series = weakCharacterSeries(*recent);
    if (series.empty()) {
        dialogs_.message(this, fromUtf8(messages::kNoWeakCharacters), fromUtf8(messages::kCheckTitle));
        return;
    }
    Q_EMIT drillRequested(fromCodePoints(series));
}

void CopyCheckWindow::refreshProgress()
{
    const Result<std::vector<StoredCheck>> checks = history_.checks();
    const Result<std::map<char32_t, CharacterCount>> counts = history_.counts(0);
    if (!checks || !counts) {
        const Error& error = !checks ? checks.error() : counts.error();
        dialogs_.message(this, QString::fromStdString(error.message), fromUtf8(messages::kCheckTitle));
        return;
    }
    Graphique->setHistory(*checks, *counts);
}

void CopyCheckWindow::BoutonExporterClick()
{
    const std::optional<QString> target = dialogs_.saveFileName(this, exportDialog_, u"historique.csv"_s);
    if (!target)
        return;
    const Result<void> written = history_.exportCsv(target->toStdString());
    if (!written)
        dialogs_.message(this, QString::fromStdString(written.error().message), fromUtf8(messages::kCheckTitle));
}

} // namespace brivo::practice::ui
