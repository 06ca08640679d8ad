#include <gtest/gtest.h>

#include "desktop/Resources.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "support/ResourceBytes.h"
#include "support/TableFixture.h"
#include "desktop/Image.h"

namespace {
int CountColour(const QImage& Picture, QRgb Colour, const QRect& Box)
{
    int Count = 0;
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X)
            Count += (Picture.pixel(X, Y) & 0xFFFFFF) == (Colour & 0xFFFFFF);
    return Count;
}

bool IsRed(QRgb C) { return qRed(C) > 150 && qGreen(C) < 90 && qBlue(C) < 90; }
bool IsDark(QRgb C) { return qRed(C) < 80 && qGreen(C) < 80 && qBlue(C) < 80; }
}

TEST(Assets, EveryCardPictureExistsAtCardSizeWithinItsColours)
{
    const char Suits[] = {'S', 'D', 'C', 'H'};
    for (char Suit : Suits)
        for (int V = 1; V <= 13; ++V) {
            const QString Name = QStringLiteral("%1%2").arg(QLatin1Char(Suit)).arg(V);
            EXPECT_EQ(LoadNamedBitmap(Name).size(), QSize(71, 96)) << Name.toStdString();
            EXPECT_LE(StoredColours(":/cards/" + Name + ".png"), 16) << Name.toStdString();
        }
    const struct
    {
        const char* Name;
        int MaxColours;
    } Others[] = {{"BK0", 16}, {"BK1", 256}, {"J1", 256}, {"J2", 2}};
    for (const auto& O : Others) {
        EXPECT_EQ(LoadNamedBitmap(O.Name).size(), QSize(71, 96)) << O.Name;
        EXPECT_LE(StoredColours(QStringLiteral(":/cards/%1.png").arg(O.Name)), O.MaxColours) << O.Name;
    }
    EXPECT_TRUE(LoadNamedBitmap("BK2").isNull());
}

TEST(Assets, FacesShowTheirIndexInOppositeCornersInTheSuitsColour)
{
    for (const char* Name : {"H1", "D7", "S12", "C10"}) {
        const QImage Face = LoadNamedBitmap(Name);
        const bool Red = Name[0] == 'H' || Name[0] == 'D';
        auto Inks = [&](const QRect& Box) {
            int Count = 0;
            for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
                for (int X = Box.left(); X <= Box.right(); ++X)
                    Count += Red ? IsRed(Face.pixel(X, Y)) : IsDark(Face.pixel(X, Y));
            return Count;
        };
        // The index sits in the top-left corner and, upside down, in the bottom-right one.
        EXPECT_GT(Inks({2, 2, 11, 20}), 12) << Name;
        EXPECT_GT(Inks({58, 74, 11, 20}), 12) << Name;
        // The card itself is white inside a thin dark border.
        EXPECT_TRUE(IsDark(Face.pixel(0, 48)) || qGray(Face.pixel(0, 48)) < 160) << Name;
        EXPECT_GT(qGray(Face.pixel(3, 48)), 230) << Name;
    }
}

