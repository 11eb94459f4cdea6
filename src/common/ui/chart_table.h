#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAccessibleInterface;
class QWidget;

namespace brivo::ui {

// The values a drawn chart shows, given to screen readers as a table they
// can walk, and marked on the drawing as they are walked. The chart becomes a Tab stop; its summary line is its
// description; the arrows walk its cells, each one taking the screen
// reader's focus, which says it with its column's header:
// - Up and Down go from row to row, Home and End to the first and last;
// - Left and Right go from column to column.
// The first arrow after the focus arrives goes to the first cell. A cell
// at the edge is said again when an arrow would leave the table.
// Made once per chart, as the chart's child.
class ChartTable : public QObject {
    Q_OBJECT
public:
    ChartTable(QWidget* chart, QStringList headers);

    // New values: the summary is said with the chart's name, `rows` hold
    // one text per header. The walk starts again from before the first cell.
    void setRows(const QString& summary, QList<QStringList> rows);

    const QStringList& headers() const { return headers_; }
    qsizetype rowCount() const { return rows_.size(); }
    // Empty outside the table.
    QString cell(qsizetype row, qsizetype column) const;

    // The cell the arrows reached; -1 before the first arrow.
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    // The row the drawing marks, so that the eye follows the walk: the
    // current one while the chart has the keyboard, else -1.
    int markedRow() const;

    // The table of `chart`, or nullptr when it is no chart.
    static ChartTable* of(const QObject* chart);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveTo(int row, int column);

    QWidget* chart_;
    QStringList headers_;
    QList<QStringList> rows_;
    int currentRow_ = -1;
    int currentColumn_ = -1;
};

// "1 caractère", "3 caractères": a count for a summary line.
QString counted(qsizetype count, const QString& noun);

// The table interface of a chart that has a ChartTable, or nullptr.
QAccessibleInterface* chartTableAccessible(QWidget* widget);

} // namespace brivo::ui
