#pragma once

#include <QLabel>

namespace brivo::ui {

// A picture (or a short caption) that acts as a button: a label that takes
// the focus from the keyboard only (its frame is the focus ring's).
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(const QString& caption, QWidget* parent);
};

} // namespace brivo::ui
