// orvanta-painter: paints every picture of the game from code and writes them with
// the resource list.  orvanta-painter <assets-dir> [--scale N] [--contact-sheet out.png]
#include "Painter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

using namespace painter;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "orvanta-painter: %s\n", qPrintable(message));
    return 1;
}

QImage displayed(const Picture& pic)
{
    QImage img = pic.image.convertToFormat(QImage::Format_ARGB32);
    if (pic.transparentIndex >= 0) {
        // show the see-through colour as a checker so a stray key pixel stands out
        const QImage idx = pic.image;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (idx.pixelIndex(x, y) == pic.transparentIndex)
                    img.setPixel(x, y, ((x / 3 + y / 3) & 1) ? 0xFFB0B0B0 : 0xFFE0E0E0);
    }
    return img;
}

// Everything on one page for review: small pictures are shown enlarged as well.
QImage contactSheet(const Pictures& pics)
{
    constexpr int width = 1500, pad = 10, label = 14;
    struct Item { QImage img; QString name; QPoint at; };
    std::vector<Item> items;
    int x = pad, y = pad, rowH = 0;
    for (const Picture& pic : pics) {
        QImage img = displayed(pic);
        const int zoom = img.width() <= 110 && img.height() <= 110 ? 2 : 1;
        if (zoom > 1)
            img = img.scaled(img.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const int w = std::max(img.width(), 90);
        if (x + w > width - pad) {
            x = pad;
            y += rowH + pad;
            rowH = 0;
        }
        items.push_back({img, QFileInfo(pic.path).completeBaseName(), QPoint(x, y)});
        x += w + pad;
        rowH = std::max(rowH, img.height() + label);
    }
    QImage sheet(width, y + rowH + pad, QImage::Format_RGB32);
    sheet.fill(QColor(0x5A, 0x5E, 0x62));
    QPainter p(&sheet);
    p.setFont(pixelFont({"Liberation Sans"}, 11));
    p.setPen(Qt::white);
    for (const Item& it : items) {
        p.drawImage(it.at, it.img);
        p.drawText(it.at + QPoint(0, it.img.height() + 11), it.name);
    }
    return sheet;
}

bool writeQrc(const QString& dir, const Pictures& pics, QString* error)
{
    QFile f(dir + "/assets.qrc");
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = f.errorString();
        return false;
    }
    QTextStream out(&f);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const Picture& pic : pics)
        out << "  <file>" << pic.path << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString dir, sheetFile;
    int scale = 1;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--scale" && i + 1 < args.size()) {
            bool ok = false;
            scale = args[++i].toInt(&ok);
            if (!ok || scale < 1 || scale > 8)
                return fail("--scale takes a whole number from 1 to 8");
        } else if (args[i] == "--contact-sheet" && i + 1 < args.size()) {
            sheetFile = args[++i];
        } else if (dir.isEmpty() && !args[i].startsWith("--")) {
            dir = args[i];
        } else {
            return fail("usage: orvanta-painter <assets-dir> [--scale N] [--contact-sheet out.png]");
        }
    }
    if (dir.isEmpty())
        return fail("usage: orvanta-painter <assets-dir> [--scale N] [--contact-sheet out.png]");

    Pictures pics;
    paintCards(scale, pics);
    paintTable(scale, pics);
    paintPortraits(scale, pics);

    QString error;
    for (const Picture& pic : pics) {
        const QString file = dir + "/" + pic.path;
        if (!QDir().mkpath(QFileInfo(file).path()))
            return fail("cannot create the folder of " + file);
        bool ok = false;
        switch (pic.store) {
        case Store::Png: ok = writePng(pic.image, file, &error); break;
        case Store::Jpeg: ok = writeJpeg(pic.image, file, 92, &error); break;
        case Store::Gif: ok = writeGif(pic.image, file, pic.transparentIndex, &error); break;
        }
        if (!ok)
            return fail(file + ": " + error);
    }
    if (!writeQrc(dir, pics, &error))
        return fail("assets.qrc: " + error);
    if (!sheetFile.isEmpty() && !writePng(contactSheet(pics), sheetFile, &error))
        return fail(sheetFile + ": " + error);
    std::printf("%d pictures written to %s\n", int(pics.size()), qPrintable(dir));
    return 0;
}
