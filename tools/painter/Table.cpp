// The window's pictures: table, result-sheet plaque, rules chart, chip token, winner
// rose, button skins and the stake-counter digits.
#include "Painter.h"
#include "table/Layout.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

const QColor Felt(0x1F, 0x7E, 0x76);
const QColor FeltDeep(0x17, 0x66, 0x60); // the felt near the edges, where buttons and tokens sit
const QColor Key(0xFF, 0x00, 0xFF);

QPainterPath RoundRect(const QRectF& R, double Radius)
{
    QPainterPath Path;
    Path.addRoundedRect(R, Radius, Radius);
    return Path;
}

// ---- table ------------------------------------------------------------------

// Each seat's plate under its portrait and labels, by player index, in panel pixels; the
// background is painted through the window's stretch, so these land under the labels and
// portraits once the window stretches the picture.
const QRectF Plates[5] = {
    {},
    {350, 560, 158, 57}, // the user: felt between the cards (to 555) and the rim
    {672, 215, 161, 58}, // Jack
    {350, 31, 158, 58},  // Jim
    {24, 215, 158, 58},  // Kate
};
const QRectF Panel(1, 1, 854, 643);
const QRectF FeltRect(22, 22, 812, 600);
const QPointF OvalCentre(428, 332);
constexpr double OvalRx = 246, OvalRy = 146;

