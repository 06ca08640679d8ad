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
#include "game/Table.h"
#include "table/ImageButton.h"
#include "table/SheetAccessible.h"
#include "table/TableScene.h"
#include "table/TableKeyboard.h"
#include "table/TableTexts.h"

namespace {
// The six buttons in focus order, the result sheet and the rules chart.
constexpr TTablePart AllParts[] = {TTablePart::Start, TTablePart::Rules, TTablePart::Call,    TTablePart::Fold,
                                   TTablePart::Flip,  TTablePart::FlipAll, TTablePart::Sheet, TTablePart::Chart};
constexpr int ButtonCount = 6;

// A seat's children for readers: its stake counter, then its cards from left to right.
QList<QWidget*> SeatChildren(const TTableScene* Scene, int Player)
{
    QList<QWidget*> Out{Scene->StakeCounter(Player)};
    for (int Row = LeftRow; Row >= RightRow; --Row)
        if (const TCardControl* Card = ReadableSeatCard(Scene, Player, Row))
            Out.push_back(const_cast<TCardControl*>(Card));
    return Out;
}

// The seat whose stake counter or card this is; 0 for none (a card while the deck is
// rebuilt). Compares pointers only.
int SeatOfPart(const TTableScene* Scene, const QObject* Part)
{
    for (int P = 1; P <= 4; ++P) {
        if (Scene->StakeCounter(P) == Part)
            return P;
        for (int Row = LeftRow; Row >= RightRow; --Row)
            if (const TCardControl* Card = ReadableSeatCard(Scene, P, Row); Card && Card == Part)
                return P;
    }
    return 0;
}

// The panel's children for readers: the four seats, the six buttons in focus order,
// the result sheet, the rules chart and where the focus waits. Background, portraits' own pictures, tokens,
// labels and the sheet's template are read through the seats or not at all.
QList<QWidget*> PanelChildren(const TTableScene& Scene)
{
    QList<QWidget*> Out;
    for (int P = 1; P <= 4; ++P)
        Out << Scene.Portrait(P);
    for (TTablePart Part : AllParts)
        Out << Scene.Control(Part);
    return Out << Scene.Panel()->FocusRest();
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
        const TTableScene* Scene = SceneOf(object());
        return Scene ? PanelChildren(*Scene) : QList<QWidget*>{};
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
        const TTableScene* Scene = SceneOf(object());
        if (T == QAccessible::Description)
            return Scene && Scene->Game().Stage() == TTable::NoHandYet ? Seating() : QString();
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
        const TTableScene* Scene = SceneOf(object());
        return Scene ? SeatChildren(Scene, Player) : QList<QWidget*>{};
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
        const TTableScene* Scene = SceneOf(object());
        if (!Scene)
            return {};
        if (T == QAccessible::Name)
            return TReaderTexts::tr("%1, %2").arg(PlayerName(Scene->Game(), Player), SpokenChips(ChipsText(Scene->Game().ChipsShown(Player))));
        if (T != QAccessible::Description)
            return TAccessibleControl::text(T);
        QStringList Said;
        if (Player == User)
            Said << TReaderTexts::tr("Your seat.");
        if (const int Stake = Scene->Game().StakeShown(Player))
            Said << TReaderTexts::tr("Stake %1.").arg(SpokenChips(ChipsText(Stake)));
        if (ReadableSeatCard(Scene, Player, LeftRow) && Scene->Game().Folded(Player))
            Said << TReaderTexts::tr("Folded.");
        if (const QString Hand = FaceUpHand(Scene->Game(), Player, true); !Hand.isEmpty())
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
        const TTableScene* Scene = SceneOf(object());
        const int Seat = Scene ? SeatOfPart(Scene, object()) : 0;
        return Seat ? QAccessible::queryAccessibleInterface(Scene->Portrait(Seat)) : TAccessibleControl::parent();
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
        const TTableScene* Scene = SceneOf(Counter);
        const int Seat = Scene ? SeatOfPart(Scene, Counter) : 0;
        const QString Owner = Seat ? PlayerName(Scene->Game(), Seat) : QString();
        const int Stake = Seat ? Scene->Game().StakeShown(Seat) : 0;
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
        const TTableScene* Scene = SceneOf(object());
        if (!Scene || (T != QAccessible::Name && T != QAccessible::Description))
            return TAccessibleControl::text(T);
        if (T == QAccessible::Name)
            return QString::fromUtf8(Caption.Caption);
        QString Meaning = QCoreApplication::translate("ButtonCaptions", Caption.Meaning);
        if (object() == Scene->Control(TTablePart::Rules) && Scene->Control(TTablePart::Chart)->isVisible())
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
    if (auto* Window = qobject_cast<QWidget*>(Object); Window && Window->isWindow() && SceneOf(Window))
        return new QAccessibleWidget(Window, QAccessible::Window);
    if (auto* Card = qobject_cast<TCardControl*>(Object))
        return new TCardAccessible(Card);
    const TTableScene* Scene = SceneOf(Object);
    if (!Scene)
        return nullptr;
    TPanel* Panel = Scene->Panel();
    if (qobject_cast<TPanel*>(Object))
        return Object == Panel ? new TPanelAccessible(Panel) : nullptr;
    if (Object == Panel->FocusRest())
        return new TFocusRestAccessible(Panel->FocusRest());
    auto* Image = qobject_cast<TImage*>(Object);
    if (!Image)
        return nullptr;
    for (int P = 1; P <= 4; ++P) {
        if (Image == Scene->Portrait(P))
            return new TSeatAccessible(Image, P);
        if (Image == Scene->StakeCounter(P))
            return new TStakeAccessible(Image);
    }
    for (int I = 0; I < ButtonCount; ++I)  // the first parts are the image buttons
        if (Image == Scene->Control(AllParts[I]))
            return new TButtonAccessible(static_cast<TImageButton*>(Image));
    if (Image == Scene->Control(TTablePart::Sheet))
        return NewSheetAccessible(Image);
    if (Image == Scene->Control(TTablePart::Chart))
        return new TRulesAccessible(Image);
    return nullptr;
}

const TCardControl* ReadableSeatCard(const TTableScene* Scene, int Player, int Row)
{
    const TTable& Table = Scene->Game();
    return Table.HandOnTable() ? Scene->CardControl(Table.SeatCard(Player, Row)) : nullptr;
}


QString RulesChartDescription()
{
    return TReaderTexts::tr(
        "Hands, best first: three of a kind; straight flush; flush; straight; pair; high card. "
        "Ace counts high, and ace-2-3 is the lowest straight. Press it, or Escape, to close it.");
}
