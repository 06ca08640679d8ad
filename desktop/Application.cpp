#include "desktop/Application.h"

#include <QMouseEvent>
#include <QWindow>

#include "desktop/MessageBox.h"

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv)
{
    Clock.start();
    const QString Platform = platformName();
    DropsStaleInput = Platform != QLatin1String("offscreen") && Platform != QLatin1String("minimal");
    SettleTimer.setSingleShot(true);
    SettleTimer.setInterval(0);
    // A zero timer fires once the window system's queue has been dispatched. Whatever was
    // dispatched meanwhile may have queued more: wait for one round with nothing in it.
    QObject::connect(&SettleTimer, &QTimer::timeout, [this] {
        if (Dispatches != DispatchesAtSettle) {
            DispatchesAtSettle = Dispatches;
            SettleTimer.start();
        } else {
            Gate.NoteSettled();
        }
    });
}

void TApplication::SetTitle(const QString& Title)
{
    // The name only: a display name would be appended to every window's title under X.
    setApplicationName(Title);
}

void TApplication::ResetGate()
{
    Gate = TInputGate();
    EventClock.Reset();
    Delivered = Dropped = {};
    SettleTimer.stop();
}

// Keeps the record of what every control was when: the changes arrive as events sent to
// the control once the change is made.
void TApplication::Observe(QObject* Receiver, QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (Type != QEvent::Show && Type != QEvent::Hide && Type != QEvent::EnabledChange && Type != QEvent::Move &&
        Type != QEvent::Resize)
        return;
    if (!Receiver->isWidgetType())
        return;
    auto* Control = static_cast<QWidget*>(Receiver);
    if (Control->isWindow())
        return;  // a press is placed in its window: where the window lies does not matter
    const qint64 At = Now();
    switch (Type) {
    case QEvent::Show: Gate.NoteVisible(Control, false, {}, At); break;
    case QEvent::Hide: Gate.NoteVisible(Control, true, Control->geometry(), At); break;
    case QEvent::EnabledChange: Gate.NoteEnabled(Control, !Control->isEnabled(), At); break;
    case QEvent::Move:
        Gate.NoteGeometry(Control, QRect(static_cast<QMoveEvent*>(Event)->oldPos(), Control->size()), At);
        break;
    default:
        Gate.NoteGeometry(Control, QRect(Control->pos(), static_cast<QResizeEvent*>(Event)->oldSize()), At);
        break;
    }
}

// Decides, for an event straight from the event loop, whether it is dropped.
bool TApplication::Gated(QObject* Receiver, QEvent* Event, qint64 At)
{
    if (!Event->isInputEvent())
        return false;
    std::optional<qint64> MadeAt;
    // Every stamped event, pointer motion included, sharpens the clock estimate.
    if (const quint64 Stamp = static_cast<QInputEvent*>(Event)->timestamp())
        MadeAt = EventClock.MadeAt(Stamp, At);
    const QEvent::Type Type = Event->type();
    if (Type != QEvent::MouseButtonPress && Type != QEvent::MouseButtonDblClick && Type != QEvent::MouseButtonRelease)
        return false;
    auto* Mouse = static_cast<QMouseEvent*>(Event);
    const Qt::MouseButton Button = Mouse->button();
    if (Type == QEvent::MouseButtonRelease) {
        // A release follows its press.
        const bool Drop = (Dropped & Button) && !(Delivered & Button);
        Dropped &= ~Button;
        Delivered &= ~Button;
        return Drop;
    }
    // The window and the control the press goes to now, as Qt will find them.
    QWidget* Window = nullptr;
    const QWidget* Target = nullptr;
    QPoint Point = Mouse->position().toPoint();
    if (Receiver->isWindowType()) {
        for (QWidget* Top : topLevelWidgets())
            if (Top->windowHandle() == Receiver)
                Window = Top;
        if (Window) {
            Target = Window->childAt(Point);
            if (!Target)
                Target = Window;
        }
    } else if (Receiver->isWidgetType()) {
        Target = static_cast<QWidget*>(Receiver);
        Window = Target->window();
        Point = Target->mapTo(Window, Point);
    }
    bool Drop = false;
    if (Window && !activePopupWidget() && !QWidget::mouseGrabber())
        Drop = !Gate.MayPress(Window, Point, Target, MadeAt);
    (Drop ? Dropped : Delivered) |= Button;
    (Drop ? Delivered : Dropped) &= ~Button;
    return Drop;
}

bool TApplication::notify(QObject* Receiver, QEvent* Event)
{
    if (!DropsStaleInput)
        return QApplication::notify(Receiver, Event);
    Observe(Receiver, Event);
    if (Event->type() == QEvent::MouseMove && Event->spontaneous())
        TipAsleep = false;
    else if (Event->type() == QEvent::ToolTip && TipAsleep)
        return true;
    // Only what comes straight from the event loop is gated and timed; nested dispatches
    // (a widget's share of a window's event, a repaint, a message box's own loop) run
    // inside a handler already.
    if (Depth > 0 || Receiver == &SettleTimer) {
        // A nested loop that takes in input (a message box) keeps nothing waiting.
        if (Depth > 0 && Event->spontaneous() && Event->isInputEvent())
            IntakeAt = Now();
        return QApplication::notify(Receiver, Event);
    }
    DispatchStart = IntakeAt = Now();
    if (Gated(Receiver, Event, DispatchStart)) {
        TipAsleep = true;
        return true;
    }
    struct TNested
    {
        int& Depth;
        explicit TNested(int& D) : Depth(++D) {}
        ~TNested() { --Depth; }
    };
    bool Result;
    {
        TNested Nested(Depth);
        Result = QApplication::notify(Receiver, Event);
    }
    const qint64 End = Now();
    ++Dispatches;
    Gate.NoteHandler(IntakeAt, End);
    Gate.Prune(End);
    if (Gate.Settling() && !SettleTimer.isActive()) {
        DispatchesAtSettle = Dispatches;
        SettleTimer.start();
    }
    return Result;
}

bool TApplication::MayAct(const QWidget* Control, quint64 EventTime)
{
    if (!DropsStaleInput)
        return Control->isVisible() && Control->isEnabled();
    std::optional<qint64> MadeAt;
    if (EventTime)
        MadeAt = EventClock.MadeAt(EventTime, Depth > 0 ? DispatchStart : Now());
    return Gate.MayAct(Control, MadeAt);
}

bool InputMayAct(const QWidget* Control, quint64 EventTime)
{
    // Qt's modal blocking stops mouse and keys, not a press through accessibility.
    if (BlockedByModal(Control))
        return false;
    if (auto* App = dynamic_cast<TApplication*>(QCoreApplication::instance()))
        return App->MayAct(Control, EventTime);
    return Control->isVisible() && Control->isEnabled();
}
