// The betting rounds, the flips and the settlement, in the order the table shows them.
#include "support/GameFixture.h"

namespace {
class BettingTest : public TGameTest
{
protected:
    // Ticks one phase to its end, checking the chips after every tick; returns the ticks.
    int RunPhase(int Phase) { return TickPhase(Phase, [this] { EXPECT_TRUE(ChipsBalance()); }); }
    std::vector<std::string> Lines() const { return Display.Lines; }
    using L = std::vector<std::string>;
};
}

TEST_F(BettingTest, ThreeRoundsWithoutAFold)
{
    Deal(NobodyFolds);
    const int Steps = Display.TokenSteps[User] = 4;
    for (int Round = 1; Round <= 3; ++Round) {
        Display.Lines.clear();
        Game->Call();
        const int Paid = Round == 1 ? 20 : Round == 2 ? 60 : 120;
        EXPECT_EQ(Game->Chips(User), 995 - Paid);
        EXPECT_EQ(Game->Mover(), 1);
        EXPECT_EQ(Lines(), (L{"button Call disabled off", "button Fold disabled off", "event pause-begins 500",
                              "pause 500", "event pause-ends", "timer on"}));
        // The user's chip steps to the pot, then shows the stake and the chips.
        Display.Lines.clear();
        EXPECT_EQ(RunPhase(1), Steps);
        L Expected(Steps - 1, "step 1");
        Expected.insert(Expected.end(), {"step 1 arrives", "stake 1 " + std::to_string(5 + Paid),
                                         "money 1 " + std::to_string(995 - Paid), "event call 1 " + std::to_string(20 * Round)});
        EXPECT_EQ(Lines(), Expected);
        for (int P = Jack; P <= Kate; ++P)
            EXPECT_EQ(RunPhase(P), Display.TokenSteps[P]);
        EXPECT_EQ(Display.Count("pause"), 0);  // no pause but the call's
        EXPECT_EQ(Game->Mover(), 0);
        if (Round < 3) {
            EXPECT_EQ(Game->BetRound(), Round + 1);
            EXPECT_EQ(Display.Only({"timer", "button", "event"}),
                      (L{"event call 1 " + std::to_string(20 * Round), "event call 2 " + std::to_string(20 * Round), "event call 3 " + std::to_string(20 * Round),
                         "event call 4 " + std::to_string(20 * Round), "timer off", "button Call normal on",
                         "button Fold normal on", "event turn 1 " + std::to_string(20 * Round + 20)}));
        } else {
            EXPECT_EQ(Display.Only({"timer", "button", "event"}),
                      (L{"event call 1 60", "event call 2 60", "event call 3 60", "event call 4 60", "button Flip normal on",
                         "button FlipAll normal on", "timer off", "event betting-closed"}));
        }
    }
    EXPECT_EQ(Game->BetRound(), 1);

    Game->Flip();
    EXPECT_EQ(Game->Bets(User), -375);
}

TEST_F(BettingTest, UserFoldsAndTheRoundsRunOnByThemselves)
{
    Deal(NobodyFolds);
    Display.Lines.clear();
    Game->Fold();
    EXPECT_TRUE(Game->Folded(User));
    EXPECT_EQ(Game->Score(User), 0.0);
    EXPECT_EQ(Game->FoldCount(), 1);
    EXPECT_EQ(Game->Chips(User), 995);
    EXPECT_EQ(Lines(), (L{"button Call disabled off", "button Fold disabled off", "event fold 1", "timer on"}));
    // The user's phase is passed over at once: Jack decides on the first tick.
    Display.Lines.clear();
    Game->BettingTick();
    EXPECT_TRUE(Display.Lines.empty());
    EXPECT_EQ(Game->Mover(), 2);
    EXPECT_EQ(Game->Bets(Jack), 25);
    const int Steps = Display.TokenSteps[Jack] + Display.TokenSteps[Jim] + Display.TokenSteps[Kate];
    EXPECT_EQ(TickUntilIdle(), 3 * (1 + Steps) - 1);
    EXPECT_EQ(Game->Bets(Jack), 125);
    EXPECT_TRUE(ChipsBalance());
    EXPECT_EQ(Display.Count("step 1"), 0);
    EXPECT_EQ(Display.Count("pause"), 0);
    // Between rounds the timer runs on; the user is never asked.
    EXPECT_EQ(Display.Count("event turn"), 0);
    EXPECT_EQ(Display.Only({"timer"}), (L{"timer on", "timer on", "timer off"}));
}

