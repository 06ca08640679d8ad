// The deck, the shuffle and the deal, as the game orders them on the screen.
#include <cstring>
#include <set>

#include "support/GameFixture.h"

namespace {

class DealTest : public TGameTest
{
protected:
    // The card of Id 1..52 as the lines name it.
    static std::string Named(int Id) { return CardName(TCard{TCardValue((Id - 1) % 13 + 1), TCardSuit((Id - 1) / 13)}); }
    static std::string Stacked(int Id, int Position) { return "stack " + Named(Id) + " down " + std::to_string(Position); }
    // The lines from the first one starting with Word on, Count of them.
    std::vector<std::string> From(const std::string& Word, size_t Count) const
    {
        const auto& L = Display.Lines;
        auto At = std::find_if(L.begin(), L.end(), [&](const std::string& S) { return S.rfind(Word, 0) == 0; });
        return {At, At + std::min<size_t>(Count, L.end() - At)};
    }
};
}

TEST_F(DealTest, CardsAreMadeInSuitOrderFaceDownThenFannedAsShuffled)
{
    Game->NewHand();
    const std::vector<std::string> Made = From("create", 52), Fanned = From("stack", 52);
    ASSERT_EQ(Made.size() + Fanned.size(), 104u);
    for (int Id = 1; Id <= 52; ++Id)
        EXPECT_EQ(Made[Id - 1], "create " + Named(Id) + " down");
    // Fanned from the pile's right, each card above the one before, each card once; the
    // undealt ones stay where the shuffle put them.
    std::set<std::string> Seen;
    for (int I = 1; I <= 52; ++I) {
        const size_t At = Fanned[I - 1].rfind(' ');
        Seen.insert(Fanned[I - 1].substr(0, At));
        EXPECT_EQ(Fanned[I - 1].substr(At + 1), std::to_string(I));
        if (I <= 40)
            EXPECT_EQ(Fanned[I - 1], Stacked(Game->DeckCard(I).Id(), I));
    }
    EXPECT_EQ(Seen.size(), 52u);
}

TEST_F(DealTest, ShuffleReseedsOnceAndMakesExactlyTheDrawnExchanges)
{
    // 163 pairs of draws; a step with equal draws changes nothing and is not redone.
    std::vector<int> Asked;
    int Drawn = 0;
    Draws.Script = [&](int N) {
        Asked.push_back(N);
        const int Script[] = {0, 1, 5, 5, 51, 2};
        return Drawn < 6 ? Script[Drawn++] : 3;
    };
    const int Reseeds = Draws.Reseeds;
    Game->NewHand();
    EXPECT_EQ(Draws.Reseeds, Reseeds + 1);  // the game's own cards draw nothing
    EXPECT_EQ(Asked.size(), 326u);
    for (int N : Asked)
        EXPECT_EQ(N, 52);
    std::vector<std::string> Expected;
    for (int I = 1; I <= 52; ++I)
        Expected.push_back(Stacked(I == 1 ? 2 : I == 2 ? 1 : I == 3 ? 52 : I == 52 ? 3 : I, I));
    EXPECT_EQ(From("stack", 52), Expected);
}

TEST_F(DealTest, RealShuffleIsCloseToItsExpectedSpread)
{
    // After 163 random exchanges a card stays home with p ~ 0.02087 and lands on each
    // other position with p ~ 0.01920: compare with that, not with 1/52.
    Draws.Seed = std::nullopt;
    constexpr int Rounds = 3000;
    int StayedHome = 0, AtTop = 0;
    for (int R = 0; R < Rounds; ++R) {
        Display.Lines.clear();
        Game->NewHand();
        const std::vector<std::string> Fanned = From("stack", 52);
        for (int I = 1; I <= 52; ++I)
            StayedHome += Fanned[I - 1] == Stacked(I, I);
        AtTop += Fanned[51] == Stacked(1, 52);
    }
    const double Home = double(StayedHome) / (Rounds * 52.0);
    const double Top = double(AtTop) / Rounds;
    EXPECT_NEAR(Home, 0.02087, 0.0025);  // ~5 standard deviations of this many samples
    EXPECT_NEAR(Top, 0.01920, 0.013);
}

