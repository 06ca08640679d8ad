#include <QAccessible>
#include <utility>

#include "app/Translation.h"
#include "support/GameFixture.h"
#include "table/Narrator.h"

// What a screen reader's user hears of hands played on a table without a window: the
// narrator's lines as a reader takes them from the announcer, in order with the table's
// message boxes.
namespace {
using TLines = std::vector<std::string>;

// The user's aces win; Jim's five-high folds at once; Jack and Kate call every round.
const THands AcesWin{{"AS", "AD", "KC"}, {"9H", "9C", "2D"}, {"5H", "3S", "2C"}, {"10D", "10S", "4H"}};
// Jack's king high sounds like the player's, Jim's eight-high flush like Kate's: no pair scores alike.
const THands Alike{{"KC", "10D", "4S"}, {"KS", "9D", "5C"}, {"8H", "6H", "2H"}, {"8D", "7D", "3D"}};

const std::string Seating = "You sit at the bottom, Jack on the right, Jim at the top, Kate on the left. ";
const std::string AcesDealt = Seating + "New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs.";
const std::string AcesTurn = AcesDealt + " Your turn: a call costs 20 chips.";

// The announcer as its reader hears it, among the table's lines: a reader that keeps up
// hears each line as it comes ("say ..."); one that is behind hears nothing until it
// reads, then all that waits in one line, less what has passed. At a pause the announcer
// takes back what is unread ("take-back").
class TReader : public TSpeech
{
public:
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

private:
    TLines& Lines;
    QList<TLine> Waiting;
};
}

