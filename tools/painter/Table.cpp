// The window's pictures: table, result-sheet plaque, rules chart, chip token, winner
// rose, button skins and the stake-counter digits.
#include "Painter.h"
#include "table/Layout.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace painter {
namespace {

const QColor kFelt(0x1F, 0x7E, 0x76);
const QColor kFeltDeep(0x17, 0x66, 0x60); // the felt near the edges, where buttons and tokens sit
const QColor kKey(0xFF, 0x00, 0xFF);

QPainterPath roundRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// ---- table ------------------------------------------------------------------

// Each seat's plate under its portrait and labels, by player index, in panel pixels; the
// background is painted through the window's stretch, so these land under the labels and
// portraits once the window stretches the picture.
const QRectF kPlates[5] = {
    {},
    {350, 560, 158, 57}, // the user: felt between the cards (to 555) and the rim
    {672, 215, 161, 58}, // Jack
    {350, 31, 158, 58},  // Jim
    {24, 215, 158, 58},  // Kate
};
const QRectF kPanel(1, 1, 854, 643);
const QRectF kFeltRect(22, 22, 812, 600);
const QPointF kOvalCentre(428, 332);
constexpr double kOvalRx = 246, kOvalRy = 146;

void drawWood(QPainter& p)
{
    // four mitred boards, grain running along each
    const QRectF o = kPanel, i = kPanel.adjusted(12, 12, -12, -12);
    const QPolygonF boards[4] = {
        QPolygonF({o.topLeft(), o.topRight(), i.topRight(), i.topLeft()}),
        QPolygonF({o.topRight(), o.bottomRight(), i.bottomRight(), i.topRight()}),
        QPolygonF({o.bottomRight(), o.bottomLeft(), i.bottomLeft(), i.bottomRight()}),
        QPolygonF({o.bottomLeft(), o.topLeft(), i.topLeft(), i.bottomLeft()}),
    };
    for (int b = 0; b < 4; ++b) {
        const bool across = b % 2 == 0;
        QPainterPath board;
        board.addPolygon(boards[b]);
        board.closeSubpath();
        p.save();
        p.setClipPath(board);
        const QRectF br = boards[b].boundingRect();
        QLinearGradient g(across ? QPointF(0, br.top()) : QPointF(br.left(), 0),
                          across ? QPointF(0, br.bottom()) : QPointF(br.right(), 0));
        const bool outerFirst = b == 0 || b == 3;
        const QColor edge(0x4A, 0x2A, 0x12), mid(0x8C, 0x5A, 0x2E), light(0xA8, 0x72, 0x3E);
        g.setColorAt(0, outerFirst ? edge : mid);
        g.setColorAt(0.35, light);
        g.setColorAt(0.7, mid);
        g.setColorAt(1, outerFirst ? mid.darker(130) : edge);
        p.fillRect(br, g);
        for (int k = 0; k < 26; ++k) {
            const double pos = 0.5 + k * 0.46 + (noise(k, b, 7) % 100) / 300.0;
            const int a = 25 + noise(k, b, 9) % 45;
            p.setPen(QPen(QColor(0x3A, 0x1E, 0x0A, a), 0.6 + (noise(k, b, 11) % 10) / 20.0));
            QPainterPath grain;
            const double len = across ? br.width() : br.height();
            for (double t = 0; t <= len; t += 8) {
                const double wave = 0.6 * std::sin(t / (40.0 + k * 3) + k) + 0.3 * std::sin(t / 13.0 + k * 2);
                const QPointF pt = across ? QPointF(br.left() + t, br.top() + pos + wave)
                                          : QPointF(br.left() + pos + wave, br.top() + t);
                t ? grain.lineTo(pt) : grain.moveTo(pt);
            }
            p.drawPath(grain);
        }
        p.restore();
    }
    p.setPen(QPen(QColor(0x2A, 0x16, 0x08), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(o.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(0xD2, 0x9A, 0x5C, 120), 1));
    p.drawRect(o.adjusted(1.5, 1.5, -1.5, -1.5));
    for (int b = 0; b < 4; ++b) {
        p.setPen(QPen(QColor(0x2A, 0x16, 0x08, 120), 0.8));
        p.drawLine(boards[b][0], boards[b][3]);
    }
}

void drawRim(QPainter& p)
{
    // padded leather rail between the wood and the felt
    const QRectF outer = kPanel.adjusted(12, 12, -12, -12), inner = kFeltRect;
    QPainterPath rim;
    rim.addRect(outer);
    rim.addRect(inner);
    p.fillPath(rim, QColor(0x56, 0x0A, 0x10));
    for (int k = 0; k < 4; ++k) {
        const double d = 1.5 + k * 1.6;
        p.setPen(QPen(QColor(0x8A, 0x1C, 0x24, 60 - k * 12), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(outer.adjusted(d, d, -d, -d));
    }
    p.setPen(QPen(QColor(0x30, 0x04, 0x08), 1));
    p.drawRect(outer.adjusted(0.5, 0.5, -0.5, -0.5));
    // the golden edge where rail meets felt
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x22), 2.2));
    p.drawRect(inner.adjusted(-1, -1, 1, 1));
    p.setPen(QPen(QColor(0xF0, 0xD0, 0x70), 0.9));
    p.drawRect(inner.adjusted(-1.4, -1.4, 1.4, 1.4));
    // brass studs along the top rail
    for (double x = 40; x < 830; x += 28) {
        QRadialGradient g(QPointF(x - 0.6, 16.2), 2.6);
        g.setColorAt(0, QColor(0xFF, 0xEC, 0xA0));
        g.setColorAt(0.6, QColor(0xD4, 0xA8, 0x40));
        g.setColorAt(1, QColor(0x7A, 0x58, 0x14));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(x, 17), 2.3, 2.3);
    }
}

