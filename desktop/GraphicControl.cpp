#include "desktop/GraphicControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

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
}

TGraphicControl::TGraphicControl(QWidget* Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void TGraphicControl::Repaint()
{
    if (parentWidget())
        repaint();
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
        if (!isEnabled())
            Down = {};
    }
    QWidget::changeEvent(Event);
}

namespace {
TPaintWatch PaintWatch;
}

void SetPaintWatch(TPaintWatch Watch) { PaintWatch = std::move(Watch); }

void TGraphicControl::paintEvent(QPaintEvent*)
{
    if (PaintWatch)
        PaintWatch(this);
    QPainter Painter(this);
    Paint(Painter);
}

void TGraphicControl::Paint(QPainter&) {}

void TGraphicControl::mousePressEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    // A hidden control is not there to be clicked, even if an event is sent to it directly.
    if (!isEnabled() || isHidden() || !ToButton(Event->button(), Button))
        return;
    Down |= Event->button();
    if (OnMouseDown)
        OnMouseDown(this, Button, Event->modifiers(), int(Event->position().x()), int(Event->position().y()));
}

// The second press of a double click is an ordinary press here.
void TGraphicControl::mouseDoubleClickEvent(QMouseEvent* Event) { mousePressEvent(Event); }

void TGraphicControl::mouseReleaseEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    if (!ToButton(Event->button(), Button) || !(Down & Event->button()))
        return;
    Down &= ~Event->button();
    const QPoint At = Event->position().toPoint();
    QPointer<TGraphicControl> Self(this);
    if (Button == mbLeft && rect().contains(At) && OnClick)
        OnClick(this);
    if (Self && OnMouseUp)
        OnMouseUp(this, Button, Event->modifiers(), At.x(), At.y());
}
