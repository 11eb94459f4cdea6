#pragma once

#include <QLabel>

namespace brivo::ui {

// A picture (or a short caption) that acts as a button: a label that takes
// the focus from the keyboard only, and draws the style's focus frame over
// itself while it has it.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brivo::ui
