#include "table/ImageButton.h"

#include "desktop/Bitmap.h"
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
        TBitmap Picture(Skins.GetBitmap(Look).Pixels);
        Picture.Canvas.BrushStyle = bsClear;
        Picture.Canvas.Font.Style = fsBold;
        Picture.Canvas.Font.Size = CaptionPoints;
        Picture.Canvas.Font.Color = QColor::fromRgb(CaptionRgb[Look]);
        Picture.Canvas.TextOut(CaptionX, Caption.Y, QString::fromUtf8(Caption.Caption));
        Shown = Picture.Pixels;
    }
    SetPicture(Shown);
    Repaint();
}