void drawFelt(QPainter& p)
{
    QRadialGradient g(kOvalCentre, 560);
    g.setColorAt(0, QColor(0x2A, 0x96, 0x8C));
    g.setColorAt(0.45, kFelt);
    g.setColorAt(1, QColor(0x11, 0x52, 0x4D));
    p.fillRect(kFeltRect, g);
    // soft shade cast by the rail
    for (int k = 0; k < 8; ++k) {
        p.setPen(QPen(QColor(0, 0, 0, 34 - k * 4), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(kFeltRect.adjusted(k + 0.5, k + 0.5, -k - 0.5, -k - 0.5));
    }
}

QPointF ovalPointTowards(QPointF target)
{
    const QPointF d = target - kOvalCentre;
    const double t = 1.0 / std::sqrt(std::pow(d.x() / kOvalRx, 2) + std::pow(d.y() / kOvalRy, 2));
    return kOvalCentre + d * t;
}

// The two button columns (Start and Rules; Call to Flip all) as their skins cover them, in
// panel pixels, with the margin of felt that the corner lines keep from them.
QRectF buttonColumn(int first, int last)
{
    return QRect(ButtonBounds[first].topLeft(), ButtonSkinSize).united(QRect(ButtonBounds[last].topLeft(), ButtonSkinSize));
}
const QRectF kButtonColumns[] = {buttonColumn(0, 1), buttonColumn(2, 5)};
constexpr double kColumnMargin = 12;

QPointF feltCorner(int i)
{
    const QPointF corners[] = {kFeltRect.topLeft() + QPointF(10, 10), kFeltRect.topRight() + QPointF(-10, 10),
                               kFeltRect.bottomLeft() + QPointF(10, -10), kFeltRect.bottomRight() + QPointF(-10, -10)};
    return corners[i];
}

// The visible pieces of the line from the oval to a corner: it passes under a button
// column, so it stops short of it and takes up again beyond it.
std::vector<QLineF> cornerLinePieces(int i)
{
    const QPointF start = ovalPointTowards(feltCorner(i)), end = feltCorner(i);
    std::vector<QLineF> pieces;
    constexpr int steps = 2000;
    auto clear = [&](double t) {
        const QPointF pt = start + (end - start) * t;
        for (const QRectF& col : kButtonColumns)
            if (col.adjusted(-kColumnMargin, -kColumnMargin, kColumnMargin, kColumnMargin).contains(pt))
                return false;
        return true;
    };
    double from = -1;
    for (int k = 0; k <= steps; ++k) {
        const double t = double(k) / steps;
        const bool open = clear(t);
        if (open && from < 0)
            from = t;
        if ((!open || k == steps) && from >= 0) {
            const double to = open ? t : double(k - 1) / steps;
            pieces.emplace_back(start + (end - start) * from, start + (end - start) * to);
            from = -1;
        }
    }
    return pieces;
}

void drawMarkings(QPainter& p)
{
    const QColor gold(0xE0, 0xC2, 0x6A);
    // lines from the oval to the corners, with a gilded stud wherever one ends
    for (int i = 0; i < 4; ++i) {
        const QPointF start = ovalPointTowards(feltCorner(i));
        for (const QLineF& piece : cornerLinePieces(i)) {
            p.setPen(QPen(QColor(0, 0, 0, 40), 2.2));
            p.drawLine(piece.translated(0, 1));
            p.setPen(QPen(QColor(gold.red(), gold.green(), gold.blue(), 120), 1.1));
            p.drawLine(piece);
            p.setBrush(QColor(gold.red(), gold.green(), gold.blue(), 150));
            p.setPen(Qt::NoPen);
            for (QPointF end : {piece.p1(), piece.p2()})
                if (QLineF(end, start).length() > 1)
                    p.drawEllipse(end, 2.5, 2.5);
        }
    }
    // the oval: a slightly lighter inside and a fine gilded double line
    QRadialGradient inside(kOvalCentre, kOvalRx);
    inside.setColorAt(0, QColor(255, 255, 255, 14));
    inside.setColorAt(1, QColor(255, 255, 255, 4));
    p.setBrush(inside);
    p.setPen(Qt::NoPen);
    p.drawEllipse(kOvalCentre, kOvalRx, kOvalRy);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 50), 3));
    p.drawEllipse(kOvalCentre + QPointF(0, 1), kOvalRx, kOvalRy);
    p.setPen(QPen(QColor(gold.red(), gold.green(), gold.blue(), 170), 1.6));
    p.drawEllipse(kOvalCentre, kOvalRx, kOvalRy);
    p.setPen(QPen(QColor(0xB8, 0xE8, 0xE0, 70), 1));
    p.drawEllipse(kOvalCentre, kOvalRx - 7, kOvalRy - 7);

    // the star of the card backs, pressed faintly into the felt
    const QPainterPath star = starPath(kOvalCentre, 74, 50, 24);
    p.setPen(QPen(QColor(0, 0, 0, 26), 1.2));
    p.setBrush(QColor(255, 255, 255, 10));
    p.drawPath(star.translated(0, 1));
    p.setPen(QPen(QColor(0xE0, 0xC2, 0x6A, 40), 1));
    p.drawPath(star);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE0, 0xC2, 0x6A, 34), 1));
    p.drawEllipse(kOvalCentre, 86, 86);
    p.drawEllipse(kOvalCentre, 90, 90);
}

