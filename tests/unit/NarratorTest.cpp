#include <utility>

#include "app/Translation.h"
#include "support/GameFixture.h"
#include "table/Narrator.h"

// What a screen reader's user hears of hands played on a table without a window: the
// narrator's lines as a reader takes them, in order with the table's message boxes.
namespace {
using TLines = std::vector<std::string>;
TLines operator+(TLines A, const TLines& B)
{
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

// Jack's king high sounds like the player's but scores apart; Jim folds at once.
const THands Alike{{"KC", "10D", "4S"}, {"KS", "9D", "5C"}, {"5H", "3S", "2C"}, {"10S", "10H", "4H"}};

const std::string Seating = "You sit at the bottom, Jack on the right, Jim at the top, Kate on the left. ";
const std::string AcesDealt = "New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs.";
// Jack and Kate call every round, Jim folds at once; the player has folded, or calls.
const TLines OthersBet{"Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.", "Jack calls 60.",
                       "Kate calls 60. Betting closed: Flip or Flip all."};
const TLines AllCall{"Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.", "Jack calls 40.",
                     "Kate calls 40. Your turn: a call costs 60 chips.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all."};

// The announcer as its reader hears it, among the table's lines: each line as it comes
// ("say ..."), or when Behind nothing until it reads, then all that waits in one line,
// less what has passed. At a pause the announcer takes back what is unread.
struct TReader : TSpeech
{
    explicit TReader(TLines& Lines) : Lines(Lines) {}
    bool Listening() const override { return On; }
    void Say(const QList<TLine>& Said) override
    {
        EXPECT_TRUE(On) << "nothing is composed while no reader listens";
        Waiting += Said;
        if (!Behind)
            Read();
    }
    void Forget(int Topic) override { Waiting.removeIf([Topic](const TLine& Line) { return Line.Topic == Topic; }); }
    void PauseBegins() override { Lines.push_back("take-back"); }
    void Read()
    {
        QStringList Texts;
        for (const TLine& Line : std::exchange(Waiting, {}))
            Texts << Line.Text;
        if (!Texts.isEmpty())
            Lines.push_back("say " + Texts.join(QLatin1Char(' ')).toStdString());
    }
    bool On = true, Behind = false;
    TLines& Lines;
    QList<TLine> Waiting;
};
}

class NarratorTest : public TGameTest
{
protected:
    NarratorTest() { AsPlayed = true; }
    void Start(const THands& Hands) { Deal(Hands); }
    // A move played to its end as the window plays it, then the betting timer's ticks
    // until the table waits.
    void Play(void (TTable::*Move)())
    {
        TTableDriver::Play(Move);
        TickUntilIdle();
    }
    // What the reader heard, and the boxes the table opened, in order.
    TLines Heard() const
    {
        TLines Out;
        for (const std::string& Line : Display.Only({"say", "tell-tie", "tell-game-over"}))
            Out.push_back(Line.rfind("say ", 0) == 0 ? Line.substr(4) : Line);
        return Out;
    }

