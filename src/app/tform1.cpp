#include "app/tform1.h"

#include "app/pictures.h"
#include "app/system_menu.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/spin_edit.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"
#include "editzone/colours.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "morse/default_definitions.h"
#include "morse/ui/code_grid.h"
#include "player/ui/playback_row.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

namespace brivo::ui {

using namespace Qt::StringLiterals;

TForm1::TForm1(Dialogs& dialogs, WavePlayer& player, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      MediaPlayer1{player}, dialogs_(dialogs)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u" BRIVO v4.1 - Apprentissage de la lecture au son - TELVAR"_s);
    setWindowIcon(pictures::windowIcon());
    setFixedSize(kClientWidth, kClientHeight);
    QFont windowFont(u"MS Sans Serif"_s);
    windowFont.setPixelSize(13);
    setFont(windowFont);
    ErrorBox::install(&dialogs_, this);

    buildUpperArea();
    buildPages();
    buildLowerArea();
    setTabOrder();
    systemMenu = new SystemMenu(this);
    nameControls();
    connectHandlers();
    FormCreate();
    playback->Timer1->start();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    ErrorBox::install(nullptr, nullptr);
}

void TForm1::buildUpperArea()
{
    Image2 = new QLabel(this);
    Image2->setPixmap(pictures::banner());
    Image2->setGeometry(184, 2, 338, 21);
    Image2->installEventFilter(this);
    LabelCopyright = makeLabel(this, u"(c)"_s, 593, 2);
    LabelCopyright->resize(15, 16);
    ImageLogo = new QLabel(this);
    ImageLogo->setPixmap(pictures::logo());
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageLogo->setGeometry(5, 4, 90, 201);
    ImageLogo->setToolTip(u"Cliquez sur le logo pour masquer / démasquer la zone d'édition (ou Alt+X)"_s);

    editZone = new EditZone(this);

    MemoINI = new QPlainTextEdit(this);
    MemoINI->setGeometry(8, 168, 17, 33);
    MemoINI->setReadOnly(true);
    MemoINI->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoINI->setFocusPolicy(Qt::NoFocus);
    QStringList lines;
    for (const std::string_view line : definitions::defaultLines())
        lines.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    MemoINI->setPlainText(lines.join(u'\n'));
    MemoINI->hide();

    playback = new PlaybackRow(this);
    StaticText1 =
        makeStaticText(this, u"Signes :  AS = ' < '  |  VA = ' * '  |  erreur = ' $ '"_s, {352, 244, 258, 20});
}

void TForm1::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(4, 244, 606, 121);
    PageControl1->setAttribute(Qt::WA_Hover);
    TSprincipale = new QWidget;
    TSseries = new QWidget;
    TScaracteres = new QWidget;
    PageControl1->addTab(TSprincipale, u"&Paramètres SON"_s);
    PageControl1->addTab(TSseries, u"&Séries"_s);
    PageControl1->addTab(TScaracteres, u"&Caractères"_s);

    sound = new SoundControls(TSprincipale, this, dialogs_);
    series = new SeriesControls(TSseries, this);
    StringGridCW = new CodeGrid(TScaracteres);
    StringGridCW->setGeometry(0, 0, 598, 94);
}

void TForm1::buildLowerArea()
{
    const auto makeEnds = [this](QLabel*& label, const QString& caption, int labelLeft, int editLeft,
                                 const QString& hint) {
        label = makeLabel(this, caption, labelLeft, 398);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(editLeft, 395, 48, 24);
        edit->setMaxLength(5);
        QFont font(u"Courier New"_s);
        font.setPixelSize(13);
        edit->setFont(font);
        edit->setToolTip(hint);
        useButtonFace(edit);
        return edit;
    };
    EditDebut = makeEnds(Label4, u"Déb :"_s, 2, 36, u"Ajoutez ici les lettres énoncées au début de la lecture"_s);
    EditFin = makeEnds(Label6, u"Fin :"_s, 89, 116, u"Ajoutez ici les lettres signalant la fin de la lecture"_s);

    BoutonAide = makeButton(this, u"&?"_s, {503, 392, 22, 24},
                            u"Aide du programme ([F1] ou [Ctrl]+[H]) : raccourcis clavier."_s);
    BitBtn1 = makeButton(this, u"&Quitter"_s, {530, 392, 78, 24});
    BitBtn1->setIcon(pictures::closeGlyph());
    BitBtn1->setLayoutDirection(Qt::RightToLeft); // glyph right of the text
    Bevel4 = makeBevel(this, 496, 388, 30);
    Bevel5 = makeBevel(this, 212, 368, 50);
}

