#pragma once

#include <QPoint>
#include <array>
#include <QWidget>

#include "desktop/GraphicControl.h"
#include "desktop/ImageList.h"

class TImage;
class TLabel;
class TPanel;
class TTimer;

// The three looks of an image button: the skin number in ButtonSkins and a caption colour.
enum TButtonLook { blNormal = 0, blPressed = 1, blDisabled = 2 };

// The table window. Its controls are fixed at design time; the game shows, hides,
// moves, restacks and repaints them, and creates each hand's cards on top.
// The game routines are methods of this class too; they live in game/.
class TTableWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 856;
    static constexpr int ClientHeight = 645;
    // Where each seat's chip token starts its travel towards the pot, by player index.
    static constexpr QPoint TokenStart[5] = {{}, {408, 450}, {580, 330}, {408, 184}, {228, 330}};
    // Each tick moves a travelling token by Step; it travels on while it has not passed
    // Stop on the axis it moves along (the user's up to 400, Jack's to 490, Jim's to 265,
    // Kate's to 316).
    struct TTokenRoute
    {
        QPoint Step;
        int Stop;
    };
    static constexpr TTokenRoute TokenRoute[5] = {{}, {{0, -10}, 400}, {{-10, 0}, 490}, {{0, 10}, 265}, {{10, 0}, 316}};
    // Where the result sheet's texts stand on its picture: the columns' left edges (names,
    // Add, Score), the headings' row and each player's row.
    static constexpr int SheetNameX = 10, SheetAddX = 130, SheetScoreX = 210, SheetHeadingY = 2;
    static constexpr int SheetRowY(int Player) { return 30 + 35 * (Player - 1); }

    explicit TTableWindow(QWidget* Parent = nullptr);
    ~TTableWindow() override;

    // Controls on Panel, in design order.
    TPanel* Panel;
    TImage* Background;                                  // background
    TImage *KateToken, *JimToken, *JackToken, *UserToken;  // chip tokens
    TImage *UserPortrait, *KatePortrait, *JimPortrait;                // portraits: user, Kate, Jim
    TImage *FlipAllButton, *FlipButton, *FoldButton, *CallButton;   // Flip all, Flip, Fold, Call
    TImage* ResultSheet;                                 // result sheet
    TImage* JackPortrait;                                  // Jack's portrait
    TImage *StartButton, *RulesButton;                       // Start, Rules
    TImage *UserStake, *JackStake, *JimStake, *KateStake;   // stake counters
    TLabel *UserMoney, *JackMoney, *JimMoney, *KateMoney;       // chips
    TLabel *UserName, *JackName, *JimName, *KateName;       // names
    TImage* SheetTemplate;                                  // result-sheet template
    TImage* WinnerMarker;                                  // winner marker
    TImage* RulesChart;                                  // rules chart

    TTimer* BettingTimer;
    TImageList ButtonSkins{100, 32};  // button skins
    TImageList DigitGlyphs{14, 16};   // digit glyphs

    // Window handlers and presentation routines.
    void SetUpTable(QObject* Sender);
    void FreeTable(QObject* Sender);
    void AskToClose(QObject* Sender, bool& CanClose);
    void ShowMoney();
    void ShowOpponents();
    void RulesClick(QObject* Sender);
    void RulesChartClick(QObject* Sender);

    // Image buttons.
    void ShowListImage(const TImageList& List, int Index, TImage* Control);
    void SetLook(TImage* Button, TButtonLook Look);
    void SetButton(TImage* Button, TButtonLook Look, bool Enabled);
    void ButtonMouseDown(QObject* Sender, TMouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ButtonMouseUp(QObject* Sender, TMouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // The six image buttons in focus order, as ButtonCaptions lists them.
    std::array<TImage*, 6> Buttons() const;

    // Stake counters and the result sheet.
    void ShowStakeDigits(const TImageList& List, int Hundreds, int Tens, int Units, TImage* Counter);
    void ShowStake(int Player);
    void DrawResultSheet(int Winner);

    // Deck, shuffle and deal.
    void CreateCards();
    void ShuffleDeck();
    void DealHands();
    void DealRow(int Row);
    double TakeHand(int Seats, int FirstRow, int SeatOffset, int BaseLeft, int Top);
    void FreeCards();

    // Hand evaluation.
    void SortHand();
    double ScoreHand();

    // Computer players.
    void ComputerTurn(int Player);

    // Betting.
    void StartClick(QObject* Sender);
    void CallClick(QObject* Sender);
    void FoldClick(QObject* Sender);
    void BettingTick(QObject* Sender);
    void UserChipPhase();
    void JackChipPhase();
    void JimChipPhase();
    void KateChipPhase();

    // Showdown and settlement.
    void FlipClick(QObject* Sender);
    void FlipAllClick(QObject* Sender);
    void Showdown();

    // Per seat, by player index 1..4.
    TImage* Token(int Player) const;
    TImage* StakeCounter(int Player) const;
    TLabel* MoneyLabel(int Player) const;

protected:
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void BuildControls();
    void ChipPhase(int Player);
    bool TokenArrives(int Player);
    void ShowMoneyOf(int Player);
    void EndBettingRound();
    void GameOverTest();
};

// Chips as the table writes them, on the money labels and the result sheet: decimal,
// a leading "-" when negative, no grouping.
QString ChipsText(int Chips);
