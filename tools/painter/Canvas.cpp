#include "Painter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <map>

namespace painter {

QImage makeCanvas(int w, int h, int scale, QColor fill)
{
    QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void beginPaint(QPainter& p, QImage& canvas, int scale)
{
    p.begin(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
}

void drawBits(QPainter& p, int x, int y, const std::vector<const char*>& rows, QColor c, char on)
{
    for (int r = 0; r < int(rows.size()); ++r)
        for (int i = 0; rows[r][i]; ++i)
            if (rows[r][i] == on)
                p.fillRect(QRectF(x + i, y + r, 1, 1), c);
}

int noise(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return int(h & 0xFFFF);
}

void addNoise(QImage& img, const QRect& area, int amplitude, int seed)
{
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) != 255)
                continue;
            const int d = noise(x, y, seed) % (2 * amplitude + 1) - amplitude;
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

QImage keyOut(const QImage& subject, QColor edge, QColor key)
{
    const QImage src = subject.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 128) {
                o[x] = key.rgb();
                continue;
            }
            auto mix = [a](int c, int e) { return (c * a + e * (255 - a) + 127) / 255; };
            o[x] = qRgb(mix(qRed(in[x]), edge.red()), mix(qGreen(in[x]), edge.green()),
                        mix(qBlue(in[x]), edge.blue()));
        }
    }
    return out;
}

namespace {

struct Box {
    std::vector<std::pair<QRgb, int>> colours; // colour, count
    int channel = 0;
    int range = 0;
    long long weight = 0;
    void measure()
    {
        std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
        weight = 0;
        for (auto [c, n] : colours) {
            const std::array<int, 3> v{qRed(c), qGreen(c), qBlue(c)};
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
            weight += n;
        }
        // green counts most to the eye, blue least
        const std::array<int, 3> w{3, 4, 2};
        range = -1;
        for (int k = 0; k < 3; ++k)
            if ((hi[k] - lo[k]) * w[k] > range) {
                range = (hi[k] - lo[k]) * w[k];
                channel = k;
            }
    }
};

int channelOf(QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); }

// Brightness plus colour difference, the colour part weighted up so that a grey edge
// pixel never picks up a tint from a palette that happens to hold a tinted entry.
int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    const int dy = (299 * dr + 587 * dg + 114 * db) / 1000;
    const int dcb = db - dy, dcr = dr - dy;
    return 4 * dy * dy + 3 * dcb * dcb + 3 * dcr * dcr;
}

} // namespace

QList<QRgb> medianCut(const QImage& img, int maxColours, QRgb skip, bool useSkip)
{
    std::map<QRgb, int> counts;
    const QImage src = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (!(useSkip && c == (skip | 0xFF000000u)))
                ++counts[c];
        }
    }
    QList<QRgb> palette;
    if (int(counts.size()) <= maxColours) {
        for (auto& [c, n] : counts)
            palette.append(c);
        return palette;
    }
    std::vector<Box> boxes(1);
    boxes[0].colours.assign(counts.begin(), counts.end());
    boxes[0].measure();
    while (int(boxes.size()) < maxColours) {
        // split the box that is both wide and heavily used
        int best = -1;
        double bestScore = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].colours.size() < 2)
                continue;
            const double score = double(boxes[i].range) * std::sqrt(double(boxes[i].weight));
            if (best < 0 || score > bestScore) {
                best = i;
                bestScore = score;
            }
        }
        if (best < 0)
            break;
        Box& b = boxes[best];
        const int k = b.channel;
        std::stable_sort(b.colours.begin(), b.colours.end(), [k](auto& l, auto& r) {
            return channelOf(l.first, k) < channelOf(r.first, k);
        });
        long long half = b.weight / 2, acc = 0;
        size_t cut = 1;
        for (; cut < b.colours.size(); ++cut) {
            acc += b.colours[cut - 1].second;
            if (acc >= half)
                break;
        }
        cut = std::clamp<size_t>(cut, 1, b.colours.size() - 1);
        Box other;
        other.colours.assign(b.colours.begin() + long(cut), b.colours.end());
        b.colours.resize(cut);
        b.measure();
        other.measure();
        boxes.push_back(std::move(other));
    }
    for (const Box& b : boxes) {
        long long r = 0, g = 0, bl = 0, n = 0;
        for (auto [c, cnt] : b.colours) {
            r += qRed(c) * cnt;
            g += qGreen(c) * cnt;
            bl += qBlue(c) * cnt;
            n += cnt;
        }
        const QRgb avg = qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((bl + n / 2) / n));
        if (!palette.contains(avg) && !(useSkip && avg == (skip | 0xFF000000u)))
            palette.append(avg);
    }
    std::sort(palette.begin(), palette.end());
    return palette;
}

