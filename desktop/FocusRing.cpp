#include "desktop/FocusRing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {
const char* const ShownProperty = "FocusRingShown";

void SetShown(QWidget* Window, bool Value)
{
    if (Window->property(ShownProperty).toBool() == Value)
        return;
    Window->setProperty(ShownProperty, Value);
    if (QWidget* Focus = Window->focusWidget())
        Focus->update();
}

class TFocusRingWatcher : public QObject
{
public:
    TFocusRingWatcher(QWidget* Window, QObject* Owner) : QObject(Owner), Window(Window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* Receiver, QEvent* Event) override
    {
        const QEvent::Type Type = Event->type();
        if (Type != QEvent::KeyPress && Type != QEvent::MouseButtonPress && Type != QEvent::MouseButtonDblClick)
            return false;
        auto* Widget = qobject_cast<QWidget*>(Receiver);
        if (!Widget || Widget->window() != Window)
            return false;
        if (Type != QEvent::KeyPress)
            SetShown(Window, false);
        else if (!IsModifier(static_cast<QKeyEvent*>(Event)->key()))
            SetShown(Window, true);
        return false;
    }

private:
    // Shift or Alt alone (on the way to another window, say) is no use of the table.
    static bool IsModifier(int Key)
    {
        return Key == Qt::Key_Shift || Key == Qt::Key_Control || Key == Qt::Key_Alt || Key == Qt::Key_Meta ||
               Key == Qt::Key_AltGr || Key == Qt::Key_Super_L || Key == Qt::Key_Super_R;
    }
    QWidget* Window;
};
}

bool FocusRingShown(const QWidget* InWindow) { return InWindow->window()->property(ShownProperty).toBool(); }

void WatchFocusRing(QWidget* Window, QObject* Owner)
{
    SetShown(Window, false);
    new TFocusRingWatcher(Window, Owner);
}

void DrawFocusRing(QPainter& Painter, const QRect& Area)
{
    Painter.save();
    Painter.setBrush(Qt::NoBrush);
    for (const QRect& R : {Area.adjusted(0, 0, -1, -1), Area.adjusted(1, 1, -2, -2)}) {
        Painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        Painter.drawRect(R);
        Painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        Painter.drawRect(R);
    }
    Painter.restore();
}