// Every control carries its name, so that it can be found by it.
void TForm1::nameControls()
{
    const std::initializer_list<std::pair<QObject*, const char*>> controls = {
        {Image2, "Image2"},
        {LabelCopyright, "LabelCopyright"},
        {ImageLogo, "ImageLogo"},
        {editZone->RichEdit, "RichEdit"},
        {editZone->STmasquer, "STmasquer"},
        {editZone->BoutonMenu, "BoutonMenu"},
        {MemoINI, "MemoINI"},
        {playback->STlive, "STlive"},
        {playback->Label5, "Label5"},
        {playback->EditLive, "EditLive"},
        {playback->Info, "Info"},
        {playback->BoutonGeneFic, "BoutonGeneFic"},
        {playback->BoutonLecture, "BoutonLecture"},
        {playback->BoutonLire, "BoutonLire"},
        {playback->BoutonPause, "BoutonPause"},
        {playback->BoutonStop, "BoutonStop"},
        {sound->CBmot, "CBmot"},
        {StaticText1, "StaticText1"},
        {PageControl1, "PageControl1"},
        {TSprincipale, "TSprincipale"},
        {TSseries, "TSseries"},
        {TScaracteres, "TScaracteres"},
        {sound->GBfrequence, "GBfrequence"},
        {sound->TBfreq, "TBfreq"},
        {sound->GBsignal, "GBsignal"},
        {sound->TBsignal, "TBsignal"},
        {sound->GBvitesse, "GBvitesse"},
        {sound->TBvitesse, "TBvitesse"},
        {sound->GBsouffle, "GBsouffle"},
        {sound->TBsouffle, "TBsouffle"},
        {sound->BoutonNom, "BoutonNom"},
        {sound->ComboBoxFe, "ComboBoxFe"},
        {sound->StaticText2, "StaticText2"},
        {sound->StaticText3, "StaticText3"},
        {sound->CSdureeSP, "CSdureeSP"},
        {sound->Bevel3, "Bevel3"},
        {series->Bevel1, "Bevel1"},
        {series->Bevel2, "Bevel2"},
        {StringGridCW, "StringGridCW"},
        {editZone->BoutonEffacer, "BoutonEffacer"},
        {series->BoutonRemplir, "BoutonRemplir"},
        {Label4, "Label4"},
        {EditDebut, "EditDebut"},
        {Label6, "Label6"},
        {EditFin, "EditFin"},
        {series->BoutonGRP, "BoutonGRP"},
        {series->RBseries, "RBseries"},
        {series->RBdirect, "RBdirect"},
        {series->CSpinEditGroupes, "CSpinEditGroupes"},
        {series->Label2, "Label2"},
        {series->CSpinEditLettres, "CSpinEditLettres"},
        {series->Label3, "Label3"},
        {series->CSElettres, "CSElettres"},
        {series->Label1, "Label1"},
        {series->CSEchiffres, "CSEchiffres"},
        {series->Label7, "Label7"},
        {BoutonAide, "BoutonAide"},
        {BitBtn1, "BitBtn1"},
        {Bevel4, "Bevel4"},
        {Bevel5, "Bevel5"},
        {playback->Timer1, "Timer1"},
        {playback->Timer2, "Timer2"},
    };
    for (const auto& [control, name] : controls)
        control->setObjectName(QString::fromLatin1(name));
}

