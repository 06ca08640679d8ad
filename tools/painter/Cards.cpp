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

// Corner suits, 7 wide, drawn for the pixel grid rather than scaled down.
Bits suitBits(Suit s)
{
    switch (s) {
    case Hearts: return {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."};
    case Diamonds: return {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."};
    case Spades: return {"...#...", "..###..", ".#####.", "#######", "#######", ".#.#.#.", "...#...", "..###.."};
    default: return {"..###..", ".#####.", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.."};
    }
}

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
        // the ace of spades gets its traditional flourish: a large pip in a fine ring
        p.setPen(QPen(ink(Black), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(14.5, 25.5, 42, 46));
        p.setPen(QPen(ink(Grey), 1));
        p.drawEllipse(QRectF(16.5, 27.5, 38, 42));
        fillPath(p, suitPath(s, QRectF(21, 32, 29, 32)), ink(Black));
        return;
    }
    fillPath(p, suitPath(s, QRectF(20, 30, 31, 36)), suitInk(s));
}

// ---- court cards -------------------------------------------------------------

struct Court {
    QColor main, second, trim, trimDark;
};

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

void outlined(QPainter& p, const QPainterPath& path, QColor fill, double pen = 0.8)
{
    p.setPen(QPen(ink(Dark), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// Upper half of a court figure, drawn in the 1x card coordinates (y 10..48).
void drawHalfFigure(QPainter& p, Suit s, int value, const Court& c)
{
    const double cx = 35.5;
    // robe: two panels with a gold band down the middle
    outlined(p, poly({{cx - 17, 49}, {cx - 14, 37}, {cx - 6, 33}, {cx + 6, 33}, {cx + 14, 37}, {cx + 17, 49}}), c.main);
    outlined(p, poly({{cx, 33}, {cx + 6, 33}, {cx + 14, 37}, {cx + 17, 49}, {cx, 49}}), c.second);
    outlined(p, poly({{cx - 2.5, 33}, {cx + 2.5, 33}, {cx + 2.5, 49}, {cx - 2.5, 49}}), c.trim, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink(Dark));
    for (int y = 36; y < 48; y += 4)
        p.drawRect(QRectF(cx - 0.5, y, 1, 1));
    // sleeve folds
    p.setPen(QPen(ink(Dark), 0.7));
    p.drawLine(QPointF(cx - 10, 39), QPointF(cx - 12, 48));
    p.drawLine(QPointF(cx + 10, 39), QPointF(cx + 12, 48));

    // hair behind the face
    if (value == 12)
        outlined(p, poly({{cx - 9, 19}, {cx + 9, 19}, {cx + 10, 35}, {cx + 5, 33}, {cx - 5, 33}, {cx - 10, 35}}), ink(GoldDark));
    else
        outlined(p, poly({{cx - 7.5, 18}, {cx + 7.5, 18}, {cx + 8, 28}, {cx - 8, 28}}), ink(GoldDark));

    // collar
    if (value == 13)
        outlined(p, poly({{cx - 8, 32}, {cx + 8, 32}, {cx + 10, 36}, {cx - 10, 36}}), ink(White));
    else if (value == 12)
        outlined(p, poly({{cx - 6, 32}, {cx + 6, 32}, {cx, 38}}), ink(Skin));
    else
        outlined(p, poly({{cx - 8, 32}, {cx + 8, 32}, {cx + 6, 35}, {cx - 6, 35}}), ink(White));
    if (value == 13) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink(Black));
        for (double x = cx - 7; x < cx + 8; x += 3)
            p.drawRect(QRectF(int(x), 34, 1, 1));
    }
    if (value == 12) { // necklace
        p.setPen(QPen(c.trim, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(cx - 5, 28, 10, 8), 200 * 16, 140 * 16);
    }

    // face
    outlined(p, [&] { QPainterPath f; f.addEllipse(QRectF(cx - 6, 18, 12, 14)); return f; }(), ink(Skin));
    p.setPen(Qt::NoPen);
    p.setBrush(ink(Black));
    p.drawRect(QRectF(32, 23, 2, 1));
    p.drawRect(QRectF(37, 23, 2, 1));
    p.setBrush(ink(GoldDark));
    p.drawRect(QRectF(35, 25, 1, 2));
    p.setBrush(ink(Red));
    p.drawRect(QRectF(34, 28, 3, 1));

    if (value == 13) { // beard and moustache
        outlined(p, poly({{cx - 6, 26.5}, {cx - 2, 29.5}, {cx + 2, 29.5}, {cx + 6, 26.5}, {cx + 5, 31}, {cx, 35}, {cx - 5, 31}}), ink(GoldDark), 0.6);
        p.setPen(Qt::NoPen);
        p.setBrush(ink(Red));
        p.drawRect(QRectF(34, 30, 3, 1));
    }

    // headwear
    if (value == 13) {
        outlined(p, poly({{cx - 8, 20}, {cx - 8, 12}, {cx - 5, 16}, {cx, 10.5}, {cx + 5, 16}, {cx + 8, 12}, {cx + 8, 20}}), c.trim);
        p.setPen(Qt::NoPen);
        p.setBrush(ink(Red));
        p.drawRect(QRectF(35, 16, 1, 2));
        p.setBrush(ink(Blue));
        p.drawRect(QRectF(30, 17, 1, 1));
        p.drawRect(QRectF(40, 17, 1, 1));
        p.fillRect(QRectF(28, 19, 15, 1), c.trimDark);
    } else if (value == 12) {
        outlined(p, poly({{cx - 6, 19}, {cx - 6, 14}, {cx - 3, 16}, {cx, 12}, {cx + 3, 16}, {cx + 6, 14}, {cx + 6, 19}}), c.trim);
        p.setPen(Qt::NoPen);
        p.setBrush(ink(Red));
        p.drawRect(QRectF(35, 16, 1, 1));
    } else {
        outlined(p, [&] { QPainterPath h; h.addEllipse(QRectF(cx - 10, 13, 20, 7)); return h; }(), c.second);
        outlined(p, poly({{cx - 7, 18}, {cx + 7, 18}, {cx + 7, 20}, {cx - 7, 20}}), c.trim, 0.6);
        // feather
        QPainterPath f;
        f.moveTo(cx + 4, 15);
        f.cubicTo(cx + 10, 9, cx + 15, 11, cx + 16, 14);
        f.cubicTo(cx + 12, 13, cx + 8, 14, cx + 4, 17);
        outlined(p, f, ink(GoldPale), 0.6);
    }

    // what each figure holds
    if (value == 13) { // upright sword at the right
        outlined(p, poly({{cx + 14, 12}, {cx + 15.5, 10}, {cx + 17, 12}, {cx + 17, 40}, {cx + 14, 40}}), ink(Light), 0.7);
        outlined(p, poly({{cx + 11, 40}, {cx + 20, 40}, {cx + 20, 42}, {cx + 11, 42}}), c.trim, 0.6);
        p.fillRect(QRectF(cx + 14.5, 42, 2, 7), c.trimDark);
    } else if (value == 12) { // a flower at the left
        p.setPen(QPen(ink(Navy), 1.2));
        p.drawLine(QPointF(cx - 12, 48), QPointF(cx - 12.5, 32));
        outlined(p, [&] { QPainterPath f; f.addEllipse(QRectF(cx - 16.5, 27, 8, 7)); return f; }(), ink(Red), 0.6);
        p.setPen(Qt::NoPen);
        p.setBrush(c.trim);
        p.drawRect(QRectF(22, 30, 2, 1));
    } else { // a halberd at the right
        p.fillRect(QRectF(cx + 14, 16, 1.5, 33), ink(GoldDark));
        outlined(p, poly({{cx + 14.75, 10}, {cx + 17, 14}, {cx + 19.5, 15}, {cx + 19.5, 20}, {cx + 15, 19}, {cx + 12.5, 14}}), ink(Light), 0.7);
    }
    drawBits(p, 16, 12, suitBits(s), suitInk(s));
}

void drawCourt(QPainter& p, Suit s, int value)
{
    const Court c = isRed(s) ? Court{ink(Red), ink(Blue), ink(Gold), ink(GoldDark)}
                             : Court{ink(Blue), ink(Red), ink(Gold), ink(GoldDark)};
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn)
            flip(p);
        p.setClipRect(QRectF(14, 11, 43, 37));
        drawHalfFigure(p, s, value, c);
        p.restore();
    }
    // the frame, with the halves meeting on a slanted line as on printed decks
    p.setPen(QPen(ink(Blue), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(13.5, 10.5, 44, 75));
    p.setPen(QPen(ink(Gold), 1));
    p.drawLine(QPointF(14, 48), QPointF(57, 48));
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
        return toIndexed(img, kInks);
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
