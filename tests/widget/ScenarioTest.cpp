// Whole hands played with stacked decks. After every step the table, read as the player
// sees it, is compared with a view written from the rules of the game; so is the table
// at every pause a step makes (the deal's, the call's), when the player watches it too.
#include <QTest>

#include "desktop/Image.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/TableView.h"

namespace {
// Each hand is listed in the order it is dealt, which is also the order the rules lay
// it out from left to right (highest first, a pair before its lower odd card).
//
// Everyone holds a pair or better and calls; the user's three sevens win.
const THands Pairs{{"7S", "7D", "7C"}, {"4H", "4C", "2D"}, {"5S", "5D", "3H"}, {"9H", "9C", "2S"}};
// Jack and Jim fold in the first round after the user, Kate calls: three folds.
const THands ThreeFolds{{"9C", "7D", "2S"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"KS", "KH", "2C"}};
// Jack and Kate hold king-nine-five in mixed suits; Jim folds: a tie for the best hand.
const THands Tie{{"9C", "7D", "2S"}, {"KS", "9D", "5C"}, {"8D", "4S", "3H"}, {"KH", "9H", "5D"}};
// The user calls, then folds in the second round; Jim's queen-nine-eight calls twice and
// folds in the last round; Jack's pair of fours wins.
const THands LateFolds{{"9C", "7D", "2S"}, {"4H", "4C", "2D"}, {"QS", "9D", "8C"}, {"QD", "10C", "3S"}};
// Every computer player folds in the first round.
const THands AllFold{{"9C", "7D", "2S"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}};

constexpr int BaseLeft[5] = {0, 550, 860, 550, 240};
enum TLie { FaceUp, Back, Pile, SpreadBack };

// A seat's cards as the rules lay them: dealt 15 pixels apart from base left - 180; a
// folded computer hand piled on its middle card in the other back; Flip all spreads a
// pile out again to the deal's spacing.
TTableView::value_type CardsOf(int P, const THands& Hands, TLie Lie)
{
    const std::array<std::string, 3>* Hand[5] = {nullptr, &Hands.User, &Hands.Jack, &Hands.Jim, &Hands.Kate};
    const int Middle = BaseLeft[P] - 165;
    std::string Text;
    for (int I = 0; I < 3; ++I) {
        const int Left = Middle + (I - 1) * (Lie == Pile ? 1 : 15);
        const std::string Shows = Lie == FaceUp ? (*Hand[P])[I] : Lie == Back ? "back1" : "back0";
        Text += (I ? ", " : "") + std::to_string(Left) + " " + Shows;
    }
    return {std::string("cards ") + SeatName[P], Text};
}

TTableView::value_type MoneyLabel(int P, int Chips) { return {std::string("money ") + SeatName[P], std::to_string(Chips)}; }
TTableView::value_type Stake(int P, const char* Cells) { return {std::string("stake ") + SeatName[P], Cells}; }
TTableView::value_type Token(int P, int X, int Y)
{
    return {std::string("token ") + SeatName[P], "at " + std::to_string(X) + "," + std::to_string(Y)};
}
const char* const Usable = "normal, usable";
const char* const Unusable = "disabled, unusable";

// The sheet after a single winner: names, the gains (minus the bets) under "Add", the
// chips held under "Score", the marker on the winner's row.
TTableView Sheet(int Winner, std::array<int, 4> Add, std::array<int, 4> Score, const char* UserName = "?")
{
    TTableView View{{"sheet", "shown"}, {"sheet marker", std::string("row of ") + SeatName[Winner]}, {"sheet headings", "Add Score"}};
    for (int P = 1; P <= 4; ++P) {
        const std::string Row = std::string("sheet ") + SeatName[P];
        View[Row + " name"] = P == 1 ? UserName : SeatName[P];
        View[Row + " Add"] = std::to_string(Add[P - 1]);
        View[Row + " Score"] = std::to_string(Score[P - 1]);
    }
    return View;
}

// The table right after a deal: the ante taken, every counter at 5, Call and Fold usable.
TTableView Dealt(const THands& Hands, std::array<int, 4> Chips)
{
    TTableView View{{"button Start", Usable}, {"button Rules", Usable}, {"button Call", Usable},
                    {"button Fold", Usable},  {"button Flip", Unusable}, {"button Flip all", Unusable},
                    {"sheet", "hidden"},      {"sheet marker", "hidden"}, {"messages", ""}};
    for (int P = 1; P <= 4; ++P) {
        View.insert(MoneyLabel(P, Chips[P - 1]));
        View.insert(Stake(P, "..5"));
        View[std::string("token ") + SeatName[P]] = "hidden";
        View.insert(CardsOf(P, Hands, P == 1 ? FaceUp : Back));
    }
    return View;
}

struct TStep
{
    const char* Action;  // start, call, fold, tick, phase, round, flip, flip all, sheet
    TTableView Changes;  // what the rules change on the table, against the step before
    std::array<int, 4> Dealt{};  // for a new hand: the money labels after the ante
};

struct TScenario
{
    const char* Name;
    THands Hands;
    std::array<int, 4> Chips;  // each player's chips before the first hand
    std::vector<TStep> Steps;
};
void PrintTo(const TScenario& S, std::ostream* Out) { *Out << S.Name; }

TTableView operator+(TTableView A, const TTableView& B)
{
    for (const auto& [Key, Value] : B)
        A[Key] = Value;
    return A;
}

// The table at the deal's K-th pause (of 24): the ante taken, the counters cleared, every
// button but Rules unusable, and the cards dealt so far lying at their seats. The hands
// are listed in the order the rules lay them out, so laying out moves no card; but it
// brings each card to the front from the left, so for a moment the card after it lies
// under it.
TTableView Dealing(const THands& Hands, std::array<int, 4> Chips, int K)
{
    // Row by row, a card to each seat in turn; then each seat's hand laid out card by card.
    int Given[5] = {}, Under[5] = {-1, -1, -1, -1, -1}, Pause = 0;
    for (int Row = 0; Row < 3; ++Row)
        for (int P = 1; P <= 4; ++P)
            Given[P] += ++Pause <= K;
    for (int P = 1; P <= 4; ++P)
        for (int Laid = 0; Laid < 3; ++Laid)
            if (++Pause <= K)
                Under[P] = Laid < 2 ? Laid + 1 : -1;
    TTableView View = Dealt(Hands, Chips) +
                      TTableView{{"button Start", "disabled, unusable"}, {"button Call", Unusable}, {"button Fold", Unusable}};
    for (int P = 1; P <= 4; ++P) {
        View[std::string("stake ") + SeatName[P]] = "...";
        std::string& Cards = View[std::string("cards ") + SeatName[P]];
        std::string Shown;
        for (size_t I = 0, From = 0; int(I) < Given[P]; ++I) {
            const size_t To = Cards.find(", ", From);
            Shown += (I ? ", " : "") + Cards.substr(From, To - From) + (int(I) == Under[P] ? " (under its left neighbour)" : "");
            From = To + 2;
        }
        Cards = Shown;
    }
    return View;
}

const TTableView CallAndFoldUsed{{"button Call", Unusable}, {"button Fold", Unusable}};
const TTableView CallAndFoldBack{{"button Call", Usable}, {"button Fold", Usable}};
const TTableView BettingClosed{{"button Flip", Usable}, {"button Flip all", Usable}};
TTableView MoneyAll(int Chips)
{
    TTableView View;
    for (int P = 1; P <= 4; ++P)
        View.insert(MoneyLabel(P, Chips));
    return View;
}
// Every seat's last stake and chips after a round in which all four called.
TTableView AllAt(const char* Cells, int Chips)
{
    TTableView View = MoneyAll(Chips);
    for (int P = 1; P <= 4; ++P)
        View.insert(Stake(P, Cells));
    return View;
}

const std::vector<TScenario>& Scenarios()
{
    static const std::vector<TScenario> All = {
        {"EveryoneCallsThreeRoundsAndTheUserWins", Pairs, {1000, 1000, 1000, 1000}, {
            {"start", {}, {995, 995, 995, 995}},
            {"call", CallAndFoldUsed},
            {"tick", {Token(1, 408, 440)}},
            {"phase", {{"token User", "hidden"}, Stake(1, ".25"), MoneyLabel(1, 975)}},
            {"tick", {Token(2, 570, 330)}},
            {"phase", {{"token Jack", "hidden"}, Stake(2, ".25"), MoneyLabel(2, 975)}},
            {"tick", {Token(3, 408, 194)}},
            {"phase", {{"token Jim", "hidden"}, Stake(3, ".25"), MoneyLabel(3, 975)}},
            {"tick", {Token(4, 238, 330)}},
            {"phase", TTableView{{"token Kate", "hidden"}, Stake(4, ".25"), MoneyLabel(4, 975)} + CallAndFoldBack},
            {"call", CallAndFoldUsed},
            {"round", AllAt(".65", 935) + CallAndFoldBack},
            {"call", CallAndFoldUsed},
            {"round", AllAt("125", 875) + BettingClosed},
            {"flip", TTableView{{"button Flip", Unusable}, MoneyLabel(1, 1375), CardsOf(2, Pairs, FaceUp),
                                CardsOf(3, Pairs, FaceUp), CardsOf(4, Pairs, FaceUp)} +
                         Sheet(1, {375, -125, -125, -125}, {1375, 875, 875, 875})},
            {"flip all", {{"button Flip all", Unusable}}},
            {"sheet", {}, {1370, 870, 870, 870}},
        }},
        {"UserAndJackFoldKateWinsFlipAllThenFlip", KateWins, {1000, 1000, 1000, 1000}, {
            {"start", {}, {995, 995, 995, 995}},
            {"fold", CallAndFoldUsed},
            {"phase", {CardsOf(2, KateWins, Pile)}},  // the user is passed over; Jack folds
            {"phase", {}},                           // Jack is passed over; Jim calls
            {"phase", {Stake(3, ".25"), MoneyLabel(3, 975)}},
            {"phase", {Stake(4, ".25"), MoneyLabel(4, 975)}},
            {"round", TTableView{Stake(3, "125"), MoneyLabel(3, 875), Stake(4, "125"), MoneyLabel(4, 875)} + BettingClosed},
            {"flip all", TTableView{{"button Flip all", Unusable}, MoneyLabel(4, 1135), CardsOf(2, KateWins, FaceUp),
                                    CardsOf(3, KateWins, FaceUp), CardsOf(4, KateWins, FaceUp)} +
                             Sheet(4, {-5, -5, -125, 135}, {995, 995, 875, 1135})},
            {"flip", {{"button Flip", Unusable}, CardsOf(2, KateWins, SpreadBack)}},
            {"start", {}, {990, 990, 870, 1130}},
        }},
        {"ThreeFoldsCloseTheBettingAfterKatesCall", ThreeFolds, {1000, 1000, 1000, 1000}, {
            {"start", {}, {995, 995, 995, 995}},
            {"fold", CallAndFoldUsed},
            {"round", TTableView{CardsOf(2, ThreeFolds, Pile), CardsOf(3, ThreeFolds, Pile), Stake(4, ".25"),
                                 MoneyLabel(4, 975)} + BettingClosed},
            {"flip", TTableView{{"button Flip", Unusable}, MoneyLabel(4, 1015), CardsOf(4, ThreeFolds, FaceUp)} +
                         Sheet(4, {-5, -5, -5, 15}, {995, 995, 995, 1015})},
        }},
        {"UserFoldsInRoundTwoJimInRoundThreeJackWins", LateFolds, {1000, 1000, 1000, 1000}, {
            {"start", {}, {995, 995, 995, 995}},
            {"call", CallAndFoldUsed},
            {"round", AllAt(".25", 975) + CallAndFoldBack},
            {"fold", CallAndFoldUsed},
            {"phase", {}},  // the user is passed over; Jack calls
            {"round", TTableView{Stake(2, "125"), MoneyLabel(2, 875), Stake(3, ".65"), MoneyLabel(3, 935),
                                 CardsOf(3, LateFolds, Pile), Stake(4, "125"), MoneyLabel(4, 875)} + BettingClosed},
            {"flip", TTableView{{"button Flip", Unusable}, MoneyLabel(2, 1215), CardsOf(2, LateFolds, FaceUp),
                                CardsOf(4, LateFolds, FaceUp)} +
                         Sheet(2, {-25, 215, -65, -125}, {975, 1215, 935, 875})},
        }},
        {"ATieLosesThePot", Tie, {1000, 1000, 1000, 1000}, {
            {"start", {}, {995, 995, 995, 995}},
            {"call", CallAndFoldUsed},
            {"round", TTableView{Stake(1, ".25"), MoneyLabel(1, 975), Stake(2, ".25"), MoneyLabel(2, 975),
                                 CardsOf(3, Tie, Pile), Stake(4, ".25"), MoneyLabel(4, 975)} + CallAndFoldBack},
            {"call", CallAndFoldUsed},
            {"round", TTableView{Stake(1, ".65"), MoneyLabel(1, 935), Stake(2, ".65"), MoneyLabel(2, 935), Stake(4, ".65"),
                                 MoneyLabel(4, 935)} + CallAndFoldBack},
            {"call", CallAndFoldUsed},
            {"round", TTableView{Stake(1, "125"), MoneyLabel(1, 875), Stake(2, "125"), MoneyLabel(2, 875), Stake(4, "125"),
                                 MoneyLabel(4, 875)} + BettingClosed},
            {"flip", {{"button Flip", Unusable}, CardsOf(2, Tie, FaceUp), CardsOf(4, Tie, FaceUp),
                      {"messages", "Two winners, begin again! [OK Cancel]"}}},
            {"start", {}, {870, 870, 990, 870}},
        }},
    };
    return All;
}

// Everybody folds (a tie of four zero scores), and a player left with 5 chips ends the
// game: the richest is named and all start again at 1000. Which of equals is named is
// BettingTest's.
struct TGameOver
{
    const char* Name;
    std::array<int, 4> Chips;
    const char* Richest;
};
const TGameOver GameOvers[] = {
    {"UserRichest", {2000, 1000, 10, 1000}, "You are"},
    {"JackRichest", {1000, 2000, 1000, 10}, "Jack is"},
    {"JimRichest", {10, 1000, 3000, 1000}, "Jim is"},
    {"KateRichest", {1000, 10, 1000, 1500}, "Kate is"},
};
}

