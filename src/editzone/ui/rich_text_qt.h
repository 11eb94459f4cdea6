#pragma once

#include "editzone/rich_text.h"

#include <QColor>
#include <QTextCharFormat>

#include <cstddef>
#include <cstdint>
#include <functional>

class QTextDocument;

namespace brivo::editzone::ui {

// A colour value 0x00BBGGRR as Qt draws it.
QColor toQColor(std::uint32_t bgr);

// The character format of a run, on top of `base` (the zone's default).
QTextCharFormat toQtFormat(const editzone::CharFormat& format, const QTextCharFormat& base);

// Replaces the whole content of `document` by `rich`, in one edit.
// `progress`, when given, is called every few thousand paragraphs with the
// count done and the total.
using FillProgress = std::function<void(std::size_t done, std::size_t total)>;
void fillDocument(QTextDocument& document, const editzone::Document& rich, const QTextCharFormat& base,
                  const FillProgress& progress = {});

// The text of `document` as the zone keys and saves it: blocks end with a
// paragraph separator (none after the last); the cells of a table are
// separated by a blank and its rows end with a paragraph separator;
// embedded objects (pictures) and Qt's frame markers are dropped. Line
// separators and no-break spaces are kept.
QString plainTextOf(const QTextDocument& document);

// The content of `document`, with the format of each fragment.
editzone::Document documentOf(const QTextDocument& document);

} // namespace brivo::editzone::ui
