#include "imaging/GifDecoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace
{

constexpr int MaxGifSide = 8192;

struct TGifSource
{
    const QByteArray& Data;
    qsizetype Position = 0;
};

// giflib pulls bytes through this; a short read past the end is how it sees truncation.
int ReadFromBuffer(GifFileType* Gif, GifByteType* Out, int Count)
{
    auto* Source = static_cast<TGifSource*>(Gif->UserData);
    const qsizetype Left = Source->Data.size() - Source->Position;
    const int Taken = static_cast<int>(std::clamp<qsizetype>(Left, 0, std::max(Count, 0)));
    std::memcpy(Out, Source->Data.constData() + Source->Position, static_cast<size_t>(Taken));
    Source->Position += Taken;
    return Taken;
}

TDecoded TooLarge(int Width, int Height)
{
    return Failure(QStringLiteral("GIF: picture too large (%1x%2, at most %3 a side)")
                       .arg(Width).arg(Height).arg(MaxGifSide));
}

TDecoded LibraryFailure(int Code)
{
    const char* Text = GifErrorString(Code);
    return Failure(QStringLiteral("GIF: %1").arg(Text ? QString::fromLatin1(Text)
                                                      : QStringLiteral("error %1").arg(Code)));
}

// Checks the first frame against its screen and palette, then paints it.
TDecoded Compose(GifFileType* Gif)
{
    if (Gif->ImageCount < 1)
        return Failure(QStringLiteral("GIF: no frame"));
    const SavedImage& Frame = Gif->SavedImages[0];
    const GifImageDesc& Desc = Frame.ImageDesc;

    // A screen of 0x0 occurs in the wild; the frame then sets the size.
    const int Width = Gif->SWidth > 0 ? Gif->SWidth : Desc.Left + Desc.Width;
    const int Height = Gif->SHeight > 0 ? Gif->SHeight : Desc.Top + Desc.Height;
    if (Width > MaxGifSide || Height > MaxGifSide)
        return TooLarge(Width, Height);
    if (Desc.Width <= 0 || Desc.Height <= 0 || Desc.Left < 0 || Desc.Top < 0
        || Desc.Left + Desc.Width > Width || Desc.Top + Desc.Height > Height)
        return Failure(QStringLiteral("GIF: frame %1x%2 at %3,%4 lies outside the %5x%6 screen")
                           .arg(Desc.Width).arg(Desc.Height).arg(Desc.Left).arg(Desc.Top)
                           .arg(Width).arg(Height));

    const ColorMapObject* Palette = Desc.ColorMap ? Desc.ColorMap : Gif->SColorMap;
    if (!Palette || !Palette->Colors || Palette->ColorCount <= 0)
        return Failure(QStringLiteral("GIF: frame has no palette"));
    if (!Frame.RasterBits)
        return Failure(QStringLiteral("GIF: frame has no pixels"));

    TDecoded Result;
    GraphicsControlBlock Control;
    if (DGifSavedExtensionToGCB(Gif, 0, &Control) == GIF_OK)
        Result.TransparentIndex = Control.TransparentColor; // NO_TRANSPARENT_COLOR is -1

    // Outside the frame the screen stays see-through.
    QImage Image(Width, Height, QImage::Format_ARGB32);
    if (Image.isNull())
        return Failure(QStringLiteral("GIF: out of memory"));
    Image.fill(Qt::transparent);

    for (int Y = 0; Y < Desc.Height; ++Y)
    {
        const GifByteType* Source = Frame.RasterBits + static_cast<size_t>(Y) * Desc.Width;
        auto* Target = reinterpret_cast<QRgb*>(Image.scanLine(Desc.Top + Y)) + Desc.Left;
        for (int X = 0; X < Desc.Width; ++X)
        {
            const int Index = Source[X];
            if (Index >= Palette->ColorCount)
                return Failure(QStringLiteral("GIF: pixel %1,%2 uses colour %3 of a %4-colour palette")
                                   .arg(X).arg(Y).arg(Index).arg(Palette->ColorCount));
            const GifColorType& Colour = Palette->Colors[Index];
            Target[X] = Index == Result.TransparentIndex
                            ? qRgba(0, 0, 0, 0)
                            : qRgb(Colour.Red, Colour.Green, Colour.Blue);
        }
    }
    Result.Image = std::move(Image);
    return Result;
}

} // namespace

TDecoded DecodeGif(const QByteArray& Data)
{
    if (Data.isEmpty())
        return Failure(QStringLiteral("GIF: no data"));

    TGifSource Source{Data};
    int Error = D_GIF_SUCCEEDED;
    GifFileType* Gif = DGifOpen(&Source, ReadFromBuffer, &Error);
    if (!Gif)
        return LibraryFailure(Error);

    // Refuse a huge screen before giflib allocates frames for it.
    TDecoded Result;
    if (Gif->SWidth > MaxGifSide || Gif->SHeight > MaxGifSide)
        Result = TooLarge(Gif->SWidth, Gif->SHeight);
    else if (DGifSlurp(Gif) != GIF_OK)
        Result = LibraryFailure(Gif->Error);
    else
        Result = Compose(Gif);

    DGifCloseFile(Gif, &Error);
    return Result;
}
