#pragma once

#include <QRect>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace brivo::ui {

// Small builders for the controls of the fixed-layout windows: each creates
// the control in `parent` at its bounds (left, top, width, height in client
// pixels) with its caption and hint.

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& bounds, const QString& hint = {});

// A label sized to its text, at `left`, `top`.
QLabel* makeLabel(QWidget* parent, const QString& caption, int left, int top);

enum class Border { None, Sunken };

// A static text of fixed bounds, centred.
QLabel* makeStaticText(QWidget* parent, const QString& caption, const QRect& bounds, Border border = Border::None);

// A thin vertical rule.
QFrame* makeBevel(QWidget* parent, int left, int top, int height);

// A drop-down list that takes only its items.
QComboBox* makeDropDown(QWidget* parent, const QStringList& items, const QRect& bounds, int visibleItems,
                        const QString& hint);

// The colour of button faces, used as the background of some edits.
void useButtonFace(QWidget* widget);

} // namespace brivo::ui