void DrawWood(QPainter& P)
{
    // four mitred boards, grain running along each
    const QRectF O = Panel, I = Panel.adjusted(12, 12, -12, -12);
    const QPolygonF Boards[4] = {
        QPolygonF({O.topLeft(), O.topRight(), I.topRight(), I.topLeft()}),
        QPolygonF({O.topRight(), O.bottomRight(), I.bottomRight(), I.topRight()}),
        QPolygonF({O.bottomRight(), O.bottomLeft(), I.bottomLeft(), I.bottomRight()}),
        QPolygonF({O.bottomLeft(), O.topLeft(), I.topLeft(), I.bottomLeft()}),
    };
    for (int B = 0; B < 4; ++B) {
        const bool Across = B % 2 == 0;
        QPainterPath Board;
        Board.addPolygon(Boards[B]);
        Board.closeSubpath();
        P.save();
        P.setClipPath(Board);
        const QRectF Br = Boards[B].boundingRect();
        QLinearGradient G(Across ? QPointF(0, Br.top()) : QPointF(Br.left(), 0),
                          Across ? QPointF(0, Br.bottom()) : QPointF(Br.right(), 0));
        const bool OuterFirst = B == 0 || B == 3;
        const QColor Edge(0x4A, 0x2A, 0x12), Mid(0x8C, 0x5A, 0x2E), Light(0xA8, 0x72, 0x3E);
        G.setColorAt(0, OuterFirst ? Edge : Mid);
        G.setColorAt(0.35, Light);
        G.setColorAt(0.7, Mid);
        G.setColorAt(1, OuterFirst ? Mid.darker(130) : Edge);
        P.fillRect(Br, G);
        for (int K = 0; K < 26; ++K) {
            const double Pos = 0.5 + K * 0.46 + (Noise(K, B, 7) % 100) / 300.0;
            const int A = 25 + Noise(K, B, 9) % 45;
            P.setPen(QPen(QColor(0x3A, 0x1E, 0x0A, A), 0.6 + (Noise(K, B, 11) % 10) / 20.0));
            QPainterPath Grain;
            const double Len = Across ? Br.width() : Br.height();
            for (double T = 0; T <= Len; T += 8) {
                const double Wave = 0.6 * std::sin(T / (40.0 + K * 3) + K) + 0.3 * std::sin(T / 13.0 + K * 2);
                const QPointF Pt = Across ? QPointF(Br.left() + T, Br.top() + Pos + Wave)
                                          : QPointF(Br.left() + Pos + Wave, Br.top() + T);
                T ? Grain.lineTo(Pt) : Grain.moveTo(Pt);
            }
            P.drawPath(Grain);
        }
        P.restore();
    }
    P.setPen(QPen(QColor(0x2A, 0x16, 0x08), 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(O.adjusted(0.5, 0.5, -0.5, -0.5));
    P.setPen(QPen(QColor(0xD2, 0x9A, 0x5C, 120), 1));
    P.drawRect(O.adjusted(1.5, 1.5, -1.5, -1.5));
    for (int B = 0; B < 4; ++B) {
        P.setPen(QPen(QColor(0x2A, 0x16, 0x08, 120), 0.8));
        P.drawLine(Boards[B][0], Boards[B][3]);
    }
}

void DrawRim(QPainter& P)
{
    // padded leather rail between the wood and the felt
    const QRectF Outer = Panel.adjusted(12, 12, -12, -12), Inner = FeltRect;
    QPainterPath Rim;
    Rim.addRect(Outer);
    Rim.addRect(Inner);
    P.fillPath(Rim, QColor(0x56, 0x0A, 0x10));
    for (int K = 0; K < 4; ++K) {
        const double D = 1.5 + K * 1.6;
        P.setPen(QPen(QColor(0x8A, 0x1C, 0x24, 60 - K * 12), 1.2));
        P.setBrush(Qt::NoBrush);
        P.drawRect(Outer.adjusted(D, D, -D, -D));
    }
    P.setPen(QPen(QColor(0x30, 0x04, 0x08), 1));
    P.drawRect(Outer.adjusted(0.5, 0.5, -0.5, -0.5));
    // the golden edge where rail meets felt
    P.setPen(QPen(QColor(0x8A, 0x6A, 0x22), 2.2));
    P.drawRect(Inner.adjusted(-1, -1, 1, 1));
    P.setPen(QPen(QColor(0xF0, 0xD0, 0x70), 0.9));
    P.drawRect(Inner.adjusted(-1.4, -1.4, 1.4, 1.4));
    // brass studs along the top rail
    for (double X = 40; X < 830; X += 28) {
        QRadialGradient G(QPointF(X - 0.6, 16.2), 2.6);
        G.setColorAt(0, QColor(0xFF, 0xEC, 0xA0));
        G.setColorAt(0.6, QColor(0xD4, 0xA8, 0x40));
        G.setColorAt(1, QColor(0x7A, 0x58, 0x14));
        P.setPen(Qt::NoPen);
        P.setBrush(G);
        P.drawEllipse(QPointF(X, 17), 2.3, 2.3);
    }
}

void DrawFelt(QPainter& P)
{
    QRadialGradient G(OvalCentre, 560);
    G.setColorAt(0, QColor(0x2A, 0x96, 0x8C));
    G.setColorAt(0.45, Felt);
    G.setColorAt(1, QColor(0x11, 0x52, 0x4D));
    P.fillRect(FeltRect, G);
    // soft shade cast by the rail
    for (int K = 0; K < 8; ++K) {
        P.setPen(QPen(QColor(0, 0, 0, 34 - K * 4), 1));
        P.setBrush(Qt::NoBrush);
        P.drawRect(FeltRect.adjusted(K + 0.5, K + 0.5, -K - 0.5, -K - 0.5));
    }
}

QPointF OvalPointTowards(QPointF Target)
{
    const QPointF D = Target - OvalCentre;
    const double T = 1.0 / std::sqrt(std::pow(D.x() / OvalRx, 2) + std::pow(D.y() / OvalRy, 2));
    return OvalCentre + D * T;
}

// The two button columns (Start and Rules; Call to Flip all) as their skins cover them, in
// panel pixels, with the margin of felt that the corner lines keep from them.
QRectF ButtonColumn(int First, int Last)
{
    return QRect(ButtonBounds[First].topLeft(), ButtonSkinSize).united(QRect(ButtonBounds[Last].topLeft(), ButtonSkinSize));
}
const QRectF ButtonColumns[] = {ButtonColumn(0, 1), ButtonColumn(2, 5)};
constexpr double ColumnMargin = 12;

QPointF FeltCorner(int I)
{
    const QPointF Corners[] = {FeltRect.topLeft() + QPointF(10, 10), FeltRect.topRight() + QPointF(-10, 10),
                               FeltRect.bottomLeft() + QPointF(10, -10), FeltRect.bottomRight() + QPointF(-10, -10)};
    return Corners[I];
}

// The visible pieces of the line from the oval to a corner: it passes under a button
// column, so it stops short of it and takes up again beyond it.
std::vector<QLineF> CornerLinePieces(int I)
{
    const QPointF Start = OvalPointTowards(FeltCorner(I)), End = FeltCorner(I);
    std::vector<QLineF> Pieces;
    constexpr int Steps = 2000;
    auto Clear = [&](double T) {
        const QPointF Pt = Start + (End - Start) * T;
        for (const QRectF& Col : ButtonColumns)
            if (Col.adjusted(-ColumnMargin, -ColumnMargin, ColumnMargin, ColumnMargin).contains(Pt))
                return false;
        return true;
    };
    double From = -1;
    for (int K = 0; K <= Steps; ++K) {
        const double T = double(K) / Steps;
        const bool Open = Clear(T);
        if (Open && From < 0)
            From = T;
        if ((!Open || K == Steps) && From >= 0) {
            const double To = Open ? T : double(K - 1) / Steps;
            Pieces.emplace_back(Start + (End - Start) * From, Start + (End - Start) * To);
            From = -1;
        }
    }
    return Pieces;
}

void DrawMarkings(QPainter& P)
{
    const QColor Gold(0xE0, 0xC2, 0x6A);
    // lines from the oval to the corners, with a gilded stud wherever one ends
    for (int I = 0; I < 4; ++I) {
        const QPointF Start = OvalPointTowards(FeltCorner(I));
        for (const QLineF& Piece : CornerLinePieces(I)) {
            P.setPen(QPen(QColor(0, 0, 0, 40), 2.2));
            P.drawLine(Piece.translated(0, 1));
            P.setPen(QPen(QColor(Gold.red(), Gold.green(), Gold.blue(), 120), 1.1));
            P.drawLine(Piece);
            P.setBrush(QColor(Gold.red(), Gold.green(), Gold.blue(), 150));
            P.setPen(Qt::NoPen);
            for (QPointF End : {Piece.p1(), Piece.p2()})
                if (QLineF(End, Start).length() > 1)
                    P.drawEllipse(End, 2.5, 2.5);
        }
    }
    // the oval: a slightly lighter inside and a fine gilded double line
    QRadialGradient Inside(OvalCentre, OvalRx);
    Inside.setColorAt(0, QColor(255, 255, 255, 14));
    Inside.setColorAt(1, QColor(255, 255, 255, 4));
    P.setBrush(Inside);
    P.setPen(Qt::NoPen);
    P.drawEllipse(OvalCentre, OvalRx, OvalRy);
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(QColor(0, 0, 0, 50), 3));
    P.drawEllipse(OvalCentre + QPointF(0, 1), OvalRx, OvalRy);
    P.setPen(QPen(QColor(Gold.red(), Gold.green(), Gold.blue(), 170), 1.6));
    P.drawEllipse(OvalCentre, OvalRx, OvalRy);
    P.setPen(QPen(QColor(0xB8, 0xE8, 0xE0, 70), 1));
    P.drawEllipse(OvalCentre, OvalRx - 7, OvalRy - 7);

    // the star of the card backs, pressed faintly into the felt
    const QPainterPath Star = StarPath(OvalCentre, 74, 50, 24);
    P.setPen(QPen(QColor(0, 0, 0, 26), 1.2));
    P.setBrush(QColor(255, 255, 255, 10));
    P.drawPath(Star.translated(0, 1));
    P.setPen(QPen(QColor(0xE0, 0xC2, 0x6A, 40), 1));
    P.drawPath(Star);
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(QColor(0xE0, 0xC2, 0x6A, 34), 1));
    P.drawEllipse(OvalCentre, 86, 86);
    P.drawEllipse(OvalCentre, 90, 90);
}

