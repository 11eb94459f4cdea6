#include "exercise/ui/series_controls.h"

#include "common/ui/spin_edit.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace brivo::exercise::ui {

using namespace brivo::ui; // the shared widgets and helpers

using namespace Qt::StringLiterals;

namespace layout {
// The three columns of the series page: check box and edit lefts; the
// edits' tops of the three rows.
constexpr std::array<int, 3> kCheckLefts = {6, 210, 414};
constexpr std::array<int, 3> kEditLefts = {78, 282, 486};
constexpr std::array<int, 3> kRowTops = {4, 32, 60};
constexpr ControlSpec Bevel1{"Bevel1", {198, 5, 0, 82}};
constexpr ControlSpec Bevel2{"Bevel2", {402, 5, 0, 82}};

constexpr ControlSpec BoutonRemplir{
    "BoutonRemplir", {110, 367, 99, 24}, "&Remplir avec :", "Tirage aléatoire à partir des séries sélectionnées"};
constexpr ControlSpec BoutonGRP{
    "BoutonGRP", {168, 396, 41, 23}, "GRP", "Ajouter des groupes de caractères (motifs prédéfinis)"};
constexpr ControlSpec RBseries{"RBseries", {217, 366, 46, 25}, "so&it :"};
constexpr ControlSpec RBdirect{"RBdirect", {217, 392, 46, 25}, "soi&t :"};
constexpr ControlSpec CSpinEditGroupes{"CSpinEditGroupes", {267, 366, 43, 26}};
constexpr ControlSpec Label2{"Label2", {312, 369}, "groupes de"};
constexpr ControlSpec CSpinEditLettres{"CSpinEditLettres", {384, 366, 41, 26}};
constexpr ControlSpec Label3{"Label3", {428, 369}, "caractères tirés des séries"};
constexpr ControlSpec CSElettres{"CSElettres", {267, 393, 43, 26}};
constexpr ControlSpec Label1{"Label1", {312, 396}, "x 5 lettres +"};
constexpr ControlSpec CSEchiffres{"CSEchiffres", {384, 393, 41, 26}};
constexpr ControlSpec Label7{"Label7", {430, 396}, "x 5 chiffres"};

// The pattern menu's items; the key names are text only, the keys
// themselves belong to the window's key handler.
constexpr std::array<std::string_view, exercise::kPatternCount> kPatternCaptions = {
    "Ctrl+1 : 36 groupes de 5 lettres",
    "Ctrl+2 : 18 x 5 lettres + 18 x 5 chiffres",
    "Ctrl+3 : 21 x 5 lettres + 21 x 5 chiffres",
    "Ctrl+4 : 36 groupes = 5L-5C-5L-5C etc.",
    "Ctrl+5 : 36 groupes = 2 x 5L - 1 x 5C etc.",
    "Ctrl+6 : 30 x 5 lettres + 6 x 5 chiffres",
    "Ctrl+7 : 36 groupes de 5 = 1L 1C 1L 1C etc.",
    "Ctrl+8 : 36 groupes lettres et chiffres mélangés",
    "Ctrl+9 : 180 lettres par mots de taille aléatoire",
};
} // namespace layout

namespace {

std::u32string toCodePoints(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return {codePoints.begin(), codePoints.end()};
}

} // namespace

SeriesControls::SeriesControls(QWidget* seriesPage, QWidget* window) : QObject(window)
{
    buildSeriesPage(seriesPage);
    buildFillLines(window);
    buildPatternMenu(window);
}

void SeriesControls::buildSeriesPage(QWidget* page)
{
    QFont seriesFont(u"Courier New"_s);
    seriesFont.setPixelSize(17);
    seriesFont.setBold(true);
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < exercise::kSeriesCount; ++i) {
        const std::size_t column = i / 3;
        const std::size_t row = i % 3;
        Selec[i] = new QCheckBox(u"Série %1 :"_s.arg(i + 1), page);
        Selec[i]->setObjectName(u"Selec%1"_s.arg(i + 1));
        Selec[i]->setGeometry(layout::kCheckLefts[column], layout::kRowTops[row] + 2, 70, 21);
        Serie[i] = new UpperCaseLineEdit(page);
        Serie[i]->setObjectName(u"Serie%1"_s.arg(i + 1));
        Serie[i]->setGeometry(layout::kEditLefts[column], layout::kRowTops[row], 112, 24);
        Serie[i]->setTypingLimit(exercise::kSeriesTypingLimit);
        Serie[i]->setFont(seriesFont);
        Serie[i]->setText(fromUtf8(exercise::kInitialSeries[i]));
        if (previous != nullptr)
            QWidget::setTabOrder(previous, Selec[i]);
        QWidget::setTabOrder(Selec[i], Serie[i]);
        previous = Serie[i];
    }
    Selec[exercise::kInitialTickedSeries]->setChecked(true);
    Bevel1 = makeBevel(page, layout::Bevel1);
    Bevel2 = makeBevel(page, layout::Bevel2);
}

void SeriesControls::buildFillLines(QWidget* window)
{
    BoutonRemplir = makeButton(window, layout::BoutonRemplir);
    BoutonGRP = makeButton(window, layout::BoutonGRP);
    RBseries = place(new QRadioButton(fromUtf8(layout::RBseries.caption), window), layout::RBseries);
    RBdirect = place(new QRadioButton(fromUtf8(layout::RBdirect.caption), window), layout::RBdirect);
    // As on the desktop the layout was drawn for, the group is one stop of
    // the Tab key: the checked button (the arrows move between them).
    for (QRadioButton* choice : {RBseries, RBdirect})
        connect(choice, &QRadioButton::toggled, choice,
                [choice](bool on) { choice->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
    RBdirect->setChecked(true);
    RBseries->setFocusPolicy(Qt::ClickFocus);
    CSpinEditGroupes = place(new SpinEdit(exercise::kGroups, window), layout::CSpinEditGroupes);
    Label2 = makeLabel(window, layout::Label2);
    CSpinEditLettres = place(new SpinEdit(exercise::kGroupSize, window), layout::CSpinEditLettres);
    Label3 = makeLabel(window, layout::Label3);
    CSElettres = place(new SpinEdit(exercise::kLetterGroups, window), layout::CSElettres);
    Label1 = makeLabel(window, layout::Label1);
    CSEchiffres = place(new SpinEdit(exercise::kDigitGroups, window), layout::CSEchiffres);
    Label7 = makeLabel(window, layout::Label7);
}

void SeriesControls::buildPatternMenu(QWidget* window)
{
    PopupMenu2 = new QMenu(window);
    PopupMenu2->setObjectName(u"PopupMenu2"_s);
    for (std::size_t i = 0; i < Motif.size(); ++i) {
        Motif[i] = PopupMenu2->addAction(fromUtf8(layout::kPatternCaptions[i]));
        Motif[i]->setObjectName(u"Motif%1"_s.arg(i + 1));
    }
}

exercise::SeriesTexts SeriesControls::seriesTexts() const
{
    exercise::SeriesTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = toCodePoints(Serie[i]->text());
    return texts;
}

exercise::SeriesTicks SeriesControls::seriesTicks() const
{
    exercise::SeriesTicks ticks{};
    for (std::size_t i = 0; i < ticks.size(); ++i)
        ticks[i] = Selec[i]->isChecked();
    return ticks;
}

} // namespace brivo::exercise::ui