    TReader Reader{Display.Lines};
    std::optional<TNarrator> Narrator{std::in_place, *Game, Reader};
};

TEST_F(NarratorTest, EachMoveOnceInTheOrderOfPlayWhereTheHandStandsOnAskingAndEveryPauseToldFirst)
{
    Narrator->SayStanding();
    Start(AcesWin);
    Narrator->SayStanding();
    Play(&TTable::Call);
    Narrator->SayStanding();
    Play(&TTable::Call);
    Play(&TTable::Call);
    Narrator->SayStanding();
    Play(&TTable::Flip);
    Narrator->SayStanding();
    EXPECT_EQ(Heard(), (TLines{"Chips: ? 1000, Jack 1000, Jim 1000, Kate 1000. No hand yet: Start deals one.",
                               Seating + AcesDealt + " Your turn: a call costs 20 chips.",
                               "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3. Your turn: a "
                               "call costs 20 chips.",
                               AllCall[0], AllCall[1],
                               "Chips: ? 975, Jack 975, Jim 995, Kate 975. Pot: 80 chips. Betting round 2 of 3. Folded: Jim. "
                               "Your turn: a call costs 40 chips.",
                               AllCall[2], AllCall[3], AllCall[4], AllCall[5],
                               "Chips: ? 875, Jack 875, Jim 995, Kate 875. Pot: 380 chips. Folded: Jim. Betting closed: Flip or "
                               "Flip all.",
                               "Jack: pair of nines. Kate: pair of tens. You win 255 chips.",
                               "Chips: ? 1255, Jack 875, Jim 995, Kate 875. The hand is over: you won 255 chips."}));
    // Each pause (the deal's, the calls', folded Jim's) is told first: what is unread is taken back.
    ASSERT_GE(Pauses().size(), 4u);
    for (size_t I = 1; I < Display.Lines.size(); ++I)
        EXPECT_TRUE(Display.Lines[I].rfind("pause ", 0) != 0 || Display.Lines[I - 1] == "take-back") << I;
    // The player folds; the rounds run on; flip all shows the folded hand too, and a hand
    // that would sound like another but scores apart with its cards.
    Display.Lines.clear();
    Start(Alike);
    Play(&TTable::Fold);
    Play(&TTable::FlipAll);
    EXPECT_EQ(Heard(), TLines{"New hand. Your hand: king high: king of clubs, ten of diamonds, four of spades. Your turn: a call "
                              "costs 20 chips."} + OthersBet +
                           TLines{"Jack: king high: king of spades, nine of diamonds, five of clubs. Jim: five high. Kate: "
                                  "pair of tens. Kate wins 135 chips."})
        << "the seating with the first hand only";
}

TEST_F(NarratorTest, ATieAndAGameOverAreSaidBeforeTheirBoxesAndWhereTheHandStandsTellsOfThem)
{
    Start(JackAndKateTie);
    Game->Play(&TTable::Call);
    Narrator->SayStanding();  // the player's chip on its way still counts at the seat
    Play(&TTable::BettingTick);
    Play(&TTable::Fold);
    Narrator->SayStanding();
    Play(&TTable::Flip);
    Narrator->SayStanding();
    EXPECT_EQ(Heard(), (TLines{Seating + "New hand. Your hand: nine high: nine of clubs, seven of diamonds, two of spades. "
                                         "Your turn: a call costs 20 chips.",
                               "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3.", AllCall[0],
                               AllCall[1], OthersBet[2], OthersBet[3], OthersBet[4], OthersBet[5],
                               "Chips: ? 975, Jack 875, Jim 995, Kate 875. Pot: 280 chips. Folded: ?, Jim. Betting closed: Flip "
                               "or Flip all.",
                               "Jack: king high. Kate: king high.", "tell-tie",
                               "Chips: ? 975, Jack 875, Jim 995, Kate 875. The hand is over: two winners, the pot is lost."}));
    Display.Lines.clear();
    Narrator.reset();  // a new table, and its narrator, at which Jim has 10 chips
    GiveChips(Jim, 10);
    Narrator.emplace(*Game, Reader);
    Start(AcesWin);
    Play(&TTable::Fold);
    Play(&TTable::Flip);
    Narrator->SayStanding();
    EXPECT_EQ(Heard(), (TLines{Seating + AcesDealt + " Your turn: a call costs 20 chips."} + OthersBet +
                        TLines{"Jack: pair of nines. Kate: pair of tens. Kate wins 135 chips.", "tell-game-over 4",
                               "Chips: ? 1000, Jack 1000, Jim 1000, Kate 1000. The hand is over: Kate won 135 chips. Game over: "
                               "Kate had the most chips; everyone starts again."}));
}

TEST_F(NarratorTest, AReaderBehindLosesNothingButWhatHasPassedAndOneThatJoinsHearsOnlyWhatFollows)
{
    // The turn passed with the call, before the reader read it.
    Reader.Behind = true;
    Start(AcesWin);
    Game->Play(&TTable::Call);
    Reader.Read();
    Reader.Behind = false;
    Play(&TTable::BettingTick);
    EXPECT_EQ(Heard(), (TLines{Seating + AcesDealt, AllCall[0], AllCall[1]}));
    // Far behind: a new deal drops the betting's end.
    Display.Lines.clear();
    Game->Play(&TTable::Fold);
    Reader.Behind = true;
    Play(&TTable::BettingTick);
    Start(AcesWin);
    Reader.Read();
    EXPECT_EQ(Heard(), TLines{"Jack calls 40. Kate calls 40. Jack calls 60. Kate calls 60. " + AcesDealt +
                              " Your turn: a call costs 20 chips."});
    // Nothing while no reader listens; one that joins hears from the next event on.
    Display.Lines.clear();
    Reader.On = Reader.Behind = false;
    Play(&TTable::Call);
    Reader.On = true;  // as the desktop's accessibility tells the narrator
    static_cast<QAccessible::ActivationObserver&>(*Narrator).accessibilityActiveChanged(true);
    Play(&TTable::Call);
    EXPECT_EQ(Heard(), (TLines{AllCall[2], AllCall[3]}));
}

TEST_F(NarratorTest, InChineseFromTheCatalogueBuiltIntoTheProgram)
{
    const std::unique_ptr<QTranslator> Chinese = InstallTranslation(QLocale(QLocale::Chinese, QLocale::China));
    ASSERT_TRUE(Chinese);
    Start(AcesWin);
    Play(&TTable::Call);
    Narrator->SayStanding();
    EXPECT_EQ(Heard(), (TLines{"你坐在下方，Jack 在右边，Jim 在上方，Kate 在左边。 新的一局。你的牌：对子A：黑桃A、方块A、梅花K。 "
                               "轮到你了：跟注需要 20 筹码。",
                               "Jack 跟注 20。 Jim 放弃。", "Kate 跟注 20。 轮到你了：跟注需要 40 筹码。",
                               "筹码：? 975，Jack 975，Jim 995，Kate 975。 底池：80 筹码。 第 2 轮下注，共 3 轮。 已放弃：Jim。 "
                               "轮到你了：跟注需要 40 筹码。"}));
}
