#include "desktop/InputGuard.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <optional>

#include "desktop/MessageBox.h"

namespace {
// The gates at work, for the application's dispatch to tell.
QList<TInputGuard*> Working;

bool FromWindowSystem()
{
    const QString Platform = QGuiApplication::platformName();
    return Platform != QLatin1String("offscreen") && Platform != QLatin1String("minimal");
}
}

TInputGuard::TInputGuard(QWidget* Owner, TClock GivenClock) : QObject(Owner), Window(Owner), Clock(std::move(GivenClock))
{
    Elapsed.start();
    SettleTimer.setSingleShot(true);
    SettleTimer.setInterval(0);
    // A zero timer fires once the window system's queue has been dispatched. Whatever was
    // dispatched meanwhile may have queued more: wait for one round with nothing in it.
    connect(&SettleTimer, &QTimer::timeout, this, [this] {
        if (Dispatches != DispatchesAtSettle) {
            DispatchesAtSettle = Dispatches;
            SettleTimer.start();
        } else {
            Gate.NoteSettled();
        }
    });
    if (Clock || FromWindowSystem())
        Working.append(this);
}

TInputGuard::~TInputGuard() { Working.removeOne(this); }

const QList<TInputGuard*>& TInputGuard::All() { return Working; }

TInputGuard* TInputGuard::Of(const QWidget* Control)
{
    const QWidget* Top = Control->window();
    for (TInputGuard* Guard : Working)
        if (Guard->Window == Top)
            return Guard;
    return nullptr;
}

bool TInputGuard::IsOwnTimer(const QObject* Receiver)
{
    for (const TInputGuard* Guard : Working)
        if (Receiver == &Guard->SettleTimer)
            return true;
    return false;
}

// Keeps the record of what every control of the window was when: the changes arrive as
// events sent to the control once the change is made.
void TInputGuard::Observe(QObject* Receiver, QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (Type != QEvent::Show && Type != QEvent::Hide && Type != QEvent::EnabledChange && Type != QEvent::Move &&
        Type != QEvent::Resize)
        return;
    if (!Receiver->isWidgetType())
        return;
    auto* Control = static_cast<QWidget*>(Receiver);
    // A press is placed in its window: where the window lies does not matter.
    if (Control->isWindow() || Control->window() != Window)
        return;
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
bool TInputGuard::Drops(QObject* Receiver, QEvent* Event)
{
    if (!Event->isInputEvent())
        return false;
    std::optional<qint64> MadeAt;
    // Every stamped event, pointer motion included, sharpens the clock estimate.
    if (const quint64 Stamp = static_cast<QInputEvent*>(Event)->timestamp())
        MadeAt = EventClock.MadeAt(Stamp, Now());
    const QEvent::Type Type = Event->type();
    if (Type != QEvent::MouseButtonPress && Type != QEvent::MouseButtonDblClick && Type != QEvent::MouseButtonRelease)
        return false;
    // The control the press goes to now, as Qt will find it.
    const QWidget* Target = nullptr;
    auto* Mouse = static_cast<QMouseEvent*>(Event);
    QPoint Point = Mouse->position().toPoint();
    if (Receiver->isWindowType()) {
        if (Window->windowHandle() != Receiver)
            return false;
        Target = Window->childAt(Point);
        if (!Target)
            Target = Window;
    } else if (Receiver->isWidgetType()) {
        Target = static_cast<QWidget*>(Receiver);
        if (Target->window() != Window)
            return false;
        Point = Target->mapTo(Window, Point);
    } else {
        return false;
    }
    const Qt::MouseButton Button = Mouse->button();
    if (Type == QEvent::MouseButtonRelease) {
        // A release follows its press.
        const bool Drop = (Dropped & Button) && !(Delivered & Button);
        Dropped &= ~Button;
        Delivered &= ~Button;
        return Drop;
    }
    bool Drop = false;
    if (!QApplication::activePopupWidget() && !QWidget::mouseGrabber())
        Drop = !Gate.MayPress(Window, Point, Target, MadeAt);
    (Drop ? Dropped : Delivered) |= Button;
    (Drop ? Delivered : Dropped) &= ~Button;
    return Drop;
}

void TInputGuard::DispatchBegins()
{
    Dispatching = true;
    DispatchStart = IntakeAt = Now();
}

void TInputGuard::DispatchEnds()
{
    Dispatching = false;
    const qint64 End = Now();
    ++Dispatches;
    Gate.NoteHandler(IntakeAt, End);
    Gate.Prune(End);
    if (Gate.Settling() && !SettleTimer.isActive()) {
        DispatchesAtSettle = Dispatches;
        SettleTimer.start();
    }
}

bool TInputGuard::MayAct(const QWidget* Control, quint64 EventTime)
{
    std::optional<qint64> MadeAt;
    if (EventTime)
        MadeAt = EventClock.MadeAt(EventTime, Dispatching ? DispatchStart : Now());
    return Gate.MayAct(Control, MadeAt);
}

bool InputMayAct(const QWidget* Control, quint64 EventTime)
{
    // Qt's modal blocking stops mouse and keys, not a press through accessibility.
    if (BlockedByModal(Control))
        return false;
    if (TInputGuard* Guard = TInputGuard::Of(Control))
        return Guard->MayAct(Control, EventTime);
    return Control->isVisible() && Control->isEnabled();
}