void drawSeat(QPainter& p, int player)
{
    const QRectF r = kPlates[player];
    const QPoint portrait = Seats[player].Portrait;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(roundRect(r.translated(1.5, 2), 7));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x2E, 0x33, 0x37));
    g.setColorAt(1, QColor(0x14, 0x17, 0x1A));
    p.setBrush(g);
    p.setPen(QPen(QColor(0xB8, 0x96, 0x48), 1.4));
    p.drawPath(roundRect(r, 7));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawPath(roundRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 5));

    // recessed frame and a grey stand-in figure for the portrait
    const QRectF slot(portrait, QSizeF(40, 40));
    p.fillRect(slot.adjusted(-2, -2, 2, 2), QColor(0x0A, 0x0C, 0x0E));
    p.setPen(QPen(QColor(0x8C, 0x72, 0x3A), 1));
    p.drawRect(slot.adjusted(-1.5, -1.5, 1.5, 1.5));
    QLinearGradient bg(slot.topLeft(), slot.bottomLeft());
    bg.setColorAt(0, QColor(0xA4, 0xA9, 0xAE));
    bg.setColorAt(1, QColor(0x84, 0x89, 0x8E));
    p.fillRect(slot, bg);
    p.save();
    p.setClipRect(slot);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6C, 0x71, 0x76));
    p.drawEllipse(QPointF(slot.center().x(), slot.top() + 16), 8, 9);
    p.drawEllipse(QPointF(slot.center().x(), slot.top() + 43), 16, 14);
    p.restore();
    // a faint rule between the name and the chip count
    const double x0 = portrait.x() + 52, x1 = r.right() - 8, y = portrait.y() + 22;
    QLinearGradient rule(QPointF(x0, 0), QPointF(x1, 0));
    rule.setColorAt(0, QColor(0xB8, 0x96, 0x48, 110));
    rule.setColorAt(1, QColor(0xB8, 0x96, 0x48, 0));
    p.fillRect(QRectF(x0, y, x1 - x0, 1), rule);
}

} // namespace

QImage paintTableBackground(int scale)
{
    constexpr int w = 833, h = 625;
    QImage img = makeCanvas(w, h, scale, kFelt);
    QPainter p;
    beginPaint(p, img, scale);
    p.scale(double(w) / 854, double(h) / 643);
    p.translate(-1, -1);
    drawFelt(p);
    drawMarkings(p);
    p.setPen(Qt::NoPen);
    for (int player = 1; player <= 4; ++player)
        drawSeat(p, player);
    drawRim(p);
    drawWood(p);
    p.end();
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    addNoise(out, out.rect(), 3, 1);
    return out;
}

