#include "table/TableAccessibles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <algorithm>
#include <array>

#include "cards/CardControl.h"
#include "desktop/AccessibleControl.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "game/HandEval.h"
#include "table/ImageButton.h"
#include "table/TableWindow.h"
#include "table/TableKeyboard.h"
#include "table/TableTexts.h"

namespace {
// What readers get in place of what the table draws, one context of the program's catalogue.
struct TReaderTexts
{
    Q_DECLARE_TR_FUNCTIONS(TableAccessibles)
};

// The cells' rectangles on the sheet's picture, round the texts the sheet draws there.
constexpr int SheetColumnX[3] = {TTableWindow::SheetNameX, TTableWindow::SheetAddX, TTableWindow::SheetScoreX};
constexpr int SheetColumnWidth[3] = {110, 70, 60};
constexpr int SheetRowHeight = 24;

TTableWindow* WindowOf(const QObject* Object)
{
    auto* Widget = qobject_cast<const QWidget*>(Object);
    return Widget ? qobject_cast<TTableWindow*>(Widget->window()) : nullptr;
}

// A seat's children for readers: its stake counter, then its cards from left to right.
QList<QWidget*> SeatChildren(const TTableWindow* Window, int Player)
{
    QList<QWidget*> Out{Window->StakeCounter(Player)};
    for (int Row = LeftRow; Row >= RightRow; --Row)
        if (const TCardControl* Card = ReadableSeatCard(Window, Player, Row))
            Out.push_back(const_cast<TCardControl*>(Card));
    return Out;
}

// The seat whose stake counter or card this is; 0 for none (a card while the deck is
// rebuilt). Compares pointers only.
int SeatOfPart(const TTableWindow* Window, const QObject* Part)
{
    for (int P = 1; P <= 4; ++P) {
        if (Window->StakeCounter(P) == Part)
            return P;
        for (int Row = LeftRow; Row >= RightRow; --Row)
            if (const TCardControl* Card = ReadableSeatCard(Window, P, Row); Card && Card == Part)
                return P;
    }
    return 0;
}

// The panel's children for readers: the four seats, the six buttons in focus order,
// the result sheet, the rules chart and where the focus waits. Background, portraits' own pictures, tokens,
// labels and the sheet's template are read through the seats or not at all.
QList<QWidget*> PanelChildren(const TTableWindow* Window)
{
    QList<QWidget*> Out{Window->UserPortrait, Window->JackPortrait, Window->JimPortrait, Window->KatePortrait};
    for (TImage* Button : Window->Buttons())
        Out.push_back(Button);
    return Out << Window->ResultSheet << Window->RulesChart << Window->Panel->FocusRest();
}

class TSheetAccessible;

// Children chosen by the table rather than the widget's own: the interface at Index, and
// the index of an interface.
QAccessibleInterface* ChildIn(const QList<QWidget*>& List, int Index)
{
    return Index >= 0 && Index < List.size() ? QAccessible::queryAccessibleInterface(List[Index]) : nullptr;
}

int IndexIn(const QList<QWidget*>& List, const QAccessibleInterface* Child)
{
    return Child ? int(List.indexOf(qobject_cast<QWidget*>(Child->object()))) : -1;
}

class TPanelAccessible : public QAccessibleWidget
{
public:
    explicit TPanelAccessible(TPanel* Panel) : QAccessibleWidget(Panel, QAccessible::Pane) {}

