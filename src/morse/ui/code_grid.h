#pragma once

#include "morse/morse_table.h"

#include <QTableWidget>

namespace brivo::ui {

// The code table shown as a grid of 3 rows: the byte's value, its
// character and its pattern, one column per byte. The first column holds
// the row titles and stays in place while the others scroll.
class CodeGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 83;
    static constexpr int kRowHeight = 18;

    explicit CodeGrid(QWidget* parent = nullptr);

    // Writes the titles and the 256 byte columns.
    void fill(const MorseTable& table);

    // The text of a cell, column 0 being the title column and column b + 1
    // that of byte b.
    QString cellText(int column, int row) const;
};

} // namespace brivo::ui
