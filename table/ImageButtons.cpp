#include "desktop/Image.h"
#include "table/Form1.h"

namespace {
const QColor CaptionColour[3] = {QColor(0xFF, 0xFF, 0x00), QColor(0x00, 0xFF, 0x00), QColor(0xFF, 0xFF, 0xFF)};
constexpr int CaptionPoints = 16;
}

void TForm1::ShowListImage(const TImageList& List, int Index, TImage* Control)
{
    const TBitmap Bitmap = List.GetBitmap(Index);
    Control->SetTransparent(true);
    Control->SetAutoSize(true);
    Control->SetPicture(Bitmap.Pixels);
    Control->Repaint();
}

void TForm1::SetLook(TImage* Button, TButtonLook Look)
{
    struct TCaption
    {
        TImage* Button;
        const char* Text;
        int X, Y;
    };
    const TCaption Captions[] = {
        {Image17, "开始", 30, 6}, {Image18, "规则", 30, 6}, {Image11, "跟注", 30, 4},
        {Image12, "放弃", 30, 4}, {Image13, "翻牌", 30, 4}, {Image14, "全翻", 30, 4},
    };
    ShowListImage(ImageList5, Look, Button);
    for (const TCaption& C : Captions) {
        if (C.Button != Button)
            continue;
        // The caption goes into the button's picture, so it lasts until the next skin.
        TBitmap Picture(Button->Picture());
        Picture.Canvas.BrushStyle = bsClear;
        Picture.Canvas.Font.Style = fsBold;
        Picture.Canvas.Font.Size = CaptionPoints;
        Picture.Canvas.Font.Color = CaptionColour[Look];
        Picture.Canvas.TextOut(C.X, C.Y, QString::fromUtf8(C.Text));
        Button->SetPicture(Picture.Pixels);
        Button->Repaint();
    }
}

void TForm1::SetButton(TImage* Button, TButtonLook Look, bool Enabled)
{
    SetLook(Button, Look);
    Button->SetEnabled(Enabled);
}

void TForm1::ButtonMouseDown(QObject* Sender, TMouseButton Button, Qt::KeyboardModifiers, int, int)
{
    if (Button == mbLeft)
        SetLook(static_cast<TImage*>(Sender), blPressed);
}

void TForm1::ButtonMouseUp(QObject* Sender, TMouseButton, Qt::KeyboardModifiers, int, int)
{
    // Start and Rules spring back on release. The betting buttons leave their look to
    // the game: a click has already set it, and a press released outside keeps
    // the pressed look until the game next sets one.
    if (Sender == Image17 || Sender == Image18)
        SetLook(static_cast<TImage*>(Sender), blNormal);
}