void DrawSeat(QPainter& P, int Player)
{
    const QRectF R = Plates[Player];
    const QPoint Portrait = Seats[Player].Portrait;
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0, 0, 0, 70));
    P.drawPath(RoundRect(R.translated(1.5, 2), 7));
    QLinearGradient G(R.topLeft(), R.bottomLeft());
    G.setColorAt(0, QColor(0x2E, 0x33, 0x37));
    G.setColorAt(1, QColor(0x14, 0x17, 0x1A));
    P.setBrush(G);
    P.setPen(QPen(QColor(0xB8, 0x96, 0x48), 1.4));
    P.drawPath(RoundRect(R, 7));
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(QColor(255, 255, 255, 28), 1));
    P.drawPath(RoundRect(R.adjusted(2.5, 2.5, -2.5, -2.5), 5));

    // recessed frame and a grey stand-in figure for the portrait
    const QRectF Slot(Portrait, QSizeF(40, 40));
    P.fillRect(Slot.adjusted(-2, -2, 2, 2), QColor(0x0A, 0x0C, 0x0E));
    P.setPen(QPen(QColor(0x8C, 0x72, 0x3A), 1));
    P.drawRect(Slot.adjusted(-1.5, -1.5, 1.5, 1.5));
    QLinearGradient Bg(Slot.topLeft(), Slot.bottomLeft());
    Bg.setColorAt(0, QColor(0xA4, 0xA9, 0xAE));
    Bg.setColorAt(1, QColor(0x84, 0x89, 0x8E));
    P.fillRect(Slot, Bg);
    P.save();
    P.setClipRect(Slot);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x6C, 0x71, 0x76));
    P.drawEllipse(QPointF(Slot.center().x(), Slot.top() + 16), 8, 9);
    P.drawEllipse(QPointF(Slot.center().x(), Slot.top() + 43), 16, 14);
    P.restore();
    // a faint rule between the name and the chip count
    const double X0 = Portrait.x() + 52, X1 = R.right() - 8, Y = Portrait.y() + 22;
    QLinearGradient Rule(QPointF(X0, 0), QPointF(X1, 0));
    Rule.setColorAt(0, QColor(0xB8, 0x96, 0x48, 110));
    Rule.setColorAt(1, QColor(0xB8, 0x96, 0x48, 0));
    P.fillRect(QRectF(X0, Y, X1 - X0, 1), Rule);
}

} // namespace

QImage PaintTableBackground(int Scale)
{
    constexpr int W = 833, H = 625;
    QImage Img = MakeCanvas(W, H, Scale, Felt);
    QPainter P;
    BeginPaint(P, Img, Scale);
    P.scale(double(W) / 854, double(H) / 643);
    P.translate(-1, -1);
    DrawFelt(P);
    DrawMarkings(P);
    P.setPen(Qt::NoPen);
    for (int Player = 1; Player <= 4; ++Player)
        DrawSeat(P, Player);
    DrawRim(P);
    DrawWood(P);
    P.end();
    QImage Out = Img.convertToFormat(QImage::Format_RGB32);
    AddNoise(Out, Out.rect(), 3, 1);
    return Out;
}

