// The four players' portraits and the application icon.
#include "Painter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

const QColor Line(0x3A, 0x2A, 0x1A);

void Backdrop(QPainter& P, QColor Top, QColor Bottom)
{
    QLinearGradient G(0, 0, 0, 40);
    G.setColorAt(0, Top);
    G.setColorAt(1, Bottom);
    P.fillRect(QRectF(0, 0, 40, 40), G);
}

void Shape(QPainter& P, const QPainterPath& Path, QColor Fill, double Pen = 1.0)
{
    P.setPen(Pen > 0 ? QPen(Line, Pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    P.setBrush(Fill);
    P.drawPath(Path);
}

// A round, shaded fill: light from the upper left.
QRadialGradient Shade(QPointF C, double R, QColor Base)
{
    QRadialGradient G(C + QPointF(-R * 0.35, -R * 0.4), R * 1.3);
    G.setColorAt(0, Base.lighter(118));
    G.setColorAt(0.6, Base);
    G.setColorAt(1, Base.darker(125));
    return G;
}

void Eye(QPainter& P, QPointF C, double R, double Pupil, QColor Iris = Qt::black)
{
    P.setPen(QPen(Line, 0.8));
    P.setBrush(Qt::white);
    P.drawEllipse(C, R, R * 1.1);
    P.setPen(Qt::NoPen);
    P.setBrush(Iris);
    P.drawEllipse(C + QPointF(0.4, 0.5), Pupil, Pupil * 1.1);
    P.setBrush(Qt::white);
    P.drawEllipse(C + QPointF(-Pupil * 0.2, -Pupil * 0.3), Pupil * 0.4, Pupil * 0.4);
}

void Duck(QPainter& P)
{
    Backdrop(P, QColor(0xA8, 0xDA, 0xF6), QColor(0x62, 0xAE, 0xE2));
    const QColor Yellow(0xFF, 0xD6, 0x32);
    P.setBrush(Shade({20, 40}, 14, Yellow));
    P.setPen(QPen(Line, 1));
    P.drawEllipse(QPointF(20, 42), 16, 11);
    // tuft
    QPainterPath Tuft;
    Tuft.moveTo(18, 9);
    Tuft.cubicTo(16, 4, 19, 2, 20, 5);
    Tuft.cubicTo(21, 1, 25, 3, 22, 8);
    Shape(P, Tuft, Yellow);
    P.setBrush(Shade({20, 19}, 13, Yellow));
    P.setPen(QPen(Line, 1));
    P.drawEllipse(QPointF(20, 19.5), 12.5, 12);
    // cheeks
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0xFF, 0x9C, 0x8C, 150));
    P.drawEllipse(QPointF(10.5, 23), 2.4, 1.6);
    P.drawEllipse(QPointF(29.5, 23), 2.4, 1.6);
    Eye(P, {15.2, 16.5}, 3.3, 1.9);
    Eye(P, {24.8, 16.5}, 3.3, 1.9);
    // bill: upper and lower halves
    const QColor Orange(0xFF, 0x8C, 0x1A);
    QPainterPath Upper;
    Upper.moveTo(12.5, 23);
    Upper.cubicTo(14, 19.5, 26, 19.5, 27.5, 23);
    Upper.cubicTo(25, 25, 15, 25, 12.5, 23);
    QPainterPath Lower;
    Lower.moveTo(14, 24.2);
    Lower.cubicTo(16, 28.5, 24, 28.5, 26, 24.2);
    Lower.cubicTo(23, 25.4, 17, 25.4, 14, 24.2);
    Shape(P, Lower, Orange.darker(115), 0.8);
    Shape(P, Upper, Orange, 0.8);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x9A, 0x4A, 0x08));
    P.drawEllipse(QPointF(18, 21.8), 0.6, 0.5);
    P.drawEllipse(QPointF(22, 21.8), 0.6, 0.5);
}