TEST_F(BettingTest, FoldedJimPausesEachOfHisPhases)
{
    Deal(JimFolds);
    for (int Round = 1; Round <= 3; ++Round) {
        Display.Lines.clear();
        Game->Call();
        TickUntilIdle();
        EXPECT_TRUE(Game->Folded(Jim));
        EXPECT_EQ(Pauses(), (std::vector<int>{500, 1000}));
        // Jack's chip arrives, Jim's pile is drawn (he folds in the first round), and his
        // phase, on the next tick, is the pause.
        const auto& Lines = Display.Lines;
        const auto Called = std::find(Lines.begin(), Lines.end(), "event call 2 " + std::to_string(20 * Round));
        const auto Paused = std::find(Lines.begin(), Lines.end(), "pause 1000");
        ASSERT_LT(Called, Paused);
        L Between{"pile JH down back0, 9S down back0, 8D down back0", "event pause-begins 1000"};
        if (Round == 1)
            Between.insert(Between.begin() + 1, "event fold 3");
        EXPECT_EQ(L(Called + 1, Paused), Between);
    }
    EXPECT_EQ(Game->Bets(Jim), 5);
    EXPECT_EQ(Game->FoldCount(), 1);  // asked again, a folded hand is not counted twice
    EXPECT_EQ(Display.Count("stake 3"), 0);
}

TEST_F(BettingTest, ThreeFoldsCloseTheBettingAtTheEndOfTheRound)
{
    // The user folds, then Jack and Jim: Kate still decides and pays in that round.
    PlayFolding(THands{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"AD", "AH", "KS"}});
    EXPECT_EQ(Game->FoldCount(), 3);
    EXPECT_EQ(Game->Stage(), TTable::BettingClosed);
    EXPECT_EQ(Game->Bets(Kate), 25);
    EXPECT_EQ(Events(), (L{"event hand-dealt", "event turn 1 20", "event fold 1", "event fold 2",
                                          "event fold 3", "event call 4 20", "event betting-closed"}));
}

TEST_F(BettingTest, AllComputersFoldAndTheUserWins)
{
    PlayCalling(AllComputersFold);
    EXPECT_EQ(Game->FoldCount(), 3);
    EXPECT_EQ(Game->Stage(), TTable::BettingClosed);
    Display.Lines.clear();
    Game->Flip();
    EXPECT_EQ(Game->Chips(User), 1000 + 15);
    // Folded hands stay face down in their piles: no spreading after Flip.
    EXPECT_EQ(Lines(), (L{"turn JS down back0", "turn JH down back0", "turn JD down back0",
                          "turn 9D down back0", "turn 9S down back0", "turn 9H down back0",
                          "turn 8C down back0", "turn 8D down back0", "turn 8S down back0",
                          "button Flip disabled off", "event turned-over", "result 1 adds 15 -5 -5 -5 holds 1015 995 995 995",
                          "event result 1 15", "money 1 1015", "money 2 995", "money 3 995", "money 4 995"}));
}

TEST_F(BettingTest, EverybodyFoldsAndThePotIsLost)
{
    PlayFolding(AllComputersFold);
    Display.Lines.clear();
    Game->Flip();
    EXPECT_EQ(Display.Only({"event", "tell-tie", "result", "hide-sheet", "hide-marker"}),
              (L{"event turned-over", "event tie", "tell-tie"}));
    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(Game->Chips(P), 995);
}

TEST_F(BettingTest, StartDuringTravelAbandonsTheHand)
{
    Deal(NobodyFolds);
    Game->Call();
    Tick(Display.TokenSteps[User] + 1);  // the user's chip arrived; Jack's is on its way
    ASSERT_EQ(Game->Mover(), 2);
    Display.Lines.clear();
    Deal(NobodyFolds);
    EXPECT_EQ(Display.Count("hide-token 2"), 1);
    EXPECT_EQ(Game->Mover(), 0);
    EXPECT_EQ(Game->Chips(User), 995 - 20 - 5);
    EXPECT_EQ(Game->Chips(Jack), 995 - 20 - 5);
    EXPECT_TRUE(Display.TimerRunning);  // still running, idle until the user acts
    EXPECT_EQ(Display.Count("timer"), 0);
    Display.Lines.clear();
    Tick(5);
    EXPECT_TRUE(Display.Lines.empty());
    EXPECT_EQ(Game->Mover(), 0);
    // A new call starts Jack's phase afresh.
    Game->Call();
    RunPhase(1);
    RunPhase(2);
    EXPECT_EQ(Display.Only({"event"}).back(), "event call 2 20");
}

TEST_F(BettingTest, TieBetweenEqualHandsSettlesNothing)
{
    PlayCalling(JackAndKateTie);
    Game->Flip();
    EXPECT_EQ(Display.Count("tell-tie"), 1);
    EXPECT_EQ(Display.Count("result"), 0);
    Deal(NobodyFolds);
    EXPECT_EQ(Game->ChipsBefore(Jack), 875);
}

