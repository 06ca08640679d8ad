#include "desktop/GraphicControl.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "desktop/FocusRing.h"
#include "desktop/InputGuard.h"
#include "desktop/MessageBox.h"
#include "desktop/WindowSystem.h"

namespace {
bool ToButton(Qt::MouseButton In, TMouseButton& Out)
{
    switch (In) {
    case Qt::LeftButton: Out = mbLeft; return true;
    case Qt::RightButton: Out = mbRight; return true;
    case Qt::MiddleButton: Out = mbMiddle; return true;
    default: return false;
    }
}

bool IsPressKey(int Key) { return Key == Qt::Key_Space || Key == Qt::Key_Return || Key == Qt::Key_Enter; }
}

const QEvent::Type TGraphicControl::PressRequest = QEvent::Type(QEvent::registerEventType());

TGraphicControl::TGraphicControl(QWidget* Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void TGraphicControl::Repaint()
{
    if (parentWidget()) {
        repaint();
        SendPainted();
    }
}

void TGraphicControl::SetHandPoint(bool Value)
{
    HandPoint = Value;
    UpdateCursor();
}

void TGraphicControl::UpdateCursor()
{
    if (HandPoint && isEnabled())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TGraphicControl::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::EnabledChange) {
        UpdateCursor();
        if (!isEnabled()) {
            Down = {};
            KeyDown = 0;
        }
    }
    QWidget::changeEvent(Event);
}

bool TGraphicControl::event(QEvent* Event)
{
    if (Event->type() == PressRequest) {
        // A press queued before a box opened is delivered by the box's own loop.
        if (!BlockedByModal(this))
            Press();
        return true;
    }
    return QWidget::event(Event);
}

void TGraphicControl::Press()
{
    if (!Usable())
        return;
    QPointer<TGraphicControl> Self(this);
    emit MouseDown(mbLeft);
    if (Self && Usable())
        emit Clicked();
    if (Self)
        emit MouseUp(mbLeft);
}

void TGraphicControl::RequestPress() { QCoreApplication::postEvent(this, new QEvent(PressRequest)); }

void TGraphicControl::keyPressEvent(QKeyEvent* Event)
{
    if (!IsPressKey(Event->key())) {
        QWidget::keyPressEvent(Event);
        return;
    }
    Event->accept();
    // A held key repeats; the control was pressed once.
    if (Event->isAutoRepeat() || KeyDown != 0 || !Usable())
        return;
    // Judged like a click: a key pressed while a handler was busy acts only if the control
    // could take it then. Its release follows it either way.
    if (!InputMayAct(this, Event->timestamp()))
        return;
    KeyDown = Event->key();
    LookBeforeKey = LookNow();
    emit MouseDown(mbLeft);
    KeyPressedLook = LookNow().cacheKey();
}

void TGraphicControl::focusOutEvent(QFocusEvent* Event)
{
    if (KeyDown != 0) {
        KeyDown = 0;
        // Unless something else has set a look since the press.
        if (LookNow().cacheKey() == KeyPressedLook)
            PutLookBack(LookBeforeKey);
    }
    LookBeforeKey = {};
    QWidget::focusOutEvent(Event);
}

void TGraphicControl::keyReleaseEvent(QKeyEvent* Event)
{
    if (!IsPressKey(Event->key())) {
        QWidget::keyReleaseEvent(Event);
        return;
    }
    Event->accept();
    if (Event->isAutoRepeat() || Event->key() != KeyDown)
        return;
    KeyDown = 0;
    LookBeforeKey = {};
    QPointer<TGraphicControl> Self(this);
    if (Usable())
        emit Clicked();
    if (Self)
        emit MouseUp(mbLeft);
}

void TGraphicControl::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Paint(Painter);
    if (hasFocus() && FocusRingShown(this))
        DrawFocusRing(Painter, FocusRect());
}

void TGraphicControl::Paint(QPainter&) {}

void TGraphicControl::mousePressEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    // A hidden control is not there to be clicked, even if an event is sent to it directly.
    if (!isEnabled() || isHidden() || !ToButton(Event->button(), Button))
        return;
    Down |= Event->button();
    emit MouseDown(Button);
}

// The second press of a double click is an ordinary press here.
void TGraphicControl::mouseDoubleClickEvent(QMouseEvent* Event) { mousePressEvent(Event); }

void TGraphicControl::mouseReleaseEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    if (!ToButton(Event->button(), Button) || !(Down & Event->button()))
        return;
    Down &= ~Event->button();
    QPointer<TGraphicControl> Self(this);
    if (Button == mbLeft && rect().contains(Event->position().toPoint()))
        emit Clicked();
    if (Self)
        emit MouseUp(Button);
}
