#include "table/TableKeyboard.h"

#include <QKeyEvent>
#include <QList>

#include "desktop/FocusRing.h"
#include "desktop/Image.h"
#include "table/TableScene.h"

namespace {
// Everything the Tab ring can hold, in its order.
QList<TImage*> Ring(const TTableScene& Scene)
{
    QList<TImage*> Out;
    for (TTablePart Part : {TTablePart::Start, TTablePart::Rules, TTablePart::Call, TTablePart::Fold, TTablePart::Flip,
                            TTablePart::FlipAll, TTablePart::Sheet})
        Out << Scene.Control(Part);
    return Out;
}
}

TTableKeyboard::TTableKeyboard(QWidget* Window, const TTableScene& Scene, QObject* Owner)
    : QObject(Owner), Window(Window), Scene(Scene)
{
    const QList<TImage*> Order = Ring(Scene);
    for (TImage* Control : Order)
        Control->setFocusPolicy(Qt::TabFocus);
    for (qsizetype I = 1; I < Order.size(); ++I)
        QWidget::setTabOrder(Order[I - 1], Order[I]);
    // The chart joins the ring after the sheet while it shows.
    QWidget::setTabOrder(Order.back(), Scene.Control(TTablePart::Chart));
    Window->installEventFilter(this);
    Scene.Control(TTablePart::Chart)->installEventFilter(this);
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
    TImage* const Turn[] = {Scene.Control(TTablePart::Sheet), Scene.Control(TTablePart::Call),
                            Scene.Control(TTablePart::Flip), Scene.Control(TTablePart::FlipAll)};
    bool New[4], Open[4];
    for (int I = 0; I < 4; ++I) {
        Open[I] = Turn[I]->Usable() && Turn[I]->focusPolicy() != Qt::NoFocus;
        New[I] = Open[I] && Opened[I];
        Opened[I] = false;
    }
    QWidget* Focus = Window->focusWidget();
    auto* FocusControl = qobject_cast<TGraphicControl*>(Focus);
    if (Focus == Scene.Control(TTablePart::Chart) && Scene.Control(TTablePart::Chart)->Usable())
        return;  // waiting on the open chart
    const bool Parked = !FocusControl || !FocusControl->Usable();
    const bool OnTurn = !Parked && Focus != Scene.Control(TTablePart::Start) && Focus != Scene.Control(TTablePart::Rules);
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
    for (TImage* Control : Ring(Scene))
        Control->setFocusPolicy(Scene.Covered(Control) ? Qt::NoFocus : Qt::TabFocus);
    TImage* Chart = Scene.Control(TTablePart::Chart);
    Chart->setFocusPolicy(Chart->isVisible() ? Qt::TabFocus : Qt::NoFocus);
}

void TTableKeyboard::ChartShown()
{
    UpdateRing();
    auto* Focus = qobject_cast<TImage*>(Window->focusWidget());
    if (Focus && Ring(Scene).contains(Focus) && Scene.Covered(Focus)) {
        CoveredFocus = Focus;
        Scene.Control(TTablePart::Chart)->setFocus(Qt::OtherFocusReason);
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
    for (TTablePart Part : {TTablePart::Sheet, TTablePart::Call, TTablePart::Flip, TTablePart::FlipAll, TTablePart::Rules})
        if (!Back && Scene.Control(Part)->Usable())
            Back = Scene.Control(Part);
    CoveredFocus = nullptr;
    if (Back)
        Back->setFocus(Qt::OtherFocusReason);
}

bool TTableKeyboard::eventFilter(QObject* Watched, QEvent* Event)
{
    TImage* Chart = Scene.Control(TTablePart::Chart);
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
        Scene.Control(TTablePart::Start)->setFocus(Qt::OtherFocusReason);
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
