#include "table/TableKeyboard.h"

#include <QKeyEvent>
#include <QList>

#include "desktop/FocusRing.h"
#include "desktop/Image.h"
#include "table/TableWindow.h"

namespace {
// Everything the Tab ring can hold, in its order.
QList<TImage*> Ring(const TTableWindow* Window)
{
    const auto Buttons = Window->Buttons();
    return QList<TImage*>(Buttons.begin(), Buttons.end()) << Window->ResultSheet;
}
}

TTableKeyboard::TTableKeyboard(TTableWindow* Window, QObject* Owner) : QObject(Owner), Window(Window)
{
    const QList<TImage*> Order = Ring(Window);
    for (TImage* Control : Order)
        Control->setFocusPolicy(Qt::TabFocus);
    for (qsizetype I = 1; I < Order.size(); ++I)
        QWidget::setTabOrder(Order[I - 1], Order[I]);
    // The chart joins the ring after the sheet while it shows.
    QWidget::setTabOrder(Order.back(), Window->RulesChart);
    Window->installEventFilter(this);
    Window->RulesChart->installEventFilter(this);
    WatchFocusRing(Window, this);
}

void TTableKeyboard::Heard(const TTableEvent& Event)
{
    switch (Event.Kind) {
    case TTableEvent::Result: Opened[0] = true; break;
    case TTableEvent::UserTurn: Opened[1] = true; break;
    case TTableEvent::BettingClosed: Opened[2] = Opened[3] = true; break;
    default: break;
    }
}

void TTableKeyboard::FollowTurn()
{
    UpdateRing();
    TImage* const Turn[] = {Window->ResultSheet, Window->CallButton, Window->FlipButton, Window->FlipAllButton};
    bool New[4], Open[4];
    for (int I = 0; I < 4; ++I) {
        Open[I] = Turn[I]->Usable() && Turn[I]->focusPolicy() != Qt::NoFocus;
        New[I] = Open[I] && Opened[I];
        Opened[I] = false;
    }
    QWidget* Focus = Window->focusWidget();
    auto* FocusControl = qobject_cast<TGraphicControl*>(Focus);
    if (Focus == Window->RulesChart && Window->RulesChart->Usable())
        return;  // waiting on the open chart
    const bool Parked = !FocusControl || !FocusControl->Usable();
    const bool OnTurn = !Parked && Focus != Window->StartButton && Focus != Window->RulesButton;
    const auto Target = [&]() -> TImage* {
        for (int I = 0; I < 4; ++I)
            if (New[I] && (I == 0 || !OnTurn))
                return Focus != Turn[I] ? Turn[I] : nullptr;
        for (int I = 0; I < 4 && Parked; ++I)
            if (Open[I])
                return Turn[I];
        return nullptr;
    }();
    if (Target)
        Target->setFocus(Qt::OtherFocusReason);
}

void TTableKeyboard::UpdateRing()
{
    for (TImage* Control : Ring(Window))
        Control->setFocusPolicy(Window->Covered(Control) ? Qt::NoFocus : Qt::TabFocus);
    TImage* Chart = Window->RulesChart;
    Chart->setFocusPolicy(Chart->isVisible() ? Qt::TabFocus : Qt::NoFocus);
}

void TTableKeyboard::ChartShown()
{
    UpdateRing();
    auto* Focus = qobject_cast<TImage*>(Window->focusWidget());
    if (Focus && Ring(Window).contains(Focus) && Window->Covered(Focus)) {
        CoveredFocus = Focus;
        Window->RulesChart->setFocus(Qt::OtherFocusReason);
    }
}

void TTableKeyboard::ChartHidden(bool HadFocus)
{
    UpdateRing();
    // Back to what it covered, unless the player has moved on meanwhile.
    if (!HadFocus) {
        CoveredFocus = nullptr;
        return;
    }
    TImage* Back = CoveredFocus && CoveredFocus->Usable() ? CoveredFocus.data() : nullptr;
    for (TImage* Control : std::initializer_list<TImage*>{Window->ResultSheet, Window->CallButton, Window->FlipButton, Window->FlipAllButton, Window->RulesButton})
        if (!Back && Control->Usable())
            Back = Control;
    CoveredFocus = nullptr;
    if (Back)
        Back->setFocus(Qt::OtherFocusReason);
}

bool TTableKeyboard::eventFilter(QObject* Watched, QEvent* Event)
{
    TImage* Chart = Window->RulesChart;
    if (Watched == Chart) {
        // Only the chart's own showing and hiding, not the window's.
        if (Event->type() == QEvent::Show && Chart->isVisible())
            ChartShown();
        else if (Event->type() == QEvent::Hide && Chart->isHidden())
            ChartHidden(Chart->hasFocus());
        return false;
    }
    if (Watched != Window)
        return false;
    if (Event->type() == QEvent::Show && !Window->focusWidget())
        Window->StartButton->setFocus(Qt::OtherFocusReason);
    // Keys no control took; Escape closes the rules chart as a click on it would.
    if (Event->type() != QEvent::KeyPress)
        return false;
    const auto* Key = static_cast<QKeyEvent*>(Event);
    if (Key->key() == Qt::Key_Escape && Chart->Usable()) {
        Chart->Press();
        return true;
    }
    const Qt::KeyboardModifiers Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (Key->key() == StandingKey && !(Key->modifiers() & Chords)) {
        if (!Key->isAutoRepeat() && OnStandingKey)
            OnStandingKey();
        return true;
    }
    return false;
}