class ScenarioPlayer : public TTableTest
{
protected:
    void Act(const std::string& Action, const THands& Hands)
    {
        if (Action == "start" || Action == "sheet") {
            StackDeck(Hands);
            Click(Action == "start" ? Control(StartButton) : Window->Control(TTablePart::Sheet));
            Draws.Script = {};
        } else if (Action == "call") {
            Click(Control(CallButton));
        } else if (Action == "fold") {
            Click(Control(FoldButton));
        } else if (Action == "tick") {
            Tick();
        } else if (Action == "phase") {
            TickPhase(Game().Mover());
        } else if (Action == "round") {
            TickUntilIdle();
        } else if (Action == "flip") {
            Click(Control(FlipButton));
        } else if (Action == "flip all") {
            Click(Control(FlipAllButton));
        } else {
            FAIL() << "no such step: " << Action;
        }
    }
    std::vector<TTableView> Paused;

    void Play(const TScenario& S)
    {
        for (int P = 1; P <= 4; ++P)
            StartChips[P] = S.Chips[P - 1];
        ShowNewWindow();
        // The table at each pause, read from the sleep; the deck's pile is DealTest's.
        Pausing = [&](int Ms) {
            Sleeps.push_back(Ms);
            TTableView View = ReadTable(*Window, Messages);
            View.erase("cards elsewhere");
            View["screen"] = ReadScreen(*Window);
            Paused.push_back(std::move(View));
        };
        TTableView Expected;
        for (size_t I = 0; I < S.Steps.size(); ++I) {
            const TStep& Step = S.Steps[I];
            Messages.clear();
            Paused.clear();
            Act(Step.Action, S.Hands);
            if (Step.Dealt[0] != 0)
                Expected = Dealt(S.Hands, Step.Dealt);
            Expected["messages"] = "";
            Expected = Expected + Step.Changes;
            const std::string Wrong = Differences(Expected, ReadTable(*Window, Messages));
            EXPECT_TRUE(Wrong.empty()) << "after step " << I + 1 << " (" << Step.Action << "):\n" << Wrong;
            // The deal's pauses show it card by card; the call's pause shows the call made;
            // every pause shows all that was changed before it.
            if (Step.Dealt[0] != 0)
                EXPECT_EQ(Paused.size(), 24u) << "step " << I + 1;
            for (size_t K = 0; K < Paused.size(); ++K) {
                TTableView Seen = Paused[K];
                TTableView Then = Step.Dealt[0] != 0          ? Dealing(S.Hands, Step.Dealt, int(K) + 1)
                                  : Step.Action == std::string("call") ? Expected
                                                                       : Seen;
                Then["screen"] = "up to date";
                const std::string Wrong = Differences(Then, Seen);
                EXPECT_TRUE(Wrong.empty()) << "step " << I + 1 << " (" << Step.Action << "), pause " << K + 1 << ":\n"
                                           << Wrong;
            }
        }
    }
};

