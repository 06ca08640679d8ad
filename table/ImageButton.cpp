#include "table/ImageButton.h"

#include <QPainter>

#include "desktop/Drawing.h"
#include "desktop/ImageList.h"

TImageButton::TImageButton(QWidget* Parent, const TButtonCaption& Caption, const TImageList& Skins)
    : TImage(Parent), Caption(Caption), Skins(Skins)
{
    SetTransparent(true);
    SetAutoSize(true);
}

void TImageButton::ShowLook(TButtonLook Look)
{
    QImage& Shown = Looks[Look];
    if (Shown.isNull()) {
        Shown = Skins.Image(Look).convertToFormat(QImage::Format_ARGB32);
        QPainter Canvas(&Shown);
        Canvas.setFont(PointFont(QStringLiteral("MS Sans Serif"), CaptionPoints, true));
        Canvas.setPen(QColor::fromRgb(CaptionRgb[Look]));
        TextOut(Canvas, CaptionX, Caption.Y, QString::fromUtf8(Caption.Caption));
    }
    SetPicture(Shown);
    Repaint();
}
