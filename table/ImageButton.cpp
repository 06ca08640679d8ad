#include "table/ImageButton.h"

#include "desktop/Bitmap.h"
#include "desktop/ImageList.h"

TImageButton::TImageButton(QWidget* Parent, const TButtonCaption& Caption, const TImageList& Skins)
    : TImage(Parent), Caption(Caption)
{
    for (TButtonLook Look : {blNormal, blPressed, blDisabled}) {
        TBitmap Picture(Skins.GetBitmap(Look).Pixels);
        Picture.Canvas.BrushStyle = bsClear;
        Picture.Canvas.Font.Style = fsBold;
        Picture.Canvas.Font.Size = CaptionPoints;
        Picture.Canvas.Font.Color = QColor::fromRgb(CaptionRgb[Look]);
        Picture.Canvas.TextOut(CaptionX, Caption.Y, QString::fromUtf8(Caption.Caption));
        Looks[Look] = Picture.Pixels;
    }
    SetTransparent(true);
    SetAutoSize(true);
}

void TImageButton::ShowLook(TButtonLook Look)
{
    SetPicture(Looks[Look]);
    Repaint();
}
