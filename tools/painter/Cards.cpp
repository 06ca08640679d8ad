// Card faces, backs and jokers, 71 x 96, designed on the pixel grid of the 1x size.
#include "Painter.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int CardWidth = 71, CardHeight = 96;

// The sixteen inks every face is stored with.
enum TInk { White, Black, Dark, Grey, Light, Red, RedMid, RedPale, RedDark,
           Blue, BluePale, Gold, GoldDark, Skin, Navy, GoldPale };
const QList<QRgb> InkColours = {
    0xFFFFFFFF, 0xFF000000, 0xFF3A3A3A, 0xFF8C8C8C, 0xFFD4D4D4, 0xFFD0142C, 0xFFE57786, 0xFFF6C9CF,
    0xFF84101E, 0xFF2A44A8, 0xFF9AA8DC, 0xFFF3C531, 0xFFAD7A16, 0xFFF9DCC0, 0xFF16245E, 0xFFF8E6A6};
QColor Ink(TInk I) { return QColor::fromRgb(InkColours[I]); }

enum TSuit { Spades, Diamonds, Clubs, Hearts };
bool IsRed(TSuit S) { return S == Diamonds || S == Hearts; }
QColor SuitInk(TSuit S) { return IsRed(S) ? Ink(Red) : Ink(Black); }

using TBits = std::vector<const char*>;

QPainterPath SuitPath(TSuit S, const QRectF& R)
{
    auto P = [&R](double X, double Y) { return QPointF(R.left() + X * R.width(), R.top() + Y * R.height()); };
    QPainterPath Path;
    Path.setFillRule(Qt::WindingFill);
    switch (S) {
    case Hearts:
        return HeartPath(R);
    case Diamonds:
        Path.moveTo(P(0.5, 0.0));
        Path.quadTo(P(0.68, 0.28), P(0.93, 0.5));
        Path.quadTo(P(0.68, 0.72), P(0.5, 1.0));
        Path.quadTo(P(0.32, 0.72), P(0.07, 0.5));
        Path.quadTo(P(0.32, 0.28), P(0.5, 0.0));
        break;
    case Spades:
        return SpadePath(R);
    case Clubs: {
        // three lobes kept apart by clear notches, or small clubs read as spades
        const double Rr = 0.255 * R.width();
        for (QPointF C : {P(0.5, 0.25), P(0.235, 0.6), P(0.765, 0.6)})
            Path.addEllipse(C, Rr, Rr);
        Path.addEllipse(QRectF(P(0.43, 0.42), P(0.57, 0.66)));
        Path = Path.simplified(); // one outline, so the stem below cannot cancel a lobe
        QPainterPath Stem;
        Stem.moveTo(P(0.47, 0.6));
        Stem.quadTo(P(0.45, 0.9), P(0.28, 1.0));
        Stem.lineTo(P(0.72, 1.0));
        Stem.quadTo(P(0.55, 0.9), P(0.53, 0.6));
        Stem.closeSubpath();
        Path = Path.united(Stem);
        break;
    }
    }
    return Path;
}

void FillPath(QPainter& P, const QPainterPath& Path, QColor C)
{
    P.setPen(Qt::NoPen);
    P.setBrush(C);
    P.drawPath(Path);
}

// Turns the painter half a turn about the card's middle, pixel for pixel.
void Flip(QPainter& P)
{
    P.translate(CardWidth, CardHeight);
    P.rotate(180);
}

void DrawBlank(QPainter& P)
{
    P.fillRect(QRectF(0, 0, CardWidth, CardHeight), Ink(White));
    P.fillRect(QRectF(0, 0, CardWidth, 1), Ink(Dark));
    P.fillRect(QRectF(0, CardHeight - 1, CardWidth, 1), Ink(Dark));
    P.fillRect(QRectF(0, 0, 1, CardHeight), Ink(Dark));
    P.fillRect(QRectF(CardWidth - 1, 0, 1, CardHeight), Ink(Dark));
    for (QPointF C : {QPointF(0, 0), QPointF(CardWidth - 1, 0), QPointF(0, CardHeight - 1), QPointF(CardWidth - 1, CardHeight - 1)})
        P.fillRect(QRectF(C, QSizeF(1, 1)), Ink(Grey));
}

// The corner index: the value in bold type, its capitals 9 pixels high from y = 4, set
// with the font's hinting so that stems land on whole pixels, and the suit sign below.
void DrawIndexOnce(QPainter& P, TSuit S, int Value)
{
    const QFont Font = PixelFont({"Liberation Sans"}, 13, true);
    const QFontMetricsF M(Font);
    P.setFont(Font);
    P.setPen(SuitInk(S));
    const QString Text = Value == 1 ? "A" : Value == 11 ? "J" : Value == 12 ? "Q" : Value == 13 ? "K"
                                                                                   : QString::number(Value);
    if (Value == 10) {
        // the two figures set closer than the font does, each at its full width, in the
        // room left of the first pip column
        const QRectF One = M.tightBoundingRect("1"), Zero = M.tightBoundingRect("0");
        const double X1 = 2 - One.left(), X0 = 14.5 - Zero.right();
        P.drawText(QPointF(std::round(X1), 13), "1");
        P.drawText(QPointF(std::round(X0), 13), "0");
    } else {
        const QRectF Ink = M.tightBoundingRect(Text);
        P.drawText(QPointF(std::round(6.5 - Ink.width() / 2 - Ink.left()), 13), Text);
    }
    const bool Stem = S == Spades || S == Clubs;
    FillPath(P, SuitPath(S, QRectF(3, 15, 7, Stem ? 8 : 7)), SuitInk(S));
}

// Both corners from one drawing, the lower one turned pixel for pixel, so that the
// hinted type is the same either way up.
void DrawIndex(QPainter& P, int Scale, TSuit S, int Value)
{
    QImage Layer = MakeCanvas(CardWidth, CardHeight, Scale);
    QPainter Lp;
    BeginPaint(Lp, Layer, Scale);
    DrawIndexOnce(Lp, S, Value);
    Lp.end();
    P.drawImage(QRectF(0, 0, CardWidth, CardHeight), Layer);
    P.drawImage(QRectF(0, 0, CardWidth, CardHeight), Layer.mirrored(true, true));
}

// A pip in an 11 x 12 cell; pips in the lower half stand on their heads.
void DrawPip(QPainter& P, TSuit S, int Left, int Top)
{
    const QRectF Cell(Left, Top, 11, 12);
    P.save();
    if (Top > 42) {
        P.translate(Cell.center());
        P.rotate(180);
        P.translate(-Cell.center());
    }
    FillPath(P, SuitPath(S, Cell), SuitInk(S));
    P.restore();
}

void DrawPips(QPainter& P, TSuit S, int Value)
{
    constexpr int L = 16, C = 30, R = 44;
    std::vector<QPoint> At;
    auto Column = [&At](int X, std::initializer_list<int> Tops) {
        for (int T : Tops)
            At.push_back({X, T});
    };
    switch (Value) {
    case 2: Column(C, {11, 73}); break;
    case 3: Column(C, {11, 42, 73}); break;
    case 4: Column(L, {11, 73}); Column(R, {11, 73}); break;
    case 5: Column(L, {11, 73}); Column(R, {11, 73}); Column(C, {42}); break;
    case 6: Column(L, {11, 42, 73}); Column(R, {11, 42, 73}); break;
    case 7: Column(L, {11, 42, 73}); Column(R, {11, 42, 73}); Column(C, {26}); break;
    case 8: Column(L, {11, 42, 73}); Column(R, {11, 42, 73}); Column(C, {26, 58}); break;
    case 9: Column(L, {11, 32, 52, 73}); Column(R, {11, 32, 52, 73}); Column(C, {42}); break;
    case 10: Column(L, {11, 32, 52, 73}); Column(R, {11, 32, 52, 73}); Column(C, {21, 63}); break;
    }
    for (QPoint Pt : At)
        DrawPip(P, S, Pt.x(), Pt.y());
}

