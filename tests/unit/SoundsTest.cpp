// The sounds as the program carries them meet the figures they are made to: short, no
// click at either end, headroom below full scale, and one loudness for all.
#include <QFile>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "sound/Sound.h"
#include "sound/Wave.h"

namespace {
// The designed figures.
constexpr double CardOrChipMs = 150, WinMs = 1000, PeakDb = -3.0, LoudnessSpreadDb = 3.0;
constexpr double EdgeMs = 0.5;        // no more than a tenth of full scale this close to an end
constexpr double LoudnessWindowMs = 50;

double Db(double X) { return 20 * std::log10(std::max(X, 1e-9)); }

// The RMS of the loudest stretch of LoudnessWindowMs, in dBFS.
double Loudness(const TWave& Wave)
{
    const size_t Window = size_t(Wave.Rate * LoudnessWindowMs / 1000);
    double Sum = 0, Best = 0;
    for (size_t I = 0; I < Wave.Count(); ++I) {
        Sum += std::pow(Wave.Sample(I) / 32768.0, 2);
        if (I >= Window)
            Sum -= std::pow(Wave.Sample(I - Window) / 32768.0, 2);
        Best = std::max(Best, Sum);
    }
    return Db(std::sqrt(Best / double(std::min(Window, Wave.Count()))));
}
}  // namespace

TEST(SoundsTest, EverySoundIsShortCleanAndAsLoudAsTheOthers)
{
    Q_INIT_RESOURCE(sounds);
    std::vector<double> Loud;
    for (int K = 0; K < SoundCount; ++K) {
        SCOPED_TRACE(SoundNames[K]);
        QFile File(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(SoundNames[K])));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        const QByteArray Bytes = File.readAll();
        const TWave Wave = TWave::Read({reinterpret_cast<const unsigned char*>(Bytes.constData()), size_t(Bytes.size())});
        ASSERT_TRUE(Wave.Valid());
        EXPECT_EQ(Wave.Rate, SoundRate);
        EXPECT_EQ(Wave.Channels, 1);
        const double Ms = 1000.0 * Wave.Count() / Wave.Rate;
        const TSound Sound = TSound(K);
        if (Sound == TSound::Card || Sound == TSound::Chip)
            EXPECT_LT(Ms, CardOrChipMs);
        else
            EXPECT_LT(Ms, WinMs);
        int Peak = 0;
        for (size_t I = 0; I < Wave.Count(); ++I)
            Peak = std::max(Peak, std::abs(int(Wave.Sample(I))));
        EXPECT_LT(Db(Peak / 32768.0), PeakDb);
        const size_t Edge = size_t(Wave.Rate * EdgeMs / 1000);
        for (size_t I = 0; I < Edge; ++I) {
            EXPECT_LT(std::abs(Wave.Sample(I)), 3277) << "at sample " << I;
            EXPECT_LT(std::abs(Wave.Sample(Wave.Count() - 1 - I)), 3277) << "at sample " << I << " from the end";
        }
        EXPECT_LE(std::abs(Wave.Sample(0)), 1);
        EXPECT_LE(std::abs(Wave.Sample(Wave.Count() - 1)), 1);
        Loud.push_back(Loudness(Wave));
    }
    const auto [Least, Most] = std::minmax_element(Loud.begin(), Loud.end());
    EXPECT_LE(*Most - *Least, LoudnessSpreadDb) << "from " << *Least << " to " << *Most << " dBFS";
}
