#pragma once

#include <QPainterPath>

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <vector>

enum class TStore { Png, Jpeg, Gif };

// One finished picture, already in the pixel format it is stored in.
struct TPicture {
    QString Path;              // below the assets dir, also the resource path
    QImage Image;
    TStore Store = TStore::Png;
    int TransparentIndex = -1; // GIF only
};
using TPictures = std::vector<TPicture>;

// Everything is drawn in 1x coordinates; the canvas is `Scale` times larger and the
// painter carries the scale, so a 2x set needs no second drawing.
QImage MakeCanvas(int W, int H, int Scale, QColor Fill = Qt::transparent);
void BeginPaint(QPainter& P, QImage& Canvas, int Scale);

// Pixel art: '#' (or `On`) marks a 1x1 cell.
void DrawBits(QPainter& P, int X, int Y, const std::vector<const char*>& Rows, QColor C, char On = '#');

// A small stable hash for textures, so that every run gives the same bytes.
int Noise(int X, int Y, int Seed);
void AddNoise(QImage& Img, const QRect& Area, int Amplitude, int Seed);

// Hard-edged cut-outs for pictures whose see-through colour is a key colour: pixels
// under half coverage become the key, the rest are blended over `Edge`.
QImage KeyOut(const QImage& Subject, QColor Edge, QColor Key);

QList<QRgb> MedianCut(const QImage& Img, int MaxColours, QRgb Skip = 0, bool UseSkip = false);
// A palette of the given inks plus the blends between two of them (in eighths) that
// serve the picture's anti-aliased edges best, up to MaxColours entries.
QList<QRgb> EdgePalette(const QImage& Img, const QList<QRgb>& Inks, int MaxColours);
QImage ToIndexed(const QImage& Img, const QList<QRgb>& Palette);
QImage ToMono(const QImage& Img);

// Shapes shared by the cards, the card backs, the felt and the icon: a heart and a spade
// filling R, and an eight-pointed star with its long points on the axes.
QPainterPath HeartPath(const QRectF& R);
QPainterPath SpadePath(const QRectF& R);
// A diamond: the four points Rx to each side and Ry above and below the centre.
QPainterPath LozengePath(QPointF Centre, double Rx, double Ry);
QPainterPath StarPath(QPointF Centre, double LongRadius, double MidRadius, double ShortRadius);

QFont PixelFont(const QStringList& Families, int Px, bool Bold = false, bool Italic = false);

void PaintCards(int Scale, TPictures& Out);
// Pieces of the table and card set that --review measures.
QImage PaintTableBackground(int Scale);
QImage PaintSheetPlaque(int Scale, bool Ornaments);
QImage PaintButtonSkin(int Scale, int Look); // 0 normal, 1 pressed, 2 disabled
struct TTableLayout {
    QList<QRectF> ButtonColumns; // in panel pixels
    QList<QLineF> CornerLines;   // the drawn pieces of the lines from the oval to the corners
};
TTableLayout TableLayout();
// Measures the pictures against what the table draws on them and writes previews.
bool Review(const QString& Dir);
void PaintTable(int Scale, TPictures& Out);
void PaintPortraits(int Scale, TPictures& Out);
// The application icon, square, at any size in pixels (48 is the 1x "MAINICON").
QImage PaintAppIcon(int Px);

bool WritePng(const QImage& Img, const QString& File, QString* Error);
bool WriteJpeg(const QImage& Img, const QString& File, int Quality, QString* Error);
bool WriteGif(const QImage& Indexed, const QString& File, int TransparentIndex, QString* Error);
