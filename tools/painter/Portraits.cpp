// The four players' portraits and the application icon.
#include "Painter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace painter {
namespace {

const QColor kLine(0x3A, 0x2A, 0x1A);

void backdrop(QPainter& p, QColor top, QColor bottom)
{
    QLinearGradient g(0, 0, 0, 40);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, 40, 40), g);
}

void shape(QPainter& p, const QPainterPath& path, QColor fill, double pen = 1.0)
{
    p.setPen(pen > 0 ? QPen(kLine, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
}

// A round, shaded fill: light from the upper left.
QRadialGradient shade(QPointF c, double r, QColor base)
{
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.3);
    g.setColorAt(0, base.lighter(118));
    g.setColorAt(0.6, base);
    g.setColorAt(1, base.darker(125));
    return g;
}

void eye(QPainter& p, QPointF c, double r, double pupil, QColor iris = Qt::black)
{
    p.setPen(QPen(kLine, 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r * 1.1);
    p.setPen(Qt::NoPen);
    p.setBrush(iris);
    p.drawEllipse(c + QPointF(0.4, 0.5), pupil, pupil * 1.1);
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(-pupil * 0.2, -pupil * 0.3), pupil * 0.4, pupil * 0.4);
}

void duck(QPainter& p)
{
    backdrop(p, QColor(0xA8, 0xDA, 0xF6), QColor(0x62, 0xAE, 0xE2));
    const QColor yellow(0xFF, 0xD6, 0x32);
    p.setBrush(shade({20, 40}, 14, yellow));
    p.setPen(QPen(kLine, 1));
    p.drawEllipse(QPointF(20, 42), 16, 11);
    // tuft
    QPainterPath tuft;
    tuft.moveTo(18, 9);
    tuft.cubicTo(16, 4, 19, 2, 20, 5);
    tuft.cubicTo(21, 1, 25, 3, 22, 8);
    shape(p, tuft, yellow);
    p.setBrush(shade({20, 19}, 13, yellow));
    p.setPen(QPen(kLine, 1));
    p.drawEllipse(QPointF(20, 19.5), 12.5, 12);
    // cheeks
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x9C, 0x8C, 150));
    p.drawEllipse(QPointF(10.5, 23), 2.4, 1.6);
    p.drawEllipse(QPointF(29.5, 23), 2.4, 1.6);
    eye(p, {15.2, 16.5}, 3.3, 1.9);
    eye(p, {24.8, 16.5}, 3.3, 1.9);
    // bill: upper and lower halves
    const QColor orange(0xFF, 0x8C, 0x1A);
    QPainterPath upper;
    upper.moveTo(12.5, 23);
    upper.cubicTo(14, 19.5, 26, 19.5, 27.5, 23);
    upper.cubicTo(25, 25, 15, 25, 12.5, 23);
    QPainterPath lower;
    lower.moveTo(14, 24.2);
    lower.cubicTo(16, 28.5, 24, 28.5, 26, 24.2);
    lower.cubicTo(23, 25.4, 17, 25.4, 14, 24.2);
    shape(p, lower, orange.darker(115), 0.8);
    shape(p, upper, orange, 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9A, 0x4A, 0x08));
    p.drawEllipse(QPointF(18, 21.8), 0.6, 0.5);
    p.drawEllipse(QPointF(22, 21.8), 0.6, 0.5);
}