class ScenarioTest : public ScenarioPlayer, public ::testing::WithParamInterface<TScenario>
{
};

TEST_P(ScenarioTest, TableShowsWhatTheRulesSay) { Play(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Hands, ScenarioTest, ::testing::ValuesIn(Scenarios()),
                         ::testing::PrintToStringParamName());

using GameOverScenarioTest = ScenarioPlayer;

TEST_F(GameOverScenarioTest, RichestPlayerIsNamedAndEveryoneStartsAgain)
{
    for (const TGameOver& G : GameOvers) {
        SCOPED_TRACE(G.Name);
        std::array<int, 4> AfterAnte;
        for (int P = 0; P < 4; ++P)
            AfterAnte[P] = G.Chips[P] - 5;
        const std::string Said = std::string("Two winners, begin again! [OK Cancel] / Game over! ") + G.Richest +
                                 " the winner! Try again? [Yes No]";
        Play({G.Name, AllFold, G.Chips, {
            {"start", {}, AfterAnte},
            {"fold", CallAndFoldUsed},
            {"round", TTableView{CardsOf(2, AllFold, Pile), CardsOf(3, AllFold, Pile), CardsOf(4, AllFold, Pile)} +
                          BettingClosed},
            {"flip", TTableView{{"button Flip", Unusable}, {"messages", Said}} + MoneyAll(1000)},
        }});
    }
}
