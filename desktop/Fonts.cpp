#include "desktop/Fonts.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

QStringList SansFamilies() { return QStringList(std::begin(SansFaces), std::end(SansFaces)); }

QStringList FamiliesFor(const QString& Name)
{
    // Aliases inside a family list are skipped, so the old names map to real faces here.
    static const QStringList Sans = {QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")};
    if (Name.isEmpty() || Sans.contains(Name, Qt::CaseInsensitive))
        return SansFamilies();
    return {Name, SansFamilies().back()};
}

int PointsToPixels(int Points)
{
    const QScreen* Screen = QGuiApplication::primaryScreen();
    const double Dpi = Screen ? Screen->logicalDotsPerInchY() : 96.0;
    return int(std::lround(Points * Dpi / 72.0));
}

QFont SansFont(int PixelHeight, bool Bold, bool Italic)
{
    QFont Font;
    Font.setFamilies(SansFamilies());
    Font.setPixelSize(PixelHeight);
    Font.setBold(Bold);
    Font.setItalic(Italic);
    Font.setHintingPreference(QFont::PreferFullHinting);
    return Font;
}
