#include "app/tform1.h"

#include "app/accessible_names.h"
#include "app/pictures.h"
#include "app/system_menu.h"
#include "audio/message_renderer.h"
#include "audio/ui/sound_controls.h"
#include "common/key_rules.h"
#include "common/messages.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/context_menus.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/focus_ring.h"
#include "common/ui/picture_button.h"
#include "common/ui/spin_edit.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"
#include "common/version.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "help/ui/help_window.h"
#include "morse/default_definitions.h"
#include "morse/ui/code_grid.h"
#include "player/ui/playback_row.h"
#include "practice/ui/course_window.h"
#include "reception/ui/reception_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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

#include <utility>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace layout {
constexpr ControlSpec Image2{"Image2", {184, 2, 338, 21}};
constexpr ControlSpec LabelCopyright{"LabelCopyright", {593, 2, 15, 16}, "(c)"};
constexpr ControlSpec ImageLogo{
    "ImageLogo", {5, 4, 90, 201}, "", "Cliquez sur le logo pour masquer / démasquer la zone d'édition (ou Alt+X)"};
constexpr ControlSpec MemoINI{"MemoINI", {8, 168, 17, 33}};
constexpr ControlSpec StaticText1{
    "StaticText1", {352, 244, 258, 20}, "Signes :  AS = ' < '  |  VA = ' * '  |  erreur = ' $ '"};
constexpr ControlSpec PageControl1{"PageControl1", {4, 244, 606, 121}};
constexpr ControlSpec StringGridCW{"StringGridCW", {0, 0, 598, 94}};
constexpr ControlSpec Label4{"Label4", {2, 398}, "Déb :"};
constexpr ControlSpec EditDebut{
    "EditDebut", {36, 395, 48, 24}, "", "Ajoutez ici les lettres énoncées au début de la lecture"};
constexpr ControlSpec Label6{"Label6", {89, 398}, "Fin :"};
constexpr ControlSpec EditFin{
    "EditFin", {116, 395, 48, 24}, "", "Ajoutez ici les lettres signalant la fin de la lecture"};
constexpr ControlSpec BoutonAide{
    "BoutonAide", {503, 392, 22, 24}, "&?", "Aide du programme ([F1] ou [Ctrl]+[H]) : raccourcis clavier."};
constexpr ControlSpec BitBtn1{"BitBtn1", {530, 392, 78, 24}, "&Quitter"};
constexpr ControlSpec Bevel4{"Bevel4", {496, 388, 0, 30}};
constexpr ControlSpec Bevel5{"Bevel5", {212, 368, 0, 50}};

// The tab order, from the control that has the focus at start.
constexpr std::array<const char*, 23> kTabOrder = {
    "EditLive",    "RichEdit",         "BoutonMenu",       "BoutonGeneFic", "BoutonLecture", "BoutonLire",
    "BoutonPause", "BoutonStop",       "PageControl1",     "BoutonEffacer", "BoutonRemplir", "BoutonGRP",
    "RBseries",    "CSpinEditGroupes", "CSpinEditLettres", "RBdirect",      "CSElettres",    "CSEchiffres",
    "BitBtn1",     "BoutonAide",       "EditDebut",        "EditFin",       "CBmot",
};
} // namespace layout

TForm1::TForm1(Dialogs& dialogs, WavePlayer& player, std::filesystem::path startFolder,
               std::filesystem::path settingsFile, std::filesystem::path historyFile, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs), startFolder_(std::move(startFolder)), settingsFile_(std::move(settingsFile)), session_(player)
{
    installAccessibleRoles(); // before any control is asked for its interface
    FocusRing::install();
    setObjectName(u"Form1"_s);
    setWindowTitle(u" BRIVO v%1 - Apprentissage de la lecture au son - TELVAR"_s.arg(fromUtf8(kVersion)));
    setWindowIcon(drawnWindowIcon());
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
    connectHandlers();
    buildCopyCheck(std::move(historyFile));
    // Built before the creation steps, which restore its settings.
    conditionsWindow = new reception::ui::ReceptionWindow(this);
    buildCourse();
    buildSending();
    buildDrills();
    buildExport();
    FormCreate();
    Form2 = new help::ui::TForm2(startFolder_, this);
    nameControls(this);
    narrowCrowdedCaptions(this);
    narrowTabsBefore(PageControl1, sound->CBmot->x());
    hideTakenShortcuts(this, [](QKeyCombination chord) {
        const int key = static_cast<int>(chord.key());
        return chord.keyboardModifiers().testFlag(Qt::ControlModifier) &&
               ctrlAction(key, mainBlockDigit(key, false, 0)).kind != CtrlAction::Kind::None;
    });
    playback->Timer1->start();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    ErrorBox::install(nullptr, nullptr);
}