    QList<QWidget*> Children() const
    {
        const TTableWindow* Window = WindowOf(object());
        return Window ? PanelChildren(Window) : QList<QWidget*>{};
    }
    int childCount() const override { return int(Children().size()); }
    QAccessibleInterface* child(int Index) const override { return ChildIn(Children(), Index); }
    int indexOfChild(const QAccessibleInterface* Child) const override { return IndexIn(Children(), Child); }
    QString text(QAccessible::Text T) const override
    {
        if (T == QAccessible::Name)
            return TReaderTexts::tr("Card table");
        // The focus rests on the table while the others bet: the seating is told before the
        // first hand only (the narrator says it with that hand), not again every round.
        const TTableWindow* Window = WindowOf(object());
        if (T == QAccessible::Description)
            return Window && Window->Table.Stage == TTable::NoHandYet ? Seating() : QString();
        return QAccessibleWidget::text(T);
    }
};

// A seat: its player's name and chips, stake and fold, with the stake counter and the
// cards as children. It stands on the player's portrait.
class TSeatAccessible : public TAccessibleControl
{
public:
    TSeatAccessible(TImage* Portrait, int Player) : TAccessibleControl(Portrait), Player(Player) {}

    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QList<QWidget*> Children() const
    {
        const TTableWindow* Window = WindowOf(object());
        return Window ? SeatChildren(Window, Player) : QList<QWidget*>{};
    }
    int childCount() const override { return int(Children().size()); }
    QAccessibleInterface* child(int Index) const override { return ChildIn(Children(), Index); }
    int indexOfChild(const QAccessibleInterface* Child) const override { return IndexIn(Children(), Child); }
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        for (int I = childCount() - 1; I >= 0; --I)  // the rightmost card lies on top
            if (QAccessibleInterface* C = child(I); C && C->rect().contains(X, Y))
                return C;
        return nullptr;
    }
    QRect rect() const override
    {
        // The portrait and whatever of the seat lies around it.
        QRect R = TAccessibleControl::rect();
        for (int I = 0; I < childCount(); ++I)
            if (QAccessibleInterface* C = child(I); C && !C->state().invisible)
                R |= C->rect();
        return R;
    }
    QString text(QAccessible::Text T) const override
    {
        const TTableWindow* Window = WindowOf(object());
        if (!Window)
            return {};
        if (T == QAccessible::Name)
            return TReaderTexts::tr("%1, %2").arg(PlayerName(Window, Player), SpokenChips(ChipsText(Window->Table.ChipsShown(Player))));
        if (T != QAccessible::Description)
            return TAccessibleControl::text(T);
        QStringList Said;
        if (Player == User)
            Said << TReaderTexts::tr("Your seat.");
        if (const int Stake = Window->Table.StakeShown(Player))
            Said << TReaderTexts::tr("Stake %1.").arg(SpokenChips(ChipsText(Stake)));
        if (ReadableSeatCard(Window, Player, LeftRow) && Window->Table.Folded[Player])
            Said << TReaderTexts::tr("Folded.");
        if (const QString Hand = FaceUpHand(Window, Player, true); !Hand.isEmpty())
            Said << TReaderTexts::tr("Hand: %1").arg(Hand);
        return Said.join(QLatin1Char(' '));
    }

private:
    int Player;
};

// A card or a stake counter, read as a part of its seat.
class TSeatPartAccessible : public TAccessibleControl
{
public:
    explicit TSeatPartAccessible(TGraphicControl* Part) : TAccessibleControl(Part) {}

    QAccessibleInterface* parent() const override
    {
        const TTableWindow* Window = WindowOf(object());
        const int Seat = Window ? SeatOfPart(Window, object()) : 0;
        return Seat ? QAccessible::queryAccessibleInterface(SeatPortrait(Window, Seat)) : TAccessibleControl::parent();
    }
};

class TCardAccessible : public TSeatPartAccessible
{
public:
    explicit TCardAccessible(TCardControl* Card) : TSeatPartAccessible(Card) {}

    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QString text(QAccessible::Text T) const override
    {
        if (T == QAccessible::Name)
            return CardText(static_cast<const TCardControl*>(object())->Shown());
        return TSeatPartAccessible::text(T);
    }
};

class TStakeAccessible : public TSeatPartAccessible
{
public:
    explicit TStakeAccessible(TImage* Counter) : TSeatPartAccessible(Counter) {}

    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QString text(QAccessible::Text T) const override
    {
        if (T != QAccessible::Name)
            return TSeatPartAccessible::text(T);
        const auto* Counter = static_cast<const TImage*>(object());
        const TTableWindow* Window = WindowOf(Counter);
        const int Seat = Window ? SeatOfPart(Window, Counter) : 0;
        const QString Owner = PlayerName(Window, Seat);
        const int Stake = Seat ? Window->Table.StakeShown(Seat) : 0;
        if (Stake == 0)
            return Seat == User ? TReaderTexts::tr("Your stake: none") : TReaderTexts::tr("%1's stake: none").arg(Owner);
        const QString Chips = SpokenChips(ChipsText(Stake));
        return Seat == User ? TReaderTexts::tr("Your stake: %1").arg(Chips)
                            : TReaderTexts::tr("%1's stake: %2").arg(Owner, Chips);
    }
};

class TButtonAccessible : public TAccessibleControl
{
public:
    explicit TButtonAccessible(TImageButton* Button) : TAccessibleControl(Button), Caption(Button->Caption) {}