namespace {

// ---- result-sheet plaque ------------------------------------------------------

// A quarter rosette tucked into the corner, inside 14 pixels each way: the headings, the
// names and the longest figures all keep clear of it.
void DrawSheetCorner(QPainter& P, const QColor& Dark, const QColor& Mid)
{
    P.setPen(Qt::NoPen);
    P.setBrush(Dark);
    for (int Deg : {15, 45, 75}) {
        const double A = Deg * M_PI / 180;
        P.drawEllipse(QPointF(10.5 * std::cos(A), 10.5 * std::sin(A)), 2.5, 2.5);
    }
    P.drawPie(QRectF(-11, -11, 22, 22), 270 * 16, 90 * 16);
    P.setBrush(Mid);
    P.drawPie(QRectF(-8.4, -8.4, 16.8, 16.8), 270 * 16, 90 * 16);
    P.setBrush(Dark);
    P.drawPie(QRectF(-5.6, -5.6, 11.2, 11.2), 270 * 16, 90 * 16);
    P.setBrush(QColor(0xF2, 0xFB, 0xF9));
    P.drawEllipse(QPointF(2.6, 2.6), 1.5, 1.5);
}

// A small lozenge with two leaves in the middle of the foot, below the last row.
void DrawSheetFoot(QPainter& P, QPointF C, const QColor& Dark, const QColor& Mid)
{
    P.setPen(Qt::NoPen);
    P.setBrush(Mid);
    for (int Side : {-1, 1}) {
        QPainterPath Leaf;
        Leaf.moveTo(C + QPointF(Side * 4, 0));
        Leaf.quadTo(C + QPointF(Side * 10, -4), C + QPointF(Side * 17, 0));
        Leaf.quadTo(C + QPointF(Side * 10, 4), C + QPointF(Side * 4, 0));
        P.drawPath(Leaf);
    }
    P.setBrush(Dark);
    P.drawPath(LozengePath(C, 4.5, 4.5));
    P.setBrush(QColor(0xF2, 0xFB, 0xF9));
    P.drawEllipse(C, 1.3, 1.3);
}

} // namespace

QImage PaintSheetPlaque(int Scale, bool Ornaments)
{
    constexpr int W = 273, H = 176;
    QImage Img = MakeCanvas(W, H, Scale, Qt::white);
    QPainter P;
    BeginPaint(P, Img, Scale);
    QLinearGradient G(0, 0, 0, H);
    G.setColorAt(0, QColor(0xE6, 0xF6, 0xF3));
    G.setColorAt(1, QColor(0xD4, 0xEE, 0xEA));
    P.fillRect(QRectF(0, 0, W, H), G);
    const QColor Dark(0x2C, 0x7C, 0x76), Mid(0x6F, 0xB4, 0xAC);
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(Dark, 3));
    P.drawRect(QRectF(1.5, 1.5, W - 3, H - 3));
    P.setPen(QPen(Mid, 1));
    P.drawRect(QRectF(5.5, 5.5, W - 11, H - 11));
    P.setPen(QPen(QColor(0x9C, 0xCF, 0xC8), 1));
    P.drawLine(QPointF(30, 27.5), QPointF(W - 30, 27.5)); // under the headings, above the first row
    if (Ornaments) {
        for (int C = 0; C < 4; ++C) {
            P.save();
            P.translate(C % 2 ? W : 0, C / 2 ? H : 0);
            P.scale(C % 2 ? -1 : 1, C / 2 ? -1 : 1);
            DrawSheetCorner(P, Dark, Mid);
            P.restore();
        }
        DrawSheetFoot(P, QPointF(W / 2.0, 166), Dark, Mid);
    }
    P.end();
    return Img.convertToFormat(QImage::Format_RGB32);
}

namespace {

// ---- rules chart ----------------------------------------------------------------

QImage PaintRules(int Scale)
{
    constexpr int W = 433, H = 325;
    QImage Img = MakeCanvas(W, H, Scale, Qt::white);
    QPainter P;
    BeginPaint(P, Img, Scale);
    QRadialGradient G(QPointF(W / 2.0, H / 2.0), 280);
    G.setColorAt(0, QColor(0xF6, 0xEA, 0xC8));
    G.setColorAt(0.7, QColor(0xEC, 0xD9, 0xA8));
    G.setColorAt(1, QColor(0xC9, 0xA8, 0x6A));
    P.fillRect(QRectF(0, 0, W, H), G);
    const QColor Brown(0x7A, 0x4A, 0x1E);
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(Brown, 2));
    P.drawRect(QRectF(8, 8, W - 16, H - 16));
    P.setPen(QPen(Brown, 0.8));
    P.drawRect(QRectF(12.5, 12.5, W - 25, H - 25));
    for (QPointF C : {QPointF(8, 8), QPointF(W - 8, 8), QPointF(8, H - 8), QPointF(W - 8, H - 8)}) {
        P.setBrush(Brown);
        P.setPen(Qt::NoPen);
        P.drawPath(LozengePath(C, 5, 5));
    }

    const QStringList Cjk{"Liberation Sans", "Noto Sans CJK SC"};
    P.setFont(PixelFont(Cjk, 30, true));
    P.setPen(QColor(0x6B, 0x22, 0x10));
    P.drawText(QRectF(0, 14, W, 40), Qt::AlignCenter, QStringLiteral("规则"));
    P.setPen(QPen(Brown, 1));
    P.drawLine(QPointF(110, 34.5), QPointF(176, 34.5));
    P.drawLine(QPointF(W - 176, 34.5), QPointF(W - 110, 34.5));

