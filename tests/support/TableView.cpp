#include "support/TableView.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "cards/CardControl.h"
#include "desktop/Fonts.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/Resources.h"
#include "support/Hands.h"
#include "table/Layout.h"
#include "table/TableWindow.h"

const char* const SeatName[5] = {"", "User", "Jack", "Jim", "Kate"};

namespace {
// ---- pictures the program carries, composed as a picture control shows them

// A picture drawn through its mask onto white, as image lists hand their images out.
QImage OnWhite(const QImage& Picture)
{
    QImage Out(Picture.size(), QImage::Format_ARGB32);
    Out.fill(Qt::white);
    QPainter(&Out).drawImage(0, 0, Picture);
    return Out;
}

QImage Resource(const char* Path) { return OnWhite(LoadResourcePicture(QString::fromLatin1(Path))); }

int Distance(QRgb A, QRgb B)
{
    return std::abs(qRed(A) - qRed(B)) + std::abs(qGreen(A) - qGreen(B)) + std::abs(qBlue(A) - qBlue(B));
}

// ---- stake counters: three cells, each holds one of the digit pictures, or nothing

std::string ReadCounter(const TImage* Counter)
{
    if (!Counter->isVisible())
        return "hidden";
    const QImage Picture = Counter->Picture().convertToFormat(QImage::Format_ARGB32);
    if (Picture.isNull())
        return "...";
    static const std::vector<QImage> Digits = [] {
        std::vector<QImage> Out;
        for (int D = 0; D <= 9; ++D)
            Out.push_back(Resource(QStringLiteral(":/table/digit%1.png").arg(D).toLatin1().constData()));
        return Out;
    }();
    const QRgb SeeThrough = Picture.pixel(0, Picture.height() - 1);
    const QSize Cell = Digits[0].size();
    std::string Out;
    for (int Left = 0; Left < 3 * Cell.width(); Left += Cell.width()) {
        const QImage Shown = Picture.copy(QRect(QPoint(Left, 0), Cell));
        bool Blank = true;
        for (int Y = 0; Y < Cell.height(); ++Y)
            for (int X = 0; X < Cell.width(); ++X)
                Blank = Blank && Shown.pixel(X, Y) == SeeThrough;
        char Read = Blank ? '.' : '?';
        for (int D = 0; D <= 9 && !Blank; ++D)
            if (Shown == Digits[D])
                Read = char('0' + D);
        Out += Read;
    }
    return Out;
}

// ---- buttons: which of the program's three skins, and the caption's colour

// A caption's pixel lies this near its colour (summed over the channels), a caption shows
// at least CaptionInk of them, and a picture wears no skin it differs from in a third.
constexpr int CaptionColourNear = 40, CaptionInk = 20, SkinDiffersBeyond = 3;

std::string ReadButton(const TImage* Button)
{
    if (!Button->isVisible())
        return "hidden";
    static const QImage Skins[3] = {Resource(":/table/skin0.png"), Resource(":/table/skin1.png"),
                                    Resource(":/table/skin2.png")};
    static const char* const Looks[3] = {"normal", "pressed", "disabled"};
    const QRgb Captions[3] = {qRgb(0xFF, 0xFF, 0x00), qRgb(0x00, 0xFF, 0x00), qRgb(0xFF, 0xFF, 0xFF)};
    const QImage Picture = Button->Picture().convertToFormat(QImage::Format_ARGB32);
    const std::string Usable = Button->isEnabled() ? ", usable" : ", unusable";
    if (Picture.size() != Skins[0].size())
        return "no skin" + Usable;
    // The skin is the one the picture differs least from: only the caption differs.
    int Skin = 0, Fewest = INT_MAX;
    int CaptionPixels[3] = {};
    for (int S = 0; S < 3; ++S) {
        int Differ = 0;
        for (int Y = 0; Y < Picture.height(); ++Y)
            for (int X = 0; X < Picture.width(); ++X)
                Differ += Picture.pixel(X, Y) != Skins[S].pixel(X, Y);
        if (Differ < Fewest) {
            Fewest = Differ;
            Skin = S;
        }
    }
    for (int Y = 0; Y < Picture.height(); ++Y)
        for (int X = 0; X < Picture.width(); ++X)
            if (Picture.pixel(X, Y) != Skins[Skin].pixel(X, Y))
                for (int C = 0; C < 3; ++C)
                    CaptionPixels[C] += Distance(Picture.pixel(X, Y), Captions[C]) < CaptionColourNear;
    const int Caption = int(std::max_element(CaptionPixels, CaptionPixels + 3) - CaptionPixels);
    if (Fewest > Picture.width() * Picture.height() / SkinDiffersBeyond)
        return "no skin of the program's" + Usable;
    if (CaptionPixels[Caption] < CaptionInk)
        return std::string(Looks[Skin]) + " skin without a caption" + Usable;
    if (Caption != Skin)
        return std::string(Looks[Skin]) + " skin with a " + Looks[Caption] + " caption" + Usable;
    return Looks[Skin] + Usable;
}

// ---- cards: each visible card control on the panel, by seat, left to right

std::string CardName(const TCardControl* Card)
{
    return Card->FaceDown() ? "back" + std::to_string(int(Card->Back())) : ::CardName(TCard{Card->Value(), Card->Suit()});
}

// The seat whose hand a card lies in, its rows left of the seat's place; 0 for none.
int SeatAt(const TCardControl* Card)
{
    for (int P = User; P <= Kate; ++P)
        if (const QPoint At = Seats[P].Hand; Card->y() == At.y() && Card->x() <= At.x() + CardSpacing &&
                                              Card->x() >= At.x() - CardSpacing * (LeftRow + 1))
            return P;
    return 0;
}

void ReadCards(const TTableWindow& Window, TTableView& View)
{
    const QObjectList& Stack = Window.Panel()->children();
    std::vector<const TCardControl*> Seats[5];
    for (const QObject* Child : Stack)
        if (const auto* Card = qobject_cast<const TCardControl*>(Child); Card && !Card->isHidden())
            Seats[SeatAt(Card)].push_back(Card);
    for (int P = 0; P <= 4; ++P) {
        std::vector<const TCardControl*>& Cards = Seats[P];
        // Left to right; each card must lie above its left neighbour, as the deal lays them.
        std::stable_sort(Cards.begin(), Cards.end(), [](auto* A, auto* B) { return A->x() < B->x(); });
        std::string Text;
        for (size_t I = 0; I < Cards.size(); ++I) {
            Text += (I ? ", " : "") + std::to_string(Cards[I]->x()) + " " + CardName(Cards[I]);
            if (I > 0 && Stack.indexOf(Cards[I]) < Stack.indexOf(Cards[I - 1]))
                Text += " (under its left neighbour)";
        }
        if (P > 0)
            View[std::string("cards ") + SeatName[P]] = Text;
        else if (!Cards.empty())
            View["cards elsewhere"] = Text;
    }
}

// ---- the result sheet, read off the panel's pixels
//
// Each text is found by its ink: how far each pixel has moved from the blank plaque
// towards the text's colour. A text is read glyph by glyph, left to right: each
// candidate string is drawn in the same face, size and colour onto the blank plaque,
// and the character that matches best up to its own right edge is taken, as long as
// it explains more of the ink. Ink that no string explains makes the text unreadable.

// Ink summed over a text's box: a glyph must explain GlyphInk to count, a box with less
// than NoInk is empty, and LeftInk plus LeftShare of the box's ink may stay unexplained
// (antialiasing no drawing repeats exactly). No text is longer than MostGlyphs.
constexpr float GlyphInk = 4, NoInk = 1, LeftInk = 6, LeftShare = 0.12f;
constexpr int MostGlyphs = 24;

// The face the sheet is written in: "Arial" stands for the sans faces here.
QFont SheetFont(int Points)
{
    QFont Font;
    Font.setFamilies(SansFamilies());
    Font.setPixelSize(PointsToPixels(Points));
    return Font;
}

struct TSheetReader
{
    QImage Shown;  // the panel's pixels where the sheet belongs
    QImage Blank;  // the template the program carries

