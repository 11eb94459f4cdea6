#pragma once

#include <QApplication>

namespace brivo::ui {

// The application object: an error that escapes any event handler is shown
// in the error box, and the event loop goes on.
class BrivoApplication : public QApplication {
    Q_OBJECT
public:
    BrivoApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Maps the window's font names to the faces Debian provides: "MS Sans
// Serif" and "Small Fonts" to Liberation Sans, "Courier New" to the
// metric-compatible Liberation Mono.
void installFontSubstitutes();

// True when a graphical display can be reached (or a Qt platform is forced).
bool displayAvailable();

} // namespace brivo::ui
