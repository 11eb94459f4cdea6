#include "player/ui/playback_row.h"

#include "common/messages.h"
#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace layout {
constexpr ControlSpec STlive{"STlive", {4, 218, 15, 20}};
constexpr ControlSpec Label5{"Label5", {18, 220, 7, 16}, "<"};
constexpr ControlSpec EditLive{
    "EditLive", {26, 216, 73, 24}, "", "Conversion directe en sons depuis le clavier (Ctrl+D)"};
constexpr ControlSpec Info{"Info", {104, 218, 190, 23}};
constexpr ControlSpec BoutonGeneFic{"BoutonGeneFic", {298, 218, 67, 23}, "Générer", "Créer le fichier sonore"};
constexpr ControlSpec BoutonLecture{
    "BoutonLecture", {365, 218, 102, 23}, "&Générer et lire", "Créer le fichier sonore et le lire"};
constexpr ControlSpec BoutonLire{"BoutonLire", {467, 218, 40, 23}, "&Lire", "Lecture du son depuis le début"};
constexpr ControlSpec BoutonPause{"BoutonPause", {507, 218, 57, 23}, "P&ause", "Arrêt / Reprise de la lecture"};
constexpr ControlSpec BoutonStop{"BoutonStop", {564, 218, 46, 23}, "St&op", "Arrêt de la lecture et remise à zéro"};
constexpr int kStatusPixelSize = 17;
constexpr int kSmallestStatusPixelSize = 8;
} // namespace layout

PlaybackRow::PlaybackRow(QWidget* window) : QObject(window)
{
    STlive = makeStaticText(window, layout::STlive, Border::Sunken);
    Label5 = makeStaticText(window, layout::Label5);
    EditLive = place(new UpperCaseLineEdit(window), layout::EditLive);
    EditLive->setTypingLimit(kLiveQueueLimit);
    useButtonFace(EditLive);

    Info = makeStaticText(window, layout::Info, Border::Sunken);
    QFont infoFont(u"MS Sans Serif"_s);
    infoFont.setPixelSize(layout::kStatusPixelSize);
    Info->setFont(infoFont);
    Info->setAutoFillBackground(true);
    QPalette infoPalette = Info->palette();
    infoPalette.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));     // navy
    infoPalette.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0xFF)); // aqua
    Info->setPalette(infoPalette);
    // Inside the status line's right end, where its text never reaches.
    ConditionsMark = new QLabel(u"≈"_s, Info);
    ConditionsMark->setObjectName(u"ConditionsMark"_s);
    ConditionsMark->setGeometry(layout::Info.bounds.width - 18, 1, 16, layout::Info.bounds.height - 2);
    ConditionsMark->setAlignment(Qt::AlignCenter);
    QPalette markPalette = infoPalette;
    markPalette.setColor(QPalette::WindowText, Qt::yellow);
    ConditionsMark->setPalette(markPalette);
    ConditionsMark->setToolTip(fromUtf8(messages::kConditionsMarkHint));
    ConditionsMark->setAccessibleName(u"Conditions de réception actives"_s);
    ConditionsMark->hide();

    BoutonGeneFic = makeButton(window, layout::BoutonGeneFic);
    BoutonLecture = makeButton(window, layout::BoutonLecture);
    BoutonLire = makeButton(window, layout::BoutonLire);
    BoutonPause = makeButton(window, layout::BoutonPause);
    BoutonStop = makeButton(window, layout::BoutonStop);
    BoutonLire->setEnabled(false);
    BoutonPause->setEnabled(false);
    BoutonStop->setEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(100);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(u"Timer2"_s);
    Timer2->setInterval(50);
}

void PlaybackRow::showStatus(const QString& text, bool conditionsOn)
{
    if (ConditionsMark->isVisibleTo(Info) != conditionsOn)
        ConditionsMark->setVisible(conditionsOn);
    const int room =
        Info->contentsRect().width() - 2 * Info->margin() - 2 - (conditionsOn ? ConditionsMark->width() : 0);
    QFont font = Info->font();
    int size = layout::kStatusPixelSize;
    font.setPixelSize(size);
    while (size > layout::kSmallestStatusPixelSize && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(--size);
    if (Info->font().pixelSize() != size)
        Info->setFont(font);
    if (Info->text() != text)
        Info->setText(text);
}

} // namespace brivo::ui
