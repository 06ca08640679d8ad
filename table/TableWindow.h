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
#include "table/ImageButton.h"
#include "table/Seats.h"
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
    // Where the result sheet's texts stand on its picture: the columns' left edges (names,
    // Add, Score), the headings' row and each player's row (the seat's).
    static constexpr int SheetNameX = 10, SheetAddX = 130, SheetScoreX = 210, SheetHeadingY = 2;
    static constexpr int SheetRowY(int Player) { return Seats[Player].SheetRowY; }
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
    TImageButton *FlipAllButton, *FlipButton, *FoldButton, *CallButton;
    TImage* ResultSheet;
    TImage* JackPortrait;
    TImageButton *StartButton, *RulesButton;
    TImage *UserStake, *JackStake, *JimStake, *KateStake;  // stake counters
    TLabel *UserMoney, *JackMoney, *JimMoney, *KateMoney;
    TLabel *UserName, *JackName, *JimName, *KateName;
    TImage* SheetTemplate;
    TImage* WinnerMarker;
    TImage* RulesChart;

    TTimer* BettingTimer;
    TImageList ButtonSkins{100, 32};
    TImageList DigitGlyphs{14, 16};

    // The user's name, as the name dialog takes it: into the game, and onto the seat.
    void SetUserName(const QString& Name);
    // A player's name as the table writes it.
    QString PlayerName(int Player) const { return QString::fromStdString(Table.Names[Player]); }

    // The handlers: the player's clicks and the betting timer's tick.
    void StartClick();
    void CallClick();
    void FoldClick();
    void FlipClick();
    void FlipAllClick();
    void RulesClick();
    void RulesChartClick();
    void BettingTick();
    // Image buttons.
    void ShowListImage(const TImageList& List, int Index, TImage* Control);
    void SetLook(TImageButton* Button, TButtonLook Look);
    void SetButton(TImageButton* Button, TButtonLook Look, bool Enabled);
    void ButtonMouseDown(QObject* Sender, TMouseButton Button);
    void ButtonMouseUp(QObject* Sender, TMouseButton Button);
    // The six image buttons in focus order, as ButtonCaptions lists them.
    std::array<TImageButton*, 6> Buttons() const;
    // Whether the rules chart lies over Control now: a covered control takes no press.
    bool Covered(const TGraphicControl* Control) const;

    // Stake counters.
    void ShowStakeDigits(const TImageList& List, int Hundreds, int Tens, int Units, TImage* Counter);

    // Per seat, by player index 1..4.
    TImage* Token(int Player) const { return SeatControls[Player].Token; }
    TImage* StakeCounter(int Player) const { return SeatControls[Player].Stake; }
    TLabel* MoneyLabel(int Player) const { return SeatControls[Player].Money; }
    TLabel* NameLabel(int Player) const { return SeatControls[Player].Name; }
    TImage* Portrait(int Player) const { return SeatControls[Player].Portrait; }
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
    // Each seat's controls, by player index, placed as Seats says.
    struct TSeatControls
    {
        TImage *Token = nullptr, *Stake = nullptr;
        TLabel *Money = nullptr, *Name = nullptr;
        TImage* Portrait = nullptr;
    };
    TSeatControls SeatControls[5];
    void BuildControls();
    void SetUpTable();
    void Play(void (TTable::*Move)());
    TImageButton* ButtonOf(TTableButton Button) const;

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
