#pragma once

#include <QIcon>
#include <QPixmap>

namespace brivo::ui {

// The program's own pictures, drawn at run time.
QPixmap drawnBanner();   // 338 x 21
QPixmap drawnLogo();     // 90 x 201
QIcon drawnWindowIcon(); // 16 x 16
QIcon drawnCloseGlyph(); // for "Quitter"

} // namespace brivo::ui