void Frog(QPainter& P)
{
    Backdrop(P, QColor(0xF8, 0xE6, 0xA8), QColor(0xEC, 0xC2, 0x60));
    const QColor Green(0x5C, 0xBE, 0x48);
    P.setPen(QPen(Line, 1));
    P.setBrush(Shade({20, 42}, 15, Green.darker(110)));
    P.drawEllipse(QPointF(20, 42), 15, 10);
    // eye bumps, then the wide head over them
    P.setBrush(Shade({11.5, 12}, 7, Green));
    P.drawEllipse(QPointF(11.5, 12.5), 6.6, 6.2);
    P.drawEllipse(QPointF(28.5, 12.5), 6.6, 6.2);
    P.setBrush(Shade({20, 24}, 16, Green));
    P.drawEllipse(QPointF(20, 25), 16, 11.5);
    P.setPen(Qt::NoPen);
    P.drawEllipse(QPointF(11.5, 13.5), 5.6, 5);
    P.drawEllipse(QPointF(28.5, 13.5), 5.6, 5);
    // pale belly of the chin
    P.setBrush(QColor(0xD8, 0xF0, 0x9A));
    P.drawEllipse(QPointF(20, 31.5), 10, 4.2);
    Eye(P, {11.5, 12.8}, 4.0, 2.2);
    Eye(P, {28.5, 12.8}, 4.0, 2.2);
    P.setBrush(QColor(0xFF, 0x88, 0x88, 140));
    P.drawEllipse(QPointF(7.5, 25), 2.6, 1.7);
    P.drawEllipse(QPointF(32.5, 25), 2.6, 1.7);
    P.setBrush(QColor(0x24, 0x5A, 0x1A));
    P.drawEllipse(QPointF(18, 21.5), 0.7, 0.6);
    P.drawEllipse(QPointF(22, 21.5), 0.7, 0.6);
    // big grin
    QPainterPath Mouth;
    Mouth.moveTo(9, 25);
    Mouth.cubicTo(13, 31, 27, 31, 31, 25);
    P.setPen(QPen(QColor(0x22, 0x4A, 0x16), 1.3, Qt::SolidLine, Qt::RoundCap));
    P.setBrush(Qt::NoBrush);
    P.drawPath(Mouth);
}

void Panda(QPainter& P)
{
    Backdrop(P, QColor(0xC6, 0xE8, 0xAA), QColor(0x84, 0xC2, 0x66));
    // bamboo behind
    P.setPen(Qt::NoPen);
    for (double X : {4.0, 35.0}) {
        P.setBrush(QColor(0x5E, 0x9E, 0x3A));
        P.drawRect(QRectF(X - 1.5, 0, 3, 40));
        P.setBrush(QColor(0x3C, 0x74, 0x22));
        for (double Y = 7; Y < 40; Y += 11)
            P.drawRect(QRectF(X - 2, Y, 4, 1.2));
    }
    const QColor Black(0x26, 0x26, 0x2A), White(0xF8, 0xF8, 0xF4);
    P.setPen(QPen(Line, 1));
    P.setBrush(Black);
    P.drawEllipse(QPointF(20, 42.5), 16, 10);
    P.drawEllipse(QPointF(9, 10), 5.4, 5.2);
    P.drawEllipse(QPointF(31, 10), 5.4, 5.2);
    P.setBrush(Shade({20, 21}, 14, White));
    P.drawEllipse(QPointF(20, 21.5), 14, 12.5);
    // eye patches lean outwards
    P.setPen(Qt::NoPen);
    P.setBrush(Black);
    for (int Side : {-1, 1}) {
        P.save();
        P.translate(20 + Side * 5.6, 20.5);
        P.rotate(Side * -28);
        P.drawEllipse(QPointF(0, 0), 3.6, 4.8);
        P.restore();
    }
    P.setBrush(Qt::white);
    P.drawEllipse(QPointF(14.6, 19.8), 1.6, 1.6);
    P.drawEllipse(QPointF(25.4, 19.8), 1.6, 1.6);
    P.setBrush(Black);
    P.drawEllipse(QPointF(14.9, 20.1), 0.9, 0.9);
    P.drawEllipse(QPointF(25.1, 20.1), 0.9, 0.9);
    P.drawEllipse(QPointF(20, 25.5), 2.2, 1.5);
    P.setPen(QPen(Black, 0.9, Qt::SolidLine, Qt::RoundCap));
    P.setBrush(Qt::NoBrush);
    P.drawLine(QPointF(20, 26.5), QPointF(20, 28));
    P.drawArc(QRectF(16.5, 26, 3.5, 3.2), 200 * 16, 140 * 16);
    P.drawArc(QRectF(20, 26, 3.5, 3.2), 200 * 16, 140 * 16);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0xFF, 0x9C, 0xA8, 120));
    P.drawEllipse(QPointF(10.5, 26), 2.2, 1.4);
    P.drawEllipse(QPointF(29.5, 26), 2.2, 1.4);
}

