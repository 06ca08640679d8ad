#pragma once

#include <QCoreApplication>
#include <QString>

class QAccessibleInterface;
class QObject;
class TTableScene;
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

// A seat's card control in Row, or null before the first hand and while the deck is
// rebuilt and dealt.
const TCardControl* ReadableSeatCard(const TTableScene* Scene, int Player, int Row);

// What the rules chart shows, for readers and for the pointer's tooltip.
QString RulesChartDescription();
