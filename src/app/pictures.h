#pragma once

#include <QIcon>
#include <QPixmap>

namespace brivo::ui::pictures {

// The program's own pictures, drawn at run time.
QPixmap banner();   // 338 x 21
QPixmap logo();     // 90 x 201
QIcon windowIcon(); // 16 x 16
QIcon closeGlyph(); // for "Quitter"

} // namespace brivo::ui::pictures