namespace {

// ---- result-sheet plaque ------------------------------------------------------

// A quarter rosette tucked into the corner, inside 14 pixels each way: the headings, the
// names and the longest figures all keep clear of it.
void drawSheetCorner(QPainter& p, const QColor& dark, const QColor& mid)
{
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    for (int deg : {15, 45, 75}) {
        const double a = deg * M_PI / 180;
        p.drawEllipse(QPointF(10.5 * std::cos(a), 10.5 * std::sin(a)), 2.5, 2.5);
    }
    p.drawPie(QRectF(-11, -11, 22, 22), 270 * 16, 90 * 16);
    p.setBrush(mid);
    p.drawPie(QRectF(-8.4, -8.4, 16.8, 16.8), 270 * 16, 90 * 16);
    p.setBrush(dark);
    p.drawPie(QRectF(-5.6, -5.6, 11.2, 11.2), 270 * 16, 90 * 16);
    p.setBrush(QColor(0xF2, 0xFB, 0xF9));
    p.drawEllipse(QPointF(2.6, 2.6), 1.5, 1.5);
}

// A small lozenge with two leaves in the middle of the foot, below the last row.
void drawSheetFoot(QPainter& p, QPointF c, const QColor& dark, const QColor& mid)
{
    p.setPen(Qt::NoPen);
    p.setBrush(mid);
    for (int side : {-1, 1}) {
        QPainterPath leaf;
        leaf.moveTo(c + QPointF(side * 4, 0));
        leaf.quadTo(c + QPointF(side * 10, -4), c + QPointF(side * 17, 0));
        leaf.quadTo(c + QPointF(side * 10, 4), c + QPointF(side * 4, 0));
        p.drawPath(leaf);
    }
    p.setBrush(dark);
    p.drawPath(lozengePath(c, 4.5, 4.5));
    p.setBrush(QColor(0xF2, 0xFB, 0xF9));
    p.drawEllipse(c, 1.3, 1.3);
}

} // namespace

