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

namespace painter {
namespace {

// The table writes its texts in the desktop's faces at the points' pixel height, here at
// the 96 dpi the pictures are drawn for, with the text's top-left corner at the given point.
int pixelsAt96Dpi(int points)
{
    return int(std::lround(points * 96 / 72.0));
}

QFont tableFont(int px, bool bold)
{
    QFont f;
    f.setFamilies({SansFaces[0], SansFaces[1]});
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

struct Text {
    QString text;
    QPoint at;
    int px;
    bool bold;
};

void drawTexts(QImage& img, int scale, const std::vector<Text>& texts, QColor colour)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    p.setPen(colour);
    for (const Text& t : texts) {
        const QFont f = tableFont(t.px, t.bold);
        p.setFont(f);
        p.drawText(QPoint(t.at.x(), t.at.y() + QFontMetrics(f).ascent()), t.text);
    }
}

// Where the texts put any ink, in the picture's pixels.
std::vector<QPoint> inkOf(QSize size, int scale, const std::vector<Text>& texts)
{
    QImage layer(size, QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    drawTexts(layer, scale, texts, Qt::black);
    std::vector<QPoint> ink;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (qAlpha(layer.pixel(x, y)) > 0)
                ink.push_back({x, y});
    return ink;
}

QRect boxOf(const std::vector<QPoint>& pts)
{
    QRect r;
    for (QPoint pt : pts)
        r |= QRect(pt, QSize(1, 1));
    return r;
}

double nearest(const std::vector<QPoint>& a, const std::vector<QPoint>& b)
{
    double best = 1e9;
    for (QPoint p : a)
        for (QPoint q : b)
            best = std::min(best, std::hypot(double(p.x() - q.x()), double(p.y() - q.y())));
    return best;
}

double luminance(QRgb c)
{
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The largest difference in any one channel.
int channelGap(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

QRgb medianColour(const QImage& img, const QRect& box)
{
    std::vector<int> ch[3];
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            ch[0].push_back(qRed(c));
            ch[1].push_back(qGreen(c));
            ch[2].push_back(qBlue(c));
        }
    for (auto& v : ch)
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return qRgb(ch[0][ch[0].size() / 2], ch[1][ch[1].size() / 2], ch[2][ch[2].size() / 2]);
}

int failures = 0;

void report(const char* what, double value, double least, const char* unit)
{
    const bool ok = value >= least;
    failures += !ok;
    std::printf("  %-58s %7.2f %-4s (at least %.2f)%s\n", what, value, unit, least, ok ? "" : "  TOO LOW");
}

void save(const QImage& img, const QString& file)
{
    QString error;
    if (!writePng(img, file, &error)) {
        std::fprintf(stderr, "review: %s: %s\n", qPrintable(file), qPrintable(error));
        ++failures;
    }
}

QImage zoomed(const QImage& img, int k)
{
    return img.scaled(img.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The key colour shown as the felt under it, as the table shows a skin.
QImage onFelt(const QImage& skin, const QImage& felt)
{
    QImage out = felt.convertToFormat(QImage::Format_RGB32);
    const QRgb key = skin.pixel(0, skin.height() - 1);
    for (int y = 0; y < skin.height(); ++y)
        for (int x = 0; x < skin.width(); ++x)
            if (skin.pixel(x, y) != key)
                out.setPixel(x, y, skin.pixel(x, y));
    return out;
}

const QRgb kCaptionColour[3] = {0xFF000000 | CaptionRgb[0], 0xFF000000 | CaptionRgb[1], 0xFF000000 | CaptionRgb[2]};
const char* kLookName[3] = {"normal", "pressed", "disabled"};

Text captionText(const TButtonCaption& c)
{
    return {QString::fromUtf8(c.Caption), {CaptionX, c.Y}, pixelsAt96Dpi(CaptionPoints), true};
}

void reviewButtons(int scale, const QImage& table, const QString& dir)
{
    std::vector<Text> all;
    for (const TButtonCaption& c : ButtonCaptions)
        all.push_back(captionText(c));
    const QSize size = ButtonSkinSize * scale;
    const std::vector<QPoint> ink = inkOf(size, scale, all);
    const QRect box = boxOf(ink);
    std::printf("  caption box (all six captions): x %d..%d, y %d..%d\n", box.left(), box.right(), box.top(),
                box.bottom());
    const QImage skins[3] = {paintButtonSkin(scale, 0), paintButtonSkin(scale, 1), paintButtonSkin(scale, 2)};
    for (int look = 0; look < 3; ++look) {
        const QImage& skin = skins[look];
        const QRgb key = skin.pixel(0, skin.height() - 1);
        const QRgb median = medianColour(skin, box);
        char what[120];
        std::snprintf(what, sizeof what, "%s: caption #%06X on median #%06X, contrast", kLookName[look],
                      kCaptionColour[look] & 0xFFFFFF, median & 0xFFFFFF);
        report(what, contrast(kCaptionColour[look], median), 4.5, ": 1");
        // the key colour only around the plaque: every key pixel is reached from the edge
        std::vector<char> reached(size_t(skin.width() * skin.height()), 0);
        auto seen = [&](QPoint pt) -> char& { return reached[size_t(pt.y() * skin.width() + pt.x())]; };
        std::vector<QPoint> todo;
        for (int x = 0; x < skin.width(); ++x)
            todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, skin.height() - 1)});
        for (int y = 0; y < skin.height(); ++y)
            todo.insert(todo.end(), {QPoint(0, y), QPoint(skin.width() - 1, y)});
        while (!todo.empty()) {
            const QPoint pt = todo.back();
            todo.pop_back();
            if (!skin.rect().contains(pt) || seen(pt) || skin.pixel(pt) != key)
                continue;
            seen(pt) = 1;
            todo.insert(todo.end(), {pt + QPoint(1, 0), pt - QPoint(1, 0), pt + QPoint(0, 1), pt - QPoint(0, 1)});
        }
        int inside = 0, keyRowsTop = 0, keyRowsFoot = 0;
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x)
                inside += skin.pixel(x, y) == key && !seen({x, y});
        auto keyRow = [&](int y) {
            for (int x = 0; x < skin.width(); ++x)
                if (skin.pixel(x, y) != key)
                    return false;
            return true;
        };
        while (keyRowsTop < skin.height() && keyRow(keyRowsTop))
            ++keyRowsTop;
        while (keyRowsFoot < skin.height() && keyRow(skin.height() - 1 - keyRowsFoot))
            ++keyRowsFoot;
        std::printf("  %-8s key #%06X in the bottom-left pixel; key pixels inside the plaque: %d\n", kLookName[look],
                    key & 0xFFFFFF, inside);
        failures += inside > 0;
        std::snprintf(what, sizeof what, "%s: felt between two stacked buttons", kLookName[look]);
        report(what, double(keyRowsTop + keyRowsFoot) / scale, 3, "px");
        // room around the caption: along its rows, to the nearest stud, groove or rim
        int left = 0, right = 0;
        auto feature = [&](int x, int y) {
            const QRgb c = skin.pixel(x, y);
            return c == key || channelGap(c, median) > 40;
        };
        const int row0 = box.top() + box.height() / 4, row1 = box.bottom() - box.height() / 4;
        auto clearRun = [&](int from, int dir) {
            for (int x = from;; x += dir)
                for (int y = row0; y <= row1; ++y)
                    if (x < 0 || x >= skin.width() || feature(x, y))
                        return std::abs(x - from);
        };
        left = clearRun(box.left() - 1, -1);
        right = clearRun(box.right() + 1, 1);
        std::snprintf(what, sizeof what, "%s: clear face left and right of the caption", kLookName[look]);
        report(what, std::min(left, right) / double(scale), 8, "px");
    }
    std::printf("  caption ink rows %.1f..%.1f within the plaque's rows 2..29\n", box.top() / double(scale),
                (box.bottom() + 1) / double(scale) - 1);

    // preview: the two columns on the felt, as at rest and in play
    const TableLayout layout = tableLayout();
    const QRect columns = layout.buttonColumns[0].united(layout.buttonColumns[1]).toRect().adjusted(-8, -8, 8, 8);
    QImage shot = table.copy(QRect(columns.topLeft() * scale, columns.size() * scale));
    // each button in a look it takes: Start and Call at rest, Rules and Fold pressed, the rest disabled
    const int looks[6] = {0, 1, 0, 1, 2, 2};
    for (int b = 0; b < 6; ++b) {
        QImage skin = skins[looks[b]];
        const QPoint at = (ButtonBounds[b].topLeft() - columns.topLeft()) * scale;
        const QImage under = shot.copy(QRect(at, skin.size()));
        drawTexts(skin, scale, {captionText(ButtonCaptions[b])}, QColor::fromRgb(kCaptionColour[looks[b]]));
        QPainter p(&shot);
        p.drawImage(at, onFelt(skin, under));
    }
    save(zoomed(shot, scale == 1 ? 2 : 1), QStringLiteral("%1/buttons@%2x.png").arg(dir).arg(scale));
}

void reviewSheet(int scale, const QString& dir)
{
    const QImage plain = paintSheetPlaque(scale, false), sheet = paintSheetPlaque(scale, true);
    std::vector<QPoint> ornament;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            if (channelGap(sheet.pixel(x, y), plain.pixel(x, y)) > 16)
                ornament.push_back({x, y});
        }
    // the longest figures in both columns of every row, and long names in the first
    const QStringList names[] = {{QStringLiteral("ÅWgjpqyÿÉÑ"), QStringLiteral("张三李四王五赵六钱七")},
                                 {"Jack"}, {"Jim"}, {"Kate"}};
    const int textPx = pixelsAt96Dpi(SheetTextPoints), figurePx = pixelsAt96Dpi(SheetFigurePoints);
    std::vector<Text> texts = {{"Add", {SheetAddHeadingX, SheetHeadingY}, textPx, false},
                               {"Score", {SheetScoreHeadingX, SheetHeadingY}, textPx, false}};
    for (int row = 0; row < 4; ++row) {
        const int y = Seats[row + 1].SheetRowY;
        for (const QString& n : names[row])
            texts.push_back({n, {SheetNameX, y}, textPx, false});
        for (const char* figure : {"-1000", "10000"}) {
            texts.push_back({figure, {SheetAddX, y}, figurePx, false});
            texts.push_back({figure, {SheetScoreX, y}, figurePx, false});
        }
    }
    const QSize size = sheet.size();
    const QPoint mid(size.width() / 2, size.height() / 2);
    const char* corners[] = {"top left", "top right", "bottom left", "bottom right"};
    const std::vector<QPoint> allInk = inkOf(size, scale, texts);
    for (int c = 0; c < 4; ++c) {
        auto inCorner = [&](QPoint pt) { return (pt.x() >= mid.x()) == bool(c % 2) && (pt.y() >= mid.y()) == bool(c / 2); };
        std::vector<QPoint> orn, ink;
        std::copy_if(ornament.begin(), ornament.end(), std::back_inserter(orn), inCorner);
        std::copy_if(allInk.begin(), allInk.end(), std::back_inserter(ink), inCorner);
        char what[120];
        std::snprintf(what, sizeof what, "sheet, %s: text ink to the corner ornament", corners[c]);
        report(what, nearest(ink, orn) / scale, 3, "px");
    }
    QImage shown = sheet;
    drawTexts(shown, scale, {texts[0], texts[1]}, QColor(0x00, 0x00, 0xFF));
    std::vector<Text> namesOnly, adds, scores;
    for (size_t i = 2; i < texts.size(); ++i)
        (texts[i].at.x() == SheetNameX ? namesOnly : texts[i].at.x() == SheetAddX ? adds : scores).push_back(texts[i]);
    // one of each pair, so the preview stays readable
    std::vector<Text> names1 = {namesOnly[0], namesOnly[2], namesOnly[3], namesOnly[4]};
    std::vector<Text> adds1, scores1;
    for (size_t i = 0; i < adds.size(); i += 2)
        adds1.push_back(adds[i]);
    for (size_t i = 1; i < scores.size(); i += 2)
        scores1.push_back(scores[i]);
    drawTexts(shown, scale, names1, Qt::black);
    drawTexts(shown, scale, scores1, QColor(0xFF, 0x00, 0x00));
    drawTexts(shown, scale, adds1, QColor(0x80, 0x00, 0x80));
    save(zoomed(shown, scale == 1 ? 3 : 2), QStringLiteral("%1/sheet@%2x.png").arg(dir).arg(scale));
}

// The table as the window shows it: the background stretched over the panel at (1, 1).
QImage panelView(int scale)
{
    const QImage bg = paintTableBackground(scale);
    QImage panel(856 * scale, 645 * scale, QImage::Format_RGB32);
    panel.fill(Qt::white);
    QPainter p(&panel);
    p.drawImage(QRect(scale, scale, 854 * scale, 643 * scale), bg);
    return panel;
}

void reviewTable(int scale, const QImage& panel)
{
    const TableLayout layout = tableLayout();
    // the user's cards cover x 370..470, y 460..555: felt must show below them
    int first = -1;
    for (int y = 556 * scale; y < 580 * scale && first < 0; ++y)
        for (int x = 372 * scale; x < 468 * scale && first < 0; ++x) {
            const QRgb a = panel.pixel(x, y), b = panel.pixel(x, 552 * scale);
            if (std::abs(qGray(a) - qGray(b)) > 14 || std::abs(qGreen(a) - qGreen(b)) > 14)
                first = y;
        }
    std::printf("  user's seat plate: first row that is no longer felt below the cards: %d\n", first);
    report("table: felt between the user's cards and the seat plate", double(first - 556 * scale) / scale, 2, "px");
    double gap = 1e9;
    for (const QLineF& line : layout.cornerLines)
        for (const QRectF& col : layout.buttonColumns)
            for (int k = 0; k <= 400; ++k) {
                const QPointF pt = line.pointAt(k / 400.0);
                const double dx = std::max({col.left() - pt.x(), 0.0, pt.x() - col.right()});
                const double dy = std::max({col.top() - pt.y(), 0.0, pt.y() - col.bottom()});
                gap = std::min(gap, std::hypot(dx, dy));
            }
    report("table: corner lines to the nearest button column", gap, 8, "px");
}

} // namespace

bool review(const QString& dir)
{
    QDir().mkpath(dir);
    failures = 0;
    for (int scale : {1, 2}) {
        std::printf("at %dx\n", scale);
        const QImage panel = panelView(scale);
        reviewButtons(scale, panel, dir);
        reviewSheet(scale, dir);
        reviewTable(scale, panel);
    }
    std::printf(failures ? "review: %d figure(s) short\n" : "review: every figure holds\n", failures);
    return failures == 0;
}

} // namespace painter
