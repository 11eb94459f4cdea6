#include "common/ui/picture_button.h"

namespace brivo::ui {

PictureButton::PictureButton(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
}

} // namespace brivo::ui
