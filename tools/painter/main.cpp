// orvanta-painter: paints every picture of the game from code and writes them with
// the resource list. By default it paints the 1x set and, beside it, the 2x set that
// high-density screens load (NAME@2x.EXT).
//   orvanta-painter <assets-dir> [--scale N]... [--contact-sheet out.png] [--icons DIR]
//   orvanta-painter --review DIR   measures captions, sheet and table; previews into DIR
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
    // show the see-through colour, or a magenta key colour in the bottom-left corner,
    // as a checker so a stray key pixel stands out
    const bool magentaKey = pic.transparentIndex < 0 && (img.pixel(0, img.height() - 1) & 0xFFFFFF) == 0xFF00FF;
    if (pic.transparentIndex < 0 && !magentaKey)
        return img;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (magentaKey ? (img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF : pic.image.pixelIndex(x, y) == pic.transparentIndex)
                img.setPixel(x, y, ((x / 3 + y / 3) & 1) ? 0xFFB0B0B0 : 0xFFE0E0E0);
    return img;
}

// Everything on one page for review: every picture at 1x at its own size, then the
// cards as painted at 2x.
QImage contactSheet(const Pictures& pics)
{
    constexpr int width = 1500, pad = 10, label = 14, title = 22;
    struct Item { QImage img; QString name; QPoint at; };
    std::vector<Item> items;
    std::vector<std::pair<QString, int>> titles;
    int x = pad, y = pad, rowH = 0;
    auto section = [&](const QString& name, auto wanted) {
        if (rowH)
            y += rowH + pad;
        titles.push_back({name, y});
        y += title;
        x = pad;
        rowH = 0;
        for (const Picture& pic : pics) {
            if (!wanted(pic.path))
                continue;
            const QImage img = displayed(pic);
            const int w = std::max(img.width(), 60);
            if (x + w > width - pad) {
                x = pad;
                y += rowH + pad;
                rowH = 0;
            }
            items.push_back({img, QFileInfo(pic.path).completeBaseName(), QPoint(x, y)});
            x += w + pad;
            rowH = std::max(rowH, img.height() + label);
        }
    };
    section("every picture at 1x", [](const QString& p) { return !p.contains('@'); });
    section("the cards at 2x", [](const QString& p) { return p.startsWith("cards/") && p.contains("@2x"); });
    QImage sheet(width, y + rowH + pad, QImage::Format_RGB32);
    sheet.fill(QColor(0x5A, 0x5E, 0x62));
    QPainter p(&sheet);
    p.setPen(Qt::white);
    p.setFont(pixelFont({"Liberation Sans"}, 15, true));
    for (const auto& [name, at] : titles)
        p.drawText(QPoint(pad, at + 15), name);
    p.setFont(pixelFont({"Liberation Sans"}, 11));
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

constexpr char kUsage[] =
    "usage: orvanta-painter <assets-dir> [--scale N]... [--contact-sheet out.png] [--icons DIR]\n"
    "       orvanta-painter --review DIR";

// The launcher icons beyond MAINICON's own 48 pixels, in the hicolor theme's layout.
constexpr int kIconSizes[] = {64, 128, 256};
constexpr char kIconName[] = "org.orvanta.Orvanta";

QString scaledPath(const QString& path, int scale)
{
    if (scale == 1)
        return path;
    const int dot = path.lastIndexOf('.');
    return path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot);
}

bool writePicture(const Picture& pic, const QString& file, QString* error)
{
    if (!QDir().mkpath(QFileInfo(file).path())) {
        *error = "cannot create the folder";
        return false;
    }
    switch (pic.store) {
    case Store::Png: return writePng(pic.image, file, error);
    case Store::Jpeg: return writeJpeg(pic.image, file, 92, error);
    case Store::Gif: return writeGif(pic.image, file, pic.transparentIndex, error);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString dir, sheetFile, iconDir;
    if (argc == 3 && QString(argv[1]) == "--review")
        return review(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    QList<int> scales;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--scale" && i + 1 < args.size()) {
            bool ok = false;
            const int scale = args[++i].toInt(&ok);
            if (!ok || scale < 1 || scale > 8)
                return fail("--scale takes a whole number from 1 to 8");
            if (!scales.contains(scale))
                scales.append(scale);
        } else if (args[i] == "--contact-sheet" && i + 1 < args.size()) {
            sheetFile = args[++i];
        } else if (args[i] == "--icons" && i + 1 < args.size()) {
            iconDir = args[++i];
        } else if (dir.isEmpty() && !args[i].startsWith("--")) {
            dir = args[i];
        } else {
            return fail(kUsage);
        }
    }
    if (dir.isEmpty())
        return fail(kUsage);
    if (scales.isEmpty())
        scales = {1, 2};

    // one list per scale, in the same order, so the resource list keeps each set together
    Pictures pics;
    for (int scale : scales) {
        Pictures set;
        paintCards(scale, set);
        paintTable(scale, set);
        paintPortraits(scale, set);
        for (Picture& pic : set) {
            pic.path = scaledPath(pic.path, scale);
            pics.push_back(std::move(pic));
        }
    }

    QString error;
    for (const Picture& pic : pics) {
        const QString file = dir + "/" + pic.path;
        if (!writePicture(pic, file, &error))
            return fail(file + ": " + error);
    }
    if (!writeQrc(dir, pics, &error))
        return fail("assets.qrc: " + error);
    if (!iconDir.isEmpty())
        for (int px : kIconSizes) {
            const QString file = QStringLiteral("%1/%2x%2/apps/%3.png").arg(iconDir).arg(px).arg(kIconName);
            if (!writePicture({file, paintAppIcon(px)}, file, &error))
                return fail(file + ": " + error);
        }
    if (!sheetFile.isEmpty() && !writePng(contactSheet(pics), sheetFile, &error))
        return fail(sheetFile + ": " + error);
    std::printf("%d pictures written to %s\n", int(pics.size()), qPrintable(dir));
    return 0;
}
