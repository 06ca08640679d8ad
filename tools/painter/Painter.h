#pragma once

#include <QPainterPath>

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <vector>

namespace painter {

enum class Store { Png, Jpeg, Gif };

// One finished picture, already in the pixel format it is stored in.
struct Picture {
    QString path;              // below the assets dir, also the resource path
    QImage image;
    Store store = Store::Png;
    int transparentIndex = -1; // GIF only
};
using Pictures = std::vector<Picture>;

// Everything is drawn in 1x coordinates; the canvas is `scale` times larger and the
// painter carries the scale, so a 2x set needs no second drawing.
QImage makeCanvas(int w, int h, int scale, QColor fill = Qt::transparent);
void beginPaint(QPainter& p, QImage& canvas, int scale);

// Pixel art: '#' (or `on`) marks a 1x1 cell.
void drawBits(QPainter& p, int x, int y, const std::vector<const char*>& rows, QColor c, char on = '#');

// A small stable hash for textures, so that every run gives the same bytes.
int noise(int x, int y, int seed);
void addNoise(QImage& img, const QRect& area, int amplitude, int seed);

// Hard-edged cut-outs for pictures whose see-through colour is a key colour: pixels
// under half coverage become the key, the rest are blended over `edge`.
QImage keyOut(const QImage& subject, QColor edge, QColor key);

QList<QRgb> medianCut(const QImage& img, int maxColours, QRgb skip = 0, bool useSkip = false);
// A palette of the given inks plus the blends between two of them (in eighths) that
// serve the picture's anti-aliased edges best, up to maxColours entries.
QList<QRgb> edgePalette(const QImage& img, const QList<QRgb>& inks, int maxColours);
QImage toIndexed(const QImage& img, const QList<QRgb>& palette);
QImage toMono(const QImage& img);

// Shapes shared by the cards, the card backs, the felt and the icon: a heart and a spade
// filling r, and an eight-pointed star with its long points on the axes.
QPainterPath heartPath(const QRectF& r);
QPainterPath spadePath(const QRectF& r);
// A diamond: the four points rx to each side and ry above and below the centre.
QPainterPath lozengePath(QPointF centre, double rx, double ry);
QPainterPath starPath(QPointF centre, double longRadius, double midRadius, double shortRadius);

QFont pixelFont(const QStringList& families, int px, bool bold = false, bool italic = false);

void paintCards(int scale, Pictures& out);
// Pieces of the table and card set that --review measures.
QImage paintTableBackground(int scale);
QImage paintSheetPlaque(int scale, bool ornaments);
QImage paintButtonSkin(int scale, int look); // 0 normal, 1 pressed, 2 disabled
struct TableLayout {
    QList<QRectF> buttonColumns; // in panel pixels
    QList<QLineF> cornerLines;   // the drawn pieces of the lines from the oval to the corners
};
TableLayout tableLayout();
// Measures the pictures against what the table draws on them and writes previews.
bool review(const QString& dir);
void paintTable(int scale, Pictures& out);
void paintPortraits(int scale, Pictures& out);
// The application icon, square, at any size in pixels (48 is the 1x "MAINICON").
QImage paintAppIcon(int px);

bool writePng(const QImage& img, const QString& file, QString* error);
bool writeJpeg(const QImage& img, const QString& file, int quality, QString* error);
bool writeGif(const QImage& indexed, const QString& file, int transparentIndex, QString* error);

} // namespace painter
