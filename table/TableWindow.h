#pragma once

#include <QWidget>
#include <optional>

#include "desktop/GraphicControl.h"
#include "desktop/ImageList.h"
#include "game/Table.h"
#include "game/TableDisplay.h"
#include "table/Layout.h"
#include "table/TableScene.h"
#include "table/TableSeams.h"
#include "table/TableTexts.h"

class TCardControl;
class TImage;
class TImageButton;
class TLabel;
class TPanel;
class TTimer;

// The table window. Its controls are fixed at design time; it shows what its table's
// game tells it to (TTableDisplay), creates each hand's card controls on top, and hands
// the player's clicks and the betting timer's ticks to the game. Its listeners know it
// as a TTableScene, its game as a TTableDisplay; everything else is its own.
class TTableWindow : public QWidget, public TTableScene, public TTableDisplay
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 856;
    static constexpr int ClientHeight = 645;

    explicit TTableWindow(TTableSeams Seams = {}, QWidget* Parent = nullptr);
    ~TTableWindow() override;

    // The user's name, as the name dialog takes it: into the game, and onto the seat.
    void SetUserName(const QString& Name);

    // TTableScene: what its listeners may know of it.
    const TTable& Game() const override { return Table; }
    TImage* Control(TTablePart Part) const override;
    TImage* Portrait(int Player) const override;
    TImage* StakeCounter(int Player) const override;
    TCardControl* CardControl(const TCard& Card) const override { return Cards[Card.Id()]; }
    TPanel* Panel() const override { return TablePanel; }
    const std::optional<TSettlement>& DrawnSheet() const override { return LastSheet; }
    bool Covered(const QWidget* Control) const override;

protected:
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    const TTableSeams Seams;  // before the table, which is made with them
    // The game this window shows. The program's pauses hold the game while it still
    // answers a screen reader.
    TTable Table;

    // Controls on the panel. A seat's stand where Seats puts them, by player index.
    struct TSeatControls
    {
        TImage *Token = nullptr, *Stake = nullptr;
        TLabel *Money = nullptr, *Name = nullptr;
        TImage* Portrait = nullptr;
    };
    TPanel* TablePanel;
    TImage* Background;
    TSeatControls Seat[5];
    TImageButton *StartButton, *RulesButton, *CallButton, *FoldButton, *FlipButton, *FlipAllButton;
    TImage* ResultSheet;
    TImage* SheetTemplate;
    TImage* WinnerMarker;
    TImage* RulesChart;
    TTimer* BettingTimer;
    TImageList ButtonSkins{100, 32};
    TImageList DigitGlyphs{14, 16};

    void BuildControls();
    void SetUpTable();
    TImageButton* ButtonOf(TTableButton Button) const;
    // A player's name as the table writes it.
    QString PlayerName(int Player) const;

    // The handlers: the player's clicks and the betting timer's tick.
    void StartClick();
    void CallClick();
    void FoldClick();
    void FlipClick();
    void FlipAllClick();
    void RulesClick();
    void RulesChartClick();
    void BettingTick();
    void Play(void (TTable::*Move)());
    void ButtonMouseDown(TImageButton* Button, TMouseButton Mouse);
    void ButtonMouseUp(TImageButton* Button);

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