QImage paintSheetPlaque(int scale, bool ornaments)
{
    constexpr int w = 273, h = 176;
    QImage img = makeCanvas(w, h, scale, Qt::white);
    QPainter p;
    beginPaint(p, img, scale);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xE6, 0xF6, 0xF3));
    g.setColorAt(1, QColor(0xD4, 0xEE, 0xEA));
    p.fillRect(QRectF(0, 0, w, h), g);
    const QColor dark(0x2C, 0x7C, 0x76), mid(0x6F, 0xB4, 0xAC);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(dark, 3));
    p.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
    p.setPen(QPen(mid, 1));
    p.drawRect(QRectF(5.5, 5.5, w - 11, h - 11));
    p.setPen(QPen(QColor(0x9C, 0xCF, 0xC8), 1));
    p.drawLine(QPointF(30, 27.5), QPointF(w - 30, 27.5)); // under the headings, above the first row
    if (ornaments) {
        for (int c = 0; c < 4; ++c) {
            p.save();
            p.translate(c % 2 ? w : 0, c / 2 ? h : 0);
            p.scale(c % 2 ? -1 : 1, c / 2 ? -1 : 1);
            drawSheetCorner(p, dark, mid);
            p.restore();
        }
        drawSheetFoot(p, QPointF(w / 2.0, 166), dark, mid);
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

namespace {

// ---- rules chart ----------------------------------------------------------------

QImage paintRules(int scale)
{
    constexpr int w = 433, h = 325;
    QImage img = makeCanvas(w, h, scale, Qt::white);
    QPainter p;
    beginPaint(p, img, scale);
    QRadialGradient g(QPointF(w / 2.0, h / 2.0), 280);
    g.setColorAt(0, QColor(0xF6, 0xEA, 0xC8));
    g.setColorAt(0.7, QColor(0xEC, 0xD9, 0xA8));
    g.setColorAt(1, QColor(0xC9, 0xA8, 0x6A));
    p.fillRect(QRectF(0, 0, w, h), g);
    const QColor brown(0x7A, 0x4A, 0x1E);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(brown, 2));
    p.drawRect(QRectF(8, 8, w - 16, h - 16));
    p.setPen(QPen(brown, 0.8));
    p.drawRect(QRectF(12.5, 12.5, w - 25, h - 25));
    for (QPointF c : {QPointF(8, 8), QPointF(w - 8, 8), QPointF(8, h - 8), QPointF(w - 8, h - 8)}) {
        p.setBrush(brown);
        p.setPen(Qt::NoPen);
        p.drawPath(lozengePath(c, 5, 5));
    }

    const QStringList cjk{"Liberation Sans", "Noto Sans CJK SC"};
    p.setFont(pixelFont(cjk, 30, true));
    p.setPen(QColor(0x6B, 0x22, 0x10));
    p.drawText(QRectF(0, 14, w, 40), Qt::AlignCenter, QStringLiteral("规则"));
    p.setPen(QPen(brown, 1));
    p.drawLine(QPointF(110, 34.5), QPointF(176, 34.5));
    p.drawLine(QPointF(w - 176, 34.5), QPointF(w - 110, 34.5));

    const char* rows[6][2] = {{"豹子", "AAA>KKK>....>222"}, {"顺金", "AKQ>KQJ>....>32A"},
                              {"金花", "AKJ>AK10>...>532"}, {"顺子", "AKQ>KQJ>....>32A"},
                              {"对子", "AAK>AAQ>....>223"}, {"单张", "AKJ>AK10>...>532"}};
    constexpr double top = 62, step = 42, pillH = 30;
    for (int i = 0; i < 6; ++i) {
        const QRectF pill(62, top + i * step, 96, pillH);
        QLinearGradient pg(pill.topLeft(), pill.bottomLeft());
        pg.setColorAt(0, QColor(0x9A, 0x3C, 0x22));
        pg.setColorAt(1, QColor(0x6A, 0x22, 0x12));
        p.setBrush(pg);
        p.setPen(QPen(QColor(0x4A, 0x16, 0x08), 1));
        p.drawPath(roundRect(pill, 6));
        p.setFont(pixelFont(cjk, 21, true));
        p.setPen(QColor(0xFB, 0xEA, 0xB8));
        p.drawText(pill, Qt::AlignCenter, QString::fromUtf8(rows[i][0]));
        p.setFont(pixelFont({"Liberation Sans"}, 21, true));
        p.setPen(QColor(0x10, 0x32, 0xC8));
        p.drawText(QRectF(186, pill.top(), 220, pillH), Qt::AlignVCenter | Qt::AlignLeft, rows[i][1]);
        p.setPen(QPen(QColor(0xB0, 0x8A, 0x50), 1, Qt::DotLine));
        p.drawLine(QPointF(164, pill.center().y()), QPointF(180, pill.center().y()));
        if (i < 5) {
            // the order between two categories: a small yellow mark in the gap
            QPainterPath gt;
            QFont f = pixelFont({"Liberation Sans"}, 15, true);
            gt.addText(0, 0, f, ">");
            const QRectF b = gt.boundingRect();
            gt.translate(pill.center().x() - b.center().x(), pill.bottom() + (step - pillH) / 2 - b.center().y());
            p.setPen(QPen(QColor(0x5A, 0x32, 0x08), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(gt);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xFF, 0xE0, 0x10));
            p.drawPath(gt);
        }
    }
    p.end();
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    addNoise(out, out.rect(), 3, 5);
    return out;
}

// ---- chip token -------------------------------------------------------------------

QImage paintToken(int scale)
{
    QImage img = makeCanvas(24, 23, scale);
    QPainter p;
    beginPaint(p, img, scale);
    const QPointF c(12, 11.5);
    QRadialGradient rim(c + QPointF(-3, -3), 14);
    rim.setColorAt(0, QColor(0xB0, 0x70, 0x38));
    rim.setColorAt(1, QColor(0x5A, 0x30, 0x10));
    p.setPen(QPen(QColor(0x3A, 0x1C, 0x06), 1));
    p.setBrush(rim);
    p.drawEllipse(c, 10.6, 10.6);
    // notches around the rim
    p.setPen(QPen(QColor(0xE8, 0xC8, 0x90), 1.6));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        p.drawLine(c + QPointF(7.6 * std::cos(a), 7.6 * std::sin(a)), c + QPointF(9.8 * std::cos(a), 9.8 * std::sin(a)));
    }
    QRadialGradient face(c + QPointF(-2, -2.5), 9);
    face.setColorAt(0, QColor(0xA8, 0x66, 0x2C));
    face.setColorAt(1, QColor(0x6E, 0x3A, 0x14));
    p.setPen(QPen(QColor(0x4A, 0x26, 0x0A), 0.9));
    p.setBrush(face);
    p.drawEllipse(c, 6.8, 6.8);
    QPainterPath d;
    d.addText(0, 0, pixelFont({"Liberation Sans"}, 11, true), "D");
    const QRectF b = d.boundingRect();
    d.translate(c - b.center());
    p.setPen(QPen(QColor(0x2A, 0x12, 0x04), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(d);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xEA, 0xB0));
    p.drawPath(d);
    p.end();
    const QImage keyed = keyOut(img, kFeltDeep, kKey);
    QList<QRgb> palette = medianCut(keyed, 255, kKey.rgb(), true);
    palette.append(kKey.rgb());
    return toIndexed(keyed, palette);
}

// ---- winner rose ---------------------------------------------------------------------

