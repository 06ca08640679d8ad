#include "table/SheetAccessible.h"

#include <QAccessible>
#include <QStringList>

#include "desktop/AccessibleControl.h"
#include "desktop/Image.h"
#include "table/TableAccessibles.h"
#include "table/Layout.h"
#include "table/TableWindow.h"

namespace {
// The cells' rectangles on the sheet's picture, round the texts the sheet draws there.
constexpr int SheetColumnX[3] = {SheetNameX, SheetAddX, SheetScoreX};
constexpr int SheetColumnWidth[3] = {110, 70, 60};
constexpr int SheetRowHeight = 24;

class TSheetAccessible;

// One cell of the result sheet, or a column heading when Row is -1.
class TSheetCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TSheetCell(TSheetAccessible* Sheet, int Row, int Column) : Sheet(Sheet), Row(Row), Column(Column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text T) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return Row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        return Type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return Column; }
    int rowIndex() const override { return Row < 0 ? 0 : Row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    TSheetAccessible* Sheet;
    int Row, Column;
};

// The result sheet as a table of the four players: name, what the hand added, chips.
class TSheetAccessible : public TAccessibleControl, public QAccessibleTableInterface
{
public:
    static constexpr int Columns = 3, Rows = 4;

    explicit TSheetAccessible(TImage* Sheet) : TAccessibleControl(Sheet)
    {
        for (int C = 0; C < Columns; ++C)
            Cells.push_back(Register(new TSheetCell(this, -1, C)));
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < Columns; ++C)
                Cells.push_back(Register(new TSheetCell(this, R, C)));
    }
    ~TSheetAccessible() override
    {
        for (QAccessible::Id Id : Ids)
            QAccessible::deleteAccessibleInterface(Id);
    }

    const TSettlement* Record() const
    {
        const TTableScene* Scene = SceneOf(object());
        return Scene && Scene->DrawnSheet() ? &*Scene->DrawnSheet() : nullptr;
    }
    QString Name(int Player) const
    {
        const TTableScene* Scene = SceneOf(object());
        return Scene ? PlayerName(Scene->Game(), Player) : QString();
    }
    QString CellText(int Row, int Column) const
    {
        static const char* const Headings[Columns] = {QT_TRANSLATE_NOOP("TableAccessibles", "Player"),
                                                      QT_TRANSLATE_NOOP("TableAccessibles", "Add"),
                                                      QT_TRANSLATE_NOOP("TableAccessibles", "Score")};
        if (Row < 0)
            return TReaderTexts::tr(Headings[Column]);
        const TSettlement* R = Record();
        if (!R)
            return {};
        const int P = Row + 1;
        return Column == 0 ? Name(P) : ChipsText(Column == 1 ? R->Add[P] : R->Score[P]);
    }
    QRect CellRect(int Row, int Column) const
    {
        const auto* Sheet = static_cast<const QWidget*>(object());
        const QPoint At(SheetColumnX[Column], Row < 0 ? SheetHeadingY : Seats[Row + 1].SheetRowY);
        return QRect(Sheet->mapToGlobal(At), QSize(SheetColumnWidth[Column], SheetRowHeight));
    }
    QAccessibleInterface* Heading(int Column) const { return Cells[Column]; }

    // QAccessibleInterface
    QAccessible::Role role() const override { return QAccessible::Table; }
    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        if (Type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return TAccessibleControl::interface_cast(Type);
    }
    // No cells to walk before the first sheet is drawn.
    int childCount() const override { return Record() ? int(Cells.size()) : 0; }
    QAccessibleInterface* child(int Index) const override
    {
        return Index >= 0 && Index < childCount() ? Cells[Index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        return int(Cells.indexOf(const_cast<QAccessibleInterface*>(Child)));
    }
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        for (QAccessibleInterface* Cell : Cells)
            if (Cell->rect().contains(X, Y))
                return Cell;
        return nullptr;
    }
    QString text(QAccessible::Text T) const override
    {
        const TSettlement* R = Record();
        if (T == QAccessible::Name)
            return R ? TReaderTexts::tr("Result sheet: %1 wins").arg(Name(R->Winner)) : TReaderTexts::tr("Result sheet");
        if (T == QAccessible::Description) {
            if (!R)
                return {};
            QStringList Rows;
            for (int P = 1; P <= 4; ++P)
                Rows << TReaderTexts::tr("%1: add %2, score %3.").arg(Name(P), ChipsText(R->Add[P]), ChipsText(R->Score[P]));
            return TReaderTexts::tr("%1 Press it to deal the next hand.").arg(Rows.join(QLatin1Char(' ')));
        }
        return TAccessibleControl::text(T);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int Row, int Column) const override
    {
        if (Row < 0 || Row >= Rows || Column < 0 || Column >= Columns)
            return nullptr;
        return Cells[Columns + Row * Columns + Column];
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int Column) const override { return CellText(-1, Column); }
    QString rowDescription(int Row) const override { return CellText(Row, 0); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Columns; }
    int rowCount() const override { return Rows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QAccessibleInterface* Register(TSheetCell* Cell)
    {
        Ids.push_back(QAccessible::registerAccessibleInterface(Cell));
        return Cell;
    }
    QList<QAccessibleInterface*> Cells;
    QList<QAccessible::Id> Ids;
};

bool TSheetCell::isValid() const { return Sheet->isValid(); }
QWindow* TSheetCell::window() const { return Sheet->window(); }
QAccessibleInterface* TSheetCell::parent() const { return Sheet; }
QAccessibleInterface* TSheetCell::table() const { return Sheet; }
QString TSheetCell::text(QAccessible::Text T) const
{
    return T == QAccessible::Name ? Sheet->CellText(Row, Column) : QString();
}
QRect TSheetCell::rect() const { return Sheet->CellRect(Row, Column); }
QAccessible::State TSheetCell::state() const
{
    QAccessible::State State;
    State.readOnly = true;
    State.invisible = Sheet->state().invisible;
    return State;
}
QList<QAccessibleInterface*> TSheetCell::columnHeaderCells() const
{
    if (Row < 0)
        return {};
    return {Sheet->Heading(Column)};
}
}

QAccessibleInterface* NewSheetAccessible(TImage* Sheet) { return new TSheetAccessible(Sheet); }