    // For each pixel of Box: how far it has moved from the blank plaque towards Colour
    // (0..1), and how far off that line (ink of another colour).
    std::vector<float> Ink(const QImage& Picture, const QRect& Box, QRgb Colour) const
    {
        std::vector<float> Out;
        Out.reserve(2 * Box.width() * Box.height());
        for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
            for (int X = Box.left(); X <= Box.right(); ++X) {
                const QRgb P = Picture.pixel(X, Y), B = Blank.pixel(X, Y);
                const float D[3] = {float(qRed(Colour) - qRed(B)), float(qGreen(Colour) - qGreen(B)), float(qBlue(Colour) - qBlue(B))};
                const float M[3] = {float(qRed(P) - qRed(B)), float(qGreen(P) - qGreen(B)), float(qBlue(P) - qBlue(B))};
                const float Length = D[0] * D[0] + D[1] * D[1] + D[2] * D[2];
                const float A = Length > 0 ? std::clamp((M[0] * D[0] + M[1] * D[1] + M[2] * D[2]) / Length, 0.0f, 1.0f) : 0;
                float Off = 0;
                for (int I = 0; I < 3; ++I)
                    Off += std::abs(M[I] - A * D[I]);
                Out.push_back(A);
                Out.push_back(Off / 255.0f);
            }
        return Out;
    }

