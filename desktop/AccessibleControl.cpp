#include "desktop/AccessibleControl.h"

#include <QPointer>

#include "desktop/Announcer.h"
#include "desktop/BenchTrace.h"
#include "desktop/GraphicControl.h"
#include "desktop/InputGuard.h"

TAccessibleControl::TAccessibleControl(TGraphicControl* Control) : QAccessibleWidget(Control, QAccessible::Graphic) {}

TGraphicControl* TAccessibleControl::Control() const { return static_cast<TGraphicControl*>(widget()); }

bool TAccessibleControl::Pressable() const { return Control()->Clickable(); }

QAccessible::State TAccessibleControl::state() const
{
    QAccessible::State State = QAccessibleWidget::state();
    // A widget that cannot take the focus now (disabled) is still one that can take it.
    State.focusable = Control()->focusPolicy() != Qt::NoFocus;
    return State;
}

QStringList TAccessibleControl::actionNames() const
{
    QStringList Names;
    // Offered also while disabled (the state tells that it does nothing now), so that an
    // action keeps its index.
    if (Pressable())
        Names << pressAction();
    return Names << QAccessibleWidget::actionNames();
}

void TAccessibleControl::doAction(const QString& Action)
{
    // A request carries no time of its own, and none can be taken where it enters: Qt
    // 6.4 reads the bus on its own thread and posts the call here as an event without
    // a time, with no public hook on that thread (libdbus runs message filters in the
    // order added, and Qt's own, added with the connection, consumes the call). It may
    // also arrive in the middle of a move, answered during one of the game's pauses
    // (desktop/Sleep.h), when nothing may act. So it is queued, and judged once the event
    // loop runs again by the gate's rule for untimed input: one that arrived during a
    // move counts as made during it (a press sent during the deal is dropped); the queued
    // press checks the control again.
    if (Action != pressAction() && Action != setFocusAction()) {
        QAccessibleWidget::doAction(Action);
        return;
    }
    const bool Press = Action == pressAction();
    QMetaObject::invokeMethod(
        Control(),
        [Control = QPointer<TGraphicControl>(Control()), Press] {
            if (!Control)
                return;
            if (!Press) {
                if (InputMayAct(Control, 0))
                    Control->setFocus(Qt::OtherFocusReason);
                return;
            }
            const bool Queued = Control->Clickable() && InputMayAct(Control, 0);
            if (Queued)
                Control->RequestPress();
            TraceAccessPress(Control, Queued);
        },
        Qt::QueuedConnection);
}

QStringList TAccessibleControl::keyBindingsForAction(const QString& Action) const
{
    if (Action == pressAction() && Pressable() && Control()->focusPolicy() != Qt::NoFocus)
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(Action);
}

namespace {
// Chosen by the object's type, whichever of its class names Qt asks with.
QAccessibleInterface* GraphicControlFactory(const QString&, QObject* Object)
{
    if (auto* Control = qobject_cast<TGraphicControl*>(Object))
        return new TAccessibleControl(Control);
    return nullptr;
}
}

void InstallAccessibleControls()
{
    QAccessible::installFactory(GraphicControlFactory);
    QAccessible::installFactory(AnnouncementInterface);
}