void TForm1::buildUpperArea()
{
    Image2 = place(new PictureButton({}, this), layout::Image2);
    Image2->setPixmap(drawnBanner());
    Image2->installEventFilter(this);
    LabelCopyright = place(new PictureButton(fromUtf8(layout::LabelCopyright.caption), this), layout::LabelCopyright);
    if (LabelCopyright->sizeHint().width() > LabelCopyright->width())
        LabelCopyright->resize(LabelCopyright->sizeHint().width(), LabelCopyright->height());
    LabelCopyright->installEventFilter(this);
    ImageLogo = place(new PictureButton({}, this), layout::ImageLogo);
    ImageLogo->setPixmap(drawnLogo());
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageLogo->installEventFilter(this);
    // The pictures that act as buttons are said as buttons, and reached and
    // pressed from the keyboard (after the window's own order).
    setAccessibleButton(ImageLogo);
    setAccessibleButton(LabelCopyright);
    setAccessibleButton(Image2, true);
    announcer_ = new Announcer(this);

    editZone = new editzone::ui::EditZone(this, dialogs_);

    MemoINI = place(new QPlainTextEdit(this), layout::MemoINI);
    MemoINI->setReadOnly(true);
    MemoINI->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoINI->setFocusPolicy(Qt::NoFocus);
    QStringList lines;
    for (const std::string_view line : defaultDefinitionLines())
        lines.append(fromUtf8(line));
    MemoINI->setPlainText(lines.join(u'\n'));
    MemoINI->hide();

    playback = new PlaybackRow(this);
    StaticText1 = makeStaticText(this, layout::StaticText1);
}

void TForm1::buildPages()
{
    PageControl1 = place(new QTabWidget(this), layout::PageControl1);
    PageControl1->setAttribute(Qt::WA_Hover);
    TSprincipale = new QWidget;
    TSprincipale->setObjectName(u"TSprincipale"_s);
    TSseries = new QWidget;
    TSseries->setObjectName(u"TSseries"_s);
    TScaracteres = new QWidget;
    TScaracteres->setObjectName(u"TScaracteres"_s);
    PageControl1->addTab(TSprincipale, u"&Paramètres SON"_s);
    PageControl1->addTab(TSseries, u"&Séries"_s);
    PageControl1->addTab(TScaracteres, u"&Caractères"_s);

    sound = new SoundControls(TSprincipale, this, dialogs_);
    series = new exercise::ui::SeriesControls(TSseries, this);
    StringGridCW = place(new CodeGrid(TScaracteres), layout::StringGridCW);
}

void TForm1::buildLowerArea()
{
    const auto makeEnd = [this](const ControlSpec& spec) {
        auto* edit = place(new QLineEdit(this), spec);
        edit->setMaxLength(kEndCharactersMax);
        QFont font(u"Courier New"_s);
        font.setPixelSize(13);
        edit->setFont(font);
        useButtonFace(edit);
        return edit;
    };
    Label4 = makeLabel(this, layout::Label4);
    EditDebut = makeEnd(layout::EditDebut);
    Label6 = makeLabel(this, layout::Label6);
    EditFin = makeEnd(layout::EditFin);

    BoutonAide = makeButton(this, layout::BoutonAide);
    BitBtn1 = makeButton(this, layout::BitBtn1);
    BitBtn1->setIcon(drawnCloseGlyph());
    BitBtn1->setLayoutDirection(Qt::RightToLeft); // glyph right of the text
    Bevel4 = makeBevel(this, layout::Bevel4);
    Bevel5 = makeBevel(this, layout::Bevel5);
}