    QAccessible::Role role() const override { return QAccessible::Button; }
    QString text(QAccessible::Text T) const override
    {
        const TTableWindow* Window = WindowOf(object());
        if (!Window || (T != QAccessible::Name && T != QAccessible::Description))
            return TAccessibleControl::text(T);
        if (T == QAccessible::Name)
            return QString::fromUtf8(Caption.Caption);
        QString Meaning = QCoreApplication::translate("ButtonCaptions", Caption.Meaning);
        if (object() == Window->RulesButton && Window->RulesChart->isVisible())
            Meaning = TReaderTexts::tr("%1 (shown; Escape closes it)").arg(Meaning);
        return Meaning;
    }

private:
    const TButtonCaption& Caption;
};

// Where the focus waits while the others bet: a short fixed name, and nothing below it for
// a reader to go on with; the table stays there for its review keys.
class TFocusRestAccessible : public QAccessibleWidget
{
public:
    explicit TFocusRestAccessible(QWidget* Rest) : QAccessibleWidget(Rest, QAccessible::Grouping) {}
    QString text(QAccessible::Text T) const override
    {
        return T == QAccessible::Name ? TReaderTexts::tr("Waiting") : QString();
    }
};

class TRulesAccessible : public TAccessibleControl
{
public:
    explicit TRulesAccessible(TImage* Chart) : TAccessibleControl(Chart) {}

    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QString text(QAccessible::Text T) const override
    {
        if (T == QAccessible::Name)
            return TReaderTexts::tr("Rules chart");
        if (T == QAccessible::Description)
            return TReaderTexts::tr(
                "Hands, best first: three of a kind; straight flush; flush; straight; pair; high card. "
                "Ace counts high, and ace-2-3 is the lowest straight. Press it, or Escape, to close it.");
        return TAccessibleControl::text(T);
    }
};

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
        const TTableWindow* Window = WindowOf(object());
        return Window && Window->DrawnSheet() ? &*Window->DrawnSheet() : nullptr;
    }
    QString Name(int Player) const { return PlayerName(WindowOf(object()), Player); }
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
        const QPoint At(SheetColumnX[Column], Row < 0 ? TTableWindow::SheetHeadingY : TTableWindow::SheetRowY(Row + 1));
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

QAccessibleInterface* TableAccessibleFactory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TTableWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(Object), QAccessible::Window);
    if (ClassName == QLatin1String("TCardControl"))
        return new TCardAccessible(static_cast<TCardControl*>(Object));
    const TTableWindow* Window = WindowOf(Object);
    if (!Window)
        return nullptr;
    if (ClassName == QLatin1String("TPanel"))
        return Object == Window->Panel ? new TPanelAccessible(Window->Panel) : nullptr;
    if (Object == Window->Panel->FocusRest())
        return new TFocusRestAccessible(Window->Panel->FocusRest());
    if (ClassName != QLatin1String("TImage"))
        return nullptr;
    auto* Image = static_cast<TImage*>(Object);
    for (int P = 1; P <= 4; ++P) {
        if (Image == SeatPortrait(Window, P))
            return new TSeatAccessible(Image, P);
        if (Image == Window->StakeCounter(P))
            return new TStakeAccessible(Image);
    }
    for (TImageButton* Button : Window->Buttons())
        if (Image == Button)
            return new TButtonAccessible(Button);
    if (Image == Window->ResultSheet)
        return new TSheetAccessible(Image);
    if (Image == Window->RulesChart)
        return new TRulesAccessible(Image);
    return nullptr;
}

const TCardControl* ReadableSeatCard(const TTableWindow* Window, int Player, int Row)
{
    return Window->Table.HandOnTable() ? Window->SeatCardControl(Player, Row) : nullptr;
}

QString FaceUpHand(const TTableWindow* Window, int Player, bool WithCards)
{
    if (!Window->Table.HandOnTable())
        return {};
    const TTable& T = Window->Table;
    const TCard Hand[3] = {T.SeatCard(Player, LeftRow), T.SeatCard(Player, MiddleRow), T.SeatCard(Player, RightRow)};
    for (const TCard& Card : Hand)
        if (Card.FaceDown)
            return {};
    const QString Kind = HandText(ClassifyHand(Hand));
    if (!WithCards)
        return Kind;
    return TReaderTexts::tr("%1: %2, %3, %4.").arg(Kind, CardText(Hand[0]), CardText(Hand[1]), CardText(Hand[2]));
}

QString PlayerName(const TTableWindow* Window, int Player)
{
    return Window && Player >= 1 && Player <= 4 ? Window->PlayerName(Player) : QString();
}

TImage* SeatPortrait(const TTableWindow* Window, int Player) { return Window->Portrait(Player); }

QString Seating() { return TReaderTexts::tr("You sit at the bottom, Jack on the right, Jim at the top, Kate on the left."); }