QList<QRgb> edgePalette(const QImage& img, const QList<QRgb>& inks, int maxColours)
{
    std::map<QRgb, int> counts;
    const QImage src = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    std::vector<std::pair<QRgb, int>> colours(counts.begin(), counts.end());
    QList<QRgb> palette;
    for (QRgb c : inks)
        if (!palette.contains(c | 0xFF000000u))
            palette.append(c | 0xFF000000u);
    // the tones an edge between two inks takes on
    std::vector<QRgb> candidates;
    for (int i = 0; i < palette.size(); ++i)
        for (int j = i + 1; j < palette.size(); ++j)
            for (int k = 1; k < 8; ++k) {
                auto mix = [k](int a, int b) { return (a * (8 - k) + b * k + 4) / 8; };
                const QRgb a = palette[i], b = palette[j];
                candidates.push_back(qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b))));
            }
    std::vector<long long> err(colours.size());
    for (size_t n = 0; n < colours.size(); ++n) {
        err[n] = 1LL << 40;
        for (QRgb p : palette)
            err[n] = std::min<long long>(err[n], distance(colours[n].first, p));
    }
    // add the tone that takes away the most error, weighted by how many pixels it serves
    while (palette.size() < maxColours) {
        long long bestGain = 0;
        QRgb best = 0;
        for (QRgb cand : candidates) {
            if (palette.contains(cand))
                continue;
            long long gain = 0;
            for (size_t n = 0; n < colours.size(); ++n)
                gain += std::max<long long>(0, err[n] - distance(colours[n].first, cand)) * colours[n].second;
            if (gain > bestGain) {
                bestGain = gain;
                best = cand;
            }
        }
        if (bestGain == 0)
            break;
        palette.append(best);
        for (size_t n = 0; n < colours.size(); ++n)
            err[n] = std::min<long long>(err[n], distance(colours[n].first, best));
    }
    return palette;
}

QImage toIndexed(const QImage& img, const QList<QRgb>& palette)
{
    const QImage src = img.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    std::map<QRgb, int> memo;
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* o = out.scanLine(y);
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto it = memo.find(c);
            if (it == memo.end()) {
                int best = 0;
                for (int i = 1; i < palette.size(); ++i)
                    if (distance(c, palette[i]) < distance(c, palette[best]))
                        best = i;
                it = memo.emplace(c, best).first;
            }
            o[x] = uchar(it->second);
        }
    }
    return out;
}

QImage toMono(const QImage& img)
{
    const QImage src = img.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_Mono);
    out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    out.fill(0); // clears the padding bits too, which would otherwise reach the file
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            out.setPixel(x, y, qGray(src.pixel(x, y)) >= 128 ? 1 : 0);
    return out;
}

QFont pixelFont(const QStringList& families, int px, bool bold, bool italic)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}


QPainterPath heartPath(const QRectF& r)
{
    auto P = [&r](double x, double y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(P(0.5, 0.24));
    path.cubicTo(P(0.44, 0.02), P(0.0, -0.02), P(0.0, 0.32));
    path.cubicTo(P(0.0, 0.58), P(0.32, 0.74), P(0.5, 1.0));
    path.cubicTo(P(0.68, 0.74), P(1.0, 0.58), P(1.0, 0.32));
    path.cubicTo(P(1.0, -0.02), P(0.56, 0.02), P(0.5, 0.24));
    return path;
}

QPainterPath spadePath(const QRectF& r)
{
    auto P = [&r](double x, double y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(P(0.5, 0.0));
    path.cubicTo(P(0.36, 0.22), P(0.0, 0.36), P(0.0, 0.6));
    path.cubicTo(P(0.0, 0.82), P(0.28, 0.9), P(0.46, 0.74));
    path.quadTo(P(0.42, 0.92), P(0.26, 1.0));
    path.lineTo(P(0.74, 1.0));
    path.quadTo(P(0.58, 0.92), P(0.54, 0.74));
    path.cubicTo(P(0.72, 0.9), P(1.0, 0.82), P(1.0, 0.6));
    path.cubicTo(P(1.0, 0.36), P(0.64, 0.22), P(0.5, 0.0));
    return path;
}

QPainterPath lozengePath(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.moveTo(centre + QPointF(0, -ry));
    path.lineTo(centre + QPointF(rx, 0));
    path.lineTo(centre + QPointF(0, ry));
    path.lineTo(centre + QPointF(-rx, 0));
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, double longRadius, double midRadius, double shortRadius)
{
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8 - M_PI / 2;
        const double r = i % 4 == 0 ? longRadius : (i % 2 == 0 ? midRadius : shortRadius);
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    return star;
}

} // namespace painter
