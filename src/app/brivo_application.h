#pragma once

namespace brivo::ui {

// Maps the window's font names to the faces Debian provides: "MS Sans
// Serif" and "Small Fonts" to Liberation Sans, "Courier New" to the
// metric-compatible Liberation Mono.
void installFontSubstitutes();

// True when a graphical display can be reached (or a Qt platform is forced).
bool displayAvailable();

} // namespace brivo::ui