TEST_F(DealTest, NewHandDealsRowByRowWithAPauseAfterEachCardThenLaysOutSortedHands)
{
    Deal(Sample);
    // The old cards go before the new are made; the deck is fanned before the deal.
    EXPECT_EQ(Display.Count("free-cards"), 1);
    EXPECT_LT(std::find(Display.Lines.begin(), Display.Lines.end(), "free-cards") - Display.Lines.begin(),
              std::find_if(Display.Lines.begin(), Display.Lines.end(), [](auto& L) { return L.rfind("create", 0) == 0; }) - Display.Lines.begin());
    // The first card dealt is the top of the pile, face up at the user's seat; only the
    // user's cards are dealt face up. Each card shows before its 100 ms pause.
    std::vector<std::string> Expected;
    for (const char* Dealt : {"KS up 1 12", "3H down 2 12", "5C down 3 12", "9H down 4 12",
                              "9D up 1 11", "AS down 2 11", "3D down 3 11", "KH down 4 11",
                              "9C up 1 10", "2D down 2 10", "2H down 3 10", "KD down 4 10"})
        Expected.insert(Expected.end(), {std::string("deal ") + Dealt, std::string("event card-laid ") + Dealt[std::strlen(Dealt) - 4],
                                         "event pause-begins 100", "pause 100", "event pause-ends"});
    Expected.push_back("hide " + CardName(Game->DeckCard(40)));
    EXPECT_EQ(From("deal", Expected.size()), Expected);
    // The undealt 40 go from the top down; then each seat's hand is laid out sorted, left
    // to right, a 10 ms pause after each card: K, 9, 9 shows 9, 9, K; 3, A, 2 shows A, 2,
    // 3; 5, 3, 2 stays; 9, K, K shows K, K, 9.
    EXPECT_EQ(Display.Count("hide "), 40);
    EXPECT_EQ(Display.Only({"lay"}), (std::vector<std::string>{
        "lay 9C up 1 12", "lay 9D up 1 11", "lay KS up 1 10",
        "lay AS down 2 12", "lay 2D down 2 11", "lay 3H down 2 10",
        "lay 5C down 3 12", "lay 3D down 3 11", "lay 2H down 3 10",
        "lay KH down 4 12", "lay KD down 4 11", "lay 9H down 4 10"}));
    EXPECT_EQ(From("lay", 4), (std::vector<std::string>{"lay 9C up 1 12", "event pause-begins 10", "pause 10", "event pause-ends"}));
    std::vector<int> Paused(12, 100);
    Paused.resize(24, 10);
    EXPECT_EQ(Pauses(), Paused);
    EXPECT_EQ(Game->SeatCard(User, 12).Value, 9);
    EXPECT_DOUBLE_EQ(Game->Score(User), (9 * 20 + 13) / 3.0);
    EXPECT_DOUBLE_EQ(Game->Score(Jack), 101);
    EXPECT_DOUBLE_EQ(Game->Score(Jim), (500 + 30 + 2) / 200.0);
    EXPECT_DOUBLE_EQ(Game->Score(Kate), (13 * 20 + 9) / 3.0);
}

TEST_F(DealTest, NewHandTakesTheAnteAndHoldsTheTableBusyUntilTheHandLies)
{
    Deal(NobodyFolds);
    for (int P = 1; P <= 4; ++P) {
        EXPECT_EQ(Game->Chips(P), 995);
        EXPECT_EQ(Game->ChipsBefore(P), 1000);
        EXPECT_EQ(Game->Bets(P), 5);
    }
    EXPECT_EQ(Game->Mover(), 0);
    EXPECT_EQ(Game->BetRound(), 1);
    // Before the first card: the old hand cleared, every button shut, the hourglass on.
    const std::vector<std::string> Before(Display.Lines.begin(), std::find(Display.Lines.begin(), Display.Lines.end(), "free-cards"));
    EXPECT_EQ(Before, (std::vector<std::string>{
        "hide-marker", "money 1 995", "money 2 995", "money 3 995", "money 4 995",
        "clear-stake 1", "clear-stake 2", "clear-stake 3", "clear-stake 4",
        "enable Start off", "look Start disabled", "hide-sheet",
        "button Call disabled off", "button Fold disabled off", "button Flip disabled off", "button FlipAll disabled off",
        "busy on", "hide-token 1", "hide-token 2", "hide-token 3", "hide-token 4", "show-opponents"}));
    // After the last card's pause: the user's buttons, the antes on the counters, the turn.
    const auto LastPause = std::find(Display.Lines.rbegin(), Display.Lines.rend(), "pause 10").base();
    EXPECT_EQ(std::vector<std::string>(LastPause, Display.Lines.end()), (std::vector<std::string>{
        "event pause-ends", "button Call normal on", "button Fold normal on", "busy off", "button Start normal on",
        "stake 1 5", "stake 2 5", "stake 3 5", "stake 4 5", "event hand-dealt", "event turn 1 20"}));
    // Ticks do nothing until the user acts.
    Display.Lines.clear();
    Tick(20);
    EXPECT_TRUE(Display.Lines.empty());
    EXPECT_EQ(Game->Mover(), 0);
}

TEST_F(DealTest, EachHandFreesTheCardsOnceBeforeItMakesItsOwn)
{
    Deal(Sample);
    Deal(Sample);
    EXPECT_EQ(Display.Count("free-cards"), 2);
    EXPECT_EQ(Display.Count("create "), 104);
}