QImage paintRose(int scale)
{
    QImage img = makeCanvas(24, 24, scale);
    QPainter p;
    beginPaint(p, img, scale);
    const QColor stemDark(0x1E, 0x5A, 0x14), stem(0x3C, 0x9A, 0x2A), leaf(0x4C, 0xB0, 0x34);
    p.setPen(QPen(stemDark, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath s;
    s.moveTo(12, 23);
    s.cubicTo(13, 18, 11, 15, 12, 10);
    p.drawPath(s);
    p.setPen(QPen(stem, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(s);
    auto drawLeaf = [&](QPointF base, QPointF tip, double bulge) {
        const QPointF mid = (base + tip) / 2, n(-(tip - base).y(), (tip - base).x());
        QPainterPath l;
        l.moveTo(base);
        l.quadTo(mid + n * bulge, tip);
        l.quadTo(mid - n * bulge, base);
        p.setPen(QPen(stemDark, 0.8));
        p.setBrush(leaf);
        p.drawPath(l);
        p.setPen(QPen(stemDark, 0.6));
        p.drawLine(base, mid + (tip - mid) * 0.6);
    };
    drawLeaf(QPointF(12, 18), QPointF(4.5, 14), 0.35);
    drawLeaf(QPointF(12.3, 15.5), QPointF(19.5, 12.5), 0.35);
    // the bloom: cupped outer petals, then a spiral of inner ones
    const QColor petalDark(0x8A, 0x06, 0x12), petal(0xD8, 0x16, 0x26), petalLight(0xF2, 0x5A, 0x5E);
    p.setPen(QPen(petalDark, 0.8));
    p.setBrush(petal);
    QPainterPath cup;
    cup.moveTo(5, 5);
    cup.cubicTo(5, 12, 9, 13.5, 12, 13.5);
    cup.cubicTo(15, 13.5, 19, 12, 19, 5);
    cup.cubicTo(17, 7, 15, 7, 12, 4.5);
    cup.cubicTo(9, 7, 7, 7, 5, 5);
    p.drawPath(cup);
    p.setBrush(petalLight);
    p.drawEllipse(QRectF(7.5, 2.2, 9, 6.5));
    p.setBrush(petal);
    p.drawEllipse(QRectF(9, 3.2, 6, 4.2));
    p.setPen(QPen(petalDark, 1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10.3, 4, 3.6, 2.6), 30 * 16, 260 * 16);
    p.drawArc(QRectF(7.5, 6, 9, 6), 200 * 16, 140 * 16);
    p.setPen(QPen(stemDark, 1));
    p.setBrush(stem);
    p.drawPolygon(QPolygonF({QPointF(9.5, 12.5), QPointF(12, 15), QPointF(14.5, 12.5), QPointF(12, 13.6)}));
    p.end();

    // index 80 is the see-through colour: keep it for the background alone
    constexpr int clear = 80;
    const QColor sheet(0xDC, 0xF1, 0xED);
    const QImage keyed = keyOut(img, sheet, sheet);
    const QList<QRgb> used = medianCut(keyed, 255, sheet.rgb(), true);
    QList<QRgb> table(256, qRgb(0, 0, 0));
    auto slotOf = [](int i) { return i < clear ? i : i + 1; };
    for (int i = 0; i < used.size(); ++i)
        table[slotOf(i)] = used[i];
    table[clear] = sheet.rgb();
    QImage out(keyed.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    const QImage mapped = toIndexed(keyed, used);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (keyed.pixel(x, y) == sheet.rgb()) {
                out.setPixel(x, y, clear);
                continue;
            }
            out.setPixel(x, y, uint(slotOf(mapped.pixelIndex(x, y))));
        }
    return out;
}

// ---- button skins --------------------------------------------------------------------

// Slate plaques that sit with the seat plates: a brass rim, a bevelled face with room
// for the caption, and a brass stud in each pointed end. Rows 0, 1, 30 and 31 stay
// see-through, so that stacked buttons stand apart on the felt.
struct Stone {
    QColor faceTop, faceBottom, lit, shade, rim, rimDark, stud, studDark;
    bool inset;
};

constexpr double kPlaqueTop = 2, kPlaqueBottom = 30;

QPainterPath plaqueShape(double d)
{
    // long sides straight, the ends drawn out to a blunt point in two curves
    const double t = kPlaqueTop + d, b = kPlaqueBottom - d, m = (kPlaqueTop + kPlaqueBottom) / 2;
    const double l = 1 + d * 1.2, r = 99 - d * 1.2, shoulder = 9 + d * 0.4;
    QPainterPath path;
    path.moveTo(shoulder, t);
    path.lineTo(100 - shoulder, t);
    path.cubicTo(100 - shoulder + 4, t, r, m - 6, r, m);
    path.cubicTo(r, m + 6, 100 - shoulder + 4, b, 100 - shoulder, b);
    path.lineTo(shoulder, b);
    path.cubicTo(shoulder - 4, b, l, m + 6, l, m);
    path.cubicTo(l, m - 6, shoulder - 4, t, shoulder, t);
    path.closeSubpath();
    return path;
}

void drawStud(QPainter& p, QPointF c, const Stone& k)
{
    // a small brass boss in a lozenge, echoing the rim
    p.setPen(QPen(k.rimDark, 0.8));
    p.setBrush(k.shade);
    p.drawPath(lozengePath(c, 4, 6));
    QRadialGradient g(c + QPointF(-0.7, -0.9), 2.6);
    g.setColorAt(0, k.stud.lighter(135));
    g.setColorAt(0.55, k.stud);
    g.setColorAt(1, k.studDark);
    p.setPen(QPen(k.studDark, 0.6));
    p.setBrush(g);
    p.drawEllipse(c, 2.1, 2.1);
}

QImage paintSkin(int scale, const Stone& k, int seed)
{
    QImage img = makeCanvas(ButtonSkinSize.width(), ButtonSkinSize.height(), scale);
    QPainter p;
    beginPaint(p, img, scale);
    // brass rim, then the bevel: lit along the top, shaded along the foot; pressed in,
    // the two swap and the face sinks
    const QPainterPath outer = plaqueShape(0), bevel = plaqueShape(1), face = plaqueShape(2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(k.rimDark);
    p.drawPath(outer);
    QLinearGradient rim(0, kPlaqueTop, 0, kPlaqueBottom);
    rim.setColorAt(0, k.rim.lighter(115));
    rim.setColorAt(1, k.rim.darker(125));
    p.setBrush(rim);
    p.drawPath(plaqueShape(0.5));
    QLinearGradient bev(0, kPlaqueTop + 1, 0, kPlaqueBottom - 1);
    bev.setColorAt(0, k.inset ? k.shade : k.lit);
    bev.setColorAt(0.5, k.inset ? k.shade : k.lit);
    bev.setColorAt(0.51, k.inset ? k.lit : k.shade);
    bev.setColorAt(1, k.inset ? k.lit : k.shade);
    p.setBrush(bev);
    p.drawPath(bevel);
    QLinearGradient fg(0, 4, 0, 28);
    fg.setColorAt(0, k.faceTop);
    fg.setColorAt(1, k.faceBottom);
    p.setBrush(fg);
    p.drawPath(face);

    p.save();
    p.setClipPath(face);
    // slate: faint veins along the plaque, no grain on the caption's ground
    for (int i = 0; i < 5; ++i) {
        const double y0 = 6 + noise(i, seed, 3) % 20, y1 = 6 + noise(i, seed, 4) % 20;
        QPainterPath vein;
        vein.moveTo(-2, y0);
        vein.cubicTo(30, y0 + 4, 70, y1 - 4, 102, y1);
        p.setPen(QPen(i % 2 ? QColor(255, 255, 255, 9) : QColor(0, 0, 0, 14), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(vein);
    }
    if (k.inset) { // the recess throws a shadow from its upper edge
        p.setPen(QPen(QColor(0, 0, 0, 110), 2.2));
        p.drawPath(face.translated(0.8, 1.2));
    }
    const double o = k.inset ? 0.6 : 0;
    // an engraved bracket round each end, stopping well short of the caption
    QPainterPath ends;
    ends.addRect(QRectF(0, 0, 21, 32));
    ends.addRect(QRectF(79, 0, 21, 32));
    p.setClipPath(face.intersected(ends));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 80), 1));
    p.drawPath(plaqueShape(4.6).translated(o, o + 0.5));
    p.setPen(QPen(QColor(255, 255, 255, k.inset ? 16 : 30), 1));
    p.drawPath(plaqueShape(4.6).translated(o, o + 1.5));
    p.restore();
    drawStud(p, QPointF(11.5 + o, 16 + o), k);
    drawStud(p, QPointF(88.5 + o, 16 + o), k);
    p.end();

    QImage keyed = keyOut(img, kFeltDeep, kKey);
    // a faint grain on the stone only, never on the key colour
    for (int y = 0; y < keyed.height(); ++y)
        for (int x = 0; x < keyed.width(); ++x) {
            const QRgb c = keyed.pixel(x, y);
            if (c == kKey.rgb())
                continue;
            const int d = noise(x, y, seed) % 5 - 2;
            const QRgb n = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                                std::clamp(qBlue(c) + d, 0, 255));
            keyed.setPixel(x, y, n == kKey.rgb() ? c : n);
        }
    return keyed;
}

// ---- stake digits ---------------------------------------------------------------------

QImage paintDigit(int scale, int digit)
{
    const int w = 14 * scale, h = 16 * scale;
    // an unsmoothed glyph gives the hard edge the counters need
    QImage mask(w * 2, h * 2, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        QFont f = pixelFont({"Liberation Sans"}, 19 * scale, true);
        f.setStyleStrategy(QFont::NoAntialias);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QPointF(w / 2, h * 3 / 2), QString::number(digit));
    }
    QRect ink;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(mask.pixel(x, y)) > 127)
                ink |= QRect(x, y, 1, 1);
    QImage out(w, h, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const int dx = (w - ink.width()) / 2 - ink.left(), dy = (h - ink.height()) / 2 - ink.top();
    auto on = [&](int x, int y) {
        const int sx = x - dx, sy = y - dy;
        return mask.rect().contains(sx, sy) && qAlpha(mask.pixel(sx, sy)) > 127;
    };
    const int r = scale; // outline thickness
    const QColor outline(0x3C, 0x22, 0x02);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (on(x, y)) {
                // gold, bright at the top and deep at the foot
                const double t = double(y - (dy + ink.top())) / std::max(1, ink.height() - 1);
                const QColor stops[] = {QColor(0xFF, 0xF0, 0x9C), QColor(0xFF, 0xD2, 0x3C), QColor(0xE6, 0xA2, 0x12),
                                        QColor(0xB4, 0x74, 0x06)};
                const double at = std::clamp(t, 0.0, 1.0) * 3;
                const int i = std::min(2, int(at));
                const double f = at - i;
                auto lerp = [f](int a, int b) { return int(a + (b - a) * f + 0.5); };
                out.setPixel(x, y, qRgb(lerp(stops[i].red(), stops[i + 1].red()),
                                        lerp(stops[i].green(), stops[i + 1].green()),
                                        lerp(stops[i].blue(), stops[i + 1].blue())));
                continue;
            }
            bool near = false;
            for (int j = -r; j <= r && !near; ++j)
                for (int i = -r; i <= r && !near; ++i)
                    near = on(x + i, y + j);
            if (near)
                out.setPixel(x, y, outline.rgb());
        }
    return out;
}

} // namespace

