// Many hands in a row through the real handlers, as a user plays them: the mouse on Start,
// Call or Fold in each turn, the ticks until the betting closes, Flip or Flip all, now and
// then the rules chart, and the window painting in between. Each hand makes and frees 52
// card controls and redraws buttons, counters and the sheet: the sanitizer pass runs it
// under AddressSanitizer and LeakSanitizer, so anything it leaks or frees twice is seen.
// Memory over many hands is the memory-growth check's (the bench's probe plays the same
// hands in a real X window, tests/slow/memory-growth.sh).
//
// ORVANTA_SOAK_HANDS scales the run (see tests/slow/README.md).

#include <QTest>
#include <cstdio>
#include <random>

#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

class SoakTest : public TTableTest
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        // Nothing here may grow with the number of hands.
        Pausing = [](int) {};
        Answering = [this](const TMessageRecord&) {
            ++Boxes;
            return int(QMessageBox::Ok);
        };
        Draws.Script = [this](int N) { return std::uniform_int_distribution<int>(0, N - 1)(Rng); };
    }

    void PlayHand()
    {
        const bool Closed = Mouse.PlayMixedHand(Rng, [this] {
            ASSERT_EQ(CardsAlive, 52);
            ASSERT_FALSE(Timer()->Enabled() && Game().Mover() != 0);
            ASSERT_TRUE(ChipsBalance());
        });
        ASSERT_TRUE(Closed) << "the betting never closed";
        if (Rng() % 8 == 0) {
            Click(Control(RulesButton));
            Click(Window->Control(TTablePart::Chart));
        }
        // Let the window paint what the hand changed, as the running program would.
        QCoreApplication::processEvents();
    }

    std::mt19937_64 Rng{2024};
    long Boxes = 0;
    TTableDriver Mouse{PaintedWays(this, [this](QWidget* Button) { Click(Button); })};
};

TEST_F(SoakTest, ManyHandsFreeEveryCard)
{
    const long Hands = EnvLong("ORVANTA_SOAK_HANDS", 2000);
    const long Destroyed = CardsDestroyed;
    for (long Hand = 1; Hand <= Hands; ++Hand) {
        PlayHand();
        if (HasFatalFailure())
            return;
    }
    std::printf("[ soak     ] %ld hands, %ld message boxes\n", Hands, Boxes);
    // Every hand but the last freed its 52 cards once.
    EXPECT_EQ(CardsDestroyed - Destroyed, 52 * (Hands - 1));
}
