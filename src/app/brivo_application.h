#pragma once

#include <functional>

class QCoreApplication;
class QObject;

namespace brivo::ui {

// Maps the window's font names to the faces Debian provides: "MS Sans
// Serif" and "Small Fonts" to Liberation Sans, "Courier New" to the
// metric-compatible Liberation Mono.
void installFontSubstitutes();

// SIGTERM, SIGINT and SIGHUP call `close` (which closes the window as the
// close button does, its close steps saving the settings), then end the
// event loop with the status it gives. The handler only writes to a pipe;
// the window is closed from the event loop.
void closeOnQuitSignals(QObject* context, std::function<int()> close);

// Qt's own texts (file dialogs, standard buttons) in French, whatever the
// locale: the program's own texts are French. False when Qt's French
// translation is not installed.
bool installFrenchQtTranslation(QCoreApplication& application);

// True when a graphical display can be reached (or a Qt platform is forced).
bool displayAvailable();

} // namespace brivo::ui
