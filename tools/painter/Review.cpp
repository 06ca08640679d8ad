// --review: measures what the eye judges on the table, with the texts the table draws
// on the pictures, and writes previews to look at. It fails when a figure falls short.
#include "Painter.h"
#include "desktop/Fonts.h"
#include "table/ButtonCaptions.h"
#include "table/Layout.h"

#include <QDir>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The table writes its texts in the desktop's faces at the points' pixel height, here at
// the 96 dpi the pictures are drawn for, with the text's top-left corner at the given point.
int PixelsAt96Dpi(int Points)
{
    return int(std::lround(Points * 96 / 72.0));
}

QFont TableFont(int Px, bool Bold)
{
    QFont F;
    F.setFamilies(QStringList(std::begin(SansFaces), std::end(SansFaces)));
    F.setPixelSize(Px);
    F.setBold(Bold);
    return F;
}

struct TText {
    QString Text;
    QPoint At;
    int Px;
    bool Bold;
};

void DrawTexts(QImage& Img, int Scale, const std::vector<TText>& Texts, QColor Colour)
{
    QPainter P(&Img);
    P.setRenderHint(QPainter::TextAntialiasing);
    P.scale(Scale, Scale);
    P.setPen(Colour);
    for (const TText& T : Texts) {
        const QFont F = TableFont(T.Px, T.Bold);
        P.setFont(F);
        P.drawText(QPoint(T.At.x(), T.At.y() + QFontMetrics(F).ascent()), T.Text);
    }
}

// Where the texts put any ink, in the picture's pixels.
std::vector<QPoint> InkOf(QSize Size, int Scale, const std::vector<TText>& Texts)
{
    QImage Layer(Size, QImage::Format_ARGB32);
    Layer.fill(Qt::transparent);
    DrawTexts(Layer, Scale, Texts, Qt::black);
    std::vector<QPoint> Ink;
    for (int Y = 0; Y < Layer.height(); ++Y)
        for (int X = 0; X < Layer.width(); ++X)
            if (qAlpha(Layer.pixel(X, Y)) > 0)
                Ink.push_back({X, Y});
    return Ink;
}

QRect BoxOf(const std::vector<QPoint>& Pts)
{
    QRect R;
    for (QPoint Pt : Pts)
        R |= QRect(Pt, QSize(1, 1));
    return R;
}

double Nearest(const std::vector<QPoint>& A, const std::vector<QPoint>& B)
{
    double Best = 1e9;
    for (QPoint P : A)
        for (QPoint Q : B)
            Best = std::min(Best, std::hypot(double(P.x() - Q.x()), double(P.y() - Q.y())));
    return Best;
}

