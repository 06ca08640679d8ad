#include "table/TableKeyboard.h"

#include <QKeyEvent>
#include <QList>

#include "desktop/FocusRing.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "table/TableWindow.h"

namespace {
// Everything the Tab ring can hold, in its order.
QList<TImage*> Ring(const TTableWindow* F)
{
    const std::array<TImage*, 6> Buttons = F->Buttons();
    return QList<TImage*>(Buttons.begin(), Buttons.end()) << F->ResultSheet;
}
}

TTableKeyboard::TTableKeyboard(TTableWindow* Form) : QObject(Form), Form(Form)
{
    const QList<TImage*> Order = Ring(Form);
    for (TImage* Control : Order)
        Control->setFocusPolicy(Qt::TabFocus);
    for (qsizetype I = 1; I < Order.size(); ++I)
        QWidget::setTabOrder(Order[I - 1], Order[I]);
    // The chart joins the ring after the sheet while it shows.
    QWidget::setTabOrder(Order.back(), Form->RulesChart);
    Form->installEventFilter(this);
    WatchFocusRing(Form);
}

bool TTableKeyboard::Covered(const TGraphicControl* Control) const
{
    const TImage* Chart = Form->RulesChart;
    if (Control == Chart || !Chart->isVisible() || !Control->isVisible())
        return false;
    if (!Chart->geometry().intersects(Control->geometry()))
        return false;
    const QObjectList& Stack = Form->Panel->children();  // bottom to top
    return Stack.indexOf(Chart) > Stack.indexOf(Control);
}

TImage* TTableKeyboard::TurnTarget()
{
    TImage* const Turn[] = {Form->ResultSheet, Form->CallButton, Form->FlipButton, Form->FlipAllButton};
    bool* const Was[] = {&SheetWasUsable, &CallWasUsable, &FlipWasUsable, &FlipAllWasUsable};
    bool New[4], Open[4];
    for (int I = 0; I < 4; ++I) {
        Open[I] = Turn[I]->Usable() && Turn[I]->focusPolicy() != Qt::NoFocus;
        New[I] = Open[I] && !*Was[I];
        *Was[I] = Turn[I]->Usable();
    }
    QWidget* Focus = Form->focusWidget();
    auto* FocusControl = qobject_cast<TGraphicControl*>(Focus);
    if (Focus == Form->RulesChart && Form->RulesChart->Usable())
        return nullptr;  // waiting on the open chart
    const bool Parked = !FocusControl || !FocusControl->Usable();
    const bool OnTurn = !Parked && Focus != Form->StartButton && Focus != Form->RulesButton;
    for (int I = 0; I < 4; ++I)
        if (New[I] && (I == 0 || !OnTurn))
            return Focus != Turn[I] ? Turn[I] : nullptr;
    for (int I = 0; I < 4 && Parked; ++I)
        if (Open[I])
            return Turn[I];
    return nullptr;
}

void TTableKeyboard::AfterClick(bool ChartHadFocus)
{
    TImage* Chart = Form->RulesChart;
    const QList<TImage*> Order = Ring(Form);
    for (TImage* Control : Order)
        Control->setFocusPolicy(Covered(Control) ? Qt::NoFocus : Qt::TabFocus);
    Chart->setFocusPolicy(Chart->isVisible() ? Qt::TabFocus : Qt::NoFocus);

    if (Chart->isVisible()) {
        auto* Focus = qobject_cast<TImage*>(Form->focusWidget());
        if (Focus && Order.contains(Focus) && Covered(Focus)) {
            CoveredFocus = Focus;
            Chart->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    // Closed: back to what it covered, unless the player has moved on meanwhile.
    if (!ChartHadFocus) {
        CoveredFocus = nullptr;
        return;
    }
    TImage* Back = CoveredFocus && CoveredFocus->Usable() ? CoveredFocus.data() : nullptr;
    for (TImage* Control : {Form->ResultSheet, Form->CallButton, Form->FlipButton, Form->FlipAllButton, Form->RulesButton})
        if (!Back && Control->Usable())
            Back = Control;
    CoveredFocus = nullptr;
    if (Back)
        Back->setFocus(Qt::OtherFocusReason);
}

bool TTableKeyboard::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != Form)
        return false;
    if (Event->type() == QEvent::Show && !Form->focusWidget())
        Form->StartButton->setFocus(Qt::OtherFocusReason);
    // Keys no control took; Escape closes the rules chart as a click on it would.
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape &&
        Form->RulesChart->Usable()) {
        Form->RulesChart->Press();
        return true;
    }
    return false;
}
