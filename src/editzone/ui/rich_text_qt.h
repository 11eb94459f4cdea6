#pragma once

#include "editzone/rich_text.h"

#include <QColor>
#include <QTextCharFormat>

#include <cstdint>

class QTextDocument;

namespace brivo::ui {

// A colour value 0x00BBGGRR as Qt draws it.
QColor toQColor(std::uint32_t bgr);

// The character format of a run, on top of `base` (the zone's default).
QTextCharFormat toQtFormat(const richtext::CharFormat& format, const QTextCharFormat& base);

// Replaces the whole content of `document` by `rich`.
void fillDocument(QTextDocument& document, const richtext::Document& rich, const QTextCharFormat& base);

// The content of `document`, with the format of each fragment.
richtext::Document documentOf(const QTextDocument& document);

} // namespace brivo::ui
