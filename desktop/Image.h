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

    QImage Picture() const;
    bool HasPicture() const { return !Source.isNull() || !Origin.isEmpty(); }
    void SetPicture(const QImage& Picture);
    // A picture of the program's own (desktop/Resources.h). Stretched and opaque, it is
    // kept only at the size it is drawn, and decoded again when that size changes. For a
    // control not on the screen it is decoded when the control shows, when its picture is
    // asked for, or when Prepare is called.
    void LoadPicture(const QString& Path);
    void Prepare()
    {
        if (Undecoded())
            Restore();
    }
    void ClearPicture();

    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool Transparent);
    bool AutoSize() const { return IsAutoSize; }
    void SetAutoSize(bool AutoSize);
    bool Stretch() const { return IsStretch; }
    void SetStretch(bool Stretch);

protected:
    void showEvent(QShowEvent* Event) override;
    void Paint(QPainter& Painter) override;
    QRect FocusRect() const override;
    QImage LookNow() const override { return Picture(); }
    void PutLookBack(const QImage& Look) override;

private:
    void Rebuild();
    void Restore();
    bool KeptScaledOnly() const { return !Origin.isEmpty() && IsStretch && !IsTransparent && !IsAutoSize; }
    bool Undecoded() const { return Source.isNull() && !Origin.isEmpty() && !KeptScaledOnly(); }
    QString Origin;  // the resource the picture came from, if any
    QImage Source;  // null while the picture is kept scaled only
    QPixmap Shown;  // the picture as drawn, with the see-through colour cut out
    QPixmap Stretched;  // Shown at the control's size, when stretched
    bool IsTransparent = false;
    bool IsAutoSize = false;
    bool IsStretch = false;
};
