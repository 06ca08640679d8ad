#include "Painter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <map>

QImage MakeCanvas(int W, int H, int Scale, QColor Fill)
{
    QImage Img(W * Scale, H * Scale, QImage::Format_ARGB32_Premultiplied);
    Img.fill(Fill);
    return Img;
}

void BeginPaint(QPainter& P, QImage& Canvas, int Scale)
{
    P.begin(&Canvas);
    P.setRenderHint(QPainter::Antialiasing);
    P.setRenderHint(QPainter::TextAntialiasing);
    P.setRenderHint(QPainter::SmoothPixmapTransform);
    P.scale(Scale, Scale);
}

void DrawBits(QPainter& P, int X, int Y, const std::vector<const char*>& Rows, QColor C, char On)
{
    for (int R = 0; R < int(Rows.size()); ++R)
        for (int I = 0; Rows[R][I]; ++I)
            if (Rows[R][I] == On)
                P.fillRect(QRectF(X + I, Y + R, 1, 1), C);
}

int Noise(int X, int Y, int Seed)
{
    uint32_t H = uint32_t(X) * 374761393u + uint32_t(Y) * 668265263u + uint32_t(Seed) * 2246822519u;
    H = (H ^ (H >> 13)) * 1274126177u;
    H ^= H >> 16;
    return int(H & 0xFFFF);
}

void AddNoise(QImage& Img, const QRect& Area, int Amplitude, int Seed)
{
    const QRect R = Area.intersected(Img.rect());
    for (int Y = R.top(); Y <= R.bottom(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Img.scanLine(Y));
        for (int X = R.left(); X <= R.right(); ++X) {
            const QRgb C = Line[X];
            if (qAlpha(C) != 255)
                continue;
            const int D = Noise(X, Y, Seed) % (2 * Amplitude + 1) - Amplitude;
            Line[X] = qRgb(std::clamp(qRed(C) + D, 0, 255), std::clamp(qGreen(C) + D, 0, 255),
                           std::clamp(qBlue(C) + D, 0, 255));
        }
    }
}

QImage KeyOut(const QImage& Subject, QColor Edge, QColor Key)
{
    const QImage Src = Subject.convertToFormat(QImage::Format_ARGB32);
    QImage Out(Src.size(), QImage::Format_RGB32);
    for (int Y = 0; Y < Src.height(); ++Y) {
        const auto* In = reinterpret_cast<const QRgb*>(Src.constScanLine(Y));
        auto* O = reinterpret_cast<QRgb*>(Out.scanLine(Y));
        for (int X = 0; X < Src.width(); ++X) {
            const int A = qAlpha(In[X]);
            if (A < 128) {
                O[X] = Key.rgb();
                continue;
            }
            auto Mix = [A](int C, int E) { return (C * A + E * (255 - A) + 127) / 255; };
            O[X] = qRgb(Mix(qRed(In[X]), Edge.red()), Mix(qGreen(In[X]), Edge.green()),
                        Mix(qBlue(In[X]), Edge.blue()));
        }
    }
    return Out;
}

namespace {

struct TBox {
    std::vector<std::pair<QRgb, int>> Colours; // colour, count
    int Channel = 0;
    int Range = 0;
    long long Weight = 0;
    void Measure()
    {
        std::array<int, 3> Lo{255, 255, 255}, Hi{0, 0, 0};
        Weight = 0;
        for (auto [C, N] : Colours) {
            const std::array<int, 3> V{qRed(C), qGreen(C), qBlue(C)};
            for (int K = 0; K < 3; ++K) {
                Lo[K] = std::min(Lo[K], V[K]);
                Hi[K] = std::max(Hi[K], V[K]);
            }
            Weight += N;
        }
        // green counts most to the eye, blue least
        const std::array<int, 3> W{3, 4, 2};
        Range = -1;
        for (int K = 0; K < 3; ++K)
            if ((Hi[K] - Lo[K]) * W[K] > Range) {
                Range = (Hi[K] - Lo[K]) * W[K];
                Channel = K;
            }
    }
};

int ChannelOf(QRgb C, int K) { return K == 0 ? qRed(C) : K == 1 ? qGreen(C) : qBlue(C); }

// Brightness plus colour difference, the colour part weighted up so that a grey edge
// pixel never picks up a tint from a palette that happens to hold a tinted entry.
int Distance(QRgb A, QRgb B)
{
    const int Dr = qRed(A) - qRed(B), Dg = qGreen(A) - qGreen(B), Db = qBlue(A) - qBlue(B);
    const int Dy = (299 * Dr + 587 * Dg + 114 * Db) / 1000;
    const int Dcb = Db - Dy, Dcr = Dr - Dy;
    return 4 * Dy * Dy + 3 * Dcb * Dcb + 3 * Dcr * Dcr;
}

} // namespace

