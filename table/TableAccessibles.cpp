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
#include "table/SheetAccessible.h"
#include "table/TableWindow.h"
#include "table/TableKeyboard.h"
#include "table/TableTexts.h"

namespace {
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
            return RulesChartDescription();
        return TAccessibleControl::text(T);
    }
};

}

// Chosen by the object's type, whichever of its class names Qt asks with.
QAccessibleInterface* TableAccessibleFactory(const QString&, QObject* Object)
{
    if (auto* Window = qobject_cast<TTableWindow*>(Object))
        return new QAccessibleWidget(Window, QAccessible::Window);
    if (auto* Card = qobject_cast<TCardControl*>(Object))
        return new TCardAccessible(Card);
    const TTableWindow* Window = WindowOf(Object);
    if (!Window)
        return nullptr;
    if (qobject_cast<TPanel*>(Object))
        return Object == Window->Panel ? new TPanelAccessible(Window->Panel) : nullptr;
    if (Object == Window->Panel->FocusRest())
        return new TFocusRestAccessible(Window->Panel->FocusRest());
    auto* Image = qobject_cast<TImage*>(Object);
    if (!Image)
        return nullptr;
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
        return NewSheetAccessible(Image);
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

TTableWindow* WindowOf(const QObject* Object)
{
    auto* Widget = qobject_cast<const QWidget*>(Object);
    return Widget ? qobject_cast<TTableWindow*>(Widget->window()) : nullptr;
}

QString PlayerName(const TTableWindow* Window, int Player)
{
    return Window && Player >= 1 && Player <= 4 ? Window->PlayerName(Player) : QString();
}

TImage* SeatPortrait(const TTableWindow* Window, int Player) { return Window->Portrait(Player); }

QString Seating() { return TReaderTexts::tr("You sit at the bottom, Jack on the right, Jim at the top, Kate on the left."); }

QString RulesChartDescription()
{
    return TReaderTexts::tr(
        "Hands, best first: three of a kind; straight flush; flush; straight; pair; high card. "
        "Ace counts high, and ace-2-3 is the lowest straight. Press it, or Escape, to close it.");
}
