#pragma once

#include <QCoreApplication>
#include <QString>

class QAccessibleInterface;
class QObject;
class TTableWindow;
class TImage;
class TCardControl;

// What readers get in place of what the table draws, one context of the program's catalogue.
struct TReaderTexts
{
    Q_DECLARE_TR_FUNCTIONS(TableAccessibles)
};

// The table as assistive tools read it: the panel with its four seats (each with its
// stake counter and cards), the six buttons, the result sheet as a table and the rules
// chart. Everything is read from the controls and the table state when asked.
QAccessibleInterface* TableAccessibleFactory(const QString& ClassName, QObject* Object);

// The table window a control lies on, or null.
TTableWindow* WindowOf(const QObject* Object);

// A seat's card control in Row, or null before the first hand and while the deck is
// rebuilt and dealt.
const TCardControl* ReadableSeatCard(const TTableWindow* Window, int Player, int Row);

// A seat's hand once its three cards lie face up, its kind first: "pair of aces", and
// with WithCards the cards from left to right: "pair of aces: ace of spades, ace of
// diamonds, king of clubs."; empty otherwise.
QString FaceUpHand(const TTableWindow* Window, int Player, bool WithCards);

// The name on a seat: the player's name as the table shows it.
QString PlayerName(const TTableWindow* Window, int Player);

// The control a seat's interface stands on: the player's portrait.
TImage* SeatPortrait(const TTableWindow* Window, int Player);

// Where everyone sits, for a reader's first look at the table.
QString Seating();

// What the rules chart shows, for readers and for the pointer's tooltip.
QString RulesChartDescription();