void DrawAce(QPainter& P, TSuit S)
{
    if (S == Spades) {
        // the ace of spades gets its traditional flourish: a large pip in a fine double
        // ring, with a small lozenge at each quarter of the outer one
        const QPointF C(35.5, 48.5);
        P.setBrush(Qt::NoBrush);
        P.setPen(QPen(Ink(Black), 1.4));
        P.drawEllipse(C, 21, 23);
        P.setPen(QPen(Ink(Grey), 1.1));
        P.drawEllipse(C, 18, 20);
        for (QPointF D : {QPointF(0, -23), QPointF(21, 0), QPointF(0, 23), QPointF(-21, 0)}) {
            // 2.2 across the ring, 2.6 along it
            const bool Side = D.x() != 0;
            P.setPen(QPen(Ink(White), 1.2)); // a gap in the rings round each lozenge
            P.setBrush(Ink(Black));
            P.drawPath(LozengePath(C + D, Side ? 2.2 : 2.6, Side ? 2.6 : 2.2));
        }
        FillPath(P, SuitPath(S, QRectF(21, 32, 29, 32)), Ink(Black));
        return;
    }
    FillPath(P, SuitPath(S, QRectF(20, 30, 31, 36)), SuitInk(S));
}

// ---- court cards -------------------------------------------------------------
//
// Twelve figures, each its own: a king, a queen and a jack per suit, told apart by dress,
// colours, what they hold and their faces. The upper half is drawn once and turned half a
// turn about the card's middle for the lower half; a slanted rule through the middle
// parts them, inside a frame that nothing crosses.

enum class THolds { Sword, Sceptre, Axe, Orb, Rose, Fan, Tulip, Halberd, Leaf, Banner, Arrow, StarSceptre };
enum class THat { KingCrown, HighCrown, Tiara, Coronet, Beret, Cap, Bonnet, BrimHat };
enum class TBeard { None, Full, Forked, Long, Moustache, Short };
enum class TPattern { Lozenges, Dots, Stripes, Chevrons, Plain };

struct TFigure {
    QColor Robe, Robe2, Hair, Metal, Extra; // extra: leaves, stems, jewels
    THat Hat;
    TBeard Beard;
    THolds Holds;
    TPattern Pattern;
    bool LongHair;
    bool LookLeft; // eyes turned towards what the figure holds
};

const QColor CourtOutline(0x00, 0x00, 0x00), CourtSkin(0xF7, 0xD4, 0xB4), CourtGold(0xE9, 0xB8, 0x2E);
const QColor CourtRed(0xD0, 0x14, 0x2C), CourtBlue(0x26, 0x3E, 0x9C), CourtGreen(0x2C, 0x7E, 0x3C), CourtPurple(0x6A, 0x3C, 0x9E);
const QColor CourtTeal(0x17, 0x6E, 0x78), CourtOrange(0xE0, 0x76, 0x1E), CourtSteel(0xB0, 0xBA, 0xC8);

TFigure FigureOf(TSuit S, int Value)
{
    switch (Value * 4 + S) {
    // kings
    case 13 * 4 + Spades: return {CourtBlue, CourtRed, QColor(0x3A, 0x2A, 0x22), CourtSteel, CourtGold, THat::KingCrown, TBeard::Forked, THolds::Sword, TPattern::Lozenges, false, false};
    case 13 * 4 + Hearts: return {CourtRed, CourtPurple, QColor(0xB4, 0x52, 0x1C), CourtGold, CourtSteel, THat::HighCrown, TBeard::Full, THolds::Sceptre, TPattern::Dots, false, true};
    case 13 * 4 + Diamonds: return {CourtGreen, CourtRed, QColor(0x6A, 0x42, 0x22), CourtSteel, CourtGold, THat::KingCrown, TBeard::Short, THolds::Axe, TPattern::Chevrons, false, false};
    case 13 * 4 + Clubs: return {CourtPurple, CourtBlue, QColor(0xD8, 0xD8, 0xDE), CourtGold, CourtRed, THat::HighCrown, TBeard::Long, THolds::Orb, TPattern::Stripes, false, true};
    // queens
    case 12 * 4 + Spades: return {CourtTeal, QColor(0x30, 0x2C, 0x48), QColor(0x26, 0x1C, 0x1C), CourtGold, CourtRed, THat::Coronet, TBeard::None, THolds::StarSceptre, TPattern::Lozenges, true, true};
    case 12 * 4 + Hearts: return {CourtRed, QColor(0xF2, 0x9C, 0xB0), QColor(0xD6, 0x8E, 0x2A), CourtGreen, CourtGold, THat::Tiara, TBeard::None, THolds::Rose, TPattern::Dots, true, false};
    case 12 * 4 + Diamonds: return {CourtGreen, CourtGold, QColor(0x8E, 0x34, 0x18), CourtRed, CourtSteel, THat::Coronet, TBeard::None, THolds::Fan, TPattern::Stripes, true, true};
    case 12 * 4 + Clubs: return {CourtBlue, CourtOrange, QColor(0x5C, 0x3A, 0x20), CourtGreen, QColor(0xF2, 0xD2, 0x30), THat::Tiara, TBeard::None, THolds::Tulip, TPattern::Chevrons, true, false};
    // jacks
    case 11 * 4 + Spades: return {CourtBlue, CourtGreen, QColor(0xC8, 0x8E, 0x3C), CourtSteel, CourtRed, THat::Beret, TBeard::None, THolds::Halberd, TPattern::Stripes, false, false};
    case 11 * 4 + Hearts: return {CourtRed, CourtGold, QColor(0x6A, 0x42, 0x22), CourtGreen, CourtBlue, THat::Cap, TBeard::Moustache, THolds::Leaf, TPattern::Lozenges, false, true};
    case 11 * 4 + Diamonds: return {CourtOrange, CourtGreen, QColor(0x26, 0x1C, 0x1C), CourtRed, CourtSteel, THat::Bonnet, TBeard::None, THolds::Banner, TPattern::Dots, false, false};
    default: return {CourtPurple, CourtRed, QColor(0xB4, 0x52, 0x1C), CourtSteel, QColor(0xF4, 0xF4, 0xF4), THat::BrimHat, TBeard::Moustache, THolds::Arrow, TPattern::Chevrons, true, true};
    }
}

QPainterPath Poly(std::initializer_list<QPointF> Pts)
{
    QPainterPath Path;
    bool First = true;
    for (QPointF Pt : Pts) {
        if (First)
            Path.moveTo(Pt);
        else
            Path.lineTo(Pt);
        First = false;
    }
    Path.closeSubpath();
    return Path;
}

QPainterPath Ellipse(QPointF C, double Rx, double Ry)
{
    QPainterPath Path;
    Path.addEllipse(C, Rx, Ry);
    return Path;
}

