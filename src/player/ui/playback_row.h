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
    // Characters the live queue takes from the keyboard.
    static constexpr int kLiveQueueLimit = 15;

    explicit PlaybackRow(QWidget* window);

    // Writes the status line (only when it changes, so it does not flicker)
    // and shows or hides the conditions mark. A text too wide for the line
    // beside the mark is drawn in a smaller font, so a position of ten hours
    // still reads whole.
    void showStatus(const QString& text, bool conditionsOn);

    QLabel* STlive = nullptr;
    QLabel* Label5 = nullptr;
    UpperCaseLineEdit* EditLive = nullptr;
    QLabel* Info = nullptr;
    // Shown while reception conditions are on; the status text stays whole.
    QLabel* ConditionsMark = nullptr;
    QPushButton* BoutonGeneFic = nullptr;
    QPushButton* BoutonLecture = nullptr;
    QPushButton* BoutonLire = nullptr;
    QPushButton* BoutonPause = nullptr;
    QPushButton* BoutonStop = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

} // namespace brivo::ui