void Cat(QPainter& P)
{
    Backdrop(P, QColor(0xF6, 0xD0, 0xE2), QColor(0xD2, 0x9E, 0xC6));
    const QColor Fur(0xF2, 0x9E, 0x48), Pink(0xF8, 0xA8, 0xB8);
    P.setPen(QPen(Line, 1));
    P.setBrush(Shade({20, 42}, 15, Fur.darker(108)));
    P.drawEllipse(QPointF(20, 42.5), 15, 10);
    for (int Side : {-1, 1}) {
        QPainterPath Ear;
        Ear.moveTo(20 + Side * 13.5, 17);
        Ear.lineTo(20 + Side * 12.5, 2.5);
        Ear.lineTo(20 + Side * 4, 11);
        Ear.closeSubpath();
        Shape(P, Ear, Fur);
        QPainterPath Inner;
        Inner.moveTo(20 + Side * 11.8, 14);
        Inner.lineTo(20 + Side * 11.6, 5.8);
        Inner.lineTo(20 + Side * 6.5, 11);
        Inner.closeSubpath();
        Shape(P, Inner, Pink, 0);
    }
    P.setPen(QPen(Line, 1));
    P.setBrush(Shade({20, 21}, 14, Fur));
    P.drawEllipse(QPointF(20, 21.5), 14, 12.5);
    // stripes on the brow
    P.setPen(QPen(QColor(0xC0, 0x66, 0x1E), 1.3, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(20, 10), QPointF(20, 14));
    P.drawLine(QPointF(16.5, 10.5), QPointF(17.2, 13.5));
    P.drawLine(QPointF(23.5, 10.5), QPointF(22.8, 13.5));
    // pale muzzle
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0xFF, 0xF2, 0xE0));
    P.drawEllipse(QPointF(17, 27), 4.6, 3.6);
    P.drawEllipse(QPointF(23, 27), 4.6, 3.6);
    // eyes with slit pupils
    for (double X : {14.0, 26.0}) {
        P.setPen(QPen(Line, 0.8));
        P.setBrush(QColor(0x7C, 0xD0, 0x4A));
        P.drawEllipse(QPointF(X, 19.5), 3.2, 3.5);
        P.setPen(Qt::NoPen);
        P.setBrush(Qt::black);
        P.drawEllipse(QPointF(X, 19.7), 0.9, 2.8);
        P.setBrush(Qt::white);
        P.drawEllipse(QPointF(X - 1.1, 18.3), 0.8, 0.8);
    }
    QPainterPath Nose;
    Nose.moveTo(18.3, 24);
    Nose.lineTo(21.7, 24);
    Nose.lineTo(20, 26);
    Nose.closeSubpath();
    Shape(P, Nose, QColor(0xF0, 0x6C, 0x88), 0.6);
    P.setPen(QPen(Line, 0.8, Qt::SolidLine, Qt::RoundCap));
    P.setBrush(Qt::NoBrush);
    P.drawArc(QRectF(16.6, 25.2, 3.4, 3), 200 * 16, 140 * 16);
    P.drawArc(QRectF(20, 25.2, 3.4, 3), 200 * 16, 140 * 16);
    P.setPen(QPen(QColor(0x5A, 0x3A, 0x2A, 200), 0.6));
    for (int Side : {-1, 1})
        for (int K = 0; K < 3; ++K)
            P.drawLine(QPointF(20 + Side * 8, 26.5 + K * 1.3), QPointF(20 + Side * 16.5, 24.5 + K * 2.4));
}