void Outlined(QPainter& P, const QPainterPath& Path, QColor Fill, double Pen = 0.7)
{
    P.setPen(QPen(CourtOutline, Pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Fill);
    P.drawPath(Path);
}

void Stroke(QPainter& P, const QPainterPath& Path, QColor C, double W)
{
    P.setPen(QPen(C, W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
    P.drawPath(Path);
}

QPainterPath Line(QPointF A, QPointF B)
{
    QPainterPath Path;
    Path.moveTo(A);
    Path.lineTo(B);
    return Path;
}

constexpr double MiddleX = 35.5;          // the card's middle
constexpr double HeadX = 34.5;       // the head a little off the middle, away from the held thing
const QRectF FigureFrame(12.5, 4.5, 46, 87); // the frame line's centre

// What a figure holds, in two parts: what lies behind the body, and what the hand grips
// in front of it.
void DrawHeld(QPainter& P, const TFigure& F, bool Front)
{
    const double Rx = MiddleX + 15, Lx = MiddleX - 14; // right- and left-hand columns
    switch (F.Holds) {
    case THolds::Sword:
        if (!Front) {
            // a tapered blade rising from the fist, with its fuller
            Outlined(P, Poly({{Rx - 1.3, 37}, {Rx - 1.3, 10}, {Rx, 6.5}, {Rx + 1.3, 10}, {Rx + 1.3, 37}}), F.Metal, 0.6);
            Stroke(P, Line({Rx, 11}, {Rx, 35}), InkColours[Dark], 0.4);
        } else {
            Outlined(P, Poly({{Rx - 5, 37}, {Rx + 5, 37}, {Rx + 5, 39}, {Rx - 5, 39}}), CourtGold, 0.6);
            Outlined(P, Ellipse({Rx, 41}, 2.6, 2.4), CourtSkin, 0.6);
            Outlined(P, Ellipse({Rx, 44.6}, 1.3, 1.2), CourtGold, 0.5);
        }
        break;
    case THolds::Sceptre:
    case THolds::StarSceptre:
        if (!Front) {
            Stroke(P, Line({Lx + 1, 44}, {Lx - 1, 12}), CourtOutline, 2.2);
            Stroke(P, Line({Lx + 1, 44}, {Lx - 1, 12}), CourtGold, 1.2);
            if (F.Holds == THolds::Sceptre) { // a lily at the head
                Outlined(P, Poly({{Lx - 1, 5.5}, {Lx + 0.6, 9}, {Lx - 1, 12.5}, {Lx - 2.6, 9}}), CourtGold, 0.6);
                Outlined(P, Poly({{Lx - 1.5, 11}, {Lx - 5.5, 8}, {Lx - 4.5, 12}, {Lx - 1.5, 13}}), CourtGold, 0.6);
                Outlined(P, Poly({{Lx - 0.5, 11}, {Lx + 3.5, 8}, {Lx + 2.5, 12}, {Lx - 0.5, 13}}), CourtGold, 0.6);
            } else {
                Outlined(P, StarPath({Lx - 1, 9.5}, 4.2, 2.6, 1.5), CourtGold, 0.6);
                Outlined(P, Ellipse({Lx - 1, 9.5}, 1.2, 1.2), F.Extra, 0.4);
            }
        } else {
            Outlined(P, Ellipse({Lx + 1, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Axe:
        if (!Front) {
            Stroke(P, Line({Rx + 1, 46}, {Rx - 2, 7}), CourtOutline, 2.4);
            Stroke(P, Line({Rx + 1, 46}, {Rx - 2, 7}), F.Hair, 1.4);
            QPainterPath Head;
            Head.moveTo(Rx - 2, 8);
            Head.quadTo(Rx + 5, 6, Rx + 8, 4.5);
            Head.quadTo(Rx + 6, 11, Rx + 8, 17.5);
            Head.quadTo(Rx + 4, 15, Rx - 1, 15);
            Head.closeSubpath();
            Outlined(P, Head, F.Metal, 0.6);
            Outlined(P, Poly({{Rx - 2.5, 9}, {Rx - 6, 11}, {Rx - 2, 13}}), F.Metal, 0.5);
        } else {
            Outlined(P, Ellipse({Rx, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Orb:
        if (Front) {
            Outlined(P, Ellipse({Lx + 1, 41}, 2.6, 2.3), CourtSkin, 0.6);
            Outlined(P, Ellipse({Lx + 1, 35.5}, 3.6, 3.6), CourtGold, 0.6);
            Stroke(P, Line({Lx - 2.6, 35.5}, {Lx + 4.6, 35.5}), F.Extra, 0.8);
            Stroke(P, Line({Lx + 1, 35.5}, {Lx + 1, 39}), F.Extra, 0.8);
            Outlined(P, Poly({{Lx + 0.4, 28.5}, {Lx + 1.6, 28.5}, {Lx + 1.6, 29.8}, {Lx + 3, 29.8}, {Lx + 3, 31},
                              {Lx + 1.6, 31}, {Lx + 1.6, 32.2}, {Lx + 0.4, 32.2}, {Lx + 0.4, 31}, {Lx - 1, 31},
                              {Lx - 1, 29.8}, {Lx + 0.4, 29.8}}), CourtGold, 0.4);
        }
        break;
    case THolds::Rose:
    case THolds::Tulip:
        if (!Front) {
            QPainterPath Stem;
            Stem.moveTo(Lx + 1, 44);
            Stem.cubicTo(Lx, 36, Lx - 3, 28, Lx - 2, 19);
            Stroke(P, Stem, CourtOutline, 1.8);
            Stroke(P, Stem, F.Metal, 0.9);
            QPainterPath Leaf;
            Leaf.moveTo(Lx - 1, 31);
            Leaf.quadTo(Lx - 7, 27, Lx - 8, 29.5);
            Leaf.quadTo(Lx - 5, 33, Lx - 1, 31);
            Outlined(P, Leaf, F.Metal, 0.5);
            if (F.Holds == THolds::Rose) {
                Outlined(P, Ellipse({Lx - 2, 16.5}, 4, 3.6), CourtRed, 0.6);
                Stroke(P, [&] { QPainterPath A; A.addEllipse(QPointF(Lx - 2, 16.2), 1.8, 1.5); return A; }(),
                       CourtOutline, 0.4);
                Outlined(P, Poly({{Lx - 5, 19.5}, {Lx - 2, 21}, {Lx + 1, 19.5}, {Lx - 2, 19.8}}), F.Metal, 0.4);
            } else {
                QPainterPath Bloom;
                Bloom.moveTo(Lx - 6, 12);
                Bloom.lineTo(Lx - 4, 15);
                Bloom.lineTo(Lx - 2, 11);
                Bloom.lineTo(Lx, 15);
                Bloom.lineTo(Lx + 2, 12);
                Bloom.quadTo(Lx + 2.5, 20, Lx - 2, 20.5);
                Bloom.quadTo(Lx - 6.5, 20, Lx - 6, 12);
                Outlined(P, Bloom, F.Extra, 0.6);
            }
        } else {
            Outlined(P, Ellipse({Lx + 1, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Fan:
        if (Front) {
            // a folded fan opened above the hand
            QPainterPath Fan;
            Fan.moveTo(Rx - 1, 40);
            Fan.arcTo(QRectF(Rx - 12, 29, 22, 22), 60, 80);
            Fan.closeSubpath();
            Outlined(P, Fan, F.Metal, 0.6);
            for (int K = 0; K < 5; ++K) {
                const double A = (62 + K * 19) * M_PI / 180;
                Stroke(P, Line({Rx - 1, 40}, {Rx - 1 + 10.5 * std::cos(A), 40 - 10.5 * std::sin(A)}), CourtGold, 0.6);
            }
            Outlined(P, Ellipse({Rx, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Halberd:
        if (!Front) {
            Stroke(P, Line({Rx, 47}, {Rx, 9}), CourtOutline, 2.2);
            Stroke(P, Line({Rx, 47}, {Rx, 9}), F.Hair, 1.2);
            QPainterPath Blade;
            Blade.moveTo(Rx, 10.5);
            Blade.lineTo(Rx + 6, 8.5);
            Blade.quadTo(Rx + 4.5, 13, Rx + 6, 17.5);
            Blade.lineTo(Rx, 15.5);
            Blade.closeSubpath();
            Outlined(P, Blade, F.Metal, 0.5);
            Outlined(P, Poly({{Rx, 11.5}, {Rx - 4, 13}, {Rx, 14.5}}), F.Metal, 0.5);
            Outlined(P, Poly({{Rx - 0.9, 10.5}, {Rx, 4.5}, {Rx + 0.9, 10.5}}), F.Metal, 0.5);
        } else {
            Outlined(P, Ellipse({Rx, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Leaf:
        if (!Front) {
            QPainterPath Leaf;
            Leaf.moveTo(Lx + 1, 42);
            Leaf.cubicTo(Lx - 8, 32, Lx - 6, 14, Lx - 2, 7);
            Leaf.cubicTo(Lx + 4, 16, Lx + 6, 32, Lx + 1, 42);
            Outlined(P, Leaf, F.Metal, 0.6);
            Stroke(P, [&] { QPainterPath V; V.moveTo(Lx + 1, 41); V.quadTo(Lx - 1.5, 24, Lx - 2, 9); return V; }(),
                   CourtOutline, 0.6);
            for (int K = 0; K < 4; ++K) {
                const double Y = 15 + K * 6;
                Stroke(P, Line({Lx - 1.4, Y + 1.5}, {Lx - 4.5, Y - 1}), CourtOutline, 0.5);
                Stroke(P, Line({Lx - 1.2, Y + 1.5}, {Lx + 2.2, Y - 1}), CourtOutline, 0.5);
            }
        } else {
            Outlined(P, Ellipse({Lx + 1, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Banner:
        if (!Front) {
            Stroke(P, Line({Rx, 47}, {Rx, 6}), CourtOutline, 2.2);
            Stroke(P, Line({Rx, 47}, {Rx, 6}), CourtGold, 1.2);
            QPainterPath Flag;
            Flag.moveTo(Rx - 0.5, 7);
            Flag.cubicTo(Rx - 5, 8, Rx - 9, 6, Rx - 12, 9);
            Flag.lineTo(Rx - 8, 12);
            Flag.lineTo(Rx - 12, 15.5);
            Flag.cubicTo(Rx - 9, 13.5, Rx - 5, 15, Rx - 0.5, 14);
            Flag.closeSubpath();
            Outlined(P, Flag, F.Metal, 0.6);
            Outlined(P, Ellipse({Rx, 5.5}, 1.3, 1.3), CourtGold, 0.5);
        } else {
            Outlined(P, Ellipse({Rx, 41}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    case THolds::Arrow:
        if (!Front) {
            Stroke(P, Line({Lx + 3, 46}, {Lx - 4, 9}), CourtOutline, 1.9);
            Stroke(P, Line({Lx + 3, 46}, {Lx - 4, 9}), F.Hair, 1.0);
            Outlined(P, Poly({{Lx - 4.6, 4.5}, {Lx - 2, 10.5}, {Lx - 6.5, 10}}), F.Metal, 0.5);
            for (double T : {0.0, 2.5})
                Outlined(P, Poly({{Lx + 1.6 + T * 0.2, 37.5 + T}, {Lx - 1.5 + T * 0.2, 40 + T}, {Lx + 2.2 + T * 0.2, 41 + T},
                                  {Lx + 4.5 + T * 0.2, 38.5 + T}}), F.Extra, 0.4);
        } else {
            Outlined(P, Ellipse({Lx + 1, 34}, 2.6, 2.4), CourtSkin, 0.6);
        }
        break;
    }
}

void DrawRobe(QPainter& P, const TFigure& F, int Value)
{
    const double Cx = HeadX;
    // shoulders filling the frame's width down to the middle
    const QPainterPath Body = Poly({{13, 49}, {13, 40}, {Cx - 13, 33}, {Cx - 5, 30}, {Cx + 5, 30}, {Cx + 13, 33},
                                    {58, 40}, {58, 49}});
    Outlined(P, Body, F.Robe);
    P.save();
    P.setClipPath(Body);
    // the second colour on one side, the figure's own pattern on the first
    P.setPen(Qt::NoPen);
    P.setBrush(F.Robe2);
    P.drawPath(Poly({{Cx + 1, 28}, {60, 28}, {60, 50}, {Cx + 1, 50}}));
    const QColor Mark = F.Pattern == TPattern::Plain ? F.Robe : CourtGold;
    P.setBrush(Mark);
    P.setPen(QPen(Mark, 0.8));
    for (int Row = 0; Row < 4; ++Row)
        for (int Col = 0; Col < 4; ++Col) {
            const double X = 16 + Col * 4.5 + (Row % 2) * 2.2, Y = 36 + Row * 4;
            switch (F.Pattern) {
            case TPattern::Lozenges:
                P.drawPath(Poly({{X, Y - 1.4}, {X + 1.1, Y}, {X, Y + 1.4}, {X - 1.1, Y}}));
                break;
            case TPattern::Dots:
                P.drawEllipse(QPointF(X, Y), 0.7, 0.7);
                break;
            case TPattern::Stripes:
                if (Row == 0 && Col < 3)
                    P.drawLine(QPointF(16 + Col * 5, 33), QPointF(16 + Col * 5 - 2, 50));
                break;
            case TPattern::Chevrons:
                if (Col == 0) {
                    P.setBrush(Qt::NoBrush);
                    P.drawPolyline(QPolygonF({{14, Y - 2}, {(Cx + 13) / 2 - 2, Y + 1}, {Cx, Y - 2}}));
                    P.setBrush(Mark);
                }
                break;
            case TPattern::Plain:
                break;
            }
        }
    P.restore();
    // the gold front of the robe, and a sash or chain by rank
    Outlined(P, Poly({{Cx - 2.2, 30}, {Cx + 2.2, 30}, {Cx + 2.8, 49}, {Cx - 2.8, 49}}), CourtGold, 0.6);
    P.setPen(Qt::NoPen);
    P.setBrush(CourtOutline);
    for (double Y = 34; Y < 48; Y += 4)
        P.drawEllipse(QPointF(Cx, Y), 0.6, 0.6);
    if (Value == 13) {
        // ermine collar over the shoulders
        Outlined(P, Poly({{Cx - 11, 31.5}, {Cx - 5, 29}, {Cx + 5, 29}, {Cx + 11, 31.5}, {Cx + 9, 35}, {Cx, 33.5}, {Cx - 9, 35}}), Qt::white, 0.6);
        P.setBrush(CourtOutline);
        for (double X : {Cx - 7, Cx - 3, Cx + 3, Cx + 7})
            P.drawRect(QRectF(X - 0.4, 31.2, 0.8, 1.4));
    } else if (Value == 12) {
        // a low neckline with a jewelled necklace
        Outlined(P, Poly({{Cx - 6, 29.5}, {Cx + 6, 29.5}, {Cx, 35}}), CourtSkin, 0.6);
        Stroke(P, [&] { QPainterPath N; N.moveTo(Cx - 5, 30.5); N.quadTo(Cx, 35, Cx + 5, 30.5); return N; }(), CourtGold, 0.9);
        P.setPen(Qt::NoPen);
        P.setBrush(F.Extra);
        P.drawEllipse(QPointF(Cx, 33), 0.9, 0.9);
    } else {
        // a plain white collar
        Outlined(P, Poly({{Cx - 7, 29.5}, {Cx + 7, 29.5}, {Cx + 5, 32.5}, {Cx, 31.5}, {Cx - 5, 32.5}}), Qt::white, 0.6);
    }
}

// Three stones set along a hat's band.
void DrawJewels(QPainter& P, QColor C, double Cx, double Spread, double Y)
{
    P.setPen(Qt::NoPen);
    P.setBrush(C);
    for (double X : {Cx - Spread, Cx, Cx + Spread})
        P.drawEllipse(QPointF(X, Y), 0.8, 0.8);
}

void DrawHead(QPainter& P, const TFigure& F, int Value)
{
    const double Cx = HeadX, Cy = 21.5;
    // hair behind the face: long for the queens and one jack, a bob for the others
    if (F.LongHair)
        Outlined(P, Poly({{Cx - 8.5, 15}, {Cx + 8.5, 15}, {Cx + 10, 30}, {Cx + 6, 33}, {Cx + 5, 26}, {Cx - 5, 26},
                          {Cx - 6, 33}, {Cx - 10, 30}}), F.Hair);
    else
        Outlined(P, Poly({{Cx - 7.6, 14}, {Cx + 7.6, 14}, {Cx + 8, 26}, {Cx - 8, 26}}), F.Hair);
    Outlined(P, Ellipse({Cx, Cy}, 6.6, 7.8), CourtSkin);
    // eyes: white, the pupil towards what the figure holds, a brow above
    const double Look = F.LookLeft ? -0.5 : 0.5;
    for (double Ex : {Cx - 2.7, Cx + 2.7}) {
        P.setPen(Qt::NoPen);
        P.setBrush(Qt::white);
        P.drawEllipse(QPointF(Ex, Cy - 0.8), 1.8, 1.1);
        P.setBrush(CourtOutline);
        P.drawEllipse(QPointF(Ex + Look, Cy - 0.8), 0.9, 1.0);
        Stroke(P, Line({Ex - 1.5, Cy - 2.9}, {Ex + 1.5, Cy - 3.1}), Value == 12 ? F.Hair : CourtOutline, 0.6);
    }
    // nose and mouth
    Stroke(P, [&] { QPainterPath N; N.moveTo(Cx + 0.2, Cy - 0.6); N.lineTo(Cx + 0.8, Cy + 2.2); N.lineTo(Cx - 0.4, Cy + 2.5); return N; }(),
           QColor(0, 0, 0, 70), 0.5);
    P.setPen(Qt::NoPen);
    P.setBrush(CourtRed);
    P.drawEllipse(QPointF(Cx, Cy + 4.4), Value == 12 ? 1.6 : 1.3, 0.6);
    // beards and moustaches
    switch (F.Beard) {
    case TBeard::Full:
        Outlined(P, [&] { QPainterPath B; B.moveTo(Cx - 6, 21); B.quadTo(Cx - 5, 25, Cx - 2, 25); B.lineTo(Cx + 2, 25);
                          B.quadTo(Cx + 5, 25, Cx + 6, 21); B.quadTo(Cx + 7, 31, Cx, 33); B.quadTo(Cx - 7, 31, Cx - 6, 21);
                          return B; }(), F.Hair, 0.6);
        break;
    case TBeard::Forked:
        Outlined(P, Poly({{Cx - 6, 21}, {Cx - 3, 25}, {Cx + 3, 25}, {Cx + 6, 21}, {Cx + 5, 29}, {Cx + 2.5, 34}, {Cx, 30},
                          {Cx - 2.5, 34}, {Cx - 5, 29}}), F.Hair, 0.6);
        break;
    case TBeard::Long:
        Outlined(P, [&] { QPainterPath B; B.moveTo(Cx - 6, 21); B.quadTo(Cx - 4, 25.5, Cx, 25.5); B.quadTo(Cx + 4, 25.5, Cx + 6, 21);
                          B.quadTo(Cx + 7, 33, Cx, 38); B.quadTo(Cx - 7, 33, Cx - 6, 21); return B; }(), F.Hair, 0.6);
        Stroke(P, Line({Cx - 1.5, 28}, {Cx - 1, 35}), CourtOutline, 0.3);
        Stroke(P, Line({Cx + 1.5, 28}, {Cx + 1, 35}), CourtOutline, 0.3);
        break;
    case TBeard::Short:
        Outlined(P, [&] { QPainterPath B; B.moveTo(Cx - 6, 22); B.quadTo(Cx - 4, 25.8, Cx, 25.8); B.quadTo(Cx + 4, 25.8, Cx + 6, 22);
                          B.quadTo(Cx + 5, 29.5, Cx, 30); B.quadTo(Cx - 5, 29.5, Cx - 6, 22); return B; }(), F.Hair, 0.6);
        break;
    case TBeard::Moustache:
    case TBeard::None:
        break;
    }
    if (F.Beard != TBeard::None) { // moustache over the mouth
        P.setPen(Qt::NoPen);
        P.setBrush(F.Hair);
        P.drawPath(Poly({{Cx - 3.6, Cy + 4.2}, {Cx, Cy + 2.9}, {Cx + 3.6, Cy + 4.2}, {Cx, Cy + 3.9}}));
        P.setBrush(CourtRed);
        P.drawEllipse(QPointF(Cx, Cy + 4.9), 1.1, 0.5);
    }
    // hair on the brow
    Outlined(P, [&] { QPainterPath H; H.moveTo(Cx - 6.3, 19); H.quadTo(Cx - 5, 14, Cx, 14); H.quadTo(Cx + 5, 14, Cx + 6.3, 19);
                      H.quadTo(Cx + 2, 16.5, Cx - 1, 17.2); H.quadTo(Cx - 4, 17.5, Cx - 6.3, 19); return H; }(), F.Hair, 0.5);

    // headwear
    switch (F.Hat) {
    case THat::KingCrown:
        Outlined(P, Poly({{Cx - 8, 15.5}, {Cx - 8, 7}, {Cx - 5, 11}, {Cx - 2.5, 6}, {Cx, 10}, {Cx + 2.5, 6},
                          {Cx + 5, 11}, {Cx + 8, 7}, {Cx + 8, 15.5}}), CourtGold);
        P.setPen(Qt::NoPen);
        P.setBrush(F.Robe2);
        P.drawEllipse(QPointF(Cx, 13.5), 1.2, 1.2);
        P.setBrush(F.Robe);
        P.drawEllipse(QPointF(Cx - 5, 13.5), 0.9, 0.9);
        P.drawEllipse(QPointF(Cx + 5, 13.5), 0.9, 0.9);
        break;
    case THat::HighCrown:
        Outlined(P, [&] { QPainterPath C; C.moveTo(Cx - 7.5, 15.5); C.lineTo(Cx - 8, 9); C.quadTo(Cx - 4, 5.5, Cx, 5.5);
                          C.quadTo(Cx + 4, 5.5, Cx + 8, 9); C.lineTo(Cx + 7.5, 15.5); C.closeSubpath(); return C; }(), F.Robe2);
        Outlined(P, Poly({{Cx - 8.2, 12}, {Cx + 8.2, 12}, {Cx + 8, 15.8}, {Cx - 8, 15.8}}), CourtGold, 0.6);
        Stroke(P, Line({Cx, 6}, {Cx, 12}), CourtGold, 1.1);
        Outlined(P, Ellipse({Cx, 6.2}, 1.3, 1.3), CourtGold, 0.5);
        P.setPen(Qt::NoPen);
        P.setBrush(F.Extra);
        P.drawEllipse(QPointF(Cx, 13.9), 1, 1);
        break;
    case THat::Tiara:
        Outlined(P, Poly({{Cx - 6.5, 15.5}, {Cx - 6, 11.5}, {Cx - 3, 13}, {Cx, 8.5}, {Cx + 3, 13}, {Cx + 6, 11.5}, {Cx + 6.5, 15.5}}), CourtGold, 0.6);
        P.setPen(Qt::NoPen);
        P.setBrush(F.Extra);
        P.drawEllipse(QPointF(Cx, 12.5), 1, 1.1);
        break;
    case THat::Coronet:
        Outlined(P, Poly({{Cx - 7, 15.5}, {Cx - 7, 10.5}, {Cx - 4.5, 12.5}, {Cx - 2.3, 9}, {Cx, 11.5}, {Cx + 2.3, 9},
                          {Cx + 4.5, 12.5}, {Cx + 7, 10.5}, {Cx + 7, 15.5}}), CourtGold, 0.6);
        DrawJewels(P, F.Robe, Cx, 4.5, 14.2);
        break;
    case THat::Beret:
        Outlined(P, Ellipse({Cx + 1, 12.5}, 10, 3.8), F.Robe2);
        Outlined(P, Poly({{Cx - 7, 14.5}, {Cx + 7, 14.5}, {Cx + 7, 16.5}, {Cx - 7, 16.5}}), CourtGold, 0.6);
        Outlined(P, [&] { QPainterPath Q; Q.moveTo(Cx + 5, 11); Q.cubicTo(Cx + 11, 4, Cx + 16, 6, Cx + 17, 9);
                          Q.cubicTo(Cx + 13, 8, Cx + 9, 9, Cx + 5, 13); return Q; }(), Qt::white, 0.5);
        break;
    case THat::Cap:
        Outlined(P, [&] { QPainterPath C; C.moveTo(Cx - 7.5, 15.5); C.quadTo(Cx - 7, 7, Cx + 1, 7); C.quadTo(Cx + 8, 7.5, Cx + 8, 15.5);
                          C.closeSubpath(); return C; }(), F.Robe);
        Outlined(P, Poly({{Cx - 9, 14}, {Cx + 9, 14}, {Cx + 9, 16.6}, {Cx - 9, 16.6}}), F.Robe2, 0.6);
        Outlined(P, Ellipse({Cx + 1, 6.8}, 1.5, 1.5), F.Robe2, 0.5);
        break;
    case THat::Bonnet:
        Outlined(P, Poly({{Cx - 8, 16}, {Cx - 6, 8}, {Cx + 7, 6}, {Cx + 8, 16}}), F.Robe2);
        Outlined(P, Poly({{Cx - 8.5, 13.5}, {Cx + 8.5, 13.5}, {Cx + 8.5, 16.5}, {Cx - 8.5, 16.5}}), CourtGold, 0.6);
        DrawJewels(P, F.Metal, Cx, 4, 15);
        break;
    case THat::BrimHat:
        Outlined(P, [&] { QPainterPath C; C.moveTo(Cx - 6, 15); C.quadTo(Cx - 5, 6.5, Cx + 1, 6.5); C.quadTo(Cx + 6, 6.5, Cx + 6.5, 15);
                          C.closeSubpath(); return C; }(), F.Robe2);
        Outlined(P, [&] { QPainterPath B; B.moveTo(Cx - 11, 14); B.quadTo(Cx, 18.5, Cx + 11, 12); B.lineTo(Cx + 10.5, 15.5);
                          B.quadTo(Cx, 20, Cx - 10.5, 16.5); B.closeSubpath(); return B; }(), F.Robe, 0.6);
        Outlined(P, [&] { QPainterPath Q; Q.moveTo(Cx - 4, 10); Q.cubicTo(Cx - 9, 4, Cx - 14, 5, Cx - 15, 8.5);
                          Q.cubicTo(Cx - 11, 7, Cx - 8, 8, Cx - 4, 12); return Q; }(), F.Extra, 0.5);
        break;
    }
}

bool HoldsRight(const TFigure& F)
{
    return F.Holds == THolds::Sword || F.Holds == THolds::Axe || F.Holds == THolds::Halberd || F.Holds == THolds::Banner ||
           F.Holds == THolds::Fan;
}

// The sleeve of the arm that holds, reaching to the hand.
void DrawArms(QPainter& P, const TFigure& F)
{
    const double Cx = HeadX;
    const bool Right = HoldsRight(F);
    const QPointF Hand = Right ? QPointF(MiddleX + 15, 41) : QPointF(MiddleX - 13, F.Holds == THolds::Arrow ? 34 : 41);
    for (int Side : {-1, 1}) {
        const bool Holding = (Side > 0) == Right;
        if (!Holding)
            continue;
        const QPointF Shoulder(Cx + Side * 11, 33);
        const QPointF End = Hand;
        const QPointF Elbow((Shoulder.x() + End.x()) / 2 + Side * 3, (Shoulder.y() + End.y()) / 2 + 3);
        QPainterPath Sleeve;
        Sleeve.moveTo(Shoulder + QPointF(-Side * 3, -1.5));
        Sleeve.quadTo(Shoulder + QPointF(Side * 4, -1), Elbow + QPointF(Side * 2.5, 0));
        Sleeve.lineTo(End + QPointF(Side * 1.5, 2.6));
        Sleeve.lineTo(End + QPointF(-Side * 1.5, -2.6));
        Sleeve.quadTo(Elbow + QPointF(-Side * 3, -1), Shoulder + QPointF(-Side * 5, 3));
        Sleeve.closeSubpath();
        Outlined(P, Sleeve, Side > 0 ? F.Robe : F.Robe2, 0.6);
        // a gold cuff at the wrist
        Stroke(P, Line(End + QPointF(Side * 2.8, 1.4), End + QPointF(-Side * 0.6, -3.4)), CourtOutline, 2.2);
        Stroke(P, Line(End + QPointF(Side * 2.8, 1.4), End + QPointF(-Side * 0.6, -3.4)), CourtGold, 1.2);
    }
}

void DrawHalfFigure(QPainter& P, TSuit S, int Value)
{
    const TFigure F = FigureOf(S, Value);
    DrawHeld(P, F, false);
    DrawRobe(P, F, Value);
    DrawArms(P, F);
    P.save();
    // the head a size larger than the body's drawing, growing upwards from the neck
    P.translate(HeadX, 31);
    P.scale(1.04, 1.04);
    P.translate(-HeadX, -31);
    DrawHead(P, F, Value);
    P.restore();
    DrawHeld(P, F, true);
    // the suit's sign in the frame's upper corner, away from the held thing
    const double Sx = HoldsRight(F) ? 15.5 : 48.5;
    const bool Stem = S == Spades || S == Clubs;
    FillPath(P, SuitPath(S, QRectF(Sx, 6, 7, Stem ? 8 : 7)), SuitInk(S));
}

void DrawCourt(QPainter& P, TSuit S, int Value)
{
    // the two halves meet on a slanted line through the middle
    const QRectF Inside = FigureFrame.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath Upper;
    Upper.addPolygon(QPolygonF({Inside.topLeft(), Inside.topRight(), {Inside.right(), 46.5}, {Inside.left(), 49.5}}));
    Upper.closeSubpath();
    for (int Turn = 0; Turn < 2; ++Turn) {
        P.save();
        if (Turn)
            Flip(P);
        P.setClipPath(Upper);
        DrawHalfFigure(P, S, Value);
        P.restore();
    }
    Stroke(P, Line({Inside.left(), 49.5}, {Inside.right(), 46.5}), SuitInk(S), 0.9);
    P.setPen(QPen(SuitInk(S), 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(FigureFrame);
}

QList<QRgb> CourtInks(TSuit S, int Value)
{
    const TFigure F = FigureOf(S, Value);
    QList<QRgb> Inks = {InkColours[White], CourtOutline.rgb(), InkColours[Dark], SuitInk(S).rgb(), CourtSkin.rgb(), CourtGold.rgb(),
                        F.Robe.rgb(), F.Robe2.rgb(), F.Hair.rgb(), F.Metal.rgb()};
    if (IsRed(S) || F.Robe == CourtRed || F.Robe2 == CourtRed)
        Inks.append(CourtRed.rgb()); // lips, jewels
    if (F.Holds == THolds::Rose || F.Holds == THolds::Tulip || F.Holds == THolds::StarSceptre || F.Holds == THolds::Orb ||
        F.Holds == THolds::Arrow)
        Inks.append(F.Extra.rgb());
    return Inks;
}

QImage PaintFace(int Scale, TSuit S, int Value)
{
    QImage Img = MakeCanvas(CardWidth, CardHeight, Scale, Qt::white);
    QPainter P;
    BeginPaint(P, Img, Scale);
    DrawBlank(P);
    if (Value == 1)
        DrawAce(P, S);
    else if (Value <= 10)
        DrawPips(P, S, Value);
    else
        DrawCourt(P, S, Value);
    DrawIndex(P, Scale, S, Value);
    P.end();
    if (Value > 10)
        return ToIndexed(Img, EdgePalette(Img, CourtInks(S, Value), 16));
    // white, the border's greys and the suit's ink; the rest of the sixteen are the
    // blends that the edges of pips and index need
    const QList<QRgb> Inks = {InkColours[White], InkColours[Dark], InkColours[Grey], SuitInk(S).rgb()};
    return ToIndexed(Img, EdgePalette(Img, Inks, 16));
}

// ---- backs ------------------------------------------------------------------

struct TBackInks {
    QColor Outline, Border, Line, Field, Lattice, Deep, Emblem, EmblemDark, EmblemLight;
    QColor EmblemFrame; // the inner line of the inlaid frame
    QColor Disc;        // the ground of the emblem
};

void DrawEmblem(QPainter& P, const TBackInks& K)
{
    const QPointF C(35.5, 48);
    P.setPen(QPen(K.EmblemDark, 1));
    P.setBrush(K.Disc);
    P.drawEllipse(C, 15.5, 15.5);
    P.setPen(QPen(K.Emblem, 2));
    P.setBrush(Qt::NoBrush);
    P.drawEllipse(C, 13, 13);
    // eight-pointed star, long points on the axes
    const QPainterPath Star = StarPath(C, 11, 7.5, 3.6);
    P.setPen(QPen(K.EmblemDark, 0.8));
    P.setBrush(K.Emblem);
    P.drawPath(Star);
    P.setPen(Qt::NoPen);
    P.setBrush(K.EmblemLight);
    P.drawEllipse(C, 2.2, 2.2);
}

QImage PaintBackCanvas(int Scale, const TBackInks& K, bool Fold)
{
    QImage Img = MakeCanvas(CardWidth, CardHeight, Scale, K.Border);
    QPainter P;
    BeginPaint(P, Img, Scale);
    P.fillRect(QRectF(0, 0, CardWidth, CardHeight), K.Border);
    // the folded back carries its word in a band of the border across the top of the
    // field: the inlaid frame below starts from the band's edge
    const double Top = Fold ? 22 : 6;
    P.fillRect(QRectF(5, Top - 1, CardWidth - 10, CardHeight - Top - 4), K.Line);
    const QRectF Field(6, Top, CardWidth - 12, CardHeight - 6 - Top);
    P.fillRect(Field, K.Field);
    P.save();
    P.setClipRect(Field);
    // diamond lattice, dotted where the threads cross
    P.setPen(QPen(K.Lattice, 1));
    for (int D = -96; D < 96 + 71; D += 6) {
        P.drawLine(QPointF(D + 0.5, 0), QPointF(D + 96.5, 96));
        P.drawLine(QPointF(D + 0.5, 96), QPointF(D + 96.5, 0));
    }
    P.restore();
    // a plain frame between lattice and border makes the field look inlaid
    P.setBrush(Qt::NoBrush);
    auto Frame = [&](double Inset) {
        QPainterPath Path;
        const double T = Fold ? Top : Top + Inset, B = CardHeight - 6 - Inset, L = 6 + Inset, R = CardWidth - 6 - Inset;
        Path.moveTo(L, T);
        Path.lineTo(L, B);
        Path.lineTo(R, B);
        Path.lineTo(R, T);
        if (!Fold)
            Path.closeSubpath();
        return Path;
    };
    P.setPen(QPen(K.Deep, 1));
    P.drawPath(Frame(2.5));
    P.setPen(QPen(K.EmblemFrame, 1));
    P.drawPath(Frame(3.5));
    DrawEmblem(P, K);
    if (Fold) {
        P.fillRect(QRectF(5, Top - 1, CardWidth - 10, 1), K.Line);
        P.setPen(Qt::NoPen);
        P.setBrush(K.Line);
        for (double X : {10.5, CardWidth - 10.5}) // small studs at the band's ends
            P.drawEllipse(QPointF(X, 13.5), 1.6, 1.6);
        QPainterPath Word;
        const QFont F = PixelFont({"Liberation Sans"}, 12, true);
        Word.addText(0, 0, F, "FOLD");
        const QRectF B = Word.boundingRect();
        Word.translate(CardWidth / 2.0 - B.center().x(), 13.5 - B.center().y());
        P.setBrush(K.Outline);
        P.drawPath(Word);
    }
    P.setPen(QPen(K.Outline, 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(QRectF(0.5, 0.5, CardWidth - 1, CardHeight - 1));
    P.setRenderHint(QPainter::Antialiasing, false);
    for (QPointF C : {QPointF(0, 0), QPointF(CardWidth - 1, 0), QPointF(0, CardHeight - 1), QPointF(CardWidth - 1, CardHeight - 1)})
        P.fillRect(QRectF(C, QSizeF(1, 1)), K.Line);
    P.end();
    return Img;
}

// ---- jokers -----------------------------------------------------------------

TBits JokerLetter(char C)
{
    switch (C) {
    case 'J': return {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."};
    case 'O': return {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    case 'K': return {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
    case 'E': return {"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
    default: return {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    }
}

QImage PaintJoker(int Scale, bool Colour)
{
    QImage Img = MakeCanvas(CardWidth, CardHeight, Scale, Qt::white);
    QPainter P;
    BeginPaint(P, Img, Scale);
    DrawBlank(P);
    const QColor Line = Colour ? Ink(Dark) : QColor(Qt::black);
    auto Tone = [&](TInk C, bool Dark) { return Colour ? Ink(C) : (Dark ? QColor(Qt::black) : QColor(Qt::white)); };
    for (int Turn = 0; Turn < 2; ++Turn) {
        P.save();
        if (Turn)
            Flip(P);
        int Y = 4;
        for (char C : QByteArray("JOKER")) {
            DrawBits(P, 4, Y, JokerLetter(C), Colour ? Ink(Red) : QColor(Qt::black));
            Y += 9;
        }
        P.restore();
    }
    const double Cx = 35.5;
    auto Pen = [&](double W) { P.setPen(QPen(Line, W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); };
    // three-pointed cap with bells
    const QColor CapA = Tone(Red, true), CapB = Tone(Blue, false), CapC = Tone(Gold, true);
    struct TFlap { QPointF Tip; QColor Fill; };
    const TFlap Flaps[] = {{{Cx - 20, 30}, CapA}, {{Cx + 20, 30}, CapC}, {{Cx, 14}, CapB}};
    for (const TFlap& F : Flaps) {
        QPainterPath Path;
        Path.moveTo(Cx - 10, 43);
        Path.quadTo(QPointF((Cx + F.Tip.x()) / 2 - 4, F.Tip.y() + 2), F.Tip);
        Path.quadTo(QPointF((Cx + F.Tip.x()) / 2 + 4, F.Tip.y() + 8), QPointF(Cx + 10, 43));
        Path.closeSubpath();
        Pen(1);
        P.setBrush(F.Fill);
        P.drawPath(Path);
        P.setBrush(Tone(GoldPale, false));
        P.drawEllipse(F.Tip, 2.6, 2.6);
    }
    // face
    Pen(1);
    P.setBrush(Tone(Skin, false));
    P.drawEllipse(QRectF(Cx - 9, 40, 18, 20));
    P.setBrush(Line);
    P.setPen(Qt::NoPen);
    P.drawEllipse(QPointF(Cx - 3.5, 47.5), 1.3, 1.3);
    P.drawEllipse(QPointF(Cx + 3.5, 47.5), 1.3, 1.3);
    P.setBrush(Tone(Red, true));
    P.drawEllipse(QPointF(Cx, 51.5), 1.8, 1.6);
    Pen(1);
    P.setBrush(Qt::NoBrush);
    P.drawArc(QRectF(Cx - 5, 49, 10, 7), 200 * 16, 140 * 16);
    // band of the cap
    P.setBrush(Tone(Gold, false));
    P.drawRoundedRect(QRectF(Cx - 11, 39.5, 22, 4), 1.5, 1.5);
    // ruff collar
    for (int I = 0; I < 7; ++I) {
        const double X = Cx - 15 + I * 5;
        P.setBrush(I % 2 ? Tone(Red, false) : Tone(BluePale, false));
        P.drawEllipse(QRectF(X - 3, 58, 7, 6));
    }
    // body in a harlequin pattern
    QPainterPath Body = Poly({{Cx - 15, 63}, {Cx + 15, 63}, {Cx + 19, 85}, {Cx - 19, 85}});
    P.setBrush(Tone(Blue, false));
    P.drawPath(Body);
    P.save();
    P.setClipPath(Body);
    P.setBrush(Tone(Red, true));
    for (int Row = 0; Row < 3; ++Row)
        for (int Col = -3; Col <= 3; ++Col)
            if ((Row + Col) % 2 == 0)
                P.drawPath(Poly({{Cx + Col * 8, 63.0 + Row * 8}, {Cx + Col * 8 + 4, 67.0 + Row * 8},
                                 {Cx + Col * 8, 71.0 + Row * 8}, {Cx + Col * 8 - 4, 67.0 + Row * 8}}));
    P.restore();
    // a small star each side of the cap
    P.setBrush(Tone(Gold, true));
    for (QPointF C : {QPointF(17, 16), QPointF(54, 80)}) {
        QPainterPath Star;
        for (int I = 0; I < 10; ++I) {
            const double A = I * M_PI / 5 - M_PI / 2, R = I % 2 ? 1.7 : 4.2;
            const QPointF Pt(C.x() + R * std::cos(A), C.y() + R * std::sin(A));
            I ? Star.lineTo(Pt) : Star.moveTo(Pt);
        }
        Star.closeSubpath();
        Pen(0.7);
        P.drawPath(Star);
    }
    P.end();
    return Img;
}

} // namespace

void PaintCards(int Scale, TPictures& Out)
{
    const struct { TSuit Suit; char Letter; } Suits[] = {{Spades, 'S'}, {Diamonds, 'D'}, {Clubs, 'C'}, {Hearts, 'H'}};
    for (auto [Suit, Letter] : Suits)
        for (int V = 1; V <= 13; ++V)
            Out.push_back({QStringLiteral("cards/%1%2.png").arg(Letter).arg(V), PaintFace(Scale, Suit, V)});

    // grey inks carry a faint blue cast; an all-grey palette would be stored as a grey PNG.
    // Both backs carry the same gold emblem.
    const QColor Gold(0xF2, 0xC6, 0x4A), GoldDark(0x8A, 0x5E, 0x10), GoldLight(0xFF, 0xF2, 0xB8);
    const TBackInks Grey{QColor(0x2E, 0x31, 0x36), QColor(0xD3, 0xD6, 0xDB), QColor(0x8E, 0x92, 0x98),
                        QColor(0x6A, 0x6E, 0x75), QColor(0x80, 0x84, 0x8A), QColor(0x4E, 0x52, 0x58),
                        Gold, GoldDark, GoldLight, QColor(0xB4, 0xB8, 0xBE), QColor(0x3A, 0x3D, 0x43)};
    const TBackInks Blue{QColor(0x12, 0x22, 0x4C), QColor(0xB9, 0xD4, 0xF4), QColor(0x5C, 0x86, 0xC8),
                        QColor(0x1E, 0x4C, 0xA4), QColor(0x3C, 0x6E, 0xC6), QColor(0x13, 0x32, 0x74),
                        Gold, GoldDark, GoldLight, Gold, QColor(0x13, 0x32, 0x74)};
    const QImage Bk0 = PaintBackCanvas(Scale, Grey, true);
    const QList<QRgb> Bk0Inks = {Grey.Outline.rgb(), Grey.Border.rgb(), Grey.Line.rgb(), Grey.Field.rgb(),
                                 Grey.Lattice.rgb(), Grey.Deep.rgb(), Gold.rgb(), GoldDark.rgb(), GoldLight.rgb(),
                                 Grey.EmblemFrame.rgb(), Grey.Disc.rgb()};
    Out.push_back({"cards/BK0.png", ToIndexed(Bk0, EdgePalette(Bk0, Bk0Inks, 16))});
    const QImage Bk1 = PaintBackCanvas(Scale, Blue, false);
    Out.push_back({"cards/BK1.png", ToIndexed(Bk1, MedianCut(Bk1, 256))});
    const QImage J1 = PaintJoker(Scale, true);
    Out.push_back({"cards/J1.png", ToIndexed(J1, MedianCut(J1, 256))});
    Out.push_back({"cards/J2.png", ToMono(PaintJoker(Scale, false))});
}
