#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "desktop/GraphicControl.h"
#include "desktop/ImageList.h"
#include "game/Table.h"
#include "game/TableDisplay.h"
#include "table/TableSeams.h"

class TCardControl;
class TImage;
class TLabel;
class TPanel;
class TTimer;

// The table window. Its controls are fixed at design time; it shows what its table's
// game tells it to (TTableDisplay), creates each hand's card controls on top, and hands
// the player's clicks and the betting timer's ticks to the game.
class TTableWindow : public QWidget, public TTableDisplay
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
    // The deal's spacing between neighbouring cards of a seat.
    static constexpr int CardSpacing = 15;

    explicit TTableWindow(TTableSeams Seams = {}, QWidget* Parent = nullptr);
    ~TTableWindow() override;

private:
    const TTableSeams Seams;  // before the table, which is made with them

public:
    // The game this window shows. The program's pauses hold the game while it still
    // answers a screen reader.
    TTable Table;

    // Controls on Panel, in design order.
    TPanel* Panel;
    TImage* Background;
    TImage *KateToken, *JimToken, *JackToken, *UserToken;  // chip tokens
    TImage *UserPortrait, *KatePortrait, *JimPortrait;
    TImage *FlipAllButton, *FlipButton, *FoldButton, *CallButton;
    TImage* ResultSheet;
    TImage* JackPortrait;
    TImage *StartButton, *RulesButton;
    TImage *UserStake, *JackStake, *JimStake, *KateStake;  // stake counters
    TLabel *UserMoney, *JackMoney, *JimMoney, *KateMoney;
    TLabel *UserName, *JackName, *JimName, *KateName;
    TImage* SheetTemplate;
    TImage* WinnerMarker;
    TImage* RulesChart;

    TTimer* BettingTimer;
    TImageList ButtonSkins{100, 32};
    TImageList DigitGlyphs{14, 16};

    // The handlers: the player's clicks and the betting timer's tick.
    void StartClick(QObject* Sender);
    void CallClick(QObject* Sender);
    void FoldClick(QObject* Sender);
    void FlipClick(QObject* Sender);
    void FlipAllClick(QObject* Sender);
    void RulesClick(QObject* Sender);
    void RulesChartClick(QObject* Sender);
    void BettingTick(QObject* Sender);
    // Image buttons.
    void ShowListImage(const TImageList& List, int Index, TImage* Control);
    void SetLook(TImage* Button, TButtonLook Look);
    void SetButton(TImage* Button, TButtonLook Look, bool Enabled);
    void ButtonMouseDown(QObject* Sender, TMouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ButtonMouseUp(QObject* Sender, TMouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // The six image buttons in focus order, as ButtonCaptions lists them.
    std::array<TImage*, 6> Buttons() const;
    // Whether the rules chart lies over Control now: a covered control takes no press.
    bool Covered(const TGraphicControl* Control) const;

    // Stake counters.
    void ShowStakeDigits(const TImageList& List, int Hundreds, int Tens, int Units, TImage* Counter);

    // Per seat, by player index 1..4.
    TImage* Token(int Player) const { return Seat(Player).Token; }
    TImage* StakeCounter(int Player) const { return Seat(Player).Stake; }
    TLabel* MoneyLabel(int Player) const { return Seat(Player).Money; }
    TLabel* NameLabel(int Player) const { return Seat(Player).Name; }
    TImage* Portrait(int Player) const { return Seat(Player).Portrait; }
    // The control made for the card of this Id (1..52) this hand; null once freed.
    TCardControl* CardControlOf(int CardId) const { return Cards[CardId]; }
    TCardControl* SeatCardControl(int Player, int Row) const { return Cards[Table.SeatCard(Player, Row).Id()]; }

    // What the result sheet shows, as drawn: a game over resets the figures it was drawn
    // from. Empty before the first sheet.
    const std::optional<TSettlement>& DrawnSheet() const { return LastSheet; }

protected:
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    struct TSeatControls
    {
        TImage *Token, *Stake;
        TLabel *Money, *Name;
        TImage* Portrait;
    };
    TSeatControls Seat(int Player) const;
    void BuildControls();
    void SetUpTable();
    void AskToClose(bool& CanClose);
    void Play(void (TTable::*Move)());
    TImage* ButtonOf(TTableButton Button) const;

    // TTableDisplay: the game calls these through its display.
    void ShowMoney(int Player, int Chips) override;
    void ShowStake(int Player, int Chips) override;
    void ClearStake(int Player) override;
    void HideToken(int Player) override;
    bool StepToken(int Player) override;
    void ShowOpponents() override;
    void SetLook(TTableButton Button, TButtonLook Look) override;
    void EnableButton(TTableButton Button, bool Enabled) override;
    void SetButton(TTableButton Button, TButtonLook Look, bool Enabled) override;
    void SetBusyCursor(bool Busy) override;
    void RunBettingTimer(bool Running) override;
    void FreeCards() override;
    void CreateCard(const TCard& Card) override;
    void StackCard(const TCard& Card, int Position) override;
    void DealCard(const TCard& Card, int Player, int Row) override;
    void HideCard(const TCard& Card) override;
    void LayCard(const TCard& Card, int Player, int Row) override;
    void PlaceCard(const TCard& Card, int Player, int Row, bool Dealt);
    void TurnCard(const TCard& Card) override;
    void PileHand(const TCard& Left, const TCard& Middle, const TCard& Right) override;
    void SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right) override;
    void HideWinnerMarker() override;
    void HideResultSheet() override;
    void ShowResult(const TSettlement& Settlement) override;
    void TellTie() override;
    void TellGameOver(int Richest) override;

    TCardControl* Cards[53] = {};  // by card id, for this hand
    std::optional<TSettlement> LastSheet;
    int MovesRunning = 0;  // a move may open a box whose loop runs another
    bool CloseWaits = false;  // a close request came in the middle of a move
};

// Chips as the table writes them, on the money labels and the result sheet: decimal,
// a leading "-" when negative, no grouping.
QString ChipsText(int Chips);
