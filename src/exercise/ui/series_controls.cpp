#include "exercise/ui/series_controls.h"

#include "common/ui/spin_edit.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {

SpinEdit* makeSpin(QWidget* parent, int minimum, int maximum, int value, const QRect& bounds)
{
    auto* spin = new SpinEdit(minimum, maximum, value, parent);
    spin->setGeometry(bounds);
    return spin;
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
    static const std::array<QString, 9> initialSeries = {u"QSDFG"_s,  u"HJKLM"_s,  u"EIZOAP"_s,
                                                         u"RUTYBN"_s, u"VCXW45"_s, u"01236789"_s,
                                                         u".,?/'"_s,  u"=+<*@"_s,  QString()};
    constexpr std::array<int, 3> checkLefts = {6, 210, 414};
    constexpr std::array<int, 3> editLefts = {78, 282, 486};
    constexpr std::array<int, 3> rowTops = {4, 32, 60};

    QFont seriesFont(u"Courier New"_s);
    seriesFont.setPixelSize(17);
    seriesFont.setBold(true);
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < 9; ++i) {
        const std::size_t column = i / 3;
        const std::size_t row = i % 3;
        Selec[i] = new QCheckBox(u"Série %1 :"_s.arg(i + 1), page);
        Selec[i]->setObjectName(u"Selec%1"_s.arg(i + 1));
        Selec[i]->setGeometry(checkLefts[column], rowTops[row] + 2, 70, 21);
        Serie[i] = new UpperCaseLineEdit(page);
        Serie[i]->setObjectName(u"Serie%1"_s.arg(i + 1));
        Serie[i]->setGeometry(editLefts[column], rowTops[row], 112, 24);
        Serie[i]->setTypingLimit(10);
        Serie[i]->setFont(seriesFont);
        Serie[i]->setText(initialSeries[i]);
        if (previous != nullptr)
            QWidget::setTabOrder(previous, Selec[i]);
        QWidget::setTabOrder(Selec[i], Serie[i]);
        previous = Serie[i];
    }
    Selec[0]->setChecked(true);
    Bevel1 = makeBevel(page, 198, 5, 82);
    Bevel2 = makeBevel(page, 402, 5, 82);
}

void SeriesControls::buildFillLines(QWidget* window)
{
    BoutonRemplir = makeButton(window, u"&Remplir avec :"_s, {110, 367, 99, 24},
                               u"Tirage aléatoire à partir des séries sélectionnées"_s);
    BoutonGRP =
        makeButton(window, u"GRP"_s, {168, 396, 41, 23}, u"Ajouter des groupes de caractères (motifs prédéfinis)"_s);
    RBseries = new QRadioButton(u"so&it :"_s, window);
    RBseries->setGeometry(217, 366, 46, 25);
    RBdirect = new QRadioButton(u"soi&t :"_s, window);
    RBdirect->setGeometry(217, 392, 46, 25);
    RBdirect->setChecked(true);
    CSpinEditGroupes = makeSpin(window, 1, 100, 36, {267, 366, 43, 26});
    Label2 = makeLabel(window, u"groupes de"_s, 312, 369);
    CSpinEditLettres = makeSpin(window, 1, 20, 5, {384, 366, 41, 26});
    Label3 = makeLabel(window, u"caractères tirés des séries"_s, 428, 369);
    CSElettres = makeSpin(window, 0, 100, 30, {267, 393, 43, 26});
    Label1 = makeLabel(window, u"x 5 lettres +"_s, 312, 396);
    CSEchiffres = makeSpin(window, 0, 50, 6, {384, 393, 41, 26});
    Label7 = makeLabel(window, u"x 5 chiffres"_s, 430, 396);
}

void SeriesControls::buildPatternMenu(QWidget* window)
{
    static const std::array<QString, 9> captions = {
        u"Ctrl+1 : 36 groupes de 5 lettres"_s,
        u"Ctrl+2 : 18 x 5 lettres + 18 x 5 chiffres"_s,
        u"Ctrl+3 : 21 x 5 lettres + 21 x 5 chiffres"_s,
        u"Ctrl+4 : 36 groupes = 5L-5C-5L-5C etc."_s,
        u"Ctrl+5 : 36 groupes = 2 x 5L - 1 x 5C etc."_s,
        u"Ctrl+6 : 30 x 5 lettres + 6 x 5 chiffres"_s,
        u"Ctrl+7 : 36 groupes de 5 = 1L 1C 1L 1C etc."_s,
        u"Ctrl+8 : 36 groupes lettres et chiffres mélangés"_s,
        u"Ctrl+9 : 180 lettres par mots de taille aléatoire"_s,
    };
    PopupMenu2 = new QMenu(window);
    PopupMenu2->setObjectName(u"PopupMenu2"_s);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        // The key names in the captions are text only: the keys themselves
        // belong to the window's key handler.
        Motif[i] = PopupMenu2->addAction(captions[i]);
        Motif[i]->setObjectName(u"Motif%1"_s.arg(i + 1));
    }
}

} // namespace brivo::ui
