// orvanta-sounds: makes every sound of the game from code and writes them as WAV files
// with their resource list (assets/sounds.qrc), and a picture of their waveforms for the docs.
//   orvanta-sounds <assets-dir> [--waveforms out.png]
// Each sound is levelled to the same loudness (the RMS of its loudest 50 ms), faded in
// and out, and checked against the figures the game needs before it is written.
#include "sound/Sound.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <array>
#include <functional>
#include <vector>

namespace {

constexpr double Rate = SoundRate;
constexpr double Pi = 3.14159265358979323846;
constexpr double LoudnessDb = -22.0;  // every sound's loudest 50 ms
constexpr double FadeInMs = 2.0, FadeOutMs = 12.0;

using TBuffer = std::vector<double>;

int At(double Ms) { return int(std::lround(Ms * Rate / 1000.0)); }

// Reproducible noise: the same bytes at every run.
struct TNoise
{
    uint32_t State;
    double operator()()
    {
        State = State * 1664525u + 1013904223u;
        return double(State >> 8) / double(1u << 23) - 1.0;
    }
};

// A two-pole band-pass (RBJ's constant peak gain form).
struct TBandPass
{
    double B0, B2, A1, A2, X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
    TBandPass(double Hz, double Q)
    {
        const double W = 2 * Pi * Hz / Rate, Alpha = std::sin(W) / (2 * Q), A0 = 1 + Alpha;
        B0 = Alpha / A0;
        B2 = -Alpha / A0;
        A1 = -2 * std::cos(W) / A0;
        A2 = (1 - Alpha) / A0;
    }
    double operator()(double X)
    {
        const double Y = B0 * X + B2 * X2 - A1 * Y1 - A2 * Y2;
        X2 = X1, X1 = X, Y2 = Y1, Y1 = Y;
        return Y;
    }
};

// A card's slap on the felt from Start: filtered noise with a quick decay over a soft thump.
void Slap(TBuffer& Out, double StartMs, double Gain, double Hz, double DecayMs, uint32_t Seed)
{
    TNoise Noise{Seed};
    TBandPass Band(Hz, 0.9);
    for (int I = At(StartMs), N = 0; I < int(Out.size()); ++I, ++N) {
        const double T = N / Rate;
        const double Attack = std::min(1.0, T / 0.0015);
        const double Hiss = Band(Noise()) * std::exp(-T * 1000 / DecayMs);
        const double Thump = 0.35 * std::sin(2 * Pi * 150 * T) * std::exp(-T * 1000 / 18);
        Out[I] += Gain * Attack * (Hiss * 3 + Thump);
    }
}

// A clay chip's clack from Start: inharmonic partials that die within a few milliseconds.
void Clack(TBuffer& Out, double StartMs, double Gain, uint32_t Seed)
{
    TNoise Noise{Seed};
    TBandPass Band(5000, 1.5);
    const double Hz[] = {2350, 3900, 5600}, DecayMs[] = {11, 7, 4}, Level[] = {1.0, 0.6, 0.35};
    for (int I = At(StartMs), N = 0; I < int(Out.size()); ++I, ++N) {
        const double T = N / Rate;
        double S = 1.5 * Band(Noise()) * std::exp(-T * 1000 / 2.5);
        for (int K = 0; K < 3; ++K)
            S += Level[K] * std::sin(2 * Pi * Hz[K] * T) * std::exp(-T * 1000 / DecayMs[K]);
        Out[I] += Gain * std::min(1.0, T / 0.0007) * S;
    }
}

// A bell-like note from Start: a few harmonics, the higher ones dying first.
void Note(TBuffer& Out, double StartMs, double Hz, double Gain, double DecayMs, double Brightness)
{
    for (int I = At(StartMs), N = 0; I < int(Out.size()); ++I, ++N) {
        const double T = N / Rate;
        double S = std::sin(2 * Pi * Hz * T) * std::exp(-T * 1000 / DecayMs);
        S += Brightness * 0.4 * std::sin(2 * Pi * 2 * Hz * T) * std::exp(-T * 1000 / (DecayMs * 0.5));
        S += Brightness * 0.15 * std::sin(2 * Pi * 3 * Hz * T) * std::exp(-T * 1000 / (DecayMs * 0.3));
        Out[I] += Gain * std::min(1.0, T / 0.004) * S;
    }
}

// Cards drawn together across the felt: a swell of soft noise rising in pitch, then the
// pile settling.
void Sweep(TBuffer& Out, double LengthMs)
{
    TNoise Noise{77};
    const int N = At(LengthMs);
    double Low = 0;
    for (int I = 0; I < N && I < int(Out.size()); ++I) {
        const double Phase = double(I) / N;
        const double Hz = 600 + 1800 * Phase;
        const double K = 1 - std::exp(-2 * Pi * Hz / Rate);
        Low += K * (Noise() - Low);
        Out[I] += 2.2 * Low * std::pow(std::sin(Pi * Phase), 1.5);
    }
}

struct TMade
{
    TBuffer Samples;
    double PeakDb = 0, LoudDb = 0;
};

double Db(double X) { return 20 * std::log10(std::max(X, 1e-9)); }

// The RMS of the loudest 50 ms, in dBFS.
double Loudness(const TBuffer& S)
{
    const int Window = At(50);
    double Sum = 0, Best = 0;
    for (int I = 0; I < int(S.size()); ++I) {
        Sum += S[I] * S[I];
        if (I >= Window)
            Sum -= S[I - Window] * S[I - Window];
        Best = std::max(Best, Sum);
    }
    return Db(std::sqrt(Best / std::min<int>(Window, int(S.size()))));
}

TMade Finish(TBuffer S)
{
    const int In = At(FadeInMs), Out = At(FadeOutMs), N = int(S.size());
    for (int I = 0; I < In; ++I)
        S[I] *= 0.5 - 0.5 * std::cos(Pi * I / In);
    for (int I = 0; I < Out; ++I)
        S[N - 1 - I] *= 0.5 - 0.5 * std::cos(Pi * I / Out);
    const double Gain = std::pow(10, (LoudnessDb - Loudness(S)) / 20);
    double Peak = 0;
    for (double& X : S) {
        X *= Gain;
        Peak = std::max(Peak, std::abs(X));
    }
    const double Loud = Loudness(S);
    return {std::move(S), Db(Peak), Loud};
}

TMade Make(TSound Sound)
{
    auto Buffer = [](double Ms) { return TBuffer(At(Ms), 0.0); };
    TBuffer S;
    switch (Sound) {
    case TSound::Card:
        S = Buffer(95);
        Slap(S, 0, 1.0, 2400, 13, 1);
        break;
    case TSound::Chip:
        S = Buffer(125);
        Clack(S, 0, 1.0, 2);
        Clack(S, 48, 0.4, 3);  // the chip settles on the pile
        break;
    case TSound::Fold:
        S = Buffer(330);
        Sweep(S, 260);
        Slap(S, 235, 0.8, 1500, 16, 4);
        break;
    case TSound::Flip:
        S = Buffer(300);
        for (int K = 0; K < 3; ++K)
            Slap(S, K * 85, 1.0 - 0.15 * K, 2800, 10, 5 + K);
        break;
    case TSound::Win:  // a rising major arpeggio
        S = Buffer(900);
        for (int K = 0; K < 4; ++K)
            Note(S, K * 110, std::array{523.25, 659.26, 783.99, 1046.50}[K], 1.0, 260, 1.0);
        break;
    case TSound::OthersWin:  // a soft falling third
        S = Buffer(700);
        Note(S, 0, 659.26, 1.0, 240, 0.4);
        Note(S, 170, 523.25, 1.0, 280, 0.4);
        break;
    case TSound::Tie:  // the same note twice, a little apart
        S = Buffer(650);
        Note(S, 0, 587.33, 1.0, 200, 0.6);
        Note(S, 210, 587.33, 1.0, 220, 0.6);
        Note(S, 210, 589.0, 0.5, 220, 0.0);
        break;
    case TSound::GameOver:  // a falling line to the low tonic
        S = Buffer(980);
        for (int K = 0; K < 4; ++K)
            Note(S, K * 150, std::array{523.25, 440.00, 349.23, 261.63}[K], 1.0, K == 3 ? 330 : 200, 0.7);
        break;
    }
    return Finish(std::move(S));
}

QByteArray WaveBytes(const TBuffer& S)
{
    QByteArray Data;
    for (double X : S) {
        const auto V = int16_t(std::lround(std::clamp(X, -1.0, 1.0) * 32767));
        Data.append(char(V & 0xFF)).append(char((V >> 8) & 0xFF));
    }
    // little-endian, as RIFF wants
    auto Word = [](uint32_t V) { return QByteArray(1, char(V)) + char(V >> 8) + char(V >> 16) + char(V >> 24); };
    auto Half = [](uint16_t V) { return QByteArray(1, char(V)) + char(V >> 8); };
    QByteArray Out = "RIFF" + Word(36 + Data.size()) + "WAVEfmt " + Word(16) + Half(1) + Half(1) + Word(SoundRate) +
                     Word(SoundRate * 2) + Half(2) + Half(16) + "data" + Word(Data.size()) + Data;
    return Out;
}

// Every waveform on one page, on one time scale, with its name and figures.
QImage Waveforms(const std::vector<TMade>& Made)
{
    constexpr int PxPerSecond = 800, Row = 90, Label = 170, Pad = 10;
    QImage Page(Label + PxPerSecond + 2 * Pad, Pad + SoundCount * Row, QImage::Format_RGB32);
    Page.fill(0xFFFFFFFF);
    QPainter P(&Page);
    P.setRenderHint(QPainter::Antialiasing);
    for (int K = 0; K < SoundCount; ++K) {
        const TBuffer& S = Made[K].Samples;
        const int Top = Pad + K * Row, Mid = Top + Row / 2 - 6, Half = Row / 2 - 12;
        P.setPen(Qt::black);
        P.drawText(Pad, Top + 20, SoundNames[K]);
        P.setPen(QColor(90, 90, 90));
        P.drawText(Pad, Top + 38, QStringLiteral("%1 ms").arg(std::lround(S.size() * 1000 / Rate)));
        P.drawText(Pad, Top + 56, QStringLiteral("peak %1 dBFS").arg(Made[K].PeakDb, 0, 'f', 1));
        const int X0 = Label;
        P.setPen(QColor(220, 220, 220));
        P.drawLine(X0, Mid, X0 + PxPerSecond, Mid);
        P.drawLine(X0, Mid - Half, X0, Mid + Half);
        for (int Ms = 100; Ms <= 1000; Ms += 100)
            P.drawLine(X0 + Ms * PxPerSecond / 1000, Mid + Half - 4, X0 + Ms * PxPerSecond / 1000, Mid + Half);
        // each pixel column: the least and greatest sample under it
        P.setPen(QColor(30, 90, 160));
        const double PerPx = Rate / PxPerSecond;
        for (int X = 0; X * PerPx < S.size(); ++X) {
            double Lo = 0, Hi = 0;
            for (int I = int(X * PerPx); I < std::min<int>(int((X + 1) * PerPx), int(S.size())); ++I)
                Lo = std::min(Lo, S[I]), Hi = std::max(Hi, S[I]);
            P.drawLine(QPointF(X0 + X, Mid - Hi * Half), QPointF(X0 + X, Mid - Lo * Half));
        }
    }
    P.setPen(QColor(90, 90, 90));
    P.drawText(Label, Page.height() - 2, QStringLiteral("ticks every 100 ms; full height is full scale"));
    return Page;
}

int Fail(const QString& Message)
{
    std::fprintf(stderr, "orvanta-sounds: %s\n", qPrintable(Message));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    const QStringList Args = App.arguments();
    if (Args.size() < 2)
        return Fail(QStringLiteral("usage: orvanta-sounds <assets-dir> [--waveforms out.png]"));
    QDir Assets(Args[1]);
    if (!Assets.mkpath(QStringLiteral("sounds")))
        return Fail(QStringLiteral("cannot make %1/sounds").arg(Args[1]));
    std::vector<TMade> Made;
    for (int K = 0; K < SoundCount; ++K) {
        Made.push_back(Make(TSound(K)));
        const TMade& M = Made.back();
        const double Ms = M.Samples.size() * 1000 / Rate;
        std::printf("%-10s %4.0f ms  peak %5.1f dBFS  loudness %5.1f dBFS\n", SoundNames[K], Ms, M.PeakDb, M.LoudDb);
        if (M.PeakDb >= -3.0)
            return Fail(QStringLiteral("%1 peaks at %2 dBFS").arg(SoundNames[K]).arg(M.PeakDb));
        QFile File(Assets.filePath(QStringLiteral("sounds/%1.wav").arg(SoundNames[K])));
        if (!File.open(QIODevice::WriteOnly) || File.write(WaveBytes(M.Samples)) < 0)
            return Fail(QStringLiteral("cannot write %1").arg(File.fileName()));
    }
    // their own resource list, beside the pictures'
    QFile List(Assets.filePath(QStringLiteral("sounds.qrc")));
    QByteArray Entries = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const char* Name : SoundNames)
        Entries += QByteArray("  <file>sounds/") + Name + ".wav</file>\n";
    if (!List.open(QIODevice::WriteOnly) || List.write(Entries + "</qresource>\n</RCC>\n") < 0)
        return Fail(QStringLiteral("cannot write %1").arg(List.fileName()));
    const int Picture = int(Args.indexOf(QStringLiteral("--waveforms")));
    if (Picture > 0 && Picture + 1 < Args.size() && !Waveforms(Made).save(Args[Picture + 1]))
        return Fail(QStringLiteral("cannot write %1").arg(Args[Picture + 1]));
    return 0;
}
