#include "desktop/Resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <algorithm>

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

QImage LoadResourcePicture(const QString& Path)
{
    RegisterPictures();
    if (PictureScale() == 2) {
        const int Dot = Path.lastIndexOf(QLatin1Char('.'));
        QImage Sharp = DecodePicture(Path.left(Dot) + QStringLiteral("@2x") + Path.mid(Dot));
        if (!Sharp.isNull()) {
            Sharp.setDevicePixelRatio(2);
            return Sharp;
        }
    }
    return DecodePicture(Path);
}

// A picture with a colour table expanded to 32 bits a pixel: one table look-up per pixel,
// several times faster than Qt's general conversion. An opaque picture comes out as
// RGB32, the screen's own format, which Qt draws with a plain copy; ARGB32 would go through
// its general blending, which splits every card-sized paint across a pool of threads.
static QImage Expanded(const QImage& Compact)
{
    if (Compact.format() != QImage::Format_Indexed8)
        return Compact;
    const QList<QRgb> Table = Compact.colorTable();
    const bool Opaque = std::all_of(Table.begin(), Table.end(), [](QRgb C) { return qAlpha(C) == 255; });
    QImage Out(Compact.size(), Opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    Out.setDevicePixelRatio(Compact.devicePixelRatio());
    const int Width = Compact.width(), Height = Compact.height();
    for (int Y = 0; Y < Height; ++Y) {
        const uchar* In = Compact.constScanLine(Y);
        auto* Line = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        for (int X = 0; X < Width; ++X)
            Line[X] = Table[In[X]];
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
    static QList<QPair<QString, QImage>> Recent;  // most recent first
    constexpr int RecentCount = 4;
    for (int I = 0; I < Recent.size(); ++I) {
        if (Recent[I].first == Name) {
            Recent.move(I, 0);
            return Recent.first().second;
        }
    }
    auto Found = Compact.constFind(Name);
    if (Found == Compact.constEnd()) {
        const QImage Picture = LoadResourcePicture(QStringLiteral(":/cards/%1.png").arg(Name));
        // (From RGB32: Qt quantises any picture with an alpha channel to a fixed palette.)
        const QImage Small = Picture.convertToFormat(QImage::Format_RGB32)
                                 .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        const bool Exact = !Picture.isNull() && Expanded(Small).convertToFormat(QImage::Format_ARGB32) == Picture;
        Found = Compact.insert(Name, Exact ? Small : Picture);
    }
    Recent.prepend({Name, Expanded(*Found)});
    if (Recent.size() > RecentCount)
        Recent.removeLast();
    return Recent.first().second;
}
