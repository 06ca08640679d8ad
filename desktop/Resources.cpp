#include "desktop/Resources.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>

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

QImage LoadNamedBitmap(const QString& Name)
{
    // Decoded once per name: a card paints often and the pictures never change.
    static QHash<QString, QImage> Cache;
    auto Found = Cache.constFind(Name);
    if (Found != Cache.constEnd())
        return *Found;
    const QImage Picture = LoadResourcePicture(QStringLiteral(":/cards/%1.png").arg(Name));
    Cache.insert(Name, Picture);
    return Picture;
}
