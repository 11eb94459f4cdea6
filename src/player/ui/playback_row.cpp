#include "player/ui/playback_row.h"

#include "common/ui/upper_case_line_edit.h"
#include "common/ui/widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace brivo::ui {

using namespace Qt::StringLiterals;

PlaybackRow::PlaybackRow(QWidget* window) : QObject(window)
{
    STlive = makeStaticText(window, QString(), {4, 218, 15, 20}, Border::Sunken);
    Label5 = makeStaticText(window, u"<"_s, {18, 220, 7, 16});
    EditLive = new UpperCaseLineEdit(window);
    EditLive->setObjectName(u"EditLive"_s);
    EditLive->setGeometry(26, 216, 73, 24);
    EditLive->setTypingLimit(15);
    EditLive->setToolTip(u"Conversion directe en sons depuis le clavier (Ctrl+D)"_s);
    useButtonFace(EditLive);

    Info = makeStaticText(window, QString(), {104, 218, 190, 23}, Border::Sunken);
    QFont infoFont(u"MS Sans Serif"_s);
    infoFont.setPixelSize(17);
    Info->setFont(infoFont);
    Info->setAutoFillBackground(true);
    QPalette infoPalette = Info->palette();
    infoPalette.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));     // navy
    infoPalette.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0xFF)); // aqua
    Info->setPalette(infoPalette);

    BoutonGeneFic = makeButton(window, u"Générer"_s, {298, 218, 67, 23}, u"Créer le fichier sonore"_s);
    BoutonLecture =
        makeButton(window, u"&Générer et lire"_s, {365, 218, 102, 23}, u"Créer le fichier sonore et le lire"_s);
    BoutonLire = makeButton(window, u"&Lire"_s, {467, 218, 40, 23}, u"Lecture du son depuis le début"_s);
    BoutonPause = makeButton(window, u"P&ause"_s, {507, 218, 57, 23}, u"Arrêt / Reprise de la lecture"_s);
    BoutonStop = makeButton(window, u"St&op"_s, {564, 218, 46, 23}, u"Arrêt de la lecture et remise à zéro"_s);
    BoutonLire->setEnabled(false);
    BoutonPause->setEnabled(false);
    BoutonStop->setEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer2 = new QTimer(this);
    Timer2->setInterval(50);
}

} // namespace brivo::ui