    std::vector<float> Drawn(const QString& Text, QPoint At, int Points, QRgb Colour, const QRect& Box) const
    {
        QImage Picture = Blank.copy();
        const QFont Font = SheetFont(Points);
        QPainter Painter(&Picture);
        Painter.setRenderHint(QPainter::TextAntialiasing);
        Painter.setFont(Font);
        Painter.setPen(QColor(Colour));
        Painter.drawText(QPoint(At.x(), At.y() + QFontMetrics(Font).ascent()), Text);
        Painter.end();
        return Ink(Picture, Box, Colour);
    }

    // Summed difference of two ink maps of Box, over its columns left of EndX.
    static float Mismatch(const std::vector<float>& A, const std::vector<float>& B, const QRect& Box, int EndX = INT_MAX)
    {
        const int Columns = std::clamp(EndX - Box.left(), 0, Box.width());
        float Sum = 0;
        for (int Y = 0; Y < Box.height(); ++Y)
            for (int X = 0; X < Columns; ++X)
                for (int K = 0; K < 2; ++K) {
                    const size_t I = 2 * (size_t(Y) * Box.width() + X) + K;
                    Sum += std::abs(A[I] - B[I]);
                }
        return Sum;
    }

    std::string Read(QPoint At, int Width, int Points, QRgb Colour, const QString& Alphabet) const
    {
        const QRect Box = QRect(At.x() - 3, At.y(), Width + 3, PointsToPixels(Points) + 4).intersected(Blank.rect());
        const QFontMetrics Metrics(SheetFont(Points));
        const std::vector<float> Seen = Ink(Shown, Box, Colour);
        QString Text;
        float Left = Mismatch(Seen, Drawn(Text, At, Points, Colour, Box), Box);
        const float Start = Left;
        for (int Glyph = 0; Glyph < MostGlyphs; ++Glyph) {
            // The next glyph is the one that matches best up to its own right edge, so that
            // a wide glyph cannot win by covering part of the glyph after it.
            QChar Best;
            float BestHere = 0, BestLeft = 0;
            for (QChar C : Alphabet) {
                const std::vector<float> Try = Drawn(Text + C, At, Points, Colour, Box);
                const float Here = Mismatch(Seen, Try, Box, At.x() + Metrics.horizontalAdvance(Text + C));
                if (Best.isNull() || Here < BestHere) {
                    Best = C;
                    BestHere = Here;
                    BestLeft = Mismatch(Seen, Try, Box);
                }
            }
            // It must explain a good part of its own ink to count.
            if (Left - BestLeft < GlyphInk)
                break;
            Text += Best;
            Left = BestLeft;
        }
        if (Start < NoInk)
            return "";
        if (Left > LeftInk + LeftShare * Start)
            return "unreadable (" + Text.toStdString() + "?)";
        return Text.toStdString();
    }
};

void ReadSheet(const TTableWindow& Window, TTableView& View)
{
    const TImage* Sheet = Window.Control(TTablePart::Sheet);
    const TImage* Marker = Window.findChild<TImage*>(QStringLiteral("WinnerMarker"));
    View["sheet"] = !Sheet->isVisible() ? "hidden"
                  : Sheet->pos() == SheetPlace ? "shown"
                                                                 : "shown at " + std::to_string(Sheet->x()) + "," + std::to_string(Sheet->y());
    std::string MarkerAt = "hidden";
    if (Marker->isVisible()) {
        MarkerAt = "at " + std::to_string(Marker->x()) + "," + std::to_string(Marker->y());
        const QObjectList& Stack = Window.Panel()->children();
        for (int P = 1; P <= 4; ++P)
            if (Marker->pos() == SheetPlace + QPoint(SheetMarkerX, Seats[P].SheetRowY) &&
                Stack.indexOf(Marker) > Stack.indexOf(Sheet))
                MarkerAt = std::string("row of ") + SeatName[P];
    }
    View["sheet marker"] = MarkerAt;
    if (!Sheet->isVisible())
        return;

    static const QImage Blank = LoadResourcePicture(QStringLiteral(":/table/sheet.jpg")).convertToFormat(QImage::Format_ARGB32);
    TSheetReader Reader;
    Reader.Blank = Blank;
    Reader.Shown = Window.Panel()->grab(QRect(SheetPlace, Reader.Blank.size())).toImage().convertToFormat(QImage::Format_ARGB32);
    const QString Letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz?");
    const QString Figures = QStringLiteral("0123456789-");
    const QRgb Blue = qRgb(0, 0, 0xFF), Black = qRgb(0, 0, 0), Purple = qRgb(0x80, 0, 0x80), Red = qRgb(0xFF, 0, 0);
    // Each text is read up to the next column (the name up to the marker's), short of a gap.
    const int Gap = 2, Right = Reader.Blank.width();
    View["sheet headings"] =
        Reader.Read({SheetAddHeadingX, SheetHeadingY}, SheetScoreHeadingX - SheetAddHeadingX - Gap, SheetTextPoints, Blue, Letters) +
        " " + Reader.Read({SheetScoreHeadingX, SheetHeadingY}, Right - SheetScoreHeadingX, SheetTextPoints, Blue, Letters);
    for (int P = 1; P <= 4; ++P) {
        const int Y = Seats[P].SheetRowY;
        const std::string Seat = std::string("sheet ") + SeatName[P];
        View[Seat + " name"] = Reader.Read({SheetNameX, Y}, SheetMarkerX - SheetNameX - Gap, SheetTextPoints, Black, Letters);
        View[Seat + " Add"] = Reader.Read({SheetAddX, Y}, SheetScoreX - SheetAddX - Gap, SheetFigurePoints, Purple, Figures);
        View[Seat + " Score"] = Reader.Read({SheetScoreX, Y}, Right - SheetScoreX, SheetFigurePoints, Red, Figures);
    }
}
}