TEST_F(BettingTest, FlipThenFlipAllRepeatsTheSettlement)
{
    PlayCalling(AllComputersFold);
    Game->Flip();
    Display.Lines.clear();
    Game->FlipAll();
    // Every card face up, then every seat spread, the user's included.
    EXPECT_EQ(Lines(), (L{"turn JS up back0", "turn JH up back0", "turn JD up back0",
                          "turn 9D up back0", "turn 9S up back0", "turn 9H up back0",
                          "turn 8C up back0", "turn 8D up back0", "turn 8S up back0",
                          "spread 9C up, 7D up, 2S up", "spread JS up back0, 9D up back0, 8C up back0",
                          "spread JH up back0, 9S up back0, 8D up back0", "spread JD up back0, 9H up back0, 8S up back0",
                          "button FlipAll disabled off", "event turned-over all",
                          "result 1 adds 15 -5 -5 -5 holds 1015 995 995 995", "event result 1 15",
                          "money 1 1015", "money 2 995", "money 3 995", "money 4 995"}));
}

TEST_F(BettingTest, FlipAllThenFlipTurnsFoldedHandsBackWithoutPilingThem)
{
    PlayCalling(AllComputersFold);
    Game->FlipAll();
    Display.Lines.clear();
    Game->Flip();
    EXPECT_EQ(Display.Count("turn J"), 3);
    EXPECT_EQ(Display.Count("turn JS down"), 1);
    EXPECT_EQ(Display.Count("spread"), 0);
    EXPECT_EQ(Display.Count("pile"), 0);
    EXPECT_EQ(Game->Chips(User), 1015);
}

TEST_F(BettingTest, GameOverAtFiveChipsAfterFlip)
{
    for (int Chips : {10, 11}) {  // 5 and 6 after the ante
        GiveChips(Jack, Chips);
        Deal(AllComputersFold);
        Game->Call();
        TickUntilIdle();
        Display.Lines.clear();
        Game->Flip();
        if (Chips == 10) {
            for (int P = 1; P <= 4; ++P) {
                EXPECT_EQ(Game->Chips(P), 1000);
                EXPECT_EQ(Game->ChipsBefore(P), 1000);
                EXPECT_EQ(Game->Bets(P), 0);
            }
            // The settled hand's sheet stays; the new game's chips show before the box.
            EXPECT_EQ(Display.Only({"event", "tell-game-over", "hide-sheet", "money"}),
                      (L{"event turned-over", "event result 1 15", "money 1 1015", "money 2 5", "money 3 995",
                         "money 4 995", "money 1 1000", "money 2 1000", "money 3 1000", "money 4 1000",
                         "event game-over 1", "tell-game-over 1"}));
            // Flip all after the reset settles with every bet at 0.
            Game->FlipAll();
            EXPECT_EQ(Game->Chips(User), 1000);
            for (int P = 1; P <= 4; ++P)
                EXPECT_EQ(Game->Bets(P), 0);
        } else {
            EXPECT_EQ(Display.Count("tell-game-over"), 0);
            EXPECT_EQ(Game->Chips(Jack), 6);
        }
    }
}

TEST_F(BettingTest, RichestTieGoesToTheLaterPlayer)
{
    // The user and Kate end equal; Jim is broke. Kate wins 135 (5 + 5 + 125).
    GiveChips(Jim, 3);
    GiveChips(User, 2005);
    GiveChips(Kate, 1865);
    Deal(THands{{"KS", "9D", "5C"}, {"JS", "9C", "8C"}, {"QH", "10S", "2D"}, {"AS", "AD", "AC"}});
    Game->Fold();
    TickUntilIdle();
    Game->Flip();
    EXPECT_EQ(Display.Only({"tell-game-over"}), L{"tell-game-over 4"});
    EXPECT_EQ(Game->Chips(User), 1000);  // the new game has begun
}

TEST_F(BettingTest, FlipAllMakesNoGameOverTest)
{
    GiveChips(Jack, 7);
    PlayCalling(AllComputersFold);
    Game->FlipAll();
    EXPECT_EQ(Display.Count("tell-game-over"), 0);
    EXPECT_EQ(Game->Chips(Jack), 2);
    const L Money = Display.Only({"money"});
    EXPECT_EQ(L(Money.end() - 4, Money.end()), (L{"money 1 1015", "money 2 2", "money 3 995", "money 4 995"}));
    // The next Flip ends the game.
    Game->Flip();
    EXPECT_EQ(Display.Only({"tell-game-over"}), L{"tell-game-over 1"});
}

TEST_F(BettingTest, NegativeChipsAreShownAsTheyAre)
{
    GiveChips(Jim, -10);
    Deal(NobodyFolds);
    EXPECT_EQ(Display.Only({"money"})[2], "money 3 -15");
}
