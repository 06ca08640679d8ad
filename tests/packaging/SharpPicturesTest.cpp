#include <gtest/gtest.h>

#include <QDirIterator>
#include <algorithm>
#include <cmath>
#include <vector>
#include <QMap>

#include "desktop/Resources.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "support/ResourceBytes.h"
#include "support/TestApplication.h"

namespace {

// Decoded as stored, through the decoders the program itself uses.
QImage Stored(const QString& Path)
{
    const QByteArray Data = ResourceBytes(Path);
    if (Path.endsWith(".jpg"))
        return DecodeJpeg(Data).Image;
    if (Path.endsWith(".gif"))
        return DecodeGif(Data).Image;
    return QImage::fromData(Data, "PNG");
}

QString TwinOf(const QString& Path)
{
    const int Dot = Path.lastIndexOf('.');
    return Path.left(Dot) + "@2x" + Path.mid(Dot);
}

// Every 1x picture the program carries (":/cards/S1.png", ...).
QStringList OneTimesPictures()
{
    LoadResourcePicture(":/app/mainicon.png");
    QStringList Paths;
    for (const char* Folder : {":/cards", ":/table", ":/app"}) {
        QDirIterator It(Folder, QDir::Files);
        while (It.hasNext()) {
            const QString Path = It.next();
            if (!Path.contains("@2x"))
                Paths << Path;
        }
    }
    Paths.sort();
    return Paths;
}

// Brightness over black, so that a see-through pixel counts the same whatever colour it hides.
int Grey(QRgb C) { return (qRed(C) * 299 + qGreen(C) * 587 + qBlue(C) * 114) / 1000 * qAlpha(C) / 255; }

struct TDetail {
    double SplitRatio;   // differences inside 2x2 blocks against differences across them
    double EdgeEnergy;   // squared steps per 1x pixel, twin against the 1x picture
};

// An enlarged 1x picture either keeps its 2x2 blocks whole (nearest pixel) or spreads
// every edge over two pixels (smoothing); a picture painted at 2x does neither.
TDetail DetailOf(const QImage& One, const QImage& Twin)
{
    double Inside = 0, Across = 0, Energy2 = 0, Energy1 = 0;
    auto Step = [](const QImage& I, int X0, int Y0, int X1, int Y1) {
        return double(Grey(I.pixel(X0, Y0)) - Grey(I.pixel(X1, Y1)));
    };
    for (int Y = 0; Y < Twin.height() - 1; ++Y)
        for (int X = 0; X < Twin.width() - 1; ++X) {
            const double H = Step(Twin, X, Y, X + 1, Y), V = Step(Twin, X, Y, X, Y + 1);
            (X % 2 == 0 ? Inside : Across) += std::abs(H);
            (Y % 2 == 0 ? Inside : Across) += std::abs(V);
            Energy2 += H * H + V * V;
        }
    for (int Y = 0; Y < One.height() - 1; ++Y)
        for (int X = 0; X < One.width() - 1; ++X) {
            const double H = Step(One, X, Y, X + 1, Y), V = Step(One, X, Y, X, Y + 1);
            Energy1 += H * H + V * V;
        }
    return {Across > 0 ? Inside / Across : 0, Energy1 > 0 ? Energy2 / Energy1 : 0};
}

// A 2x picture brought down to 1x by averaging each 2x2 block.
QImage BoxHalf(const QImage& Twin)
{
    const QImage In = Twin.convertToFormat(QImage::Format_ARGB32);
    QImage Out(In.size() / 2, QImage::Format_ARGB32);
    for (int Y = 0; Y < Out.height(); ++Y)
        for (int X = 0; X < Out.width(); ++X) {
            int R = 0, G = 0, B = 0, A = 0;
            for (QPoint D : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb C = In.pixel(2 * X + D.x(), 2 * Y + D.y());
                R += qRed(C), G += qGreen(C), B += qBlue(C), A += qAlpha(C);
            }
            Out.setPixel(X, Y, qRgba(R / 4, G / 4, B / 4, A / 4));
        }
    return Out;
}

// The picture's opaque part stretched over the whole frame, so that a glyph drawn a little
// narrower at another size lines up with itself. Opaque pictures are left as they are.
QImage Framed(const QImage& In)
{
    QRect Ink;
    for (int Y = 0; Y < In.height(); ++Y)
        for (int X = 0; X < In.width(); ++X)
            if (qAlpha(In.pixel(X, Y)) > 0)
                Ink |= QRect(X, Y, 1, 1);
    if (Ink.isEmpty() || Ink == In.rect())
        return In;
    return In.copy(Ink).scaled(In.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// How alike two pictures of one size are: the correlation of their colour channels,
// 1 for the same picture.
double Likeness(const QImage& A, const QImage& B)
{
    double Sa = 0, Sb = 0, Saa = 0, Sbb = 0, Sab = 0;
    const double N = 3.0 * A.width() * A.height();
    for (int Y = 0; Y < A.height(); ++Y)
        for (int X = 0; X < A.width(); ++X) {
            const QRgb Ca = A.pixel(X, Y), Cb = B.pixel(X, Y);
            for (int K = 0; K < 3; ++K) {
                const int Shift = 16 - 8 * K;
                const double Va = ((Ca >> Shift) & 0xFF) * qAlpha(Ca) / 255.0;
                const double Vb = ((Cb >> Shift) & 0xFF) * qAlpha(Cb) / 255.0;
                Sa += Va, Sb += Vb, Saa += Va * Va, Sbb += Vb * Vb, Sab += Va * Vb;
            }
        }
    const double Cov = Sab - Sa * Sb / N, Va = Saa - Sa * Sa / N, Vb = Sbb - Sb * Sb / N;
    return Va > 0 && Vb > 0 ? Cov / std::sqrt(Va * Vb) : 0;
}

// The step between neighbouring pixels that only the sharpest edges reach (the 99th
// percentile): an enlarged picture spreads each edge over several pixels.
int StrongestSteps(const QImage& Image)
{
    std::vector<int> Steps;
    for (int Y = 0; Y < Image.height() - 1; ++Y)
        for (int X = 0; X < Image.width() - 1; ++X) {
            const int G = Grey(Image.pixel(X, Y));
            Steps.push_back(std::max(std::abs(G - Grey(Image.pixel(X + 1, Y))), std::abs(G - Grey(Image.pixel(X, Y + 1)))));
        }
    std::nth_element(Steps.begin(), Steps.begin() + Steps.size() * 99 / 100, Steps.end());
    return Steps[Steps.size() * 99 / 100];
}

}  // namespace

TEST(SharpPictures, EveryPictureHasATwinOfTwiceItsSize)
{
    const QStringList Paths = OneTimesPictures();
    ASSERT_GE(Paths.size(), 79);
    for (const QString& Path : Paths) {
        const QImage One = Stored(Path), Twin = Stored(TwinOf(Path));
        ASSERT_FALSE(One.isNull()) << Path.toStdString();
        ASSERT_FALSE(Twin.isNull()) << TwinOf(Path).toStdString();
        EXPECT_EQ(Twin.size(), One.size() * 2) << Path.toStdString();
    }
    // and no twin without its 1x picture, which would never be loaded
    int Twins = 0;
    for (const char* Folder : {":/cards", ":/table", ":/app"})
        for (QDirIterator It(Folder, QDir::Files); It.hasNext();) {
            const QString Path = It.next();
            if (Path.contains("@2x")) {
                ++Twins;
                EXPECT_TRUE(Paths.contains(QString(Path).remove("@2x"))) << Path.toStdString();
            }
        }
    EXPECT_EQ(Twins, Paths.size());
}

TEST(SharpPictures, ADenseScreenGetsTheTwinsAtTheSameLogicalSize)
{
    ASSERT_EQ(PictureScale(), 2);
    for (const char* Name : {"S1", "H13", "BK0", "BK1"}) {
        const QImage Card = LoadNamedBitmap(Name);
        EXPECT_EQ(Card.size(), QSize(142, 192)) << Name;
        EXPECT_EQ(Card.devicePixelRatio(), 2.0) << Name;
    }
    const QImage Background = LoadResourcePicture(":/table/background.jpg");
    EXPECT_EQ(Background.size(), QSize(1666, 1250));
    EXPECT_EQ(Background.deviceIndependentSize(), QSizeF(833, 625));
    const QImage Rose = LoadResourcePicture(":/table/rose.gif");
    EXPECT_EQ(Rose.deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_EQ(qAlpha(Rose.pixel(0, 47)), 0);
}

TEST(SharpPictures, TwinsAreStoredWithinTheSameColourDepths)
{
    for (const char* Suit : {"S", "D", "C", "H"})
        for (int V = 1; V <= 13; ++V) {
            const QString Path = QStringLiteral(":/cards/%1%2@2x.png").arg(Suit).arg(V);
            EXPECT_LE(StoredColours(Path), 16) << Path.toStdString();
        }
    EXPECT_LE(StoredColours(":/cards/BK0@2x.png"), 16);
    EXPECT_LE(StoredColours(":/cards/BK1@2x.png"), 256);
    EXPECT_LE(StoredColours(":/cards/J1@2x.png"), 256);
    EXPECT_LE(StoredColours(":/cards/J2@2x.png"), 2);
    EXPECT_LE(StoredColours(":/table/token@2x.png"), 256);

    const QByteArray Rose = ResourceBytes(":/table/rose@2x.gif");
    EXPECT_TRUE(Rose.startsWith("GIF89a"));
    EXPECT_FALSE(Rose.contains("NETSCAPE2.0"));
    const TDecoded Marker = DecodeGif(Rose);
    ASSERT_TRUE(Marker.Ok()) << Marker.Error.toStdString();
    EXPECT_EQ(Marker.TransparentIndex, 80);
}

TEST(SharpPictures, FacesShowTheirIndexInOppositeCornersInTheSuitsColour)
{
    for (const char* Name : {"H1", "D7", "S12", "C10"}) {
        const QImage Face = LoadNamedBitmap(Name);
        ASSERT_EQ(Face.size(), QSize(142, 192)) << Name;
        const bool Red = Name[0] == 'H' || Name[0] == 'D';
        auto Inks = [&](const QRect& Box) {
            int Count = 0;
            for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
                for (int X = Box.left(); X <= Box.right(); ++X) {
                    const QRgb C = Face.pixel(X, Y);
                    Count += Red ? qRed(C) > 150 && qGreen(C) < 90 && qBlue(C) < 90
                                 : qRed(C) < 80 && qGreen(C) < 80 && qBlue(C) < 80;
                }
            return Count;
        };
        // rank and suit sign top left, and upside down bottom right; the border stays clear
        EXPECT_GT(Inks({4, 8, 22, 18}), 30) << Name;
        EXPECT_GT(Inks({4, 30, 16, 16}), 30) << Name;
        EXPECT_GT(Inks({116, 166, 22, 18}), 30) << Name;
        EXPECT_GT(Inks({122, 146, 16, 16}), 30) << Name;
        EXPECT_GT(qGray(Face.pixel(5, 96)), 230) << Name;
    }
}

TEST(SharpPictures, SeeThroughColoursStayAroundThePictures)
{
    // token: magenta in the bottom-left corner and nowhere on the coin
    const QImage Token = Stored(":/table/token@2x.png");
    ASSERT_EQ(Token.size(), QSize(48, 46));
    const QRgb Key = Token.pixel(0, 45) & 0xFFFFFF;
    EXPECT_EQ(Key, 0xFF00FFu);
    for (int Y = 0; Y < 46; ++Y)
        for (int X = 0; X < 48; ++X)
            if (std::hypot(X + 0.5 - 24, Y + 0.5 - 23) < 19)
                ASSERT_NE(Token.pixel(X, Y) & 0xFFFFFF, Key) << X << "," << Y;

    for (int I = 0; I <= 2; ++I) {
        const QImage Skin = Stored(QStringLiteral(":/table/skin%1@2x.png").arg(I));
        ASSERT_EQ(Skin.size(), QSize(200, 64));
        const QRgb SkinKey = Skin.pixel(0, 63) & 0xFFFFFF;
        for (QRgb Caption : {0xFFFF00u, 0x00FF00u, 0xFFFFFFu})
            EXPECT_NE(SkinKey, Caption);
        int Inside = 0;
        for (int Y = 6; Y < 58; ++Y)
            for (int X = 24; X < 176; ++X)
                Inside += (Skin.pixel(X, Y) & 0xFFFFFF) == SkinKey;
        EXPECT_EQ(Inside, 0) << I;
    }

    for (int I = 0; I <= 9; ++I) {
        const QImage Digit = Stored(QStringLiteral(":/table/digit%1@2x.png").arg(I)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(Digit.size(), QSize(28, 32));
        int Opaque = 0, Partial = 0, White = 0;
        for (int Y = 0; Y < 32; ++Y)
            for (int X = 0; X < 28; ++X) {
                const QRgb C = Digit.pixel(X, Y);
                Opaque += qAlpha(C) == 255;
                Partial += qAlpha(C) != 0 && qAlpha(C) != 255;
                White += qAlpha(C) == 255 && (C & 0xFFFFFF) == 0xFFFFFF;
            }
        EXPECT_GT(Opaque, 60) << I;
        EXPECT_EQ(Partial, 0) << I;
        EXPECT_EQ(White, 0) << I;
        EXPECT_EQ(qAlpha(Digit.pixel(0, 31)), 0) << I;
    }

    // rose: the see-through index frames the flower but leaves the bloom and stem whole
    const QImage Rose = Stored(":/table/rose@2x.gif");
    for (QPoint Corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        EXPECT_EQ(qAlpha(Rose.pixel(Corner)), 0);
    for (QPoint Solid : {QPoint(24, 14), QPoint(24, 22), QPoint(24, 36)})
        EXPECT_EQ(qAlpha(Rose.pixel(Solid)), 255) << Solid.x() << "," << Solid.y();
}

TEST(SharpPictures, EachTwinShowsItsOwnPicture)
{
    // brought down to 1x, a twin is more like its own picture than like any other of its size
    QMap<QString, QImage> One;
    for (const QString& Path : OneTimesPictures())
        One.insert(Path, Framed(Stored(Path).convertToFormat(QImage::Format_ARGB32)));
    for (auto It = One.cbegin(); It != One.cend(); ++It) {
        const QImage Down = Framed(BoxHalf(Stored(TwinOf(It.key()))));
        const double Own = Likeness(It.value(), Down);
        EXPECT_GT(Own, 0.75) << TwinOf(It.key()).toStdString();
        for (auto Other = One.cbegin(); Other != One.cend(); ++Other)
            if (Other != It && Other->size() == It->size())
                EXPECT_LT(Likeness(*Other, Down), Own) << TwinOf(It.key()).toStdString() << " looks like "
                                                          << Other.key().toStdString();
    }
}

TEST(SharpPictures, TwinsArePaintedAtTwiceTheSizeNotEnlarged)
{
    for (const QString& Path : OneTimesPictures()) {
        const TDetail Detail = DetailOf(Stored(Path), Stored(TwinOf(Path)));
        EXPECT_GT(Detail.SplitRatio, 0.04) << Path.toStdString();
        EXPECT_GT(Detail.EdgeEnergy, 1.4) << Path.toStdString();
    }
}

TEST(SharpPictures, TheDetailMeasureTellsEnlargedPicturesApart)
{
    // what an enlarged picture would look like to the test above
    const QImage One = Stored(":/cards/D2.png").convertToFormat(QImage::Format_ARGB32);
    const QImage Near = One.scaled(One.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage Smooth = One.scaled(One.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LE(DetailOf(One, Near).SplitRatio, 0.04);
    EXPECT_LE(DetailOf(One, Smooth).EdgeEnergy, 1.4);
    EXPECT_GT(Likeness(One, BoxHalf(Near)), 0.99);
}

TEST(LauncherIcons, ArePaintedAtEachSizeFromTheMainIconsDrawing)
{
    const QImage Main = Stored(":/app/mainicon.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(Main.size(), QSize(48, 48));
    const int MainSteps = StrongestSteps(Main);
    for (int Px : {64, 128, 256}) {
        const QString File = QStringLiteral(ORVANTA_SOURCE_DIR "/packaging/icons/%1x%1/apps/org.orvanta.Orvanta.png").arg(Px);
        const QImage Icon(File);
        ASSERT_EQ(Icon.size(), QSize(Px, Px)) << File.toStdString();
        EXPECT_FALSE(Icon.hasAlphaChannel()) << Px;  // a full square, as MAINICON
        const QImage Enlarged = Main.scaled(Px, Px, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage Reduced = Icon.convertToFormat(QImage::Format_RGB32).scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GT(Likeness(Reduced, Main), 0.9) << Px;
        EXPECT_GE(StrongestSteps(Icon), MainSteps * 6 / 10) << Px;
        // the measure itself: MAINICON enlarged to this size falls short of it
        EXPECT_LT(StrongestSteps(Enlarged), MainSteps * 6 / 10) << Px;
    }
}

int main(int argc, char** argv)
{
    // a high-density screen, as the program sees one under QT_SCALE_FACTOR=2
    qputenv("QT_SCALE_FACTOR", "2");
    return RunTests(argc, argv);
}