TTableView ReadTable(const TTableWindow& Window, const std::vector<TMessageRecord>& Messages)
{
    TTableView View;
    for (int P = 1; P <= 4; ++P) {
        const std::string Seat = SeatName[P];
        const TLabel* Money = Window.findChild<TLabel*>(QString::fromStdString(Seat + "Money"));
        View["money " + Seat] = Money->isVisible() ? Money->text().toStdString() : "hidden";
        View["stake " + Seat] = ReadCounter(Window.StakeCounter(P));
        const TImage* Token = Window.findChild<TImage*>(QString::fromStdString(Seat + "Token"));
        View["token " + Seat] = Token->isVisible() ? "at " + std::to_string(Token->x()) + "," + std::to_string(Token->y()) : "hidden";
    }
    const char* const Buttons[] = {"Start", "Rules", "Call", "Fold", "Flip", "Flip all"};  // in focus order
    for (int B = 0; B < 6; ++B)
        View[std::string("button ") + Buttons[B]] = ReadButton(Window.Control(TTablePart(B)));
    ReadCards(Window, View);
    ReadSheet(Window, View);
    std::string Said;
    for (const TMessageRecord& M : Messages)
        Said += (Said.empty() ? "" : " / ") + M.Text.toStdString() + (M.Buttons == TMsgButtons::YesNo ? " [Yes No]" : " [OK Cancel]");
    View["messages"] = Said;
    return View;
}

std::string ReadScreen(const TTableWindow& Window)
{
    const QImage Painted = Window.screen()->grabWindow(Window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage Afresh = const_cast<TTableWindow&>(Window).grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (Painted.size() != Afresh.size())
        return "painted " + std::to_string(Painted.width()) + "x" + std::to_string(Painted.height());
    QRect Stale;
    for (int Y = 0; Y < Afresh.height(); ++Y) {
        const auto* A = reinterpret_cast<const QRgb*>(Painted.constScanLine(Y));
        const auto* B = reinterpret_cast<const QRgb*>(Afresh.constScanLine(Y));
        if (std::equal(A, A + Afresh.width(), B))
            continue;
        for (int X = 0; X < Afresh.width(); ++X)
            if (A[X] != B[X])
                Stale |= QRect(X, Y, 1, 1);
    }
    if (Stale.isNull())
        return "up to date";
    return "not repainted at " + std::to_string(Stale.x()) + "," + std::to_string(Stale.y()) + " " +
           std::to_string(Stale.width()) + "x" + std::to_string(Stale.height());
}

std::string Differences(const TTableView& Expected, const TTableView& Shown)
{
    std::string Out;
    auto Value = [](const TTableView& View, const std::string& Key) {
        const auto Found = View.find(Key);
        return Found == View.end() ? std::string("(nothing)") : '"' + Found->second + '"';
    };
    TTableView All = Expected;
    All.insert(Shown.begin(), Shown.end());
    for (const auto& [Key, Unused] : All)
        if (Value(Expected, Key) != Value(Shown, Key))
            Out += "  " + Key + ": expected " + Value(Expected, Key) + ", the table shows " + Value(Shown, Key) + "\n";
    return Out;
}