void TForm1::setTabOrder()
{
    const QList<QWidget*> order = {
        playback->EditLive,
        editZone->RichEdit,
        editZone->BoutonMenu,
        playback->BoutonGeneFic,
        playback->BoutonLecture,
        playback->BoutonLire,
        playback->BoutonPause,
        playback->BoutonStop,
        PageControl1,
        editZone->BoutonEffacer,
        series->BoutonRemplir,
        series->BoutonGRP,
        series->RBseries,
        series->CSpinEditGroupes,
        series->CSpinEditLettres,
        series->RBdirect,
        series->CSElettres,
        series->CSEchiffres,
        BitBtn1,
        BoutonAide,
        EditDebut,
        EditFin,
        sound->CBmot,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::connectHandlers()
{
    connect(playback->BoutonGeneFic, &QPushButton::clicked, this,
            ErrorBox::guarded([this] { BoutonGeneFicClick(playback->BoutonGeneFic); }));
    connect(BitBtn1, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonQuitterClick(); }));
    connect(playback->BoutonLecture, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonLectureClick(); }));
    connect(playback->BoutonLire, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonLireClick(); }));
    connect(playback->BoutonPause, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonPauseClick(); }));
    connect(playback->BoutonStop, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonStopClick(); }));
    connect(playback->Timer1, &QTimer::timeout, this, ErrorBox::guarded([this] { Timer1Timer(); }));
    connect(playback->Timer2, &QTimer::timeout, this, ErrorBox::guarded([this] { Timer2Timer(); }));
    connect(playback->EditLive, &QLineEdit::textChanged, this, ErrorBox::guarded([this] { EditLiveChange(); }));

    connect(series->BoutonRemplir, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonRemplirClick(); }));
    connect(editZone->Remplir, &QAction::triggered, this, ErrorBox::guarded([this] { RemplirClick(); }));
    connect(series->BoutonGRP, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonGRPClick(); }));
    for (QAction* item : series->Motif)
        connect(item, &QAction::triggered, this, ErrorBox::guarded([this, item] { RemplirMotifClick(item); }));
    // Key preview: the window's key handler sees every key first.
    qApp->installEventFilter(this);
    connect(series->RBseries, &QRadioButton::clicked, this,
            ErrorBox::guarded([this] { RBseriesClick(series->RBseries); }));
    connect(series->RBdirect, &QRadioButton::clicked, this,
            ErrorBox::guarded([this] { RBseriesClick(series->RBdirect); }));
    connect(systemMenu, &SystemMenu::systemCommand, this,
            [this](int command) { ErrorBox::guarded([this, command] { onSystemCommand(command); })(); });
}

void TForm1::BoutonQuitterClick()
{
    close();
}

void TForm1::RBseriesClick(QObject* sender)
{
    if (sender == series->RBseries)
        SeriesMode = true;
    else if (sender == series->RBdirect)
        SeriesMode = false;
    // The two buttons are exclusive: checking one unchecks the other.
    (SeriesMode ? series->RBseries : series->RBdirect)->setChecked(true);
}

// The purge command empties and deletes the settings store; until the window
// has one, the command has nothing to act on.
void TForm1::onSystemCommand(int /*command*/)
{}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        systemMenu->popup(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the filter once for each widget it propagates to;
    // the handler takes it at its first receiver, the focused widget.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == QApplication::focusWidget() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* press = static_cast<QKeyEvent*>(event);
        ErrorBox::guarded([this, key = press->key(), modifiers = press->modifiers(), code = press->nativeScanCode()] {
            FormKeyDown(key, modifiers, code);
        })();
        if (watched == playback->EditLive)
            ErrorBox::guarded([this, key = press->key()] { EditLiveKeyDown(key); })();
        return false; // the focused control still gets the key
    }
    if (watched == Image2 && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            systemMenu->popup(press->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brivo::ui
