#include "common/ui/chart_table.h"

#include "common/ui/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace brivo::ui {

namespace {

class ChartCell;

// A chart as a table: one row of column headers, then a row per value. Its
// children are the headers, then the cells row by row; they are made when
// first asked for and live as long as the table's interface, or until the
// values change.
class ChartAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ChartAccessible(QWidget* chart) : QAccessibleWidget(chart, QAccessible::Table) {}
    ChartAccessible(const ChartAccessible&) = delete;
    ChartAccessible& operator=(const ChartAccessible&) = delete;
    ChartAccessible(ChartAccessible&&) = delete;
    ChartAccessible& operator=(ChartAccessible&&) = delete;
    ~ChartAccessible() override { forgetCells(); }

    // None while the chart is being destroyed: its table goes first.
    const ChartTable* values() const { return ChartTable::of(widget()); }
    bool isValid() const override { return QAccessibleWidget::isValid() && values() != nullptr; }

    // A header when `row` is -1.
    QAccessibleInterface* cellInterface(int row, int column) const;

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return columnCount() * (rowCount() + 1); }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        if (columns == 0 || index < 0 || index >= childCount())
            return nullptr;
        return cellInterface((index / columns) - 1, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override
    {
        const ChartTable* table = values();
        if (table != nullptr && widget()->hasFocus() && table->currentRow() >= 0)
            return cellInterface(table->currentRow(), table->currentColumn());
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount() ? cellInterface(row, column)
                                                                                     : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        return isValid() ? values()->headers().value(column) : QString();
    }
    QString rowDescription(int /*row*/) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return isValid() ? static_cast<int>(values()->headers().size()) : 0; }
    int rowCount() const override { return isValid() ? static_cast<int>(values()->rowCount()) : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override { forgetCells(); }

private:
    void forgetCells()
    {
        for (const QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

    mutable QHash<int, QAccessible::Id> cells_; // by child index
};

// A cell of a chart's table, or one of its column headers (row -1). It reads
// its text from the chart's values when asked, so that it never says a
// value that has gone.
class ChartCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ChartCell(const ChartAccessible* table, int row, int column) : table_(table), row_(row), column_(column) {}

    bool isValid() const override
    {
        return table_->isValid() && row_ < table_->rowCount() && column_ < table_->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_->window(); }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return const_cast<ChartAccessible*>(table_); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return row_ < 0 ? table_->columnDescription(column_) : table_->values()->cell(row_, column_);
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override { return table_->rect(); }
    QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (row_ < 0 || !isValid())
            return state;
        const ChartTable* values = table_->values();
        state.focusable = true;
        state.readOnly = true;
        state.focused = values->currentRow() == row_ && values->currentColumn() == column_ && table_->state().focused;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface && row_ >= 0 ? static_cast<QAccessibleTableCellInterface*>(this)
                                                                    : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {table_->cellInterface(-1, column_)}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return const_cast<ChartAccessible*>(table_); }

    int childIndex() const { return (row_ + 1) * table_->columnCount() + column_; }

private:
    const ChartAccessible* table_;
    int row_;
    int column_;
};

QAccessibleInterface* ChartAccessible::cellInterface(int row, int column) const
{
    const int index = (row + 1) * columnCount() + column;
    if (const auto made = cells_.constFind(index); made != cells_.constEnd()) {
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*made))
            return cell;
    }
    auto* cell = new ChartCell(this, row, column);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ChartAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const ChartCell*>(child);
    return cell != nullptr && cell->parent() == this ? cell->childIndex() : -1;
}

} // namespace

ChartTable::ChartTable(QWidget* chart, QStringList headers)
    : QObject(chart), chart_(chart), headers_(std::move(headers))
{
    chart->setFocusPolicy(Qt::StrongFocus);
    chart->installEventFilter(this);
    forgetAccessibleInterface(chart);
}

void ChartTable::setRows(const QString& summary, QList<QStringList> rows)
{
    rows_ = std::move(rows);
    currentRow_ = currentColumn_ = -1;
    chart_->setAccessibleDescription(summary);
    QAccessibleTableModelChangeEvent reset(chart_, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

QString ChartTable::cell(qsizetype row, qsizetype column) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].value(column) : QString();
}

int ChartTable::markedRow() const
{
    return chart_->hasFocus() ? currentRow_ : -1;
}

ChartTable* ChartTable::of(const QObject* chart)
{
    return chart->findChild<ChartTable*>(QString(), Qt::FindDirectChildrenOnly);
}

bool ChartTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != chart_ || event->type() != QEvent::KeyPress || rows_.isEmpty())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    int row = currentRow_;
    int column = currentColumn_;
    switch (key->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = static_cast<int>(rows_.size()) - 1;
        break;
    default:
        return false;
    }
    if (currentRow_ < 0)
        row = column = 0; // into the table
    moveTo(std::clamp(row, 0, static_cast<int>(rows_.size()) - 1),
           std::clamp(column, 0, static_cast<int>(headers_.size()) - 1));
    return true;
}

void ChartTable::moveTo(int row, int column)
{
    currentRow_ = row;
    currentColumn_ = column;
    chart_->update();
    QAccessibleEvent focus(chart_, QAccessible::Focus);
    focus.setChild(static_cast<int>((row + 1) * headers_.size()) + column);
    QAccessible::updateAccessibility(&focus);
}

QString counted(qsizetype count, const QString& noun)
{
    return QString::number(count) + u' ' + noun + (count > 1 ? QStringLiteral("s") : QString());
}

QAccessibleInterface* chartTableAccessible(QWidget* widget)
{
    return ChartTable::of(widget) != nullptr ? new ChartAccessible(widget) : nullptr;
}

} // namespace brivo::ui
