#pragma once

#include <QWidget>
#include <functional>

class TGraphicControl;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button,
                                       Qt::KeyboardModifiers Shift, int X, int Y)>;

// A windowless control: a child widget without a native window, stacked among its
// siblings, hit-tested on its rectangle. One left click gives OnMouseDown, then OnClick
// (only when released over the control), then OnMouseUp; other buttons never click;
// a disabled or hidden control gets none of them.
class TGraphicControl : public QWidget
{
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* Parent = nullptr);

    int Left() const { return x(); }
    int Top() const { return y(); }
    void SetLeft(int Left) { move(Left, y()); }
    void SetTop(int Top) { move(x(), Top); }
    void SetBounds(int Left, int Top, int Width, int Height) { setGeometry(Left, Top, Width, Height); }

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool Visible) { setVisible(Visible); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Enabled) { setEnabled(Enabled); }

    void BringToFront() { raise(); }
    void SendToBack() { lower(); }
    // Paints now; the result reaches the screen before this returns.
    void Repaint();

    // The hand-point cursor shows while the control is enabled.
    void SetHandPoint(bool HandPoint);

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

private:
    void UpdateCursor();
    bool HandPoint = false;
    Qt::MouseButtons Down;
};

// Tests and the bench count paints: the watcher hears of every control that paints.
using TPaintWatch = std::function<void(const TGraphicControl* Control)>;
void SetPaintWatch(TPaintWatch Watch);