void TForm1::setTabOrder()
{
    QWidget* previous = nullptr;
    for (const char* name : layout::kTabOrder) {
        auto* control = findChild<QWidget*>(QString::fromLatin1(name));
        Q_ASSERT(control != nullptr);
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    for (QWidget* picture : std::initializer_list<QWidget*>{ImageLogo, LabelCopyright, Image2}) {
        QWidget::setTabOrder(previous, picture);
        previous = picture;
    }
    // The other pages' controls follow the tab bar, after the sound page's
    // and before the controls under the pages; Tab passes over a hidden
    // page's.
    previous = editZone->BoutonEffacer->previousInFocusChain();
    for (std::size_t i = 0; i < series->Selec.size(); ++i) {
        QWidget::setTabOrder(previous, series->Selec[i]);
        QWidget::setTabOrder(series->Selec[i], series->Serie[i]);
        previous = series->Serie[i];
    }
    QWidget::setTabOrder(previous, StringGridCW);
    QWidget::setTabOrder(StringGridCW, editZone->BoutonEffacer);
}

void TForm1::connectHandlers()
{
    const auto on = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, ErrorBox::guarded(std::move(handler)));
    };
    on(playback->BoutonGeneFic, &QPushButton::clicked, [this] { BoutonGeneFicClick(playback->BoutonGeneFic); });
    on(BitBtn1, &QPushButton::clicked, [this] { BoutonQuitterClick(); });
    on(BoutonAide, &QPushButton::clicked, [this] { BoutonAideClick(); });
    on(playback->BoutonLecture, &QPushButton::clicked, [this] { BoutonLectureClick(); });
    on(playback->BoutonLire, &QPushButton::clicked, [this] { BoutonLireClick(); });
    on(playback->BoutonPause, &QPushButton::clicked, [this] { BoutonPauseClick(); });
    on(playback->BoutonStop, &QPushButton::clicked, [this] { BoutonStopClick(); });
    on(playback->Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
    on(playback->Timer2, &QTimer::timeout, [this] { Timer2Timer(); });
    on(playback->EditLive, &QLineEdit::textChanged, [this] { EditLiveChange(); });

    on(series->BoutonRemplir, &QPushButton::clicked, [this] { BoutonRemplirClick(); });
    on(editZone->Remplir, &QAction::triggered, [this] { RemplirClick(); });
    on(series->BoutonGRP, &QPushButton::clicked, [this] { BoutonGRPClick(); });
    for (QAction* item : series->Motif)
        on(item, &QAction::triggered, [this, item] { RemplirMotifClick(item); });
    on(series->RBseries, &QRadioButton::clicked, [this] { RBseriesClick(series->RBseries); });
    on(series->RBdirect, &QRadioButton::clicked, [this] { RBseriesClick(series->RBdirect); });
    firstShow_ = new QTimer(this);
    firstShow_->setSingleShot(true);
    firstShow_->setInterval(0);
    connect(firstShow_, &QTimer::timeout, this, &TForm1::onFirstShow);
    // The sound output stays awake between plays, and goes after a while
    // of silence.
    auto* idleOutput = new QTimer(this);
    idleOutput->setInterval(5000);
    connect(idleOutput, &QTimer::timeout, this, ErrorBox::guarded([this] { session_.closeIdleOutput(); }));
    idleOutput->start();
    frameWait_ = new QTimer(this);
    frameWait_->setObjectName(u"frameWait"_s);
    frameWait_->setInterval(50);
    connect(frameWait_, &QTimer::timeout, this, ErrorBox::guarded([this] { placeOnceFramed(); }));
    connect(systemMenu, &SystemMenu::systemCommand, this,
            [this](int command) { ErrorBox::guarded([this, command] { onSystemCommand(command); })(); });
    // Key preview: the window's key handler sees every key first.
    qApp->installEventFilter(this);
}

std::filesystem::path TForm1::inStartFolder(const QString& fileName) const
{
    const std::filesystem::path path = fileName.toStdString();
    return path.is_absolute() ? path : startFolder_ / path;
}

void TForm1::BoutonQuitterClick()
{
    close();
}

void TForm1::RBseriesClick(QObject* sender)
{
    if (sender == series->RBseries)
        seriesMode_ = true;
    else if (sender == series->RBdirect)
        seriesMode_ = false;
    // The two buttons are exclusive: checking one unchecks the other.
    QRadioButton* chosen = seriesMode_ ? series->RBseries : series->RBdirect;
    chosen->setChecked(true);
    // Chosen by its Alt key, the button took the focus before its click:
    // a screen reader said it as it was, and is told the new state.
    if (sender == chosen && std::exchange(choiceByKey_, false))
        announce(chosen, chosen->accessibleName() + u", choisi"_s);
}

