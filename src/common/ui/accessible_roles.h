#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace brivo::ui {

// The accessible interfaces Qt cannot give on its own, made by one factory:
// - the announcer's Notification role;
// - a picture that acts as a button (setAccessibleButton): the Button role
//   and a press action;
// - a masked editor (setAccessibleMasked): its name and no text;
// - a drop-down list: its label as its name and its current item as its
//   text. Qt names a list by its item on Linux, so the label was never
//   heard;
// - a track bar: its label as its name and the value text it is given
//   (TrackBar::setValueText) in place of a bare position;
// - a chart that has a ChartTable: a table of its values.
// Installed once, after the application exists and before any control is
// asked for its interface.
void installAccessibleRoles();

// Drops the interface Qt may have made for `widget` before its role could be
// told; the next query goes through the factory.
void forgetAccessibleInterface(QWidget* widget);

// While `masked`, a screen reader gets no text from `editor`: only its
// name, `maskedName`, so that the exercise it hides is not read aloud.
void setAccessibleMasked(QWidget* editor, bool masked, const QString& maskedName);

// Runs `edit` with the text, caret and selection events of `editor` kept
// from screen readers: text a command puts in the editor is an exercise
// to be heard, which a screen reader would otherwise read out as it goes
// in. Every other event passes as usual.
void withoutTextEcho(QWidget* editor, const std::function<void()>& edit);

// Marks a picture as a button for screen readers: it is said as a button,
// and pressing it from the screen reader clicks it (twice when
// `doubleClick`, as the banner wants).
void setAccessibleButton(QWidget* picture, bool doubleClick = false);

// Gives each spin box of `window` that a caption labels the caption's words
// as its name: a screen reader says the caption and then any name that
// differs from it, so a spin box named otherwise was said twice over.
void nameSpinBoxesByTheirCaptions(QWidget* window);

} // namespace brivo::ui