    const char* Rows[6][2] = {{"豹子", "AAA>KKK>....>222"}, {"顺金", "AKQ>KQJ>....>32A"},
                              {"金花", "AKJ>AK10>...>532"}, {"顺子", "AKQ>KQJ>....>32A"},
                              {"对子", "AAK>AAQ>....>223"}, {"单张", "AKJ>AK10>...>532"}};
    constexpr double Top = 62, Step = 42, PillH = 30;
    for (int I = 0; I < 6; ++I) {
        const QRectF Pill(62, Top + I * Step, 96, PillH);
        QLinearGradient Pg(Pill.topLeft(), Pill.bottomLeft());
        Pg.setColorAt(0, QColor(0x9A, 0x3C, 0x22));
        Pg.setColorAt(1, QColor(0x6A, 0x22, 0x12));
        P.setBrush(Pg);
        P.setPen(QPen(QColor(0x4A, 0x16, 0x08), 1));
        P.drawPath(RoundRect(Pill, 6));
        P.setFont(PixelFont(Cjk, 21, true));
        P.setPen(QColor(0xFB, 0xEA, 0xB8));
        P.drawText(Pill, Qt::AlignCenter, QString::fromUtf8(Rows[I][0]));
        P.setFont(PixelFont({"Liberation Sans"}, 21, true));
        P.setPen(QColor(0x10, 0x32, 0xC8));
        P.drawText(QRectF(186, Pill.top(), 220, PillH), Qt::AlignVCenter | Qt::AlignLeft, Rows[I][1]);
        P.setPen(QPen(QColor(0xB0, 0x8A, 0x50), 1, Qt::DotLine));
        P.drawLine(QPointF(164, Pill.center().y()), QPointF(180, Pill.center().y()));
        if (I < 5) {
            // the order between two categories: a small yellow mark in the gap
            QPainterPath Gt;
            QFont F = PixelFont({"Liberation Sans"}, 15, true);
            Gt.addText(0, 0, F, ">");
            const QRectF B = Gt.boundingRect();
            Gt.translate(Pill.center().x() - B.center().x(), Pill.bottom() + (Step - PillH) / 2 - B.center().y());
            P.setPen(QPen(QColor(0x5A, 0x32, 0x08), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            P.setBrush(Qt::NoBrush);
            P.drawPath(Gt);
            P.setPen(Qt::NoPen);
            P.setBrush(QColor(0xFF, 0xE0, 0x10));
            P.drawPath(Gt);
        }
    }
    P.end();
    QImage Out = Img.convertToFormat(QImage::Format_RGB32);
    AddNoise(Out, Out.rect(), 3, 5);
    return Out;
}

// ---- chip token -------------------------------------------------------------------

QImage PaintToken(int Scale)
{
    QImage Img = MakeCanvas(24, 23, Scale);
    QPainter P;
    BeginPaint(P, Img, Scale);
    const QPointF C(12, 11.5);
    QRadialGradient Rim(C + QPointF(-3, -3), 14);
    Rim.setColorAt(0, QColor(0xB0, 0x70, 0x38));
    Rim.setColorAt(1, QColor(0x5A, 0x30, 0x10));
    P.setPen(QPen(QColor(0x3A, 0x1C, 0x06), 1));
    P.setBrush(Rim);
    P.drawEllipse(C, 10.6, 10.6);
    // notches around the rim
    P.setPen(QPen(QColor(0xE8, 0xC8, 0x90), 1.6));
    for (int I = 0; I < 8; ++I) {
        const double A = I * M_PI / 4 + M_PI / 8;
        P.drawLine(C + QPointF(7.6 * std::cos(A), 7.6 * std::sin(A)), C + QPointF(9.8 * std::cos(A), 9.8 * std::sin(A)));
    }
    QRadialGradient Face(C + QPointF(-2, -2.5), 9);
    Face.setColorAt(0, QColor(0xA8, 0x66, 0x2C));
    Face.setColorAt(1, QColor(0x6E, 0x3A, 0x14));
    P.setPen(QPen(QColor(0x4A, 0x26, 0x0A), 0.9));
    P.setBrush(Face);
    P.drawEllipse(C, 6.8, 6.8);
    QPainterPath D;
    D.addText(0, 0, PixelFont({"Liberation Sans"}, 11, true), "D");
    const QRectF B = D.boundingRect();
    D.translate(C - B.center());
    P.setPen(QPen(QColor(0x2A, 0x12, 0x04), 1.6));
    P.setBrush(Qt::NoBrush);
    P.drawPath(D);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0xFF, 0xEA, 0xB0));
    P.drawPath(D);
    P.end();
    const QImage Keyed = KeyOut(Img, FeltDeep, Key);
    QList<QRgb> Palette = MedianCut(Keyed, 255, Key.rgb(), true);
    Palette.append(Key.rgb());
    return ToIndexed(Keyed, Palette);
}

// ---- winner rose ---------------------------------------------------------------------

