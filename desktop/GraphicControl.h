#pragma once

#include <QEvent>
#include <QImage>
#include <QWidget>
#include <functional>

class TGraphicControl;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button)>;

// A windowless control: a child widget without a native window, stacked among its
// siblings, hit-tested on its rectangle. One left click gives OnMouseDown, then OnClick
// (only when released over the control), then OnMouseUp; other buttons never click;
// a disabled or hidden control gets none of them.
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
    // What one left click in the middle of the control runs: OnMouseDown, OnClick,
    // OnMouseUp. Nothing while the control is not usable.
    void Press();
    // Asks for Press from the event loop and returns at once: an accessibility tool that
    // presses must not wait for the handler. Whether the press still acts is decided when
    // it comes round (see TApplication).
    void RequestPress();
    static const QEvent::Type PressRequest;

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

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
