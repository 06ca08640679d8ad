// Card faces, backs and jokers, 71 x 96, designed on the pixel grid of the 1x size.
#include "Painter.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>

namespace painter {
namespace {

constexpr int W = 71, H = 96;

// The sixteen inks every face is stored with.
enum Ink { White, Black, Dark, Grey, Light, Red, RedMid, RedPale, RedDark,
           Blue, BluePale, Gold, GoldDark, Skin, Navy, GoldPale };
const QList<QRgb> kInks = {
    0xFFFFFFFF, 0xFF000000, 0xFF3A3A3A, 0xFF8C8C8C, 0xFFD4D4D4, 0xFFD0142C, 0xFFE57786, 0xFFF6C9CF,
    0xFF84101E, 0xFF2A44A8, 0xFF9AA8DC, 0xFFF3C531, 0xFFAD7A16, 0xFFF9DCC0, 0xFF16245E, 0xFFF8E6A6};
QColor ink(Ink i) { return QColor::fromRgb(kInks[i]); }

enum Suit { Spades, Diamonds, Clubs, Hearts };
bool isRed(Suit s) { return s == Diamonds || s == Hearts; }
QColor suitInk(Suit s) { return isRed(s) ? ink(Red) : ink(Black); }

using Bits = std::vector<const char*>;

QPainterPath suitPath(Suit s, const QRectF& r)
{
    auto P = [&r](double x, double y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (s) {
    case Hearts:
        return heartPath(r);
    case Diamonds:
        path.moveTo(P(0.5, 0.0));
        path.quadTo(P(0.68, 0.28), P(0.93, 0.5));
        path.quadTo(P(0.68, 0.72), P(0.5, 1.0));
        path.quadTo(P(0.32, 0.72), P(0.07, 0.5));
        path.quadTo(P(0.32, 0.28), P(0.5, 0.0));
        break;
    case Spades:
        return spadePath(r);
    case Clubs: {
        // three lobes kept apart by clear notches, or small clubs read as spades
        const double rr = 0.255 * r.width();
        for (QPointF c : {P(0.5, 0.25), P(0.235, 0.6), P(0.765, 0.6)})
            path.addEllipse(c, rr, rr);
        path.addEllipse(QRectF(P(0.43, 0.42), P(0.57, 0.66)));
        path = path.simplified(); // one outline, so the stem below cannot cancel a lobe
        QPainterPath stem;
        stem.moveTo(P(0.47, 0.6));
        stem.quadTo(P(0.45, 0.9), P(0.28, 1.0));
        stem.lineTo(P(0.72, 1.0));
        stem.quadTo(P(0.55, 0.9), P(0.53, 0.6));
        stem.closeSubpath();
        path = path.united(stem);
        break;
    }
    }
    return path;
}

void fillPath(QPainter& p, const QPainterPath& path, QColor c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

// Turns the painter half a turn about the card's middle, pixel for pixel.
void flip(QPainter& p)
{
    p.translate(W, H);
    p.rotate(180);
}

void drawBlank(QPainter& p)
{
    p.fillRect(QRectF(0, 0, W, H), ink(White));
    p.fillRect(QRectF(0, 0, W, 1), ink(Dark));
    p.fillRect(QRectF(0, H - 1, W, 1), ink(Dark));
    p.fillRect(QRectF(0, 0, 1, H), ink(Dark));
    p.fillRect(QRectF(W - 1, 0, 1, H), ink(Dark));
    for (QPointF c : {QPointF(0, 0), QPointF(W - 1, 0), QPointF(0, H - 1), QPointF(W - 1, H - 1)})
        p.fillRect(QRectF(c, QSizeF(1, 1)), ink(Grey));
}

// The corner index: the value in bold type, its capitals 9 pixels high from y = 4, set
// with the font's hinting so that stems land on whole pixels, and the suit sign below.
void drawIndexOnce(QPainter& p, Suit s, int value)
{
    const QFont font = pixelFont({"Liberation Sans"}, 13, true);
    const QFontMetricsF m(font);
    p.setFont(font);
    p.setPen(suitInk(s));
    const QString text = value == 1 ? "A" : value == 11 ? "J" : value == 12 ? "Q" : value == 13 ? "K"
                                                                                   : QString::number(value);
    if (value == 10) {
        // the two figures set closer than the font does, each at its full width, in the
        // room left of the first pip column
        const QRectF one = m.tightBoundingRect("1"), zero = m.tightBoundingRect("0");
        const double x1 = 2 - one.left(), x0 = 14.5 - zero.right();
        p.drawText(QPointF(std::round(x1), 13), "1");
        p.drawText(QPointF(std::round(x0), 13), "0");
    } else {
        const QRectF ink = m.tightBoundingRect(text);
        p.drawText(QPointF(std::round(6.5 - ink.width() / 2 - ink.left()), 13), text);
    }
    const bool stem = s == Spades || s == Clubs;
    fillPath(p, suitPath(s, QRectF(3, 15, 7, stem ? 8 : 7)), suitInk(s));
}

// Both corners from one drawing, the lower one turned pixel for pixel, so that the
// hinted type is the same either way up.
void drawIndex(QPainter& p, int scale, Suit s, int value)
{
    QImage layer = makeCanvas(W, H, scale);
    QPainter lp;
    beginPaint(lp, layer, scale);
    drawIndexOnce(lp, s, value);
    lp.end();
    p.drawImage(QRectF(0, 0, W, H), layer);
    p.drawImage(QRectF(0, 0, W, H), layer.mirrored(true, true));
}

// A pip in an 11 x 12 cell; pips in the lower half stand on their heads.
void drawPip(QPainter& p, Suit s, int left, int top)
{
    const QRectF cell(left, top, 11, 12);
    p.save();
    if (top > 42) {
        p.translate(cell.center());
        p.rotate(180);
        p.translate(-cell.center());
    }
    fillPath(p, suitPath(s, cell), suitInk(s));
    p.restore();
}

void drawPips(QPainter& p, Suit s, int value)
{
    constexpr int L = 16, C = 30, R = 44;
    std::vector<QPoint> at;
    auto column = [&at](int x, std::initializer_list<int> tops) {
        for (int t : tops)
            at.push_back({x, t});
    };
    switch (value) {
    case 2: column(C, {11, 73}); break;
    case 3: column(C, {11, 42, 73}); break;
    case 4: column(L, {11, 73}); column(R, {11, 73}); break;
    case 5: column(L, {11, 73}); column(R, {11, 73}); column(C, {42}); break;
    case 6: column(L, {11, 42, 73}); column(R, {11, 42, 73}); break;
    case 7: column(L, {11, 42, 73}); column(R, {11, 42, 73}); column(C, {26}); break;
    case 8: column(L, {11, 42, 73}); column(R, {11, 42, 73}); column(C, {26, 58}); break;
    case 9: column(L, {11, 32, 52, 73}); column(R, {11, 32, 52, 73}); column(C, {42}); break;
    case 10: column(L, {11, 32, 52, 73}); column(R, {11, 32, 52, 73}); column(C, {21, 63}); break;
    }
    for (QPoint pt : at)
        drawPip(p, s, pt.x(), pt.y());
}

void drawAce(QPainter& p, Suit s)
{
    if (s == Spades) {
        // the ace of spades gets its traditional flourish: a large pip in a fine double
        // ring, with a small lozenge at each quarter of the outer one
        const QPointF c(35.5, 48.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink(Black), 1.4));
        p.drawEllipse(c, 21, 23);
        p.setPen(QPen(ink(Grey), 1.1));
        p.drawEllipse(c, 18, 20);
        for (QPointF d : {QPointF(0, -23), QPointF(21, 0), QPointF(0, 23), QPointF(-21, 0)}) {
            // 2.2 across the ring, 2.6 along it
            const bool side = d.x() != 0;
            p.setPen(QPen(ink(White), 1.2)); // a gap in the rings round each lozenge
            p.setBrush(ink(Black));
            p.drawPath(lozengePath(c + d, side ? 2.2 : 2.6, side ? 2.6 : 2.2));
        }
        fillPath(p, suitPath(s, QRectF(21, 32, 29, 32)), ink(Black));
        return;
    }
    fillPath(p, suitPath(s, QRectF(20, 30, 31, 36)), suitInk(s));
}

// ---- court cards -------------------------------------------------------------
//
// Twelve figures, each its own: a king, a queen and a jack per suit, told apart by dress,
// colours, what they hold and their faces. The upper half is drawn once and turned half a
// turn about the card's middle for the lower half; a slanted rule through the middle
// parts them, inside a frame that nothing crosses.

enum class Holds { Sword, Sceptre, Axe, Orb, Rose, Fan, Tulip, Halberd, Leaf, Banner, Arrow, StarSceptre };
enum class Hat { KingCrown, HighCrown, Tiara, Coronet, Beret, Cap, Bonnet, BrimHat };
enum class Beard { None, Full, Forked, Long, Moustache, Short };
enum class Pattern { Lozenges, Dots, Stripes, Chevrons, Plain };

struct Figure {
    QColor robe, robe2, hair, metal, extra; // extra: leaves, stems, jewels
    Hat hat;
    Beard beard;
    Holds holds;
    Pattern pattern;
    bool longHair;
    bool lookLeft; // eyes turned towards what the figure holds
};

const QColor kOutline(0x00, 0x00, 0x00), kSkin(0xF7, 0xD4, 0xB4), kGold(0xE9, 0xB8, 0x2E);
const QColor kRed(0xD0, 0x14, 0x2C), kBlue(0x26, 0x3E, 0x9C), kGreen(0x2C, 0x7E, 0x3C), kPurple(0x6A, 0x3C, 0x9E);
const QColor kTeal(0x17, 0x6E, 0x78), kOrange(0xE0, 0x76, 0x1E), kSteel(0xB0, 0xBA, 0xC8);

Figure figureOf(Suit s, int value)
{
    switch (value * 4 + s) {
    // kings
    case 13 * 4 + Spades: return {kBlue, kRed, QColor(0x3A, 0x2A, 0x22), kSteel, kGold, Hat::KingCrown, Beard::Forked, Holds::Sword, Pattern::Lozenges, false, false};
    case 13 * 4 + Hearts: return {kRed, kPurple, QColor(0xB4, 0x52, 0x1C), kGold, kSteel, Hat::HighCrown, Beard::Full, Holds::Sceptre, Pattern::Dots, false, true};
    case 13 * 4 + Diamonds: return {kGreen, kRed, QColor(0x6A, 0x42, 0x22), kSteel, kGold, Hat::KingCrown, Beard::Short, Holds::Axe, Pattern::Chevrons, false, false};
    case 13 * 4 + Clubs: return {kPurple, kBlue, QColor(0xD8, 0xD8, 0xDE), kGold, kRed, Hat::HighCrown, Beard::Long, Holds::Orb, Pattern::Stripes, false, true};
    // queens
    case 12 * 4 + Spades: return {kTeal, QColor(0x30, 0x2C, 0x48), QColor(0x26, 0x1C, 0x1C), kGold, kRed, Hat::Coronet, Beard::None, Holds::StarSceptre, Pattern::Lozenges, true, true};
    case 12 * 4 + Hearts: return {kRed, QColor(0xF2, 0x9C, 0xB0), QColor(0xD6, 0x8E, 0x2A), kGreen, kGold, Hat::Tiara, Beard::None, Holds::Rose, Pattern::Dots, true, false};
    case 12 * 4 + Diamonds: return {kGreen, kGold, QColor(0x8E, 0x34, 0x18), kRed, kSteel, Hat::Coronet, Beard::None, Holds::Fan, Pattern::Stripes, true, true};
    case 12 * 4 + Clubs: return {kBlue, kOrange, QColor(0x5C, 0x3A, 0x20), kGreen, QColor(0xF2, 0xD2, 0x30), Hat::Tiara, Beard::None, Holds::Tulip, Pattern::Chevrons, true, false};
    // jacks
    case 11 * 4 + Spades: return {kBlue, kGreen, QColor(0xC8, 0x8E, 0x3C), kSteel, kRed, Hat::Beret, Beard::None, Holds::Halberd, Pattern::Stripes, false, false};
    case 11 * 4 + Hearts: return {kRed, kGold, QColor(0x6A, 0x42, 0x22), kGreen, kBlue, Hat::Cap, Beard::Moustache, Holds::Leaf, Pattern::Lozenges, false, true};
    case 11 * 4 + Diamonds: return {kOrange, kGreen, QColor(0x26, 0x1C, 0x1C), kRed, kSteel, Hat::Bonnet, Beard::None, Holds::Banner, Pattern::Dots, false, false};
    default: return {kPurple, kRed, QColor(0xB4, 0x52, 0x1C), kSteel, QColor(0xF4, 0xF4, 0xF4), Hat::BrimHat, Beard::Moustache, Holds::Arrow, Pattern::Chevrons, true, true};
    }
}

QPainterPath poly(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    bool first = true;
    for (QPointF pt : pts) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(QPointF c, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

void outlined(QPainter& p, const QPainterPath& path, QColor fill, double pen = 0.7)
{
    p.setPen(QPen(kOutline, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void stroke(QPainter& p, const QPainterPath& path, QColor c, double w)
{
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath line(QPointF a, QPointF b)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    return path;
}

constexpr double kCx = 35.5;          // the card's middle
constexpr double kHeadX = 34.5;       // the head a little off the middle, away from the held thing
const QRectF kFrame(12.5, 4.5, 46, 87); // the frame line's centre

// What a figure holds, in two parts: what lies behind the body, and what the hand grips
// in front of it.
void drawHeld(QPainter& p, const Figure& f, bool front)
{
    const double rx = kCx + 15, lx = kCx - 14; // right- and left-hand columns
    switch (f.holds) {
    case Holds::Sword:
        if (!front) {
            // a tapered blade rising from the fist, with its fuller
            outlined(p, poly({{rx - 1.3, 37}, {rx - 1.3, 10}, {rx, 6.5}, {rx + 1.3, 10}, {rx + 1.3, 37}}), f.metal, 0.6);
            stroke(p, line({rx, 11}, {rx, 35}), kInks[Dark], 0.4);
        } else {
            outlined(p, poly({{rx - 5, 37}, {rx + 5, 37}, {rx + 5, 39}, {rx - 5, 39}}), kGold, 0.6);
            outlined(p, ellipse({rx, 41}, 2.6, 2.4), kSkin, 0.6);
            outlined(p, ellipse({rx, 44.6}, 1.3, 1.2), kGold, 0.5);
        }
        break;
    case Holds::Sceptre:
    case Holds::StarSceptre:
        if (!front) {
            stroke(p, line({lx + 1, 44}, {lx - 1, 12}), kOutline, 2.2);
            stroke(p, line({lx + 1, 44}, {lx - 1, 12}), kGold, 1.2);
            if (f.holds == Holds::Sceptre) { // a lily at the head
                outlined(p, poly({{lx - 1, 5.5}, {lx + 0.6, 9}, {lx - 1, 12.5}, {lx - 2.6, 9}}), kGold, 0.6);
                outlined(p, poly({{lx - 1.5, 11}, {lx - 5.5, 8}, {lx - 4.5, 12}, {lx - 1.5, 13}}), kGold, 0.6);
                outlined(p, poly({{lx - 0.5, 11}, {lx + 3.5, 8}, {lx + 2.5, 12}, {lx - 0.5, 13}}), kGold, 0.6);
            } else {
                outlined(p, starPath({lx - 1, 9.5}, 4.2, 2.6, 1.5), kGold, 0.6);
                outlined(p, ellipse({lx - 1, 9.5}, 1.2, 1.2), f.extra, 0.4);
            }
        } else {
            outlined(p, ellipse({lx + 1, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Axe:
        if (!front) {
            stroke(p, line({rx + 1, 46}, {rx - 2, 7}), kOutline, 2.4);
            stroke(p, line({rx + 1, 46}, {rx - 2, 7}), f.hair, 1.4);
            QPainterPath head;
            head.moveTo(rx - 2, 8);
            head.quadTo(rx + 5, 6, rx + 8, 4.5);
            head.quadTo(rx + 6, 11, rx + 8, 17.5);
            head.quadTo(rx + 4, 15, rx - 1, 15);
            head.closeSubpath();
            outlined(p, head, f.metal, 0.6);
            outlined(p, poly({{rx - 2.5, 9}, {rx - 6, 11}, {rx - 2, 13}}), f.metal, 0.5);
        } else {
            outlined(p, ellipse({rx, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Orb:
        if (front) {
            outlined(p, ellipse({lx + 1, 41}, 2.6, 2.3), kSkin, 0.6);
            outlined(p, ellipse({lx + 1, 35.5}, 3.6, 3.6), kGold, 0.6);
            stroke(p, line({lx - 2.6, 35.5}, {lx + 4.6, 35.5}), f.extra, 0.8);
            stroke(p, line({lx + 1, 35.5}, {lx + 1, 39}), f.extra, 0.8);
            outlined(p, poly({{lx + 0.4, 28.5}, {lx + 1.6, 28.5}, {lx + 1.6, 29.8}, {lx + 3, 29.8}, {lx + 3, 31},
                              {lx + 1.6, 31}, {lx + 1.6, 32.2}, {lx + 0.4, 32.2}, {lx + 0.4, 31}, {lx - 1, 31},
                              {lx - 1, 29.8}, {lx + 0.4, 29.8}}), kGold, 0.4);
        }
        break;
    case Holds::Rose:
    case Holds::Tulip:
        if (!front) {
            QPainterPath stem;
            stem.moveTo(lx + 1, 44);
            stem.cubicTo(lx, 36, lx - 3, 28, lx - 2, 19);
            stroke(p, stem, kOutline, 1.8);
            stroke(p, stem, f.metal, 0.9);
            QPainterPath leaf;
            leaf.moveTo(lx - 1, 31);
            leaf.quadTo(lx - 7, 27, lx - 8, 29.5);
            leaf.quadTo(lx - 5, 33, lx - 1, 31);
            outlined(p, leaf, f.metal, 0.5);
            if (f.holds == Holds::Rose) {
                outlined(p, ellipse({lx - 2, 16.5}, 4, 3.6), kRed, 0.6);
                stroke(p, [&] { QPainterPath a; a.addEllipse(QPointF(lx - 2, 16.2), 1.8, 1.5); return a; }(),
                       kOutline, 0.4);
                outlined(p, poly({{lx - 5, 19.5}, {lx - 2, 21}, {lx + 1, 19.5}, {lx - 2, 19.8}}), f.metal, 0.4);
            } else {
                QPainterPath bloom;
                bloom.moveTo(lx - 6, 12);
                bloom.lineTo(lx - 4, 15);
                bloom.lineTo(lx - 2, 11);
                bloom.lineTo(lx, 15);
                bloom.lineTo(lx + 2, 12);
                bloom.quadTo(lx + 2.5, 20, lx - 2, 20.5);
                bloom.quadTo(lx - 6.5, 20, lx - 6, 12);
                outlined(p, bloom, f.extra, 0.6);
            }
        } else {
            outlined(p, ellipse({lx + 1, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Fan:
        if (front) {
            // a folded fan opened above the hand
            QPainterPath fan;
            fan.moveTo(rx - 1, 40);
            fan.arcTo(QRectF(rx - 12, 29, 22, 22), 60, 80);
            fan.closeSubpath();
            outlined(p, fan, f.metal, 0.6);
            for (int k = 0; k < 5; ++k) {
                const double a = (62 + k * 19) * M_PI / 180;
                stroke(p, line({rx - 1, 40}, {rx - 1 + 10.5 * std::cos(a), 40 - 10.5 * std::sin(a)}), kGold, 0.6);
            }
            outlined(p, ellipse({rx, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Halberd:
        if (!front) {
            stroke(p, line({rx, 47}, {rx, 9}), kOutline, 2.2);
            stroke(p, line({rx, 47}, {rx, 9}), f.hair, 1.2);
            QPainterPath blade;
            blade.moveTo(rx, 10.5);
            blade.lineTo(rx + 6, 8.5);
            blade.quadTo(rx + 4.5, 13, rx + 6, 17.5);
            blade.lineTo(rx, 15.5);
            blade.closeSubpath();
            outlined(p, blade, f.metal, 0.5);
            outlined(p, poly({{rx, 11.5}, {rx - 4, 13}, {rx, 14.5}}), f.metal, 0.5);
            outlined(p, poly({{rx - 0.9, 10.5}, {rx, 4.5}, {rx + 0.9, 10.5}}), f.metal, 0.5);
        } else {
            outlined(p, ellipse({rx, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Leaf:
        if (!front) {
            QPainterPath leaf;
            leaf.moveTo(lx + 1, 42);
            leaf.cubicTo(lx - 8, 32, lx - 6, 14, lx - 2, 7);
            leaf.cubicTo(lx + 4, 16, lx + 6, 32, lx + 1, 42);
            outlined(p, leaf, f.metal, 0.6);
            stroke(p, [&] { QPainterPath v; v.moveTo(lx + 1, 41); v.quadTo(lx - 1.5, 24, lx - 2, 9); return v; }(),
                   kOutline, 0.6);
            for (int k = 0; k < 4; ++k) {
                const double y = 15 + k * 6;
                stroke(p, line({lx - 1.4, y + 1.5}, {lx - 4.5, y - 1}), kOutline, 0.5);
                stroke(p, line({lx - 1.2, y + 1.5}, {lx + 2.2, y - 1}), kOutline, 0.5);
            }
        } else {
            outlined(p, ellipse({lx + 1, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Banner:
        if (!front) {
            stroke(p, line({rx, 47}, {rx, 6}), kOutline, 2.2);
            stroke(p, line({rx, 47}, {rx, 6}), kGold, 1.2);
            QPainterPath flag;
            flag.moveTo(rx - 0.5, 7);
            flag.cubicTo(rx - 5, 8, rx - 9, 6, rx - 12, 9);
            flag.lineTo(rx - 8, 12);
            flag.lineTo(rx - 12, 15.5);
            flag.cubicTo(rx - 9, 13.5, rx - 5, 15, rx - 0.5, 14);
            flag.closeSubpath();
            outlined(p, flag, f.metal, 0.6);
            outlined(p, ellipse({rx, 5.5}, 1.3, 1.3), kGold, 0.5);
        } else {
            outlined(p, ellipse({rx, 41}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    case Holds::Arrow:
        if (!front) {
            stroke(p, line({lx + 3, 46}, {lx - 4, 9}), kOutline, 1.9);
            stroke(p, line({lx + 3, 46}, {lx - 4, 9}), f.hair, 1.0);
            outlined(p, poly({{lx - 4.6, 4.5}, {lx - 2, 10.5}, {lx - 6.5, 10}}), f.metal, 0.5);
            for (double t : {0.0, 2.5})
                outlined(p, poly({{lx + 1.6 + t * 0.2, 37.5 + t}, {lx - 1.5 + t * 0.2, 40 + t}, {lx + 2.2 + t * 0.2, 41 + t},
                                  {lx + 4.5 + t * 0.2, 38.5 + t}}), f.extra, 0.4);
        } else {
            outlined(p, ellipse({lx + 1, 34}, 2.6, 2.4), kSkin, 0.6);
        }
        break;
    }
}

void drawRobe(QPainter& p, const Figure& f, int value)
{
    const double cx = kHeadX;
    // shoulders filling the frame's width down to the middle
    const QPainterPath body = poly({{13, 49}, {13, 40}, {cx - 13, 33}, {cx - 5, 30}, {cx + 5, 30}, {cx + 13, 33},
                                    {58, 40}, {58, 49}});
    outlined(p, body, f.robe);
    p.save();
    p.setClipPath(body);
    // the second colour on one side, the figure's own pattern on the first
    p.setPen(Qt::NoPen);
    p.setBrush(f.robe2);
    p.drawPath(poly({{cx + 1, 28}, {60, 28}, {60, 50}, {cx + 1, 50}}));
    const QColor mark = f.pattern == Pattern::Plain ? f.robe : kGold;
    p.setBrush(mark);
    p.setPen(QPen(mark, 0.8));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const double x = 16 + col * 4.5 + (row % 2) * 2.2, y = 36 + row * 4;
            switch (f.pattern) {
            case Pattern::Lozenges:
                p.drawPath(poly({{x, y - 1.4}, {x + 1.1, y}, {x, y + 1.4}, {x - 1.1, y}}));
                break;
            case Pattern::Dots:
                p.drawEllipse(QPointF(x, y), 0.7, 0.7);
                break;
            case Pattern::Stripes:
                if (row == 0 && col < 3)
                    p.drawLine(QPointF(16 + col * 5, 33), QPointF(16 + col * 5 - 2, 50));
                break;
            case Pattern::Chevrons:
                if (col == 0) {
                    p.setBrush(Qt::NoBrush);
                    p.drawPolyline(QPolygonF({{14, y - 2}, {(cx + 13) / 2 - 2, y + 1}, {cx, y - 2}}));
                    p.setBrush(mark);
                }
                break;
            case Pattern::Plain:
                break;
            }
        }
    p.restore();
    // the gold front of the robe, and a sash or chain by rank
    outlined(p, poly({{cx - 2.2, 30}, {cx + 2.2, 30}, {cx + 2.8, 49}, {cx - 2.8, 49}}), kGold, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (double y = 34; y < 48; y += 4)
        p.drawEllipse(QPointF(cx, y), 0.6, 0.6);
    if (value == 13) {
        // ermine collar over the shoulders
        outlined(p, poly({{cx - 11, 31.5}, {cx - 5, 29}, {cx + 5, 29}, {cx + 11, 31.5}, {cx + 9, 35}, {cx, 33.5}, {cx - 9, 35}}), Qt::white, 0.6);
        p.setBrush(kOutline);
        for (double x : {cx - 7, cx - 3, cx + 3, cx + 7})
            p.drawRect(QRectF(x - 0.4, 31.2, 0.8, 1.4));
    } else if (value == 12) {
        // a low neckline with a jewelled necklace
        outlined(p, poly({{cx - 6, 29.5}, {cx + 6, 29.5}, {cx, 35}}), kSkin, 0.6);
        stroke(p, [&] { QPainterPath n; n.moveTo(cx - 5, 30.5); n.quadTo(cx, 35, cx + 5, 30.5); return n; }(), kGold, 0.9);
        p.setPen(Qt::NoPen);
        p.setBrush(f.extra);
        p.drawEllipse(QPointF(cx, 33), 0.9, 0.9);
    } else {
        // a plain white collar
        outlined(p, poly({{cx - 7, 29.5}, {cx + 7, 29.5}, {cx + 5, 32.5}, {cx, 31.5}, {cx - 5, 32.5}}), Qt::white, 0.6);
    }
}

// Three stones set along a hat's band.
void drawJewels(QPainter& p, QColor c, double cx, double spread, double y)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double x : {cx - spread, cx, cx + spread})
        p.drawEllipse(QPointF(x, y), 0.8, 0.8);
}

void drawHead(QPainter& p, const Figure& f, int value)
{
    const double cx = kHeadX, cy = 21.5;
    // hair behind the face: long for the queens and one jack, a bob for the others
    if (f.longHair)
        outlined(p, poly({{cx - 8.5, 15}, {cx + 8.5, 15}, {cx + 10, 30}, {cx + 6, 33}, {cx + 5, 26}, {cx - 5, 26},
                          {cx - 6, 33}, {cx - 10, 30}}), f.hair);
    else
        outlined(p, poly({{cx - 7.6, 14}, {cx + 7.6, 14}, {cx + 8, 26}, {cx - 8, 26}}), f.hair);
    outlined(p, ellipse({cx, cy}, 6.6, 7.8), kSkin);
    // eyes: white, the pupil towards what the figure holds, a brow above
    const double look = f.lookLeft ? -0.5 : 0.5;
    for (double ex : {cx - 2.7, cx + 2.7}) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(ex, cy - 0.8), 1.8, 1.1);
        p.setBrush(kOutline);
        p.drawEllipse(QPointF(ex + look, cy - 0.8), 0.9, 1.0);
        stroke(p, line({ex - 1.5, cy - 2.9}, {ex + 1.5, cy - 3.1}), value == 12 ? f.hair : kOutline, 0.6);
    }
    // nose and mouth
    stroke(p, [&] { QPainterPath n; n.moveTo(cx + 0.2, cy - 0.6); n.lineTo(cx + 0.8, cy + 2.2); n.lineTo(cx - 0.4, cy + 2.5); return n; }(),
           QColor(0, 0, 0, 70), 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(cx, cy + 4.4), value == 12 ? 1.6 : 1.3, 0.6);
    // beards and moustaches
    switch (f.beard) {
    case Beard::Full:
        outlined(p, [&] { QPainterPath b; b.moveTo(cx - 6, 21); b.quadTo(cx - 5, 25, cx - 2, 25); b.lineTo(cx + 2, 25);
                          b.quadTo(cx + 5, 25, cx + 6, 21); b.quadTo(cx + 7, 31, cx, 33); b.quadTo(cx - 7, 31, cx - 6, 21);
                          return b; }(), f.hair, 0.6);
        break;
    case Beard::Forked:
        outlined(p, poly({{cx - 6, 21}, {cx - 3, 25}, {cx + 3, 25}, {cx + 6, 21}, {cx + 5, 29}, {cx + 2.5, 34}, {cx, 30},
                          {cx - 2.5, 34}, {cx - 5, 29}}), f.hair, 0.6);
        break;
    case Beard::Long:
        outlined(p, [&] { QPainterPath b; b.moveTo(cx - 6, 21); b.quadTo(cx - 4, 25.5, cx, 25.5); b.quadTo(cx + 4, 25.5, cx + 6, 21);
                          b.quadTo(cx + 7, 33, cx, 38); b.quadTo(cx - 7, 33, cx - 6, 21); return b; }(), f.hair, 0.6);
        stroke(p, line({cx - 1.5, 28}, {cx - 1, 35}), kOutline, 0.3);
        stroke(p, line({cx + 1.5, 28}, {cx + 1, 35}), kOutline, 0.3);
        break;
    case Beard::Short:
        outlined(p, [&] { QPainterPath b; b.moveTo(cx - 6, 22); b.quadTo(cx - 4, 25.8, cx, 25.8); b.quadTo(cx + 4, 25.8, cx + 6, 22);
                          b.quadTo(cx + 5, 29.5, cx, 30); b.quadTo(cx - 5, 29.5, cx - 6, 22); return b; }(), f.hair, 0.6);
        break;
    case Beard::Moustache:
    case Beard::None:
        break;
    }
    if (f.beard != Beard::None) { // moustache over the mouth
        p.setPen(Qt::NoPen);
        p.setBrush(f.hair);
        p.drawPath(poly({{cx - 3.6, cy + 4.2}, {cx, cy + 2.9}, {cx + 3.6, cy + 4.2}, {cx, cy + 3.9}}));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(cx, cy + 4.9), 1.1, 0.5);
    }
    // hair on the brow
    outlined(p, [&] { QPainterPath h; h.moveTo(cx - 6.3, 19); h.quadTo(cx - 5, 14, cx, 14); h.quadTo(cx + 5, 14, cx + 6.3, 19);
                      h.quadTo(cx + 2, 16.5, cx - 1, 17.2); h.quadTo(cx - 4, 17.5, cx - 6.3, 19); return h; }(), f.hair, 0.5);

    // headwear
    switch (f.hat) {
    case Hat::KingCrown:
        outlined(p, poly({{cx - 8, 15.5}, {cx - 8, 7}, {cx - 5, 11}, {cx - 2.5, 6}, {cx, 10}, {cx + 2.5, 6},
                          {cx + 5, 11}, {cx + 8, 7}, {cx + 8, 15.5}}), kGold);
        p.setPen(Qt::NoPen);
        p.setBrush(f.robe2);
        p.drawEllipse(QPointF(cx, 13.5), 1.2, 1.2);
        p.setBrush(f.robe);
        p.drawEllipse(QPointF(cx - 5, 13.5), 0.9, 0.9);
        p.drawEllipse(QPointF(cx + 5, 13.5), 0.9, 0.9);
        break;
    case Hat::HighCrown:
        outlined(p, [&] { QPainterPath c; c.moveTo(cx - 7.5, 15.5); c.lineTo(cx - 8, 9); c.quadTo(cx - 4, 5.5, cx, 5.5);
                          c.quadTo(cx + 4, 5.5, cx + 8, 9); c.lineTo(cx + 7.5, 15.5); c.closeSubpath(); return c; }(), f.robe2);
        outlined(p, poly({{cx - 8.2, 12}, {cx + 8.2, 12}, {cx + 8, 15.8}, {cx - 8, 15.8}}), kGold, 0.6);
        stroke(p, line({cx, 6}, {cx, 12}), kGold, 1.1);
        outlined(p, ellipse({cx, 6.2}, 1.3, 1.3), kGold, 0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(f.extra);
        p.drawEllipse(QPointF(cx, 13.9), 1, 1);
        break;
    case Hat::Tiara:
        outlined(p, poly({{cx - 6.5, 15.5}, {cx - 6, 11.5}, {cx - 3, 13}, {cx, 8.5}, {cx + 3, 13}, {cx + 6, 11.5}, {cx + 6.5, 15.5}}), kGold, 0.6);
        p.setPen(Qt::NoPen);
        p.setBrush(f.extra);
        p.drawEllipse(QPointF(cx, 12.5), 1, 1.1);
        break;
    case Hat::Coronet:
        outlined(p, poly({{cx - 7, 15.5}, {cx - 7, 10.5}, {cx - 4.5, 12.5}, {cx - 2.3, 9}, {cx, 11.5}, {cx + 2.3, 9},
                          {cx + 4.5, 12.5}, {cx + 7, 10.5}, {cx + 7, 15.5}}), kGold, 0.6);
        drawJewels(p, f.robe, cx, 4.5, 14.2);
        break;
    case Hat::Beret:
        outlined(p, ellipse({cx + 1, 12.5}, 10, 3.8), f.robe2);
        outlined(p, poly({{cx - 7, 14.5}, {cx + 7, 14.5}, {cx + 7, 16.5}, {cx - 7, 16.5}}), kGold, 0.6);
        outlined(p, [&] { QPainterPath q; q.moveTo(cx + 5, 11); q.cubicTo(cx + 11, 4, cx + 16, 6, cx + 17, 9);
                          q.cubicTo(cx + 13, 8, cx + 9, 9, cx + 5, 13); return q; }(), Qt::white, 0.5);
        break;
    case Hat::Cap:
        outlined(p, [&] { QPainterPath c; c.moveTo(cx - 7.5, 15.5); c.quadTo(cx - 7, 7, cx + 1, 7); c.quadTo(cx + 8, 7.5, cx + 8, 15.5);
                          c.closeSubpath(); return c; }(), f.robe);
        outlined(p, poly({{cx - 9, 14}, {cx + 9, 14}, {cx + 9, 16.6}, {cx - 9, 16.6}}), f.robe2, 0.6);
        outlined(p, ellipse({cx + 1, 6.8}, 1.5, 1.5), f.robe2, 0.5);
        break;
    case Hat::Bonnet:
        outlined(p, poly({{cx - 8, 16}, {cx - 6, 8}, {cx + 7, 6}, {cx + 8, 16}}), f.robe2);
        outlined(p, poly({{cx - 8.5, 13.5}, {cx + 8.5, 13.5}, {cx + 8.5, 16.5}, {cx - 8.5, 16.5}}), kGold, 0.6);
        drawJewels(p, f.metal, cx, 4, 15);
        break;
    case Hat::BrimHat:
        outlined(p, [&] { QPainterPath c; c.moveTo(cx - 6, 15); c.quadTo(cx - 5, 6.5, cx + 1, 6.5); c.quadTo(cx + 6, 6.5, cx + 6.5, 15);
                          c.closeSubpath(); return c; }(), f.robe2);
        outlined(p, [&] { QPainterPath b; b.moveTo(cx - 11, 14); b.quadTo(cx, 18.5, cx + 11, 12); b.lineTo(cx + 10.5, 15.5);
                          b.quadTo(cx, 20, cx - 10.5, 16.5); b.closeSubpath(); return b; }(), f.robe, 0.6);
        outlined(p, [&] { QPainterPath q; q.moveTo(cx - 4, 10); q.cubicTo(cx - 9, 4, cx - 14, 5, cx - 15, 8.5);
                          q.cubicTo(cx - 11, 7, cx - 8, 8, cx - 4, 12); return q; }(), f.extra, 0.5);
        break;
    }
}

bool holdsRight(const Figure& f)
{
    return f.holds == Holds::Sword || f.holds == Holds::Axe || f.holds == Holds::Halberd || f.holds == Holds::Banner ||
           f.holds == Holds::Fan;
}

// The sleeve of the arm that holds, reaching to the hand.
void drawArms(QPainter& p, const Figure& f)
{
    const double cx = kHeadX;
    const bool right = holdsRight(f);
    const QPointF hand = right ? QPointF(kCx + 15, 41) : QPointF(kCx - 13, f.holds == Holds::Arrow ? 34 : 41);
    for (int side : {-1, 1}) {
        const bool holding = (side > 0) == right;
        if (!holding)
            continue;
        const QPointF shoulder(cx + side * 11, 33);
        const QPointF end = hand;
        const QPointF elbow((shoulder.x() + end.x()) / 2 + side * 3, (shoulder.y() + end.y()) / 2 + 3);
        QPainterPath sleeve;
        sleeve.moveTo(shoulder + QPointF(-side * 3, -1.5));
        sleeve.quadTo(shoulder + QPointF(side * 4, -1), elbow + QPointF(side * 2.5, 0));
        sleeve.lineTo(end + QPointF(side * 1.5, 2.6));
        sleeve.lineTo(end + QPointF(-side * 1.5, -2.6));
        sleeve.quadTo(elbow + QPointF(-side * 3, -1), shoulder + QPointF(-side * 5, 3));
        sleeve.closeSubpath();
        outlined(p, sleeve, side > 0 ? f.robe : f.robe2, 0.6);
        // a gold cuff at the wrist
        stroke(p, line(end + QPointF(side * 2.8, 1.4), end + QPointF(-side * 0.6, -3.4)), kOutline, 2.2);
        stroke(p, line(end + QPointF(side * 2.8, 1.4), end + QPointF(-side * 0.6, -3.4)), kGold, 1.2);
    }
}

void drawHalfFigure(QPainter& p, Suit s, int value)
{
    const Figure f = figureOf(s, value);
    drawHeld(p, f, false);
    drawRobe(p, f, value);
    drawArms(p, f);
    p.save();
    // the head a size larger than the body's drawing, growing upwards from the neck
    p.translate(kHeadX, 31);
    p.scale(1.04, 1.04);
    p.translate(-kHeadX, -31);
    drawHead(p, f, value);
    p.restore();
    drawHeld(p, f, true);
    // the suit's sign in the frame's upper corner, away from the held thing
    const double sx = holdsRight(f) ? 15.5 : 48.5;
    const bool stem = s == Spades || s == Clubs;
    fillPath(p, suitPath(s, QRectF(sx, 6, 7, stem ? 8 : 7)), suitInk(s));
}

void drawCourt(QPainter& p, Suit s, int value)
{
    // the two halves meet on a slanted line through the middle
    const QRectF inside = kFrame.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath upper;
    upper.addPolygon(QPolygonF({inside.topLeft(), inside.topRight(), {inside.right(), 46.5}, {inside.left(), 49.5}}));
    upper.closeSubpath();
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn)
            flip(p);
        p.setClipPath(upper);
        drawHalfFigure(p, s, value);
        p.restore();
    }
    stroke(p, line({inside.left(), 49.5}, {inside.right(), 46.5}), suitInk(s), 0.9);
    p.setPen(QPen(suitInk(s), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(kFrame);
}

QList<QRgb> courtInks(Suit s, int value)
{
    const Figure f = figureOf(s, value);
    QList<QRgb> inks = {kInks[White], kOutline.rgb(), kInks[Dark], suitInk(s).rgb(), kSkin.rgb(), kGold.rgb(),
                        f.robe.rgb(), f.robe2.rgb(), f.hair.rgb(), f.metal.rgb()};
    if (isRed(s) || f.robe == kRed || f.robe2 == kRed)
        inks.append(kRed.rgb()); // lips, jewels
    if (f.holds == Holds::Rose || f.holds == Holds::Tulip || f.holds == Holds::StarSceptre || f.holds == Holds::Orb ||
        f.holds == Holds::Arrow)
        inks.append(f.extra.rgb());
    return inks;
}

QImage paintFace(int scale, Suit s, int value)
{
    QImage img = makeCanvas(W, H, scale, Qt::white);
    QPainter p;
    beginPaint(p, img, scale);
    drawBlank(p);
    if (value == 1)
        drawAce(p, s);
    else if (value <= 10)
        drawPips(p, s, value);
    else
        drawCourt(p, s, value);
    drawIndex(p, scale, s, value);
    p.end();
    if (value > 10)
        return toIndexed(img, edgePalette(img, courtInks(s, value), 16));
    // white, the border's greys and the suit's ink; the rest of the sixteen are the
    // blends that the edges of pips and index need
    const QList<QRgb> inks = {kInks[White], kInks[Dark], kInks[Grey], suitInk(s).rgb()};
    return toIndexed(img, edgePalette(img, inks, 16));
}

// ---- backs ------------------------------------------------------------------

struct BackInks {
    QColor outline, border, line, field, lattice, deep, emblem, emblemDark, emblemLight;
    QColor emblemFrame; // the inner line of the inlaid frame
    QColor disc;        // the ground of the emblem
};

void drawEmblem(QPainter& p, const BackInks& k)
{
    const QPointF c(35.5, 48);
    p.setPen(QPen(k.emblemDark, 1));
    p.setBrush(k.disc);
    p.drawEllipse(c, 15.5, 15.5);
    p.setPen(QPen(k.emblem, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 13, 13);
    // eight-pointed star, long points on the axes
    const QPainterPath star = starPath(c, 11, 7.5, 3.6);
    p.setPen(QPen(k.emblemDark, 0.8));
    p.setBrush(k.emblem);
    p.drawPath(star);
    p.setPen(Qt::NoPen);
    p.setBrush(k.emblemLight);
    p.drawEllipse(c, 2.2, 2.2);
}

QImage paintBackCanvas(int scale, const BackInks& k, bool fold)
{
    QImage img = makeCanvas(W, H, scale, k.border);
    QPainter p;
    beginPaint(p, img, scale);
    p.fillRect(QRectF(0, 0, W, H), k.border);
    // the folded back carries its word in a band of the border across the top of the
    // field: the inlaid frame below starts from the band's edge
    const double top = fold ? 22 : 6;
    p.fillRect(QRectF(5, top - 1, W - 10, H - top - 4), k.line);
    const QRectF field(6, top, W - 12, H - 6 - top);
    p.fillRect(field, k.field);
    p.save();
    p.setClipRect(field);
    // diamond lattice, dotted where the threads cross
    p.setPen(QPen(k.lattice, 1));
    for (int d = -96; d < 96 + 71; d += 6) {
        p.drawLine(QPointF(d + 0.5, 0), QPointF(d + 96.5, 96));
        p.drawLine(QPointF(d + 0.5, 96), QPointF(d + 96.5, 0));
    }
    p.restore();
    // a plain frame between lattice and border makes the field look inlaid
    p.setBrush(Qt::NoBrush);
    auto frame = [&](double inset) {
        QPainterPath path;
        const double t = fold ? top : top + inset, b = H - 6 - inset, l = 6 + inset, r = W - 6 - inset;
        path.moveTo(l, t);
        path.lineTo(l, b);
        path.lineTo(r, b);
        path.lineTo(r, t);
        if (!fold)
            path.closeSubpath();
        return path;
    };
    p.setPen(QPen(k.deep, 1));
    p.drawPath(frame(2.5));
    p.setPen(QPen(k.emblemFrame, 1));
    p.drawPath(frame(3.5));
    drawEmblem(p, k);
    if (fold) {
        p.fillRect(QRectF(5, top - 1, W - 10, 1), k.line);
        p.setPen(Qt::NoPen);
        p.setBrush(k.line);
        for (double x : {10.5, W - 10.5}) // small studs at the band's ends
            p.drawEllipse(QPointF(x, 13.5), 1.6, 1.6);
        QPainterPath word;
        const QFont f = pixelFont({"Liberation Sans"}, 12, true);
        word.addText(0, 0, f, "FOLD");
        const QRectF b = word.boundingRect();
        word.translate(W / 2.0 - b.center().x(), 13.5 - b.center().y());
        p.setBrush(k.outline);
        p.drawPath(word);
    }
    p.setPen(QPen(k.outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, W - 1, H - 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (QPointF c : {QPointF(0, 0), QPointF(W - 1, 0), QPointF(0, H - 1), QPointF(W - 1, H - 1)})
        p.fillRect(QRectF(c, QSizeF(1, 1)), k.line);
    p.end();
    return img;
}

// ---- jokers -----------------------------------------------------------------

Bits jokerLetter(char c)
{
    switch (c) {
    case 'J': return {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."};
    case 'O': return {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    case 'K': return {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
    case 'E': return {"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
    default: return {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    }
}

QImage paintJoker(int scale, bool colour)
{
    QImage img = makeCanvas(W, H, scale, Qt::white);
    QPainter p;
    beginPaint(p, img, scale);
    drawBlank(p);
    const QColor line = colour ? ink(Dark) : QColor(Qt::black);
    auto tone = [&](Ink c, bool dark) { return colour ? ink(c) : (dark ? QColor(Qt::black) : QColor(Qt::white)); };
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn)
            flip(p);
        int y = 4;
        for (char c : QByteArray("JOKER")) {
            drawBits(p, 4, y, jokerLetter(c), colour ? ink(Red) : QColor(Qt::black));
            y += 9;
        }
        p.restore();
    }
    const double cx = 35.5;
    auto pen = [&](double w) { p.setPen(QPen(line, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); };
    // three-pointed cap with bells
    const QColor capA = tone(Red, true), capB = tone(Blue, false), capC = tone(Gold, true);
    struct Flap { QPointF tip; QColor fill; };
    const Flap flaps[] = {{{cx - 20, 30}, capA}, {{cx + 20, 30}, capC}, {{cx, 14}, capB}};
    for (const Flap& f : flaps) {
        QPainterPath path;
        path.moveTo(cx - 10, 43);
        path.quadTo(QPointF((cx + f.tip.x()) / 2 - 4, f.tip.y() + 2), f.tip);
        path.quadTo(QPointF((cx + f.tip.x()) / 2 + 4, f.tip.y() + 8), QPointF(cx + 10, 43));
        path.closeSubpath();
        pen(1);
        p.setBrush(f.fill);
        p.drawPath(path);
        p.setBrush(tone(GoldPale, false));
        p.drawEllipse(f.tip, 2.6, 2.6);
    }
    // face
    pen(1);
    p.setBrush(tone(Skin, false));
    p.drawEllipse(QRectF(cx - 9, 40, 18, 20));
    p.setBrush(line);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(cx - 3.5, 47.5), 1.3, 1.3);
    p.drawEllipse(QPointF(cx + 3.5, 47.5), 1.3, 1.3);
    p.setBrush(tone(Red, true));
    p.drawEllipse(QPointF(cx, 51.5), 1.8, 1.6);
    pen(1);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - 5, 49, 10, 7), 200 * 16, 140 * 16);
    // band of the cap
    p.setBrush(tone(Gold, false));
    p.drawRoundedRect(QRectF(cx - 11, 39.5, 22, 4), 1.5, 1.5);
    // ruff collar
    for (int i = 0; i < 7; ++i) {
        const double x = cx - 15 + i * 5;
        p.setBrush(i % 2 ? tone(Red, false) : tone(BluePale, false));
        p.drawEllipse(QRectF(x - 3, 58, 7, 6));
    }
    // body in a harlequin pattern
    QPainterPath body = poly({{cx - 15, 63}, {cx + 15, 63}, {cx + 19, 85}, {cx - 19, 85}});
    p.setBrush(tone(Blue, false));
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setBrush(tone(Red, true));
    for (int row = 0; row < 3; ++row)
        for (int col = -3; col <= 3; ++col)
            if ((row + col) % 2 == 0)
                p.drawPath(poly({{cx + col * 8, 63.0 + row * 8}, {cx + col * 8 + 4, 67.0 + row * 8},
                                 {cx + col * 8, 71.0 + row * 8}, {cx + col * 8 - 4, 67.0 + row * 8}}));
    p.restore();
    // a small star each side of the cap
    p.setBrush(tone(Gold, true));
    for (QPointF c : {QPointF(17, 16), QPointF(54, 80)}) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double a = i * M_PI / 5 - M_PI / 2, r = i % 2 ? 1.7 : 4.2;
            const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        pen(0.7);
        p.drawPath(star);
    }
    p.end();
    return img;
}

} // namespace

void paintCards(int scale, Pictures& out)
{
    const struct { Suit suit; char letter; } suits[] = {{Spades, 'S'}, {Diamonds, 'D'}, {Clubs, 'C'}, {Hearts, 'H'}};
    for (auto [suit, letter] : suits)
        for (int v = 1; v <= 13; ++v)
            out.push_back({QStringLiteral("cards/%1%2.png").arg(letter).arg(v), paintFace(scale, suit, v)});

    // grey inks carry a faint blue cast; an all-grey palette would be stored as a grey PNG.
    // Both backs carry the same gold emblem.
    const QColor gold(0xF2, 0xC6, 0x4A), goldDark(0x8A, 0x5E, 0x10), goldLight(0xFF, 0xF2, 0xB8);
    const BackInks grey{QColor(0x2E, 0x31, 0x36), QColor(0xD3, 0xD6, 0xDB), QColor(0x8E, 0x92, 0x98),
                        QColor(0x6A, 0x6E, 0x75), QColor(0x80, 0x84, 0x8A), QColor(0x4E, 0x52, 0x58),
                        gold, goldDark, goldLight, QColor(0xB4, 0xB8, 0xBE), QColor(0x3A, 0x3D, 0x43)};
    const BackInks blue{QColor(0x12, 0x22, 0x4C), QColor(0xB9, 0xD4, 0xF4), QColor(0x5C, 0x86, 0xC8),
                        QColor(0x1E, 0x4C, 0xA4), QColor(0x3C, 0x6E, 0xC6), QColor(0x13, 0x32, 0x74),
                        gold, goldDark, goldLight, gold, QColor(0x13, 0x32, 0x74)};
    const QImage bk0 = paintBackCanvas(scale, grey, true);
    const QList<QRgb> bk0Inks = {grey.outline.rgb(), grey.border.rgb(), grey.line.rgb(), grey.field.rgb(),
                                 grey.lattice.rgb(), grey.deep.rgb(), gold.rgb(), goldDark.rgb(), goldLight.rgb(),
                                 grey.emblemFrame.rgb(), grey.disc.rgb()};
    out.push_back({"cards/BK0.png", toIndexed(bk0, edgePalette(bk0, bk0Inks, 16))});
    const QImage bk1 = paintBackCanvas(scale, blue, false);
    out.push_back({"cards/BK1.png", toIndexed(bk1, medianCut(bk1, 256))});
    const QImage j1 = paintJoker(scale, true);
    out.push_back({"cards/J1.png", toIndexed(j1, medianCut(j1, 256))});
    out.push_back({"cards/J2.png", toMono(paintJoker(scale, false))});
}

} // namespace painter