TEST(Assets, WindowPicturesDecodeThroughOurDecoders)
{
    const struct
    {
        const char* Path;
        QSize Size;
    } Jpegs[] = {{":/table/background.jpg", {833, 625}}, {":/table/sheet.jpg", {273, 176}}, {":/table/rules.jpg", {433, 325}}};
    for (const auto& J : Jpegs) {
        const TDecoded Decoded = DecodeJpeg(ResourceBytes(J.Path));
        ASSERT_TRUE(Decoded.Ok()) << J.Path << ": " << Decoded.Error.toStdString();
        EXPECT_EQ(Decoded.Image.size(), J.Size) << J.Path;
    }

    const QByteArray Rose = ResourceBytes(":/table/rose.gif");
    EXPECT_TRUE(Rose.startsWith("GIF89a"));
    EXPECT_FALSE(Rose.contains("NETSCAPE2.0"));  // no looping
    const TDecoded Marker = DecodeGif(Rose);
    ASSERT_TRUE(Marker.Ok()) << Marker.Error.toStdString();
    EXPECT_EQ(Marker.Image.size(), QSize(24, 24));
    EXPECT_EQ(Marker.TransparentIndex, 80);
    EXPECT_EQ(qAlpha(Marker.Image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(Marker.Image.pixel(0, 23)), 0);
    int RosePetals = 0, Leaves = 0;
    for (int Y = 0; Y < 24; ++Y)
        for (int X = 0; X < 24; ++X) {
            const QRgb C = Marker.Image.pixel(X, Y);
            if (qAlpha(C) == 0)
                continue;
            RosePetals += IsRed(C);
            Leaves += qGreen(C) > qRed(C) + 30 && qGreen(C) > qBlue(C) + 30;
        }
    EXPECT_GT(RosePetals, 15);
    EXPECT_GT(Leaves, 10);

    for (const char* Portrait : {"user", "jack", "jim", "kate"})
        EXPECT_EQ(LoadResourcePicture(QStringLiteral(":/table/portrait_%1.png").arg(Portrait)).size(), QSize(40, 40));
    EXPECT_EQ(LoadResourcePicture(":/app/mainicon.png").size(), QSize(48, 48));
}

TEST(Assets, SeeThroughColoursOccurOnlyAroundThePictures)
{
    const QImage Token = LoadResourcePicture(":/table/token.png");
    ASSERT_EQ(Token.size(), QSize(24, 23));
    EXPECT_LE(StoredColours(":/table/token.png"), 256);
    EXPECT_EQ(Token.pixel(0, 22) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(CountColour(Token, 0xFF00FF, {8, 8, 8, 7}), 0);  // the coin's middle

    for (int I = 0; I <= 2; ++I) {
        const QImage Skin = LoadResourcePicture(QStringLiteral(":/table/skin%1.png").arg(I));
        ASSERT_EQ(Skin.size(), QSize(100, 32));
        const QRgb Key = Skin.pixel(0, 31) & 0xFFFFFF;
        for (QRgb Caption : {0xFFFF00u, 0x00FF00u, 0xFFFFFFu})
            EXPECT_NE(Key, Caption);
        EXPECT_EQ(CountColour(Skin, Key, {12, 2, 76, 28}), 0) << I;
    }
    for (int I = 0; I <= 9; ++I) {
        const QImage Digit = LoadResourcePicture(QStringLiteral(":/table/digit%1.png").arg(I));
        ASSERT_EQ(Digit.size(), QSize(14, 16));
        int Opaque = 0, White = 0;
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 14; ++X) {
                const QRgb C = Digit.pixel(X, Y);
                Opaque += qAlpha(C) >= 128;
                White += qAlpha(C) >= 128 && (C & 0xFFFFFF) == 0xFFFFFF;
            }
        EXPECT_GT(Opaque, 15) << I;
        EXPECT_EQ(White, 0) << I;
        EXPECT_EQ(qAlpha(Digit.pixel(0, 15)), 0) << I;
    }
}

using AssetsOnTable = TTableTest;

TEST_F(AssetsOnTable, TokensShowAsDesigned)
{
    // The token's magenta never reaches the screen.
    Named("UserToken")->show();
    Named("JackToken")->show();
    const QImage Panel = GrabPanel();
    EXPECT_EQ(CountColour(Panel, 0xFF00FF, Named("UserToken")->geometry()), 0);
    EXPECT_EQ(CountColour(Panel, 0xFF00FF, Named("JackToken")->geometry()), 0);
    // ... and the coin itself does.
    const QPoint Middle = Named("UserToken")->geometry().center();
    EXPECT_EQ(Panel.pixel(Middle), Named("UserToken")->Picture().pixel(Middle - Named("UserToken")->pos()));
}