class NarratorTest : public TGameTest
{
protected:
    // Each move played to its end, as the window plays it.
    void Play(void (TTable::*Move)()) { Game.Play(Move); }
    void Start(const THands& Hands)
    {
        StackDeck(Hands);
        Play(&TTable::NewHand);
        Draws.Script = {};
    }
    void Ticks()
    {
        for (int I = 0; I < 500 && Game.TurnPhase != 0 && Display.TimerRunning; ++I)
            Play(&TTable::BettingTick);
    }
    // A reader joins, as the desktop's accessibility tells the narrator.
    void Join()
    {
        Reader.On = true;
        static_cast<QAccessible::ActivationObserver&>(Narrator).accessibilityActiveChanged(true);
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
    TNarrator Narrator{Game, Reader};
};

TEST_F(NarratorTest, AHandCalledToTheEndAndEveryPauseToldFirst)
{
    Start(AcesWin);
    for (int Round = 1; Round <= 3; ++Round) {
        Play(&TTable::Call);
        Ticks();
    }
    Play(&TTable::Flip);
    EXPECT_EQ(Heard(), (TLines{AcesTurn, "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.",
                               "Jack calls 40.", "Kate calls 40. Your turn: a call costs 60 chips.", "Jack calls 60.",
                               "Kate calls 60. Betting closed: Flip or Flip all.",
                               "Jack: pair of nines. Kate: pair of tens. You win 255 chips."}));
    // The deal's, the calls' and folded Jim's: what the reader has not asked for is taken back
    // before the game holds, or a question left unanswered would lose it.
    ASSERT_GE(Pauses().size(), 4u);
    for (size_t I = 1; I < Display.Lines.size(); ++I)
        if (Display.Lines[I].rfind("pause ", 0) == 0)
            EXPECT_EQ(Display.Lines[I - 1], "take-back") << I;
}

TEST_F(NarratorTest, ThePlayerFoldsTheRoundsRunOnAndFlipAllShowsTheFoldedHandToo)
{
    Start(AcesWin);
    Play(&TTable::Fold);
    Ticks();
    Play(&TTable::FlipAll);
    EXPECT_EQ(Heard(), (TLines{AcesTurn, "Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.",
                               "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
                               "Jack: pair of nines. Jim: five high. Kate: pair of tens. Kate wins 135 chips."}));
}

TEST_F(NarratorTest, ATieAndAGameOverAreSaidBeforeTheirBoxes)
{
    const TLines Betting{"Jack calls 20. Jim folds.", "Kate calls 20.", "Jack calls 40.", "Kate calls 40.", "Jack calls 60.",
                         "Kate calls 60. Betting closed: Flip or Flip all."};
    Start(JackAndKateTie);
    Play(&TTable::Fold);
    Ticks();
    Play(&TTable::Flip);
    TLines Expected{Seating + "New hand. Your hand: nine high: nine of clubs, seven of diamonds, two of spades. "
                              "Your turn: a call costs 20 chips."};
    Expected.insert(Expected.end(), Betting.begin(), Betting.end());
    Expected.insert(Expected.end(), {"Jack: king high. Kate: king high.", "tell-tie"});
    EXPECT_EQ(Heard(), Expected);

    Display.Lines.clear();
    GiveChips(Jim, 10);
    Start(AcesWin);
    Play(&TTable::Fold);
    Ticks();
    Play(&TTable::Flip);
    Expected = {"New hand. Your hand: pair of aces: ace of spades, ace of diamonds, king of clubs. Your turn: a call costs 20 chips."};
    Expected.insert(Expected.end(), Betting.begin(), Betting.end());
    Expected.insert(Expected.end(), {"Jack: pair of nines. Kate: pair of tens. Kate wins 135 chips.", "tell-game-over 4"});
    EXPECT_EQ(Heard(), Expected) << "the seating with the first hand only";
}

TEST_F(NarratorTest, HandsThatWouldSoundAlikeButScoreApartAreSaidWithTheirCards)
{
    Start(Alike);
    Play(&TTable::Fold);
    Ticks();
    Play(&TTable::FlipAll);
    EXPECT_EQ(Heard().back(),
              "Jack: king high: king of spades, nine of diamonds, five of clubs. Jim: flush, eight high: eight of hearts, six of "
              "hearts, two of hearts. Kate: flush, eight high: eight of diamonds, seven of diamonds, three of diamonds. Kate "
              "wins 255 chips.");
}

TEST_F(NarratorTest, AReaderBehindLosesNothingButWhatHasPassed)
{
    // The turn passed with the call, before the reader read it.
    Reader.Behind = true;
    Start(AcesWin);
    Play(&TTable::Call);
    Reader.Read();
    Reader.Behind = false;
    Ticks();
    EXPECT_EQ(Heard(), (TLines{AcesDealt, "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips."}));

    // Far behind: a new deal drops the betting's end.
    Display.Lines.clear();
    Play(&TTable::Fold);
    Reader.Behind = true;
    Ticks();
    Start(AcesWin);
    Reader.Read();
    EXPECT_EQ(Heard(), (TLines{"Jack calls 40. Kate calls 40. Jack calls 60. Kate calls 60. New hand. Your hand: pair of aces: ace "
                               "of spades, ace of diamonds, king of clubs. Your turn: a call costs 20 chips."}));
}

TEST_F(NarratorTest, NothingWhileNoReaderListensOneThatJoinsHearsOnlyWhatFollows)
{
    Reader.On = false;
    Start(AcesWin);
    Play(&TTable::Call);
    Ticks();
    Join();
    Play(&TTable::Call);
    Ticks();
    EXPECT_EQ(Heard(), (TLines{"Jack calls 40.", "Kate calls 40. Your turn: a call costs 60 chips."}));
}

TEST_F(NarratorTest, WhereTheHandStandsBeforeTheFirstHandAtTheTurnAfterFoldsAtTheCloseAndOnTheSheet)
{
    Narrator.SayStanding();
    Start(AcesWin);
    Narrator.SayStanding();
    Play(&TTable::Call);
    Ticks();
    Narrator.SayStanding();
    Play(&TTable::Fold);
    Ticks();
    Narrator.SayStanding();
    Play(&TTable::Flip);
    Narrator.SayStanding();
    EXPECT_EQ(Heard(), (TLines{"Chips: ? 1000, Jack 1000, Jim 1000, Kate 1000. No hand yet: Start deals one.", AcesTurn,
                               "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3. Your turn: a "
                               "call costs 20 chips.",
                               "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.",
                               "Chips: ? 975, Jack 975, Jim 995, Kate 975. Pot: 80 chips. Betting round 2 of 3. Folded: Jim. "
                               "Your turn: a call costs 40 chips.",
                               "Jack calls 40.", "Kate calls 40.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
                               "Chips: ? 975, Jack 875, Jim 995, Kate 875. Pot: 280 chips. Folded: ?, Jim. Betting closed: Flip "
                               "or Flip all.",
                               "Jack: pair of nines. Kate: pair of tens. Kate wins 155 chips.",
                               "Chips: ? 975, Jack 875, Jim 995, Kate 1155. The hand is over: Kate won 155 chips."}));
}

TEST_F(NarratorTest, WhereTheHandStandsWhileTheOthersBetAndAfterATie)
{
    Start(JackAndKateTie);
    Play(&TTable::Call);
    Narrator.SayStanding();  // the player's chip on its way still counts at the seat
    Ticks();
    Play(&TTable::Fold);
    Ticks();
    Play(&TTable::Flip);
    Narrator.SayStanding();
    EXPECT_EQ(Heard(), (TLines{Seating + "New hand. Your hand: nine high: nine of clubs, seven of diamonds, two of spades. Your "
                                         "turn: a call costs 20 chips.",
                               "Chips: ? 995, Jack 995, Jim 995, Kate 995. Pot: 20 chips. Betting round 1 of 3.",
                               "Jack calls 20. Jim folds.", "Kate calls 20. Your turn: a call costs 40 chips.", "Jack calls 40.",
                               "Kate calls 40.", "Jack calls 60.", "Kate calls 60. Betting closed: Flip or Flip all.",
                               "Jack: king high. Kate: king high.", "tell-tie",
                               "Chips: ? 975, Jack 875, Jim 995, Kate 875. The hand is over: two winners, the pot is lost."}));
}

TEST_F(NarratorTest, InChineseFromTheCatalogueBuiltIntoTheProgram)
{
    const std::unique_ptr<QTranslator> Chinese = InstallTranslation(QLocale(QLocale::Chinese, QLocale::China));
    ASSERT_TRUE(Chinese);
    Start(AcesWin);
    Play(&TTable::Call);
    Ticks();
    Narrator.SayStanding();
    EXPECT_EQ(Heard(), (TLines{"你坐在下方，Jack 在右边，Jim 在上方，Kate 在左边。 新的一局。你的牌：对子A：黑桃A、方块A、梅花K。 "
                               "轮到你了：跟注需要 20 筹码。",
                               "Jack 跟注 20。 Jim 放弃。", "Kate 跟注 20。 轮到你了：跟注需要 40 筹码。",
                               "筹码：? 975，Jack 975，Jim 995，Kate 975。 底池：80 筹码。 第 2 轮下注，共 3 轮。 已放弃：Jim。 "
                               "轮到你了：跟注需要 40 筹码。"}));
}