// ---- icon -------------------------------------------------------------------------

QPainterPath IconSuit(int Suit, QRectF R)
{
    auto P = [&R](double X, double Y) { return QPointF(R.left() + X * R.width(), R.top() + Y * R.height()); };
    QPainterPath Path;
    Path.setFillRule(Qt::WindingFill);
    if (Suit == 2)
        return HeartPath(R);
    if (Suit == 1)
        return SpadePath(R);
    const double Rr = 0.24 * R.width();
    for (QPointF C : {P(0.5, 0.26), P(0.25, 0.56), P(0.75, 0.56)})
        Path.addEllipse(C, Rr, Rr);
    Path.addEllipse(QRectF(P(0.38, 0.38), P(0.62, 0.64)));
    QPainterPath Stem;
    Stem.moveTo(P(0.46, 0.55));
    Stem.quadTo(P(0.44, 0.9), P(0.26, 1));
    Stem.lineTo(P(0.74, 1));
    Stem.quadTo(P(0.56, 0.9), P(0.54, 0.55));
    Stem.closeSubpath();
    Path.addPath(Stem);
    return Path;
}

} // namespace

QImage PaintAppIcon(int Px)
{
    // drawn on a 48-unit grid; launcher sizes such as 64 are not whole multiples of it
    QImage Img(Px, Px, QImage::Format_ARGB32_Premultiplied);
    Img.fill(Qt::transparent);
    QPainter P;
    BeginPaint(P, Img, 1);
    P.scale(Px / 48.0, Px / 48.0);
    QRadialGradient Bg(QPointF(24, 18), 40);
    Bg.setColorAt(0, QColor(0xFA, 0xFC, 0xFE));
    Bg.setColorAt(1, QColor(0xD6, 0xE4, 0xEE));
    P.fillRect(QRectF(0, 0, 48, 48), Bg);
    // held like a hand of cards: each card covers the one to its left but for the corner
    const double Angle[] = {-20, 0, 20};
    for (int Suit = 0; Suit < 3; ++Suit) { // clubs, spades, hearts
        P.save();
        P.translate(24, 49);
        P.rotate(Angle[Suit]);
        const QRectF Card(-10, -39, 20, 29);
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(0, 0, 0, 50));
        P.drawRoundedRect(Card.translated(0.9, 1.1), 2.4, 2.4);
        P.setPen(QPen(QColor(0x30, 0x30, 0x36), 0.9));
        P.setBrush(Qt::white);
        P.drawRoundedRect(Card, 2.4, 2.4);
        const QColor C = Suit == 2 ? QColor(0xD0, 0x14, 0x2C) : QColor(0x10, 0x10, 0x14);
        P.setPen(Qt::NoPen);
        P.setBrush(C);
        P.drawPath(IconSuit(Suit, QRectF(-5, -29, 10, 11)));
        P.drawPath(IconSuit(Suit, QRectF(Card.left() + 1.6, Card.top() + 8.2, 4.2, 4.6)));
        P.setFont(PixelFont({"Liberation Sans"}, 8, true));
        P.setPen(C);
        P.drawText(QRectF(Card.left() + 0.9, Card.top() + 0.6, 5.6, 8), Qt::AlignCenter, "A");
        P.restore();
    }
    P.end();
    return Img.convertToFormat(QImage::Format_RGB32);
}

namespace {

QImage Portrait(int Scale, void (*Draw)(QPainter&))
{
    QImage Img = MakeCanvas(40, 40, Scale, Qt::white);
    QPainter P;
    BeginPaint(P, Img, Scale);
    Draw(P);
    P.end();
    return Img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void PaintPortraits(int Scale, TPictures& Out)
{
    Out.push_back({"table/portrait_user.png", Portrait(Scale, Duck)});
    Out.push_back({"table/portrait_jack.png", Portrait(Scale, Frog)});
    Out.push_back({"table/portrait_jim.png", Portrait(Scale, Panda)});
    Out.push_back({"table/portrait_kate.png", Portrait(Scale, Cat)});
    Out.push_back({"app/mainicon.png", PaintAppIcon(48 * Scale)});
}
