#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class TBitmap;

enum TFontStyle { fsBold = 1, fsItalic = 2 };
enum TBrushStyle { bsSolid, bsClear };

struct TCanvasFont
{
    QString Name = QStringLiteral("MS Sans Serif");
    int Size = 8;      // points
    int Style = 0;     // TFontStyle flags
    QColor Color = Qt::black;
};

// Drawing on a bitmap: another bitmap at a point, text with its top-left at a point.
class TCanvas
{
public:
    explicit TCanvas(TBitmap& Owner) : Target(Owner) {}

    TCanvasFont Font;
    TBrushStyle BrushStyle = bsSolid;
    QColor BrushColor = Qt::white;

    void Draw(int X, int Y, const TBitmap& Source);
    void TextOut(int X, int Y, const QString& Text);

private:
    TBitmap& Target;
};

// An off-screen bitmap; a new one is white. Transparent: its bottom-left colour is
// see-through where it is drawn.
class TBitmap
{
public:
    TBitmap() = default;
    TBitmap(int Width, int Height);
    explicit TBitmap(const QImage& Image) : Pixels(Image.convertToFormat(QImage::Format_ARGB32)) {}
    TBitmap(const TBitmap& Other) : Pixels(Other.Pixels), Transparent(Other.Transparent) {}
    TBitmap& operator=(const TBitmap& Other);

    // Logical size; on a high-density screen the pixels are twice as many each way.
    int Width() const { return qRound(Pixels.deviceIndependentSize().width()); }
    int Height() const { return qRound(Pixels.deviceIndependentSize().height()); }
    void SetSize(int Width, int Height);

    QImage Pixels;
    bool Transparent = false;
    TCanvas Canvas{*this};
};
