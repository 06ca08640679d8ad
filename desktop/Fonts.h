#pragma once

#include <QFont>
#include <QStringList>

// The faces every machine that built the program has (installed with it): a Latin face
// first, which sets the metrics, then a Chinese face for the glyphs it lacks. The painter
// writes the table's texts on its previews in the same faces.
inline constexpr const char* SansFaces[] = {"Liberation Sans", "Noto Sans CJK SC"};
QStringList SansFamilies();

// The faces that stand in here for a face named by the old toolkit: "Arial" and
// "MS Sans Serif" map to SansFamilies(); any other installed face is used as named, with
// the Chinese face behind it for the glyphs it lacks.
QStringList FamiliesFor(const QString& Name);

// Points to pixels at the screen's pixels per inch, rounded to the nearest pixel.
int PointsToPixels(int Points);

// A sans font of the given pixel height and style.
QFont SansFont(int PixelHeight, bool Bold = false, bool Italic = false);