void TForm1::BoutonAideClick()
{
    Form2->showHelp();
}

void TForm1::ImageLogoMouseUp(QObject* control, Qt::MouseButton button)
{
    if ((control == ImageLogo && button == Qt::RightButton) || (control == LabelCopyright && button == Qt::LeftButton))
        dialogs_.message(this, QString::fromStdString(messages::aboutText()),
                         QString::fromStdString(messages::aboutTitle()));
}

void TForm1::Image2DblClick()
{
    dialogs_.message(this, QString::fromStdString(messages::versionText()), fromUtf8(messages::kVersionTitle));
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    // Only the background's own presses: a control or picture that passes a
    // right press up (the zone, the "m" button, the logo) has its own use
    // for it.
    if (event->button() == Qt::RightButton && childAt(event->position().toPoint()) == nullptr) {
        ErrorBox::guarded([this, at = event->globalPosition().toPoint()] { systemMenu->popup(at); })();
        return;
    }
    QWidget::mousePressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Space or Enter on a picture that acts as a button: its click.
    if (event->type() == QEvent::KeyPress && (watched == ImageLogo || watched == LabelCopyright || watched == Image2)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            ErrorBox::guarded([this, watched] {
                if (watched == ImageLogo)
                    editZone->ImageLogoClick();
                else if (watched == LabelCopyright)
                    ImageLogoMouseUp(LabelCopyright, Qt::LeftButton);
                else
                    Image2DblClick();
            })();
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut && (watched == series->RBseries || watched == series->RBdirect))
        choiceByKey_ = true;
    // A key press reaches the filter once for each widget it propagates to;
    // the handler takes it at its first receiver, the focused widget.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == QApplication::focusWidget() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* press = static_cast<QKeyEvent*>(event);
        if (!keyHandled_) {
            bool ranCommand = false;
            ErrorBox::guarded([this, &ranCommand, key = press->key(), modifiers = press->modifiers(),
                               code = press->nativeScanCode()] { ranCommand = FormKeyDown(key, modifiers, code); })();
            if (watched == playback->EditLive)
                ErrorBox::guarded([this, key = press->key()] { EditLiveKeyDown(key); })();
            if (ranCommand) {
                press->accept();
                return true;
            }
        }
        // The focused control still gets the key, but a Ctrl or an Alt chord
        // never types its character (Ctrl with a keypad digit would, and Alt+V
        // would queue a V in the live entry): it gets the chord without its
        // text, so its shortcuts still work. Ctrl and Alt together are AltGr,
        // which types.
        const Qt::KeyboardModifiers modifiers = press->modifiers();
        const bool oneModifier = modifiers.testFlag(Qt::ControlModifier) != modifiers.testFlag(Qt::AltModifier);
        if (!keyHandled_ && oneModifier && !press->text().isEmpty()) {
            QKeyEvent chord(press->type(), press->key(), modifiers, press->nativeScanCode(), press->nativeVirtualKey(),
                            press->nativeModifiers(), QString(), press->isAutoRepeat(),
                            static_cast<quint16>(press->count()));
            keyHandled_ = true;
            QCoreApplication::sendEvent(watched, &chord);
            keyHandled_ = false;
            press->setAccepted(chord.isAccepted());
            return true;
        }
        return false;
    }
    if (watched == ImageLogo && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ErrorBox::guarded([this] { editZone->ImageLogoClick(); })();
        return true;
    }
    if ((watched == ImageLogo || watched == LabelCopyright) && event->type() == QEvent::MouseButtonRelease) {
        ErrorBox::guarded([this, watched, button = static_cast<QMouseEvent*>(event)->button()] {
            ImageLogoMouseUp(watched, button);
        })();
        return true;
    }
    if (watched == Image2 && event->type() == QEvent::MouseButtonDblClick) {
        ErrorBox::guarded([this] { Image2DblClick(); })();
        return true;
    }
    if (watched == Image2 && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            ErrorBox::guarded([this, at = press->globalPosition().toPoint()] { systemMenu->popup(at); })();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brivo::ui
