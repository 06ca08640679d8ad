#pragma once

#include <QEvent>
#include <QImage>
#include <QMetaMethod>
#include <QWidget>

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A windowless control: a child widget without a native window, stacked among its
// siblings, hit-tested on its rectangle. One left click signals MouseDown, then Clicked
// (only when released over the control), then MouseUp; other buttons never click;
// a disabled or hidden control gets none of them. Each acts before the next is signalled:
// connect them directly.
// From the keyboard, Space or Enter on the focused control runs the same three, press on
// the key's press, click and release on the key's release. A key whose release goes
// elsewhere (the focus moved, the window was left) clicks nothing: the control gets its
// look from before the key back and takes keys again.
class TGraphicControl : public QWidget
{
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* Parent = nullptr);

    // Paints now; the result reaches the screen before this returns.
    void Repaint();

    // The hand-point cursor shows while the control is enabled.
    void SetHandPoint(bool HandPoint);

    // Visible (with its parents) and enabled: it can take a click now.
    bool Usable() const { return isVisible() && isEnabled(); }
    // What one left click in the middle of the control signals: MouseDown, Clicked,
    // MouseUp. Nothing while the control is not usable.
    void Press();
    // Asks for Press from the event loop and returns at once: an accessibility tool that
    // presses must not wait for the handler. Whether the press still acts is decided when
    // it comes round (see TInputGuard).
    void RequestPress();
    static const QEvent::Type PressRequest;

    // Whether anything acts on a click: a control that does offers readers its Press.
    bool Clickable() const { return isSignalConnected(QMetaMethod::fromSignal(&TGraphicControl::Clicked)); }

signals:
    void MouseDown(TMouseButton Button);
    void Clicked();
    void MouseUp(TMouseButton Button);

protected:
    void paintEvent(QPaintEvent* Event) override;
    virtual void Paint(class QPainter& Painter);
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool event(QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    // The area the keyboard focus ring goes round.
    virtual QRect FocusRect() const { return rect(); }
    // The look a key press changes (a picture control's picture), so that a press whose
    // release goes elsewhere can put back the look from before the key.
    virtual QImage LookNow() const { return {}; }
    virtual void PutLookBack(const QImage&) {}

private:
    void UpdateCursor();
    bool HandPoint = false;
    Qt::MouseButtons Down;
    int KeyDown = 0;  // the Space or Enter key held on the control, 0 when none
    QImage LookBeforeKey;
    qint64 KeyPressedLook = 0;  // the cache key of the look the key's press gave
};