QImage PaintRose(int Scale)
{
    QImage Img = MakeCanvas(24, 24, Scale);
    QPainter P;
    BeginPaint(P, Img, Scale);
    const QColor StemDark(0x1E, 0x5A, 0x14), Stem(0x3C, 0x9A, 0x2A), Leaf(0x4C, 0xB0, 0x34);
    P.setPen(QPen(StemDark, 2.2, Qt::SolidLine, Qt::RoundCap));
    P.setBrush(Qt::NoBrush);
    QPainterPath S;
    S.moveTo(12, 23);
    S.cubicTo(13, 18, 11, 15, 12, 10);
    P.drawPath(S);
    P.setPen(QPen(Stem, 1, Qt::SolidLine, Qt::RoundCap));
    P.drawPath(S);
    auto DrawLeaf = [&](QPointF Base, QPointF Tip, double Bulge) {
        const QPointF Mid = (Base + Tip) / 2, N(-(Tip - Base).y(), (Tip - Base).x());
        QPainterPath L;
        L.moveTo(Base);
        L.quadTo(Mid + N * Bulge, Tip);
        L.quadTo(Mid - N * Bulge, Base);
        P.setPen(QPen(StemDark, 0.8));
        P.setBrush(Leaf);
        P.drawPath(L);
        P.setPen(QPen(StemDark, 0.6));
        P.drawLine(Base, Mid + (Tip - Mid) * 0.6);
    };
    DrawLeaf(QPointF(12, 18), QPointF(4.5, 14), 0.35);
    DrawLeaf(QPointF(12.3, 15.5), QPointF(19.5, 12.5), 0.35);
    // the bloom: cupped outer petals, then a spiral of inner ones
    const QColor PetalDark(0x8A, 0x06, 0x12), Petal(0xD8, 0x16, 0x26), PetalLight(0xF2, 0x5A, 0x5E);
    P.setPen(QPen(PetalDark, 0.8));
    P.setBrush(Petal);
    QPainterPath Cup;
    Cup.moveTo(5, 5);
    Cup.cubicTo(5, 12, 9, 13.5, 12, 13.5);
    Cup.cubicTo(15, 13.5, 19, 12, 19, 5);
    Cup.cubicTo(17, 7, 15, 7, 12, 4.5);
    Cup.cubicTo(9, 7, 7, 7, 5, 5);
    P.drawPath(Cup);
    P.setBrush(PetalLight);
    P.drawEllipse(QRectF(7.5, 2.2, 9, 6.5));
    P.setBrush(Petal);
    P.drawEllipse(QRectF(9, 3.2, 6, 4.2));
    P.setPen(QPen(PetalDark, 1, Qt::SolidLine, Qt::RoundCap));
    P.setBrush(Qt::NoBrush);
    P.drawArc(QRectF(10.3, 4, 3.6, 2.6), 30 * 16, 260 * 16);
    P.drawArc(QRectF(7.5, 6, 9, 6), 200 * 16, 140 * 16);
    P.setPen(QPen(StemDark, 1));
    P.setBrush(Stem);
    P.drawPolygon(QPolygonF({QPointF(9.5, 12.5), QPointF(12, 15), QPointF(14.5, 12.5), QPointF(12, 13.6)}));
    P.end();

    // index 80 is the see-through colour: keep it for the background alone
    constexpr int Clear = 80;
    const QColor Sheet(0xDC, 0xF1, 0xED);
    const QImage Keyed = KeyOut(Img, Sheet, Sheet);
    const QList<QRgb> Used = MedianCut(Keyed, 255, Sheet.rgb(), true);
    QList<QRgb> Table(256, qRgb(0, 0, 0));
    auto SlotOf = [](int I) { return I < Clear ? I : I + 1; };
    for (int I = 0; I < Used.size(); ++I)
        Table[SlotOf(I)] = Used[I];
    Table[Clear] = Sheet.rgb();
    QImage Out(Keyed.size(), QImage::Format_Indexed8);
    Out.setColorTable(Table);
    const QImage Mapped = ToIndexed(Keyed, Used);
    for (int Y = 0; Y < Out.height(); ++Y)
        for (int X = 0; X < Out.width(); ++X) {
            if (Keyed.pixel(X, Y) == Sheet.rgb()) {
                Out.setPixel(X, Y, Clear);
                continue;
            }
            Out.setPixel(X, Y, uint(SlotOf(Mapped.pixelIndex(X, Y))));
        }
    return Out;
}

// ---- button skins --------------------------------------------------------------------

// Slate plaques that sit with the seat plates: a brass rim, a bevelled face with room
// for the caption, and a brass stud in each pointed end. Rows 0, 1, 30 and 31 stay
// see-through, so that stacked buttons stand apart on the felt.
struct TStone {
    QColor FaceTop, FaceBottom, Lit, Shade, Rim, RimDark, Stud, StudDark;
    bool Inset;
};

constexpr double PlaqueTop = 2, PlaqueBottom = 30;

QPainterPath PlaqueShape(double D)
{
    // long sides straight, the ends drawn out to a blunt point in two curves
    const double T = PlaqueTop + D, B = PlaqueBottom - D, M = (PlaqueTop + PlaqueBottom) / 2;
    const double L = 1 + D * 1.2, R = 99 - D * 1.2, Shoulder = 9 + D * 0.4;
    QPainterPath Path;
    Path.moveTo(Shoulder, T);
    Path.lineTo(100 - Shoulder, T);
    Path.cubicTo(100 - Shoulder + 4, T, R, M - 6, R, M);
    Path.cubicTo(R, M + 6, 100 - Shoulder + 4, B, 100 - Shoulder, B);
    Path.lineTo(Shoulder, B);
    Path.cubicTo(Shoulder - 4, B, L, M + 6, L, M);
    Path.cubicTo(L, M - 6, Shoulder - 4, T, Shoulder, T);
    Path.closeSubpath();
    return Path;
}

