#include "desktop/AccessibleControl.h"

#include "desktop/Announcer.h"
#include "desktop/Application.h"
#include "desktop/BenchTrace.h"
#include "desktop/GraphicControl.h"

TAccessibleControl::TAccessibleControl(TGraphicControl* Control) : QAccessibleWidget(Control, QAccessible::Graphic) {}

TGraphicControl* TAccessibleControl::Control() const { return static_cast<TGraphicControl*>(widget()); }

bool TAccessibleControl::Pressable() const { return bool(Control()->OnClick); }

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
    if (Action == pressAction()) {
        // A request carries no time of its own, and none can be taken where it enters: Qt
        // 6.4 reads the bus on its own thread and posts the call here as an event without
        // a time, with no public hook on that thread (libdbus runs message filters in the
        // order added, and Qt's own, added with the connection, consumes the call). So the
        // gate judges it by its rule for untimed input as it is read here (one sent during
        // the deal is dropped), and the queued press checks the control again.
        const bool Queued = Pressable() && InputMayAct(Control(), 0);
        if (Queued)
            Control()->RequestPress();
        TraceAccessPress(Control(), Queued);
        return;
    }
    QAccessibleWidget::doAction(Action);
}

QStringList TAccessibleControl::keyBindingsForAction(const QString& Action) const
{
    if (Action == pressAction() && Pressable() && Control()->focusPolicy() != Qt::NoFocus)
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(Action);
}

namespace {
QAccessibleInterface* GraphicControlFactory(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TGraphicControl"))
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