QImage paintButtonSkin(int scale, int look)
{
    // normal slate, pressed a shade darker and sunk, disabled a step lighter and greyer;
    // each face stays dark enough under its caption colour (see --review)
    const Stone normal{QColor(0x55, 0x5E, 0x67), QColor(0x3D, 0x45, 0x4D), QColor(0x7C, 0x86, 0x90),
                       QColor(0x35, 0x3B, 0x42), QColor(0xB8, 0x96, 0x48), QColor(0x4A, 0x38, 0x14),
                       QColor(0xD8, 0xB0, 0x58), QColor(0x6A, 0x4C, 0x14), false};
    const Stone pressed{QColor(0x34, 0x3A, 0x41), QColor(0x2A, 0x30, 0x36), QColor(0x5C, 0x65, 0x6E),
                        QColor(0x32, 0x37, 0x3D), QColor(0xA0, 0x82, 0x3E), QColor(0x3A, 0x2C, 0x10),
                        QColor(0xB8, 0x94, 0x48), QColor(0x5A, 0x40, 0x10), true};
    const Stone disabled{QColor(0x67, 0x6C, 0x71), QColor(0x5A, 0x5F, 0x64), QColor(0x8E, 0x93, 0x98),
                         QColor(0x4E, 0x53, 0x58), QColor(0x9A, 0x94, 0x88), QColor(0x48, 0x46, 0x40),
                         QColor(0xA4, 0xA0, 0x96), QColor(0x5C, 0x5A, 0x54), false};
    const Stone* stones[] = {&normal, &pressed, &disabled};
    return paintSkin(scale, *stones[look], 21);
}

TableLayout tableLayout()
{
    TableLayout layout;
    layout.buttonColumns = {kButtonColumns[0], kButtonColumns[1]};
    for (int i = 0; i < 4; ++i)
        for (const QLineF& piece : cornerLinePieces(i))
            layout.cornerLines.append(piece);
    return layout;
}

void paintTable(int scale, Pictures& out)
{
    out.push_back({"table/background.jpg", paintTableBackground(scale), Store::Jpeg});
    out.push_back({"table/sheet.jpg", paintSheetPlaque(scale, true), Store::Jpeg});
    out.push_back({"table/rules.jpg", paintRules(scale), Store::Jpeg});
    out.push_back({"table/token.png", paintToken(scale)});
    out.push_back({"table/rose.gif", paintRose(scale), Store::Gif, 80});
    for (int look = 0; look < 3; ++look)
        out.push_back({QStringLiteral("table/skin%1.png").arg(look), paintButtonSkin(scale, look)});
    for (int d = 0; d <= 9; ++d)
        out.push_back({QStringLiteral("table/digit%1.png").arg(d), paintDigit(scale, d)});
}

} // namespace painter