void DrawStud(QPainter& P, QPointF C, const TStone& K)
{
    // a small brass boss in a lozenge, echoing the rim
    P.setPen(QPen(K.RimDark, 0.8));
    P.setBrush(K.Shade);
    P.drawPath(LozengePath(C, 4, 6));
    QRadialGradient G(C + QPointF(-0.7, -0.9), 2.6);
    G.setColorAt(0, K.Stud.lighter(135));
    G.setColorAt(0.55, K.Stud);
    G.setColorAt(1, K.StudDark);
    P.setPen(QPen(K.StudDark, 0.6));
    P.setBrush(G);
    P.drawEllipse(C, 2.1, 2.1);
}

QImage PaintSkin(int Scale, const TStone& K, int Seed)
{
    QImage Img = MakeCanvas(ButtonSkinSize.width(), ButtonSkinSize.height(), Scale);
    QPainter P;
    BeginPaint(P, Img, Scale);
    // brass rim, then the bevel: lit along the top, shaded along the foot; pressed in,
    // the two swap and the face sinks
    const QPainterPath Outer = PlaqueShape(0), Bevel = PlaqueShape(1), Face = PlaqueShape(2.6);
    P.setPen(Qt::NoPen);
    P.setBrush(K.RimDark);
    P.drawPath(Outer);
    QLinearGradient Rim(0, PlaqueTop, 0, PlaqueBottom);
    Rim.setColorAt(0, K.Rim.lighter(115));
    Rim.setColorAt(1, K.Rim.darker(125));
    P.setBrush(Rim);
    P.drawPath(PlaqueShape(0.5));
    QLinearGradient Bev(0, PlaqueTop + 1, 0, PlaqueBottom - 1);
    Bev.setColorAt(0, K.Inset ? K.Shade : K.Lit);
    Bev.setColorAt(0.5, K.Inset ? K.Shade : K.Lit);
    Bev.setColorAt(0.51, K.Inset ? K.Lit : K.Shade);
    Bev.setColorAt(1, K.Inset ? K.Lit : K.Shade);
    P.setBrush(Bev);
    P.drawPath(Bevel);
    QLinearGradient Fg(0, 4, 0, 28);
    Fg.setColorAt(0, K.FaceTop);
    Fg.setColorAt(1, K.FaceBottom);
    P.setBrush(Fg);
    P.drawPath(Face);

    P.save();
    P.setClipPath(Face);
    // slate: faint veins along the plaque, no grain on the caption's ground
    for (int I = 0; I < 5; ++I) {
        const double Y0 = 6 + Noise(I, Seed, 3) % 20, Y1 = 6 + Noise(I, Seed, 4) % 20;
        QPainterPath Vein;
        Vein.moveTo(-2, Y0);
        Vein.cubicTo(30, Y0 + 4, 70, Y1 - 4, 102, Y1);
        P.setPen(QPen(I % 2 ? QColor(255, 255, 255, 9) : QColor(0, 0, 0, 14), 1.2));
        P.setBrush(Qt::NoBrush);
        P.drawPath(Vein);
    }
    if (K.Inset) { // the recess throws a shadow from its upper edge
        P.setPen(QPen(QColor(0, 0, 0, 110), 2.2));
        P.drawPath(Face.translated(0.8, 1.2));
    }
    const double O = K.Inset ? 0.6 : 0;
    // an engraved bracket round each end, stopping well short of the caption
    QPainterPath Ends;
    Ends.addRect(QRectF(0, 0, 21, 32));
    Ends.addRect(QRectF(79, 0, 21, 32));
    P.setClipPath(Face.intersected(Ends));
    P.setBrush(Qt::NoBrush);
    P.setPen(QPen(QColor(0, 0, 0, 80), 1));
    P.drawPath(PlaqueShape(4.6).translated(O, O + 0.5));
    P.setPen(QPen(QColor(255, 255, 255, K.Inset ? 16 : 30), 1));
    P.drawPath(PlaqueShape(4.6).translated(O, O + 1.5));
    P.restore();
    DrawStud(P, QPointF(11.5 + O, 16 + O), K);
    DrawStud(P, QPointF(88.5 + O, 16 + O), K);
    P.end();

    QImage Keyed = KeyOut(Img, FeltDeep, Key);
    // a faint grain on the stone only, never on the key colour
    for (int Y = 0; Y < Keyed.height(); ++Y)
        for (int X = 0; X < Keyed.width(); ++X) {
            const QRgb C = Keyed.pixel(X, Y);
            if (C == Key.rgb())
                continue;
            const int D = Noise(X, Y, Seed) % 5 - 2;
            const QRgb N = qRgb(std::clamp(qRed(C) + D, 0, 255), std::clamp(qGreen(C) + D, 0, 255),
                                std::clamp(qBlue(C) + D, 0, 255));
            Keyed.setPixel(X, Y, N == Key.rgb() ? C : N);
        }
    return Keyed;
}

// ---- stake digits ---------------------------------------------------------------------

