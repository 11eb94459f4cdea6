#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QTabWidget;
class QPushButton;
class QWidget;

namespace brivo::ui {

// One control of a fixed-layout window, as its layout table declares it:
// its object name, its bounds in client pixels, its caption and its hint
// (UTF-8). A width of 0 sizes a label to its caption.
struct ControlSpec {
    struct Bounds {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };
    const char* name;
    Bounds bounds;
    std::string_view caption = {};
    std::string_view hint = {};

    QRect rect() const { return {bounds.left, bounds.top, bounds.width, bounds.height}; }
};

QString fromUtf8(std::string_view text);
QString fromCodePoints(const std::u32string& text);
QString fromCodePoint(char32_t c);

// Gives `widget` the name, bounds and hint of `spec`; returns it.
template <typename Widget> Widget* place(Widget* widget, const ControlSpec& spec);

QPushButton* makeButton(QWidget* parent, const ControlSpec& spec);
QLabel* makeLabel(QWidget* parent, const ControlSpec& spec);

// A caption of `window` (outside layouts) wider than the room before the
// control beside it, where the system's font is wider than the one the
// window was drawn for, is narrowed just enough (down to 75 %) rather than
// drawn over that control. Call once every control is placed.
void narrowCrowdedCaptions(QWidget* window);

// The page tabs of `pages` made narrower (then smaller) until they end
// before `right`, in window coordinates: a box stands beside them.
void narrowTabsBefore(QTabWidget* pages, int right);

enum class Border { None, Sunken };

// A static text of fixed bounds, centred.
QLabel* makeStaticText(QWidget* parent, const ControlSpec& spec, Border border = Border::None);

// A thin vertical rule (the width is ignored).
QFrame* makeBevel(QWidget* parent, const ControlSpec& spec);

// A drop-down list that takes only its items.
QComboBox* makeDropDown(QWidget* parent, const ControlSpec& spec, const QStringList& items, int visibleItems);

// The colour of button faces, used as the background of some edits.
void useButtonFace(QWidget* widget);

// Shows a window of its own (copy check, conditions) in front, active. The
// first time, it is placed over its parent window, offset from its corner,
// so that it never opens at the screen's corner when no window manager
// places it. It opens inside the screen's available area, frame included,
// and comes back inside whenever it grows past an edge.
void showOverParent(QWidget* window);

// Ctrl+Entrée (either Enter key): "Corriger" from a copy field, where
// Entrée alone starts a line.
bool isCorrectKey(const QKeyEvent* event);

// Places a window at `at` (screen coordinates, its frame's corner) or as
// near as keeps it inside the screen's available area, shrunk to fit when
// it is larger; it comes back inside whenever it grows past an edge.
void placeOnScreen(QWidget* window, QPoint at);

// Numbers in French in a window of our own (the conditions, the course, the
// copy check, the export): "10,0 mots/mn" in its spin boxes, as in its
// texts. The main window keeps the C locale of its own captions.
void useFrenchNumbers(QWidget* window);

// Hides a window of the trainer's and gives the keyboard back to the window
// that owns it, where its focus was (Escape in the owned windows).
void hideToOwner(QWidget* window);
// Escape in an owned window: hides it to its owner; true when it did.
bool hideOnEscape(QWidget* window, const QKeyEvent* event);

// Sets the name, bounds and hint of any widget.
void applySpec(QWidget* widget, const ControlSpec& spec);

template <typename Widget> Widget* place(Widget* widget, const ControlSpec& spec)
{
    applySpec(widget, spec);
    return widget;
}

} // namespace brivo::ui
