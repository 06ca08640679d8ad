// Many hands in a row through the real handlers, as a user plays them: Start, Call or
// Fold in each turn, the ticks until the betting closes, Flip or Flip all, and the
// window painting in between. Each hand makes and frees 52 card controls and redraws
// buttons, counters and the sheet, so anything it leaks adds up: resident memory after
// a warm-up and at the end must stay within 1 MB.
//
// ORVANTA_SOAK_HANDS and ORVANTA_SOAK_WARMUP scale the run (see tools/soak).

#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

namespace {
long ResidentKb()
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmRSS:", 0) == 0)
            return std::atol(Line.c_str() + 6);
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;  // the sanitizer's quarantine holds freed memory on purpose
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif
}

class SoakTest : public TTableTest
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        // Nothing here may grow with the number of hands.
        Pausing = [this](int Ms) { Slept += Ms; };
        Answering = [this](const TMessageRecord&) {
            ++Boxes;
            return int(QMessageBox::Ok);
        };
        Draws.Script = [this](int N) { return std::uniform_int_distribution<int>(0, N - 1)(Rng); };
    }

    void PlayHand()
    {
        Click(Control(StartButton));
        ASSERT_EQ(CardsAlive, 52);
        while (!Control(FlipButton)->isEnabled()) {
            if (Control(CallButton)->isEnabled())
                Click(Rng() % 6 ? Control(CallButton) : Control(FoldButton));
            ASSERT_TRUE(Timer()->Enabled());
            TickUntilIdle();
            ASSERT_FALSE(Timer()->Enabled() && Game().Mover() != 0);
            ASSERT_TRUE(ChipsBalance());
        }
        switch (Rng() % 4) {
        case 0: Click(Control(FlipButton)); break;
        case 1: Click(Control(FlipAllButton)); break;
        case 2: Click(Control(FlipButton)); Click(Control(FlipAllButton)); break;
        default: Click(Control(FlipAllButton)); Click(Control(FlipButton)); break;
        }
        if (Rng() % 8 == 0) {
            Click(Control(RulesButton));
            Click(Window->Control(TTablePart::Chart));
        }
        // Let the window paint what the hand changed, as the running program would.
        QCoreApplication::processEvents();
    }

    std::mt19937_64 Rng{2024};
    long long Slept = 0;
    long Boxes = 0;
};

TEST_F(SoakTest, ManyHandsKeepMemoryFlat)
{
    const long Hands = EnvLong("ORVANTA_SOAK_HANDS", 2000);
    const long WarmUp = EnvLong("ORVANTA_SOAK_WARMUP", Hands / 4);
    const long Destroyed = CardsDestroyed;
    long AtWarmUp = 0, AtThousand = 0;
    for (long Hand = 1; Hand <= Hands; ++Hand) {
        PlayHand();
        if (HasFatalFailure())
            return;
        if (Hand == WarmUp)
            AtWarmUp = ResidentKb();
        if (Hand == 1000)
            AtThousand = ResidentKb();
    }
    const long AtEnd = ResidentKb();
    std::printf("[ soak     ] %ld hands, %ld message boxes; VmRSS %ld kB after hand %ld, %ld kB after hand 1000, %ld kB at the end\n",
                Hands, Boxes, AtWarmUp, WarmUp, AtThousand, AtEnd);
    // Every hand but the last freed its 52 cards once.
    EXPECT_EQ(CardsDestroyed - Destroyed, 52 * (Hands - 1));
    if (!Sanitized && WarmUp < Hands)
        EXPECT_LT(AtEnd - AtWarmUp, 1024) << "resident memory grew between hand " << WarmUp << " and hand " << Hands;
}