QImage PaintDigit(int Scale, int Digit)
{
    const int W = 14 * Scale, H = 16 * Scale;
    // an unsmoothed glyph gives the hard edge the counters need
    QImage Mask(W * 2, H * 2, QImage::Format_ARGB32);
    Mask.fill(Qt::transparent);
    {
        QPainter P(&Mask);
        QFont F = PixelFont({"Liberation Sans"}, 19 * Scale, true);
        F.setStyleStrategy(QFont::NoAntialias);
        P.setFont(F);
        P.setPen(Qt::black);
        P.drawText(QPointF(W / 2, H * 3 / 2), QString::number(Digit));
    }
    QRect Ink;
    for (int Y = 0; Y < Mask.height(); ++Y)
        for (int X = 0; X < Mask.width(); ++X)
            if (qAlpha(Mask.pixel(X, Y)) > 127)
                Ink |= QRect(X, Y, 1, 1);
    QImage Out(W, H, QImage::Format_ARGB32);
    Out.fill(Qt::transparent);
    const int Dx = (W - Ink.width()) / 2 - Ink.left(), Dy = (H - Ink.height()) / 2 - Ink.top();
    auto On = [&](int X, int Y) {
        const int Sx = X - Dx, Sy = Y - Dy;
        return Mask.rect().contains(Sx, Sy) && qAlpha(Mask.pixel(Sx, Sy)) > 127;
    };
    const int R = Scale; // outline thickness
    const QColor Outline(0x3C, 0x22, 0x02);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            if (On(X, Y)) {
                // gold, bright at the top and deep at the foot
                const double T = double(Y - (Dy + Ink.top())) / std::max(1, Ink.height() - 1);
                const QColor Stops[] = {QColor(0xFF, 0xF0, 0x9C), QColor(0xFF, 0xD2, 0x3C), QColor(0xE6, 0xA2, 0x12),
                                        QColor(0xB4, 0x74, 0x06)};
                const double At = std::clamp(T, 0.0, 1.0) * 3;
                const int I = std::min(2, int(At));
                const double F = At - I;
                auto Lerp = [F](int A, int B) { return int(A + (B - A) * F + 0.5); };
                Out.setPixel(X, Y, qRgb(Lerp(Stops[I].red(), Stops[I + 1].red()),
                                        Lerp(Stops[I].green(), Stops[I + 1].green()),
                                        Lerp(Stops[I].blue(), Stops[I + 1].blue())));
                continue;
            }
            bool Near = false;
            for (int J = -R; J <= R && !Near; ++J)
                for (int I = -R; I <= R && !Near; ++I)
                    Near = On(X + I, Y + J);
            if (Near)
                Out.setPixel(X, Y, Outline.rgb());
        }
    return Out;
}

} // namespace

QImage PaintButtonSkin(int Scale, int Look)
{
    // normal slate, pressed a shade darker and sunk, disabled a step lighter and greyer;
    // each face stays dark enough under its caption colour (see --review)
    const TStone Normal{QColor(0x55, 0x5E, 0x67), QColor(0x3D, 0x45, 0x4D), QColor(0x7C, 0x86, 0x90),
                       QColor(0x35, 0x3B, 0x42), QColor(0xB8, 0x96, 0x48), QColor(0x4A, 0x38, 0x14),
                       QColor(0xD8, 0xB0, 0x58), QColor(0x6A, 0x4C, 0x14), false};
    const TStone Pressed{QColor(0x34, 0x3A, 0x41), QColor(0x2A, 0x30, 0x36), QColor(0x5C, 0x65, 0x6E),
                        QColor(0x32, 0x37, 0x3D), QColor(0xA0, 0x82, 0x3E), QColor(0x3A, 0x2C, 0x10),
                        QColor(0xB8, 0x94, 0x48), QColor(0x5A, 0x40, 0x10), true};
    const TStone Disabled{QColor(0x67, 0x6C, 0x71), QColor(0x5A, 0x5F, 0x64), QColor(0x8E, 0x93, 0x98),
                         QColor(0x4E, 0x53, 0x58), QColor(0x9A, 0x94, 0x88), QColor(0x48, 0x46, 0x40),
                         QColor(0xA4, 0xA0, 0x96), QColor(0x5C, 0x5A, 0x54), false};
    const TStone* Stones[] = {&Normal, &Pressed, &Disabled};
    return PaintSkin(Scale, *Stones[Look], 21);
}

TTableLayout TableLayout()
{
    TTableLayout Layout;
    Layout.ButtonColumns = {ButtonColumns[0], ButtonColumns[1]};
    for (int I = 0; I < 4; ++I)
        for (const QLineF& Piece : CornerLinePieces(I))
            Layout.CornerLines.append(Piece);
    return Layout;
}

void PaintTable(int Scale, TPictures& Out)
{
    Out.push_back({"table/background.jpg", PaintTableBackground(Scale), TStore::Jpeg});
    Out.push_back({"table/sheet.jpg", PaintSheetPlaque(Scale, true), TStore::Jpeg});
    Out.push_back({"table/rules.jpg", PaintRules(Scale), TStore::Jpeg});
    Out.push_back({"table/token.png", PaintToken(Scale)});
    Out.push_back({"table/rose.gif", PaintRose(Scale), TStore::Gif, 80});
    for (int Look = 0; Look < 3; ++Look)
        Out.push_back({QStringLiteral("table/skin%1.png").arg(Look), PaintButtonSkin(Scale, Look)});
    for (int D = 0; D <= 9; ++D)
        Out.push_back({QStringLiteral("table/digit%1.png").arg(D), PaintDigit(Scale, D)});
}
