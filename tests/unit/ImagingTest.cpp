#include <algorithm>
#include <cstdio> // jpeglib.h expects FILE to be declared
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"

namespace
{

// Real files, written by the same libraries' encoders.
QByteArray EncodeJpeg(int Width, int Height, J_COLOR_SPACE Space, int Components,
                      const std::function<void(int, int, JSAMPLE*)>& Pixel)
{
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = static_cast<JDIMENSION>(Width);
    Info.image_height = static_cast<JDIMENSION>(Height);
    Info.input_components = Components;
    Info.in_color_space = Space;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, 95, TRUE);
    jpeg_start_compress(&Info, TRUE);
    std::vector<JSAMPLE> Row(static_cast<size_t>(Width * Components));
    while (Info.next_scanline < Info.image_height)
    {
        for (int X = 0; X < Width; ++X)
            Pixel(X, static_cast<int>(Info.next_scanline), &Row[static_cast<size_t>(X * Components)]);
        JSAMPROW Pointer = Row.data();
        jpeg_write_scanlines(&Info, &Pointer, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    QByteArray Result(reinterpret_cast<const char*>(Buffer), static_cast<qsizetype>(Size));
    std::free(Buffer);
    return Result;
}

// Four flat 16x12 quadrants: red, green / blue, white.
const QRgb Quadrants[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(20, 40, 210), qRgb(250, 250, 250)};

QByteArray ColourJpeg()
{
    return EncodeJpeg(32, 24, JCS_RGB, 3, [](int X, int Y, JSAMPLE* Out) {
        const QRgb C = Quadrants[(Y >= 12) * 2 + (X >= 16)];
        Out[0] = static_cast<JSAMPLE>(qRed(C));
        Out[1] = static_cast<JSAMPLE>(qGreen(C));
        Out[2] = static_cast<JSAMPLE>(qBlue(C));
    });
}

GifColorType PaletteColour(int Index)
{
    return {static_cast<GifByteType>(Index), static_cast<GifByteType>(255 - Index),
            static_cast<GifByteType>(Index * 37)};
}

struct TGifPlan
{
    int ScreenWidth = 24, ScreenHeight = 24;
    int Left = 0, Top = 0, Width = 24, Height = 24;
    int Transparent = 80; // -1: no graphic control block
    bool LocalPalette = false; // the frame's own palette, the global one reversed
    std::function<int(int, int)> Index = [](int X, int Y) { return (X + Y * 24) % 256; };
};

int AppendToBuffer(GifFileType* Gif, const GifByteType* Bytes, int Count)
{
    static_cast<QByteArray*>(Gif->UserData)->append(reinterpret_cast<const char*>(Bytes), Count);
    return Count;
}

QByteArray EncodeGif(const TGifPlan& Plan)
{
    QByteArray Out;
    int Error = 0;
    GifFileType* Gif = EGifOpen(&Out, AppendToBuffer, &Error);
    EXPECT_NE(Gif, nullptr);
    if (!Gif)
        return {};
    std::vector<GifColorType> Colours(256);
    for (int I = 0; I < 256; ++I)
        Colours[static_cast<size_t>(I)] = PaletteColour(I);
    ColorMapObject* Palette = GifMakeMapObject(256, Colours.data());
    EGifSetGifVersion(Gif, true);
    bool Written = EGifPutScreenDesc(Gif, Plan.ScreenWidth, Plan.ScreenHeight, 8, 0, Palette) == GIF_OK;
    if (Plan.Transparent >= 0)
    {
        GraphicsControlBlock Control{DISPOSAL_UNSPECIFIED, false, 0, Plan.Transparent};
        GifByteType Block[4];
        const size_t Length = EGifGCBToExtension(&Control, Block);
        Written &= EGifPutExtension(Gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(Length), Block) == GIF_OK;
    }
    std::reverse(Colours.begin(), Colours.end());
    ColorMapObject* Local = Plan.LocalPalette ? GifMakeMapObject(256, Colours.data()) : nullptr;
    Written &= EGifPutImageDesc(Gif, Plan.Left, Plan.Top, Plan.Width, Plan.Height, false, Local) == GIF_OK;
    std::vector<GifPixelType> Line(static_cast<size_t>(Plan.Width));
    for (int Y = 0; Y < Plan.Height; ++Y)
    {
        for (int X = 0; X < Plan.Width; ++X)
            Line[static_cast<size_t>(X)] = static_cast<GifPixelType>(Plan.Index(X, Y));
        Written &= EGifPutLine(Gif, Line.data(), Plan.Width) == GIF_OK;
    }
    Written &= EGifCloseFile(Gif, &Error) == GIF_OK;
    GifFreeMapObject(Palette);
    GifFreeMapObject(Local);
    EXPECT_TRUE(Written) << GifErrorString(Error);
    return Out;
}

void ExpectFailure(const TDecoded& Result, const char* What)
{
    EXPECT_FALSE(Result.Ok()) << What;
    EXPECT_FALSE(Result.Error.isEmpty()) << What;
    EXPECT_TRUE(Result.Image.isNull()) << What << ": a failure carries no picture";
}

void ExpectSound(const TDecoded& Result, const char* What)
{
    if (!Result.Ok())
        return ExpectFailure(Result, What);
    EXPECT_EQ(Result.Image.format(), QImage::Format_ARGB32) << What;
    EXPECT_TRUE(Result.Error.isEmpty()) << What;
    EXPECT_GE(Result.Image.width(), 1) << What;
    EXPECT_LE(Result.Image.width(), 8192) << What;
    EXPECT_LE(Result.Image.height(), 8192) << What;
}

bool Near(QRgb A, QRgb B, int Tolerance)
{
    return std::abs(qRed(A) - qRed(B)) <= Tolerance && std::abs(qGreen(A) - qGreen(B)) <= Tolerance
           && std::abs(qBlue(A) - qBlue(B)) <= Tolerance && qAlpha(A) == 255;
}

// Offset of the width/height bytes in a baseline JPEG's frame header.
qsizetype JpegSizeOffset(const QByteArray& Jpeg)
{
    return Jpeg.indexOf(QByteArray("\xFF\xC0", 2)) + 5;
}

} // namespace

TEST(ImagingJpeg, DecodesColourAndGrayscale)
{
    const TDecoded Colour = DecodeJpeg(ColourJpeg());
    ASSERT_TRUE(Colour.Ok()) << Colour.Error.toStdString();
    EXPECT_EQ(Colour.Image.size(), QSize(32, 24));
    EXPECT_EQ(Colour.Image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(Colour.TransparentIndex, -1);
    for (int Q = 0; Q < 4; ++Q)
        for (const QPoint Offset : {QPoint(4, 3), QPoint(11, 8)})
        {
            const QPoint At = QPoint((Q % 2) * 16, (Q / 2) * 12) + Offset;
            EXPECT_TRUE(Near(Colour.Image.pixel(At), Quadrants[Q], 12))
                << "quadrant " << Q << " at " << At.x() << "," << At.y() << ": " << std::hex
                << Colour.Image.pixel(At);
        }

    const TDecoded Gray = DecodeJpeg(EncodeJpeg(16, 16, JCS_GRAYSCALE, 1, [](int X, int, JSAMPLE* Out) {
        *Out = X < 8 ? 40 : 200;
    }));
    ASSERT_TRUE(Gray.Ok()) << Gray.Error.toStdString();
    EXPECT_EQ(Gray.Image.size(), QSize(16, 16));
    EXPECT_TRUE(Near(Gray.Image.pixel(2, 5), qRgb(40, 40, 40), 6)) << std::hex << Gray.Image.pixel(2, 5);
    EXPECT_TRUE(Near(Gray.Image.pixel(13, 9), qRgb(200, 200, 200), 6)) << std::hex << Gray.Image.pixel(13, 9);
}

TEST(ImagingJpeg, RefusesCmykAndHugePictures)
{
    ExpectFailure(DecodeJpeg(EncodeJpeg(16, 16, JCS_CMYK, 4, [](int, int, JSAMPLE* Out) {
                      Out[0] = 10, Out[1] = 20, Out[2] = 30, Out[3] = 40;
                  })),
                  "CMYK");

    // Only the header claims 9000 rows; the decoder must refuse before allocating them.
    QByteArray Huge = ColourJpeg();
    const qsizetype At = JpegSizeOffset(Huge);
    Huge[At] = char(0x23), Huge[At + 1] = char(0x28);
    const TDecoded Result = DecodeJpeg(Huge);
    ExpectFailure(Result, "9000 rows");
    EXPECT_TRUE(Result.Error.contains("too large")) << Result.Error.toStdString();
}

TEST(ImagingGif, DecodesFirstFrameWithExactColoursAndTransparency)
{
    const TDecoded Result = DecodeGif(EncodeGif({}));
    ASSERT_TRUE(Result.Ok()) << Result.Error.toStdString();
    EXPECT_EQ(Result.Image.size(), QSize(24, 24));
    EXPECT_EQ(Result.Image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(Result.TransparentIndex, 80);
    int SeeThrough = 0;
    for (int Y = 0; Y < 24; ++Y)
        for (int X = 0; X < 24; ++X)
        {
            const int Index = (X + Y * 24) % 256;
            const GifColorType C = PaletteColour(Index);
            const QRgb Expected = Index == 80 ? qRgba(0, 0, 0, 0) : qRgb(C.Red, C.Green, C.Blue);
            ASSERT_EQ(Result.Image.pixel(X, Y), Expected) << X << "," << Y;
            SeeThrough += qAlpha(Result.Image.pixel(X, Y)) == 0;
        }
    EXPECT_EQ(SeeThrough, 2); // index 80 comes up twice in 576 pixels
}

TEST(ImagingGif, SmallFrameWithItsOwnPaletteSitsOnItsScreen)
{
    TGifPlan Plan;
    Plan.Left = 5, Plan.Top = 7, Plan.Width = 8, Plan.Height = 4, Plan.Transparent = -1;
    Plan.LocalPalette = true;
    Plan.Index = [](int X, int Y) { return 80 + X + Y; };
    const TDecoded Result = DecodeGif(EncodeGif(Plan));
    ASSERT_TRUE(Result.Ok()) << Result.Error.toStdString();
    EXPECT_EQ(Result.Image.size(), QSize(24, 24));
    EXPECT_EQ(Result.TransparentIndex, -1);
    const GifColorType C = PaletteColour(255 - (80 + 2 + 3));
    EXPECT_EQ(Result.Image.pixel(5 + 2, 7 + 3), qRgb(C.Red, C.Green, C.Blue));
    EXPECT_EQ(qAlpha(Result.Image.pixel(5, 7)), 255) << "index 80 is opaque without a control block";
    EXPECT_EQ(qAlpha(Result.Image.pixel(4, 7)), 0) << "outside the frame is see-through";
    EXPECT_EQ(qAlpha(Result.Image.pixel(13, 10)), 0);
}

TEST(ImagingGif, RefusesBadFramesPalettesAndSizes)
{
    // Shrink the global palette to 4 colours; the pixels still use up to 255.
    QByteArray PastPalette = EncodeGif({});
    PastPalette[10] = char((PastPalette[10] & ~0x07) | 0x01);
    PastPalette.remove(13 + 4 * 3, (256 - 4) * 3);
    TDecoded Result = DecodeGif(PastPalette);
    ExpectFailure(Result, "raster past the palette");
    EXPECT_TRUE(Result.Error.contains("palette")) << Result.Error.toStdString();

    TGifPlan Outside;
    Outside.Left = 10, Outside.Top = 3;
    Result = DecodeGif(EncodeGif(Outside));
    ExpectFailure(Result, "frame outside the screen");
    EXPECT_TRUE(Result.Error.contains("outside")) << Result.Error.toStdString();

    QByteArray Huge = EncodeGif({});
    Huge[6] = char(0x10), Huge[7] = char(0x27); // 10000 wide
    Result = DecodeGif(Huge);
    ExpectFailure(Result, "10000 wide");
    EXPECT_TRUE(Result.Error.contains("too large")) << Result.Error.toStdString();
}

TEST(ImagingDamage, EmptyGarbageAndWrongFormatsFail)
{
    QByteArray Png;
    QBuffer Device(&Png);
    Device.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(&Device, "PNG"));

    std::mt19937 Random(7);
    QByteArray Garbage(4096, '\0');
    for (char& Byte : Garbage)
        Byte = static_cast<char>(Random());

    for (const QByteArray& Data : {QByteArray(), QByteArray("GIF89a"), QByteArray("\xFF\xD8", 2), Garbage, Png})
    {
        ExpectFailure(DecodeJpeg(Data), "JPEG decoder");
        ExpectFailure(DecodeGif(Data), "GIF decoder");
    }
    ExpectFailure(DecodeJpeg(EncodeGif({})), "a GIF to the JPEG decoder");
    ExpectFailure(DecodeGif(ColourJpeg()), "a JPEG to the GIF decoder");
}

TEST(ImagingDamage, EveryTruncationFails)
{
    const QByteArray Jpeg = ColourJpeg();
    const QByteArray Gif = EncodeGif({});
    for (qsizetype Length = 0; Length < Jpeg.size(); ++Length)
        ExpectFailure(DecodeJpeg(Jpeg.left(Length)), qPrintable(QString("JPEG cut at %1").arg(Length)));
    for (qsizetype Length = 0; Length < Gif.size(); ++Length)
        ExpectFailure(DecodeGif(Gif.left(Length)), qPrintable(QString("GIF cut at %1").arg(Length)));
}

// A flipped byte may still decode (a palette entry, a coefficient), but never into another size
// unless it hit the size fields themselves.
TEST(ImagingDamage, FlippedBytesFailOrKeepTheSize)
{
    struct TCase
    {
        QByteArray Data;
        std::function<TDecoded(const QByteArray&)> Decode;
        qsizetype SizeAt;
    };
    const QByteArray Jpeg = ColourJpeg();
    const TCase Cases[] = {{Jpeg, DecodeJpeg, JpegSizeOffset(Jpeg)}, {EncodeGif({}), DecodeGif, 6}};
    std::mt19937 Random(2024);
    for (const TCase& Case : Cases)
    {
        const QSize Size = Case.Decode(Case.Data).Image.size();
        ASSERT_FALSE(Size.isEmpty());
        int Failed = 0;
        for (int Trial = 0; Trial < 600; ++Trial)
        {
            QByteArray Copy = Case.Data;
            const qsizetype At = static_cast<qsizetype>(Random() % static_cast<unsigned>(Copy.size()));
            Copy[At] = static_cast<char>(Copy[At] ^ (1 + Random() % 255));
            const TDecoded Result = Case.Decode(Copy);
            ExpectSound(Result, "flipped byte");
            Failed += !Result.Ok();
            if (Result.Ok() && (At < Case.SizeAt || At >= Case.SizeAt + 4))
            {
                EXPECT_EQ(Result.Image.size(), Size) << "byte " << At;
            }
        }
        EXPECT_GT(Failed, 0) << "no flip was ever noticed";
    }
}

// Seeded mutations over both real files: a few thousand, each decode must end cleanly.
TEST(ImagingDamage, SeededMutationsNeverCrash)
{
    std::mt19937 Random(99);
    const auto Below = [&Random](qsizetype Limit) {
        return static_cast<qsizetype>(Random() % static_cast<unsigned>(std::max<qsizetype>(Limit, 1)));
    };
    for (const bool IsGif : {false, true})
    {
        const QByteArray Original = IsGif ? EncodeGif({}) : ColourJpeg();
        for (int Trial = 0; Trial < 3000; ++Trial)
        {
            QByteArray Data = Original;
            for (int Step = 0, Steps = 1 + int(Random() % 4); Step < Steps && !Data.isEmpty(); ++Step)
                switch (Random() % 5)
                {
                case 0: Data[Below(Data.size())] = static_cast<char>(Random()); break;
                case 1: Data[Below(Data.size())] ^= static_cast<char>(1 << (Random() % 8)); break;
                case 2: Data.truncate(Below(Data.size())); break;
                case 3: Data.insert(Below(Data.size()), static_cast<char>(Random())); break;
                default: Data.remove(Below(Data.size()), 1 + Below(16)); break;
                }
            ExpectSound(IsGif ? DecodeGif(Data) : DecodeJpeg(Data), IsGif ? "mutated GIF" : "mutated JPEG");
        }
    }
}