QList<QRgb> MedianCut(const QImage& Img, int MaxColours, QRgb Skip, bool UseSkip)
{
    std::map<QRgb, int> Counts;
    const QImage Src = Img.convertToFormat(QImage::Format_RGB32);
    for (int Y = 0; Y < Src.height(); ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Src.constScanLine(Y));
        for (int X = 0; X < Src.width(); ++X) {
            const QRgb C = Line[X] | 0xFF000000u;
            if (!(UseSkip && C == (Skip | 0xFF000000u)))
                ++Counts[C];
        }
    }
    QList<QRgb> Palette;
    if (int(Counts.size()) <= MaxColours) {
        for (auto& [C, N] : Counts)
            Palette.append(C);
        return Palette;
    }
    std::vector<TBox> Boxes(1);
    Boxes[0].Colours.assign(Counts.begin(), Counts.end());
    Boxes[0].Measure();
    while (int(Boxes.size()) < MaxColours) {
        // split the box that is both wide and heavily used
        int Best = -1;
        double BestScore = 0;
        for (int I = 0; I < int(Boxes.size()); ++I) {
            if (Boxes[I].Colours.size() < 2)
                continue;
            const double Score = double(Boxes[I].Range) * std::sqrt(double(Boxes[I].Weight));
            if (Best < 0 || Score > BestScore) {
                Best = I;
                BestScore = Score;
            }
        }
        if (Best < 0)
            break;
        TBox& B = Boxes[Best];
        const int K = B.Channel;
        std::stable_sort(B.Colours.begin(), B.Colours.end(), [K](auto& L, auto& R) {
            return ChannelOf(L.first, K) < ChannelOf(R.first, K);
        });
        long long Half = B.Weight / 2, Acc = 0;
        size_t Cut = 1;
        for (; Cut < B.Colours.size(); ++Cut) {
            Acc += B.Colours[Cut - 1].second;
            if (Acc >= Half)
                break;
        }
        Cut = std::clamp<size_t>(Cut, 1, B.Colours.size() - 1);
        TBox Other;
        Other.Colours.assign(B.Colours.begin() + long(Cut), B.Colours.end());
        B.Colours.resize(Cut);
        B.Measure();
        Other.Measure();
        Boxes.push_back(std::move(Other));
    }
    for (const TBox& B : Boxes) {
        long long R = 0, G = 0, Bl = 0, N = 0;
        for (auto [C, cnt] : B.Colours) {
            R += qRed(C) * cnt;
            G += qGreen(C) * cnt;
            Bl += qBlue(C) * cnt;
            N += cnt;
        }
        const QRgb Avg = qRgb(int((R + N / 2) / N), int((G + N / 2) / N), int((Bl + N / 2) / N));
        if (!Palette.contains(Avg) && !(UseSkip && Avg == (Skip | 0xFF000000u)))
            Palette.append(Avg);
    }
    std::sort(Palette.begin(), Palette.end());
    return Palette;
}

QList<QRgb> EdgePalette(const QImage& Img, const QList<QRgb>& Inks, int MaxColours)
{
    std::map<QRgb, int> Counts;
    const QImage Src = Img.convertToFormat(QImage::Format_RGB32);
    for (int Y = 0; Y < Src.height(); ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Src.constScanLine(Y));
        for (int X = 0; X < Src.width(); ++X)
            ++Counts[Line[X] | 0xFF000000u];
    }
    std::vector<std::pair<QRgb, int>> Colours(Counts.begin(), Counts.end());
    QList<QRgb> Palette;
    for (QRgb C : Inks)
        if (!Palette.contains(C | 0xFF000000u))
            Palette.append(C | 0xFF000000u);
    // the tones an edge between two inks takes on
    std::vector<QRgb> Candidates;
    for (int I = 0; I < Palette.size(); ++I)
        for (int J = I + 1; J < Palette.size(); ++J)
            for (int K = 1; K < 8; ++K) {
                auto Mix = [K](int A, int B) { return (A * (8 - K) + B * K + 4) / 8; };
                const QRgb A = Palette[I], B = Palette[J];
                Candidates.push_back(qRgb(Mix(qRed(A), qRed(B)), Mix(qGreen(A), qGreen(B)), Mix(qBlue(A), qBlue(B))));
            }
    std::vector<long long> Err(Colours.size());
    for (size_t N = 0; N < Colours.size(); ++N) {
        Err[N] = 1LL << 40;
        for (QRgb P : Palette)
            Err[N] = std::min<long long>(Err[N], Distance(Colours[N].first, P));
    }
    // add the tone that takes away the most error, weighted by how many pixels it serves
    while (Palette.size() < MaxColours) {
        long long BestGain = 0;
        QRgb Best = 0;
        for (QRgb Cand : Candidates) {
            if (Palette.contains(Cand))
                continue;
            long long Gain = 0;
            for (size_t N = 0; N < Colours.size(); ++N)
                Gain += std::max<long long>(0, Err[N] - Distance(Colours[N].first, Cand)) * Colours[N].second;
            if (Gain > BestGain) {
                BestGain = Gain;
                Best = Cand;
            }
        }
        if (BestGain == 0)
            break;
        Palette.append(Best);
        for (size_t N = 0; N < Colours.size(); ++N)
            Err[N] = std::min<long long>(Err[N], Distance(Colours[N].first, Best));
    }
    return Palette;
}

