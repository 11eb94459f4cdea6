#pragma once

#include <QObject>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace brivo::ui {

class UpperCaseLineEdit;

// The player row: the live indicator and entry, the status line and the
// render and playback buttons, with the status and live timers.
class PlaybackRow : public QObject {
    Q_OBJECT
public:
    explicit PlaybackRow(QWidget* window);

    QLabel* STlive;
    QLabel* Label5;
    UpperCaseLineEdit* EditLive;
    QLabel* Info;
    QPushButton* BoutonGeneFic;
    QPushButton* BoutonLecture;
    QPushButton* BoutonLire;
    QPushButton* BoutonPause;
    QPushButton* BoutonStop;
    QTimer* Timer1;
    QTimer* Timer2;
};

} // namespace brivo::ui