void frog(QPainter& p)
{
    backdrop(p, QColor(0xF8, 0xE6, 0xA8), QColor(0xEC, 0xC2, 0x60));
    const QColor green(0x5C, 0xBE, 0x48);
    p.setPen(QPen(kLine, 1));
    p.setBrush(shade({20, 42}, 15, green.darker(110)));
    p.drawEllipse(QPointF(20, 42), 15, 10);
    // eye bumps, then the wide head over them
    p.setBrush(shade({11.5, 12}, 7, green));
    p.drawEllipse(QPointF(11.5, 12.5), 6.6, 6.2);
    p.drawEllipse(QPointF(28.5, 12.5), 6.6, 6.2);
    p.setBrush(shade({20, 24}, 16, green));
    p.drawEllipse(QPointF(20, 25), 16, 11.5);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(11.5, 13.5), 5.6, 5);
    p.drawEllipse(QPointF(28.5, 13.5), 5.6, 5);
    // pale belly of the chin
    p.setBrush(QColor(0xD8, 0xF0, 0x9A));
    p.drawEllipse(QPointF(20, 31.5), 10, 4.2);
    eye(p, {11.5, 12.8}, 4.0, 2.2);
    eye(p, {28.5, 12.8}, 4.0, 2.2);
    p.setBrush(QColor(0xFF, 0x88, 0x88, 140));
    p.drawEllipse(QPointF(7.5, 25), 2.6, 1.7);
    p.drawEllipse(QPointF(32.5, 25), 2.6, 1.7);
    p.setBrush(QColor(0x24, 0x5A, 0x1A));
    p.drawEllipse(QPointF(18, 21.5), 0.7, 0.6);
    p.drawEllipse(QPointF(22, 21.5), 0.7, 0.6);
    // big grin
    QPainterPath mouth;
    mouth.moveTo(9, 25);
    mouth.cubicTo(13, 31, 27, 31, 31, 25);
    p.setPen(QPen(QColor(0x22, 0x4A, 0x16), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
}

void panda(QPainter& p)
{
    backdrop(p, QColor(0xC6, 0xE8, 0xAA), QColor(0x84, 0xC2, 0x66));
    // bamboo behind
    p.setPen(Qt::NoPen);
    for (double x : {4.0, 35.0}) {
        p.setBrush(QColor(0x5E, 0x9E, 0x3A));
        p.drawRect(QRectF(x - 1.5, 0, 3, 40));
        p.setBrush(QColor(0x3C, 0x74, 0x22));
        for (double y = 7; y < 40; y += 11)
            p.drawRect(QRectF(x - 2, y, 4, 1.2));
    }
    const QColor black(0x26, 0x26, 0x2A), white(0xF8, 0xF8, 0xF4);
    p.setPen(QPen(kLine, 1));
    p.setBrush(black);
    p.drawEllipse(QPointF(20, 42.5), 16, 10);
    p.drawEllipse(QPointF(9, 10), 5.4, 5.2);
    p.drawEllipse(QPointF(31, 10), 5.4, 5.2);
    p.setBrush(shade({20, 21}, 14, white));
    p.drawEllipse(QPointF(20, 21.5), 14, 12.5);
    // eye patches lean outwards
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    for (int side : {-1, 1}) {
        p.save();
        p.translate(20 + side * 5.6, 20.5);
        p.rotate(side * -28);
        p.drawEllipse(QPointF(0, 0), 3.6, 4.8);
        p.restore();
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14.6, 19.8), 1.6, 1.6);
    p.drawEllipse(QPointF(25.4, 19.8), 1.6, 1.6);
    p.setBrush(black);
    p.drawEllipse(QPointF(14.9, 20.1), 0.9, 0.9);
    p.drawEllipse(QPointF(25.1, 20.1), 0.9, 0.9);
    p.drawEllipse(QPointF(20, 25.5), 2.2, 1.5);
    p.setPen(QPen(black, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(20, 26.5), QPointF(20, 28));
    p.drawArc(QRectF(16.5, 26, 3.5, 3.2), 200 * 16, 140 * 16);
    p.drawArc(QRectF(20, 26, 3.5, 3.2), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x9C, 0xA8, 120));
    p.drawEllipse(QPointF(10.5, 26), 2.2, 1.4);
    p.drawEllipse(QPointF(29.5, 26), 2.2, 1.4);
}

void cat(QPainter& p)
{
    backdrop(p, QColor(0xF6, 0xD0, 0xE2), QColor(0xD2, 0x9E, 0xC6));
    const QColor fur(0xF2, 0x9E, 0x48), pink(0xF8, 0xA8, 0xB8);
    p.setPen(QPen(kLine, 1));
    p.setBrush(shade({20, 42}, 15, fur.darker(108)));
    p.drawEllipse(QPointF(20, 42.5), 15, 10);
    for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.moveTo(20 + side * 13.5, 17);
        ear.lineTo(20 + side * 12.5, 2.5);
        ear.lineTo(20 + side * 4, 11);
        ear.closeSubpath();
        shape(p, ear, fur);
        QPainterPath inner;
        inner.moveTo(20 + side * 11.8, 14);
        inner.lineTo(20 + side * 11.6, 5.8);
        inner.lineTo(20 + side * 6.5, 11);
        inner.closeSubpath();
        shape(p, inner, pink, 0);
    }
    p.setPen(QPen(kLine, 1));
    p.setBrush(shade({20, 21}, 14, fur));
    p.drawEllipse(QPointF(20, 21.5), 14, 12.5);
    // stripes on the brow
    p.setPen(QPen(QColor(0xC0, 0x66, 0x1E), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 10), QPointF(20, 14));
    p.drawLine(QPointF(16.5, 10.5), QPointF(17.2, 13.5));
    p.drawLine(QPointF(23.5, 10.5), QPointF(22.8, 13.5));
    // pale muzzle
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF2, 0xE0));
    p.drawEllipse(QPointF(17, 27), 4.6, 3.6);
    p.drawEllipse(QPointF(23, 27), 4.6, 3.6);
    // eyes with slit pupils
    for (double x : {14.0, 26.0}) {
        p.setPen(QPen(kLine, 0.8));
        p.setBrush(QColor(0x7C, 0xD0, 0x4A));
        p.drawEllipse(QPointF(x, 19.5), 3.2, 3.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(x, 19.7), 0.9, 2.8);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(x - 1.1, 18.3), 0.8, 0.8);
    }
    QPainterPath nose;
    nose.moveTo(18.3, 24);
    nose.lineTo(21.7, 24);
    nose.lineTo(20, 26);
    nose.closeSubpath();
    shape(p, nose, QColor(0xF0, 0x6C, 0x88), 0.6);
    p.setPen(QPen(kLine, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(16.6, 25.2, 3.4, 3), 200 * 16, 140 * 16);
    p.drawArc(QRectF(20, 25.2, 3.4, 3), 200 * 16, 140 * 16);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x2A, 200), 0.6));
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k)
            p.drawLine(QPointF(20 + side * 8, 26.5 + k * 1.3), QPointF(20 + side * 16.5, 24.5 + k * 2.4));
}

