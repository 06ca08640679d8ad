#include "desktop/Resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QCache>
#include <QHash>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"

// The pictures are compiled into the static library; registering them here makes the
// linker keep them in every program that loads a picture. (Outside any namespace, as
// the registration requires.)
static void RegisterPictures()
{
    static const bool Registered = [] {
        Q_INIT_RESOURCE(assets);
        return true;
    }();
    Q_UNUSED(Registered);
}

int PictureScale()
{
    const qreal Ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return Ratio > 1.0 ? 2 : 1;
}

static QImage DecodePicture(const QString& Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    const QByteArray Data = File.readAll();
    if (Path.endsWith(QLatin1String(".jpg")))
        return DecodeJpeg(Data).Image;
    if (Path.endsWith(QLatin1String(".gif")))
        return DecodeGif(Data).Image;
    return QImage::fromData(Data, "PNG").convertToFormat(QImage::Format_ARGB32);
}

static QString SharpPath(const QString& Path)
{
    const int Dot = Path.lastIndexOf(QLatin1Char('.'));
    return Path.left(Dot) + QStringLiteral("@2x") + Path.mid(Dot);
}

QImage LoadResourcePicture(const QString& Path)
{
    RegisterPictures();
    if (PictureScale() == 2) {
        QImage Sharp = DecodePicture(SharpPath(Path));
        if (!Sharp.isNull()) {
            Sharp.setDevicePixelRatio(2);
            return Sharp;
        }
    }
    return DecodePicture(Path);
}

QSize ResourcePictureSize(const QString& Path)
{
    RegisterPictures();
    const bool Sharp = PictureScale() == 2 && QFile::exists(SharpPath(Path));
    QFile File(Sharp ? SharpPath(Path) : Path);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    QSize Size;
    if (Path.endsWith(QLatin1String(".jpg"))) {
        Size = JpegSize(File.readAll());
    } else if (Path.endsWith(QLatin1String(".gif"))) {
        // The logical screen, which our decoder makes the picture's size, little-endian.
        const QByteArray Head = File.read(10);
        const auto* B = reinterpret_cast<const uchar*>(Head.constData());
        if (Head.size() >= 10 && Head.startsWith("GIF"))
            Size = QSize(qFromLittleEndian<quint16>(B + 6), qFromLittleEndian<quint16>(B + 8));
    } else {
        Size = QImageReader(&File, "png").size();
    }
    if (Size.isEmpty())
        return {};
    return Sharp ? (QSizeF(Size) / 2).toSize() : Size;
}

namespace {
// One axis of Qt's nearest-neighbour scaling of a whole picture (qt_scale_image_32bit in
// its raster engine): 16.16 fixed-point steps from the middle of the first pixel, with
// the last pixel left out (black) where its rounding would step past the picture. Kept to
// exactly, so that the table looks as it did when Qt scaled the decoded picture.
struct TScaleAxis
{
    quint32 First = 0;
    int Step = 0;
    int Count = 0;  // target pixels filled

    TScaleAxis(int From, int To)
    {
        const double Scale = From / double(To);
        Step = int(0x00010000 * Scale);
        First = quint32(int(std::ceil(0.5 * Scale * 65536)) - 1);
        Count = To;
        if (int((First + quint32(Step * (Count - 1))) >> 16) >= From)
            --Count;
    }
};
}

QImage LoadResourcePictureScaled(const QString& Path, QSize Pixels)
{
    RegisterPictures();
    if (!Path.endsWith(QLatin1String(".jpg")) || Pixels.isEmpty())
        return {};
    QFile File(PictureScale() == 2 && QFile::exists(SharpPath(Path)) ? SharpPath(Path) : Path);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    QImage Out;
    TScaleAxis Across(1, 1), Down(1, 1);
    int Next = 0;  // the next target row
    quint32 From = 0;  // its source row, 16.16
    const QString Error = DecodeJpegRows(
        File.readAll(),
        [&](QSize Size) {
            Across = TScaleAxis(Size.width(), Pixels.width());
            Down = TScaleAxis(Size.height(), Pixels.height());
            From = Down.First;
            Out = QImage(Pixels, QImage::Format_RGB32);
            Out.fill(0);
            return !Out.isNull();
        },
        [&](int Y, const QRgb* Row) {
            for (; Next < Down.Count && int(From >> 16) == Y; ++Next, From += Down.Step) {
                auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Next));
                quint32 X = Across.First;
                for (int I = 0; I < Across.Count; ++I, X += Across.Step)
                    Line[I] = Row[X >> 16];
            }
        });
    return Error.isEmpty() ? Out : QImage();
}

// A picture with a colour table expanded to 32 bits a pixel: one table look-up per pixel,
// several times faster than Qt's general conversion. An opaque picture comes out as
// RGB32, the screen's own format, which Qt draws with a plain copy; ARGB32 would go through
// its general blending, which splits every card-sized paint across a pool of threads.
static QImage Expanded(const QImage& Compact)
{
    if (Compact.format() != QImage::Format_Indexed8)
        return Compact;
    const QList<QRgb> Colours = Compact.colorTable();
    const bool Opaque = std::all_of(Colours.begin(), Colours.end(), [](QRgb C) { return qAlpha(C) == 255; });
    QImage Out(Compact.size(), Opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    Out.setDevicePixelRatio(Compact.devicePixelRatio());
    const int Width = Compact.width(), Height = Compact.height();
    for (int Y = 0; Y < Height; ++Y) {
        const uchar* In = Compact.constScanLine(Y);
        auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        for (int X = 0; X < Width; ++X)
            Line[X] = Colours[In[X]];
    }
    return Out;
}

QImage LoadNamedBitmap(const QString& Name)
{
    // Decoded once per name: a card paints often and the pictures never change. A card
    // has few colours, so it is kept with a colour table whenever that holds every pixel
    // exactly, a quarter of the memory (1 MB less once every card has been seen); the few
    // pictures painted last are also kept whole, since a move in the fanned pile repaints
    // the strips of twenty cards, nearly all showing the same back.
    static QHash<QString, QImage> Compact;
    static QCache<QString, QImage> Recent(4);  // the least recently used goes first
    if (const QImage* Whole = Recent.object(Name))
        return *Whole;
    auto Found = Compact.constFind(Name);
    if (Found == Compact.constEnd()) {
        const QImage Picture = LoadResourcePicture(QStringLiteral(":/cards/%1.png").arg(Name));
        // (From RGB32: Qt quantises any picture with an alpha channel to a fixed palette.)
        const QImage Small = Picture.convertToFormat(QImage::Format_RGB32)
                                 .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        const bool Exact = !Picture.isNull() && Expanded(Small).convertToFormat(QImage::Format_ARGB32) == Picture;
        Found = Compact.insert(Name, Exact ? Small : Picture);
    }
    auto* Whole = new QImage(Expanded(*Found));
    const QImage Out = *Whole;
    Recent.insert(Name, Whole);
    return Out;
}
