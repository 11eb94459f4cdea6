#pragma once

class QCoreApplication;
class QWidget;

namespace brivo::ui {

// Maps the window's font names to the faces Debian provides: "MS Sans
// Serif" and "Small Fonts" to Liberation Sans, "Courier New" to the
// metric-compatible Liberation Mono.
void installFontSubstitutes();

// SIGTERM, SIGINT and SIGHUP close `window` as the close button does (its
// close steps save the settings), then end the event loop, so the program
// ends with status 0. The handler only writes to a pipe; the window is
// closed from the event loop.
void closeOnQuitSignals(QWidget* window);

// Qt's own texts (file dialogs, standard buttons) in French, whatever the
// locale: the program's own texts are French. False when Qt's French
// translation is not installed.
bool installFrenchQtTranslation(QCoreApplication& application);

// True when a graphical display can be reached (or a Qt platform is forced).
bool displayAvailable();

} // namespace brivo::ui
