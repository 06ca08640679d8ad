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

namespace {

int Fail(const QString& Message)
{
    std::fprintf(stderr, "orvanta-painter: %s\n", qPrintable(Message));
    return 1;
}

QImage Displayed(const TPicture& Pic)
{
    QImage Img = Pic.Image.convertToFormat(QImage::Format_ARGB32);
    // show the see-through colour, or a magenta key colour in the bottom-left corner,
    // as a checker so a stray key pixel stands out
    const bool MagentaKey = Pic.TransparentIndex < 0 && (Img.pixel(0, Img.height() - 1) & 0xFFFFFF) == 0xFF00FF;
    if (Pic.TransparentIndex < 0 && !MagentaKey)
        return Img;
    for (int Y = 0; Y < Img.height(); ++Y)
        for (int X = 0; X < Img.width(); ++X)
            if (MagentaKey ? (Img.pixel(X, Y) & 0xFFFFFF) == 0xFF00FF : Pic.Image.pixelIndex(X, Y) == Pic.TransparentIndex)
                Img.setPixel(X, Y, ((X / 3 + Y / 3) & 1) ? 0xFFB0B0B0 : 0xFFE0E0E0);
    return Img;
}

// Everything on one page for review: every picture at 1x at its own size, then the
// cards as painted at 2x.
QImage ContactSheet(const TPictures& Pics)
{
    constexpr int Width = 1500, Pad = 10, Label = 14, Title = 22;
    struct TItem { QImage Img; QString Name; QPoint At; };
    std::vector<TItem> Items;
    std::vector<std::pair<QString, int>> Titles;
    int X = Pad, Y = Pad, RowH = 0;
    auto Section = [&](const QString& Name, auto Wanted) {
        if (RowH)
            Y += RowH + Pad;
        Titles.push_back({Name, Y});
        Y += Title;
        X = Pad;
        RowH = 0;
        for (const TPicture& Pic : Pics) {
            if (!Wanted(Pic.Path))
                continue;
            const QImage Img = Displayed(Pic);
            const int W = std::max(Img.width(), 60);
            if (X + W > Width - Pad) {
                X = Pad;
                Y += RowH + Pad;
                RowH = 0;
            }
            Items.push_back({Img, QFileInfo(Pic.Path).completeBaseName(), QPoint(X, Y)});
            X += W + Pad;
            RowH = std::max(RowH, Img.height() + Label);
        }
    };
    Section("every picture at 1x", [](const QString& P) { return !P.contains('@'); });
    Section("the cards at 2x", [](const QString& P) { return P.startsWith("cards/") && P.contains("@2x"); });
    QImage Sheet(Width, Y + RowH + Pad, QImage::Format_RGB32);
    Sheet.fill(QColor(0x5A, 0x5E, 0x62));
    QPainter P(&Sheet);
    P.setPen(Qt::white);
    P.setFont(PixelFont({"Liberation Sans"}, 15, true));
    for (const auto& [Name, At] : Titles)
        P.drawText(QPoint(Pad, At + 15), Name);
    P.setFont(PixelFont({"Liberation Sans"}, 11));
    for (const TItem& It : Items) {
        P.drawImage(It.At, It.Img);
        P.drawText(It.At + QPoint(0, It.Img.height() + 11), It.Name);
    }
    return Sheet;
}

bool WriteQrc(const QString& Dir, const TPictures& Pics, QString* Error)
{
    QFile F(Dir + "/assets.qrc");
    if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *Error = F.errorString();
        return false;
    }
    QTextStream Out(&F);
    Out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const TPicture& Pic : Pics)
        Out << "  <file>" << Pic.Path << "</file>\n";
    Out << "</qresource>\n</RCC>\n";
    return true;
}

constexpr char Usage[] =
    "usage: orvanta-painter <assets-dir> [--scale N]... [--contact-sheet out.png] [--icons DIR]\n"
    "       orvanta-painter --review DIR";

// The launcher icons beyond MAINICON's own 48 pixels, in the hicolor theme's layout.
constexpr int IconSizes[] = {64, 128, 256};
constexpr char IconName[] = "org.orvanta.Orvanta";

QString ScaledPath(const QString& Path, int Scale)
{
    if (Scale == 1)
        return Path;
    const int Dot = Path.lastIndexOf('.');
    return Path.left(Dot) + QStringLiteral("@%1x").arg(Scale) + Path.mid(Dot);
}

bool WritePicture(const TPicture& Pic, const QString& File, QString* Error)
{
    if (!QDir().mkpath(QFileInfo(File).path())) {
        *Error = "cannot create the folder";
        return false;
    }
    switch (Pic.Store) {
    case TStore::Png: return WritePng(Pic.Image, File, Error);
    case TStore::Jpeg: return WriteJpeg(Pic.Image, File, 92, Error);
    case TStore::Gif: return WriteGif(Pic.Image, File, Pic.TransparentIndex, Error);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);

    QString Dir, SheetFile, IconDir;
    if (argc == 3 && QString(argv[1]) == "--review")
        return Review(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    QList<int> Scales;
    const QStringList Args = App.arguments();
    for (int I = 1; I < Args.size(); ++I) {
        if (Args[I] == "--scale" && I + 1 < Args.size()) {
            bool Ok = false;
            const int Scale = Args[++I].toInt(&Ok);
            if (!Ok || Scale < 1 || Scale > 8)
                return Fail("--scale takes a whole number from 1 to 8");
            if (!Scales.contains(Scale))
                Scales.append(Scale);
        } else if (Args[I] == "--contact-sheet" && I + 1 < Args.size()) {
            SheetFile = Args[++I];
        } else if (Args[I] == "--icons" && I + 1 < Args.size()) {
            IconDir = Args[++I];
        } else if (Dir.isEmpty() && !Args[I].startsWith("--")) {
            Dir = Args[I];
        } else {
            return Fail(Usage);
        }
    }
    if (Dir.isEmpty())
        return Fail(Usage);
    if (Scales.isEmpty())
        Scales = {1, 2};

    // one list per scale, in the same order, so the resource list keeps each set together
    TPictures Pics;
    for (int Scale : Scales) {
        TPictures Set;
        PaintCards(Scale, Set);
        PaintTable(Scale, Set);
        PaintPortraits(Scale, Set);
        for (TPicture& Pic : Set) {
            Pic.Path = ScaledPath(Pic.Path, Scale);
            Pics.push_back(std::move(Pic));
        }
    }

    QString Error;
    for (const TPicture& Pic : Pics) {
        const QString File = Dir + "/" + Pic.Path;
        if (!WritePicture(Pic, File, &Error))
            return Fail(File + ": " + Error);
    }
    if (!WriteQrc(Dir, Pics, &Error))
        return Fail("assets.qrc: " + Error);
    if (!IconDir.isEmpty())
        for (int Px : IconSizes) {
            const QString File = QStringLiteral("%1/%2x%2/apps/%3.png").arg(IconDir).arg(Px).arg(IconName);
            if (!WritePicture({File, PaintAppIcon(Px)}, File, &Error))
                return Fail(File + ": " + Error);
        }
    if (!SheetFile.isEmpty() && !WritePng(ContactSheet(Pics), SheetFile, &Error))
        return Fail(SheetFile + ": " + Error);
    std::printf("%d pictures written to %s\n", int(Pics.size()), qPrintable(Dir));
    return 0;
}