// ---- icon -------------------------------------------------------------------------

QPainterPath iconSuit(int suit, QRectF r)
{
    auto P = [&r](double x, double y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (suit == 2)
        return heartPath(r);
    if (suit == 1)
        return spadePath(r);
    const double rr = 0.24 * r.width();
    for (QPointF c : {P(0.5, 0.26), P(0.25, 0.56), P(0.75, 0.56)})
        path.addEllipse(c, rr, rr);
    path.addEllipse(QRectF(P(0.38, 0.38), P(0.62, 0.64)));
    QPainterPath stem;
    stem.moveTo(P(0.46, 0.55));
    stem.quadTo(P(0.44, 0.9), P(0.26, 1));
    stem.lineTo(P(0.74, 1));
    stem.quadTo(P(0.56, 0.9), P(0.54, 0.55));
    stem.closeSubpath();
    path.addPath(stem);
    return path;
}

} // namespace

QImage paintAppIcon(int px)
{
    // drawn on a 48-unit grid; launcher sizes such as 64 are not whole multiples of it
    QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p;
    beginPaint(p, img, 1);
    p.scale(px / 48.0, px / 48.0);
    QRadialGradient bg(QPointF(24, 18), 40);
    bg.setColorAt(0, QColor(0xFA, 0xFC, 0xFE));
    bg.setColorAt(1, QColor(0xD6, 0xE4, 0xEE));
    p.fillRect(QRectF(0, 0, 48, 48), bg);
    // held like a hand of cards: each card covers the one to its left but for the corner
    const double angle[] = {-20, 0, 20};
    for (int suit = 0; suit < 3; ++suit) { // clubs, spades, hearts
        p.save();
        p.translate(24, 49);
        p.rotate(angle[suit]);
        const QRectF card(-10, -39, 20, 29);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRoundedRect(card.translated(0.9, 1.1), 2.4, 2.4);
        p.setPen(QPen(QColor(0x30, 0x30, 0x36), 0.9));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 2.4, 2.4);
        const QColor c = suit == 2 ? QColor(0xD0, 0x14, 0x2C) : QColor(0x10, 0x10, 0x14);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(iconSuit(suit, QRectF(-5, -29, 10, 11)));
        p.drawPath(iconSuit(suit, QRectF(card.left() + 1.6, card.top() + 8.2, 4.2, 4.6)));
        p.setFont(pixelFont({"Liberation Sans"}, 8, true));
        p.setPen(c);
        p.drawText(QRectF(card.left() + 0.9, card.top() + 0.6, 5.6, 8), Qt::AlignCenter, "A");
        p.restore();
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

namespace {

QImage portrait(int scale, void (*draw)(QPainter&))
{
    QImage img = makeCanvas(40, 40, scale, Qt::white);
    QPainter p;
    beginPaint(p, img, scale);
    draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void paintPortraits(int scale, Pictures& out)
{
    out.push_back({"table/portrait_user.png", portrait(scale, duck)});
    out.push_back({"table/portrait_jack.png", portrait(scale, frog)});
    out.push_back({"table/portrait_jim.png", portrait(scale, panda)});
    out.push_back({"table/portrait_kate.png", portrait(scale, cat)});
    out.push_back({"app/mainicon.png", paintAppIcon(48 * scale)});
}

} // namespace painter
