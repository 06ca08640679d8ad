#pragma once

#include <QImage>
#include <QPixmap>

#include "desktop/GraphicControl.h"

// A picture control. Transparent: every pixel of the colour of the picture's
// bottom-left pixel lets the controls below show through. AutoSize: the control takes
// the picture's size whenever the picture changes. Stretch: the picture fills the control.
class TImage : public TGraphicControl
{
    Q_OBJECT
public:
    explicit TImage(QWidget* Parent = nullptr);

    const QImage& Picture() const { return Source; }
    void SetPicture(const QImage& Picture);
    void ClearPicture();

    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool Transparent);
    bool AutoSize() const { return IsAutoSize; }
    void SetAutoSize(bool AutoSize);
    bool Stretch() const { return IsStretch; }
    void SetStretch(bool Stretch);

protected:
    void Paint(QPainter& Painter) override;
    QRect FocusRect() const override;
    QImage LookNow() const override { return Source; }
    void PutLookBack(const QImage& Look) override;

private:
    void Rebuild();
    QImage Source;
    QPixmap Shown;  // the picture as drawn, with the see-through colour cut out
    QPixmap Stretched;  // Shown at the control's size, when stretched
    bool IsTransparent = false;
    bool IsAutoSize = false;
    bool IsStretch = false;
};

// The picture with every pixel of its bottom-left colour made fully transparent.
QImage KeyOutBottomLeft(const QImage& Picture);