QImage ToIndexed(const QImage& Img, const QList<QRgb>& Palette)
{
    const QImage Src = Img.convertToFormat(QImage::Format_RGB32);
    QImage Out(Src.size(), QImage::Format_Indexed8);
    Out.setColorTable(Palette);
    std::map<QRgb, int> Memo;
    for (int Y = 0; Y < Src.height(); ++Y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Src.constScanLine(Y));
        uchar* O = Out.scanLine(Y);
        for (int X = 0; X < Src.width(); ++X) {
            const QRgb C = Line[X] | 0xFF000000u;
            auto It = Memo.find(C);
            if (It == Memo.end()) {
                int Best = 0;
                for (int I = 1; I < Palette.size(); ++I)
                    if (Distance(C, Palette[I]) < Distance(C, Palette[Best]))
                        Best = I;
                It = Memo.emplace(C, Best).first;
            }
            O[X] = uchar(It->second);
        }
    }
    return Out;
}

QImage ToMono(const QImage& Img)
{
    const QImage Src = Img.convertToFormat(QImage::Format_RGB32);
    QImage Out(Src.size(), QImage::Format_Mono);
    Out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    Out.fill(0); // clears the padding bits too, which would otherwise reach the file
    for (int Y = 0; Y < Src.height(); ++Y)
        for (int X = 0; X < Src.width(); ++X)
            Out.setPixel(X, Y, qGray(Src.pixel(X, Y)) >= 128 ? 1 : 0);
    return Out;
}

QFont PixelFont(const QStringList& Families, int Px, bool Bold, bool Italic)
{
    QFont F;
    F.setFamilies(Families);
    F.setPixelSize(Px);
    F.setBold(Bold);
    F.setItalic(Italic);
    F.setHintingPreference(QFont::PreferFullHinting);
    return F;
}


QPainterPath HeartPath(const QRectF& R)
{
    auto P = [&R](double X, double Y) { return QPointF(R.left() + X * R.width(), R.top() + Y * R.height()); };
    QPainterPath Path;
    Path.setFillRule(Qt::WindingFill);
    Path.moveTo(P(0.5, 0.24));
    Path.cubicTo(P(0.44, 0.02), P(0.0, -0.02), P(0.0, 0.32));
    Path.cubicTo(P(0.0, 0.58), P(0.32, 0.74), P(0.5, 1.0));
    Path.cubicTo(P(0.68, 0.74), P(1.0, 0.58), P(1.0, 0.32));
    Path.cubicTo(P(1.0, -0.02), P(0.56, 0.02), P(0.5, 0.24));
    return Path;
}

QPainterPath SpadePath(const QRectF& R)
{
    auto P = [&R](double X, double Y) { return QPointF(R.left() + X * R.width(), R.top() + Y * R.height()); };
    QPainterPath Path;
    Path.setFillRule(Qt::WindingFill);
    Path.moveTo(P(0.5, 0.0));
    Path.cubicTo(P(0.36, 0.22), P(0.0, 0.36), P(0.0, 0.6));
    Path.cubicTo(P(0.0, 0.82), P(0.28, 0.9), P(0.46, 0.74));
    Path.quadTo(P(0.42, 0.92), P(0.26, 1.0));
    Path.lineTo(P(0.74, 1.0));
    Path.quadTo(P(0.58, 0.92), P(0.54, 0.74));
    Path.cubicTo(P(0.72, 0.9), P(1.0, 0.82), P(1.0, 0.6));
    Path.cubicTo(P(1.0, 0.36), P(0.64, 0.22), P(0.5, 0.0));
    return Path;
}

QPainterPath LozengePath(QPointF Centre, double Rx, double Ry)
{
    QPainterPath Path;
    Path.moveTo(Centre + QPointF(0, -Ry));
    Path.lineTo(Centre + QPointF(Rx, 0));
    Path.lineTo(Centre + QPointF(0, Ry));
    Path.lineTo(Centre + QPointF(-Rx, 0));
    Path.closeSubpath();
    return Path;
}

QPainterPath StarPath(QPointF Centre, double LongRadius, double MidRadius, double ShortRadius)
{
    QPainterPath Star;
    for (int I = 0; I < 16; ++I) {
        const double A = I * M_PI / 8 - M_PI / 2;
        const double R = I % 4 == 0 ? LongRadius : (I % 2 == 0 ? MidRadius : ShortRadius);
        const QPointF Pt(Centre.x() + R * std::cos(A), Centre.y() + R * std::sin(A));
        I ? Star.lineTo(Pt) : Star.moveTo(Pt);
    }
    Star.closeSubpath();
    return Star;
}