double Luminance(QRgb C)
{
    auto Lin = [](int V) {
        const double S = V / 255.0;
        return S <= 0.03928 ? S / 12.92 : std::pow((S + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * Lin(qRed(C)) + 0.7152 * Lin(qGreen(C)) + 0.0722 * Lin(qBlue(C));
}

double Contrast(QRgb A, QRgb B)
{
    const double La = Luminance(A), Lb = Luminance(B);
    return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

// The largest difference in any one channel.
int ChannelGap(QRgb A, QRgb B)
{
    return std::max({std::abs(qRed(A) - qRed(B)), std::abs(qGreen(A) - qGreen(B)), std::abs(qBlue(A) - qBlue(B))});
}

QRgb MedianColour(const QImage& Img, const QRect& Box)
{
    std::vector<int> Ch[3];
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X) {
            const QRgb C = Img.pixel(X, Y);
            Ch[0].push_back(qRed(C));
            Ch[1].push_back(qGreen(C));
            Ch[2].push_back(qBlue(C));
        }
    for (auto& V : Ch)
        std::nth_element(V.begin(), V.begin() + V.size() / 2, V.end());
    return qRgb(Ch[0][Ch[0].size() / 2], Ch[1][Ch[1].size() / 2], Ch[2][Ch[2].size() / 2]);
}

int Failures = 0;

void Report(const char* What, double Value, double Least, const char* Unit)
{
    const bool Ok = Value >= Least;
    Failures += !Ok;
    std::printf("  %-58s %7.2f %-4s (at least %.2f)%s\n", What, Value, Unit, Least, Ok ? "" : "  TOO LOW");
}

void Save(const QImage& Img, const QString& File)
{
    QString Error;
    if (!WritePng(Img, File, &Error)) {
        std::fprintf(stderr, "review: %s: %s\n", qPrintable(File), qPrintable(Error));
        ++Failures;
    }
}

QImage Zoomed(const QImage& Img, int K)
{
    return Img.scaled(Img.size() * K, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The key colour shown as the felt under it, as the table shows a skin.
QImage OnFelt(const QImage& Skin, const QImage& Felt)
{
    QImage Out = Felt.convertToFormat(QImage::Format_RGB32);
    const QRgb Key = Skin.pixel(0, Skin.height() - 1);
    for (int Y = 0; Y < Skin.height(); ++Y)
        for (int X = 0; X < Skin.width(); ++X)
            if (Skin.pixel(X, Y) != Key)
                Out.setPixel(X, Y, Skin.pixel(X, Y));
    return Out;
}

const QRgb CaptionColour[3] = {0xFF000000 | CaptionRgb[0], 0xFF000000 | CaptionRgb[1], 0xFF000000 | CaptionRgb[2]};
const char* LookName[3] = {"normal", "pressed", "disabled"};

TText CaptionText(const TButtonCaption& C)
{
    return {QString::fromUtf8(C.Caption), {CaptionX, C.Y}, PixelsAt96Dpi(CaptionPoints), true};
}

void ReviewButtons(int Scale, const QImage& Table, const QString& Dir)
{
    std::vector<TText> All;
    for (const TButtonCaption& C : ButtonCaptions)
        All.push_back(CaptionText(C));
    const QSize Size = ButtonSkinSize * Scale;
    const std::vector<QPoint> Ink = InkOf(Size, Scale, All);
    const QRect Box = BoxOf(Ink);
    std::printf("  caption box (all six captions): x %d..%d, y %d..%d\n", Box.left(), Box.right(), Box.top(),
                Box.bottom());
    const QImage Skins[3] = {PaintButtonSkin(Scale, 0), PaintButtonSkin(Scale, 1), PaintButtonSkin(Scale, 2)};
    for (int Look = 0; Look < 3; ++Look) {
        const QImage& Skin = Skins[Look];
        const QRgb Key = Skin.pixel(0, Skin.height() - 1);
        const QRgb Median = MedianColour(Skin, Box);
        char What[120];
        std::snprintf(What, sizeof What, "%s: caption #%06X on median #%06X, contrast", LookName[Look],
                      CaptionColour[Look] & 0xFFFFFF, Median & 0xFFFFFF);
        Report(What, Contrast(CaptionColour[Look], Median), 4.5, ": 1");
        // the key colour only around the plaque: every key pixel is reached from the edge
        std::vector<char> Reached(size_t(Skin.width() * Skin.height()), 0);
        auto Seen = [&](QPoint Pt) -> char& { return Reached[size_t(Pt.y() * Skin.width() + Pt.x())]; };
        std::vector<QPoint> Todo;
        for (int X = 0; X < Skin.width(); ++X)
            Todo.insert(Todo.end(), {QPoint(X, 0), QPoint(X, Skin.height() - 1)});
        for (int Y = 0; Y < Skin.height(); ++Y)
            Todo.insert(Todo.end(), {QPoint(0, Y), QPoint(Skin.width() - 1, Y)});
        while (!Todo.empty()) {
            const QPoint Pt = Todo.back();
            Todo.pop_back();
            if (!Skin.rect().contains(Pt) || Seen(Pt) || Skin.pixel(Pt) != Key)
                continue;
            Seen(Pt) = 1;
            Todo.insert(Todo.end(), {Pt + QPoint(1, 0), Pt - QPoint(1, 0), Pt + QPoint(0, 1), Pt - QPoint(0, 1)});
        }
        int Inside = 0, KeyRowsTop = 0, KeyRowsFoot = 0;
        for (int Y = 0; Y < Skin.height(); ++Y)
            for (int X = 0; X < Skin.width(); ++X)
                Inside += Skin.pixel(X, Y) == Key && !Seen({X, Y});
        auto KeyRow = [&](int Y) {
            for (int X = 0; X < Skin.width(); ++X)
                if (Skin.pixel(X, Y) != Key)
                    return false;
            return true;
        };
        while (KeyRowsTop < Skin.height() && KeyRow(KeyRowsTop))
            ++KeyRowsTop;
        while (KeyRowsFoot < Skin.height() && KeyRow(Skin.height() - 1 - KeyRowsFoot))
            ++KeyRowsFoot;
        std::printf("  %-8s key #%06X in the bottom-left pixel; key pixels inside the plaque: %d\n", LookName[Look],
                    Key & 0xFFFFFF, Inside);
        Failures += Inside > 0;
        std::snprintf(What, sizeof What, "%s: felt between two stacked buttons", LookName[Look]);
        Report(What, double(KeyRowsTop + KeyRowsFoot) / Scale, 3, "px");
        // room around the caption: along its rows, to the nearest stud, groove or rim
        int Left = 0, Right = 0;
        auto Feature = [&](int X, int Y) {
            const QRgb C = Skin.pixel(X, Y);
            return C == Key || ChannelGap(C, Median) > 40;
        };
        const int Row0 = Box.top() + Box.height() / 4, Row1 = Box.bottom() - Box.height() / 4;
        auto ClearRun = [&](int From, int Way) {
            for (int X = From;; X += Way)
                for (int Y = Row0; Y <= Row1; ++Y)
                    if (X < 0 || X >= Skin.width() || Feature(X, Y))
                        return std::abs(X - From);
        };
        Left = ClearRun(Box.left() - 1, -1);
        Right = ClearRun(Box.right() + 1, 1);
        std::snprintf(What, sizeof What, "%s: clear face left and right of the caption", LookName[Look]);
        Report(What, std::min(Left, Right) / double(Scale), 8, "px");
    }
    std::printf("  caption ink rows %.1f..%.1f within the plaque's rows 2..29\n", Box.top() / double(Scale),
                (Box.bottom() + 1) / double(Scale) - 1);

    // preview: the two columns on the felt, as at rest and in play
    const TTableLayout Layout = TableLayout();
    const QRect Columns = Layout.ButtonColumns[0].united(Layout.ButtonColumns[1]).toRect().adjusted(-8, -8, 8, 8);
    QImage Shot = Table.copy(QRect(Columns.topLeft() * Scale, Columns.size() * Scale));
    // each button in a look it takes: Start and Call at rest, Rules and Fold pressed, the rest disabled
    const int Looks[6] = {0, 1, 0, 1, 2, 2};
    for (int B = 0; B < 6; ++B) {
        QImage Skin = Skins[Looks[B]];
        const QPoint At = (ButtonBounds[B].topLeft() - Columns.topLeft()) * Scale;
        const QImage Under = Shot.copy(QRect(At, Skin.size()));
        DrawTexts(Skin, Scale, {CaptionText(ButtonCaptions[B])}, QColor::fromRgb(CaptionColour[Looks[B]]));
        QPainter P(&Shot);
        P.drawImage(At, OnFelt(Skin, Under));
    }
    Save(Zoomed(Shot, Scale == 1 ? 2 : 1), QStringLiteral("%1/buttons@%2x.png").arg(Dir).arg(Scale));
}

void ReviewSheet(int Scale, const QString& Dir)
{
    const QImage Plain = PaintSheetPlaque(Scale, false), Sheet = PaintSheetPlaque(Scale, true);
    std::vector<QPoint> Ornament;
    for (int Y = 0; Y < Sheet.height(); ++Y)
        for (int X = 0; X < Sheet.width(); ++X) {
            if (ChannelGap(Sheet.pixel(X, Y), Plain.pixel(X, Y)) > 16)
                Ornament.push_back({X, Y});
        }
    // the longest figures in both columns of every row, and long names in the first
    const QStringList Names[] = {{QStringLiteral("ÅWgjpqyÿÉÑ"), QStringLiteral("张三李四王五赵六钱七")},
                                 {"Jack"}, {"Jim"}, {"Kate"}};
    const int TextPx = PixelsAt96Dpi(SheetTextPoints), FigurePx = PixelsAt96Dpi(SheetFigurePoints);
    std::vector<TText> Texts = {{"Add", {SheetAddHeadingX, SheetHeadingY}, TextPx, false},
                               {"Score", {SheetScoreHeadingX, SheetHeadingY}, TextPx, false}};
    for (int Row = 0; Row < 4; ++Row) {
        const int Y = Seats[Row + 1].SheetRowY;
        for (const QString& N : Names[Row])
            Texts.push_back({N, {SheetNameX, Y}, TextPx, false});
        for (const char* Figure : {"-1000", "10000"}) {
            Texts.push_back({Figure, {SheetAddX, Y}, FigurePx, false});
            Texts.push_back({Figure, {SheetScoreX, Y}, FigurePx, false});
        }
    }
    const QSize Size = Sheet.size();
    const QPoint Mid(Size.width() / 2, Size.height() / 2);
    const char* Corners[] = {"top left", "top right", "bottom left", "bottom right"};
    const std::vector<QPoint> AllInk = InkOf(Size, Scale, Texts);
    for (int C = 0; C < 4; ++C) {
        auto InCorner = [&](QPoint Pt) { return (Pt.x() >= Mid.x()) == bool(C % 2) && (Pt.y() >= Mid.y()) == bool(C / 2); };
        std::vector<QPoint> Orn, Ink;
        std::copy_if(Ornament.begin(), Ornament.end(), std::back_inserter(Orn), InCorner);
        std::copy_if(AllInk.begin(), AllInk.end(), std::back_inserter(Ink), InCorner);
        char What[120];
        std::snprintf(What, sizeof What, "sheet, %s: text ink to the corner ornament", Corners[C]);
        Report(What, Nearest(Ink, Orn) / Scale, 3, "px");
    }
    QImage Shown = Sheet;
    DrawTexts(Shown, Scale, {Texts[0], Texts[1]}, QColor(0x00, 0x00, 0xFF));
    std::vector<TText> NamesOnly, Adds, Scores;
    for (size_t I = 2; I < Texts.size(); ++I)
        (Texts[I].At.x() == SheetNameX ? NamesOnly : Texts[I].At.x() == SheetAddX ? Adds : Scores).push_back(Texts[I]);
    // one of each pair, so the preview stays readable
    std::vector<TText> Names1 = {NamesOnly[0], NamesOnly[2], NamesOnly[3], NamesOnly[4]};
    std::vector<TText> Adds1, Scores1;
    for (size_t I = 0; I < Adds.size(); I += 2)
        Adds1.push_back(Adds[I]);
    for (size_t I = 1; I < Scores.size(); I += 2)
        Scores1.push_back(Scores[I]);
    DrawTexts(Shown, Scale, Names1, Qt::black);
    DrawTexts(Shown, Scale, Scores1, QColor(0xFF, 0x00, 0x00));
    DrawTexts(Shown, Scale, Adds1, QColor(0x80, 0x00, 0x80));
    Save(Zoomed(Shown, Scale == 1 ? 3 : 2), QStringLiteral("%1/sheet@%2x.png").arg(Dir).arg(Scale));
}

// The table as the window shows it: the background stretched over the panel at (1, 1).
QImage PanelView(int Scale)
{
    const QImage Bg = PaintTableBackground(Scale);
    QImage Panel(856 * Scale, 645 * Scale, QImage::Format_RGB32);
    Panel.fill(Qt::white);
    QPainter P(&Panel);
    P.drawImage(QRect(Scale, Scale, 854 * Scale, 643 * Scale), Bg);
    return Panel;
}

void ReviewTable(int Scale, const QImage& Panel)
{
    const TTableLayout Layout = TableLayout();
    // the user's cards cover x 370..470, y 460..555: felt must show below them
    int First = -1;
    for (int Y = 556 * Scale; Y < 580 * Scale && First < 0; ++Y)
        for (int X = 372 * Scale; X < 468 * Scale && First < 0; ++X) {
            const QRgb A = Panel.pixel(X, Y), B = Panel.pixel(X, 552 * Scale);
            if (std::abs(qGray(A) - qGray(B)) > 14 || std::abs(qGreen(A) - qGreen(B)) > 14)
                First = Y;
        }
    std::printf("  user's seat plate: first row that is no longer felt below the cards: %d\n", First);
    Report("table: felt between the user's cards and the seat plate", double(First - 556 * Scale) / Scale, 2, "px");
    double Gap = 1e9;
    for (const QLineF& Line : Layout.CornerLines)
        for (const QRectF& Col : Layout.ButtonColumns)
            for (int K = 0; K <= 400; ++K) {
                const QPointF Pt = Line.pointAt(K / 400.0);
                const double Dx = std::max({Col.left() - Pt.x(), 0.0, Pt.x() - Col.right()});
                const double Dy = std::max({Col.top() - Pt.y(), 0.0, Pt.y() - Col.bottom()});
                Gap = std::min(Gap, std::hypot(Dx, Dy));
            }
    Report("table: corner lines to the nearest button column", Gap, 8, "px");
}

} // namespace

bool Review(const QString& Dir)
{
    QDir().mkpath(Dir);
    Failures = 0;
    for (int Scale : {1, 2}) {
        std::printf("at %dx\n", Scale);
        const QImage Panel = PanelView(Scale);
        ReviewButtons(Scale, Panel, Dir);
        ReviewSheet(Scale, Dir);
        ReviewTable(Scale, Panel);
    }
    std::printf(Failures ? "review: %d figure(s) short\n" : "review: every figure holds\n", Failures);
    return Failures == 0;
}
