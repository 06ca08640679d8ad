#include "cards/CardControl.h"
#include "desktop/Panel.h"
#include "table/TableWindow.h"

// Where the game's cards lie: the pile the deck is made and fanned on, and each seat's
// hand (Seats), left of its base by the card spacing times the row.
namespace {
constexpr int PileLeft = 550, PileTop = 280, PileStep = 3;
}

void TTableWindow::FreeCards()
{
    for (TCardControl*& Card : Cards) {
        delete Card;
        Card = nullptr;
    }
}

void TTableWindow::CreateCard(const TCard& Card)
{
    auto* Control = new TCardControl(Seams.Draw);
    Cards[Card.Id()] = Control;
    Control->SetParent(Panel);
    Control->move(PileLeft, PileTop);
    Control->SetFaceDown(Card.FaceDown);
    Control->SetValue(Card.Value);
    Control->SetSuit(Card.Suit);
}

void TTableWindow::StackCard(const TCard& Card, int Position)
{
    TCardControl* Control = Cards[Card.Id()];
    Control->move(PileLeft - PileStep * Position, PileTop);
    Control->raise();
    Control->Repaint();
}

void TTableWindow::DealCard(const TCard& Card, int Player, int Row) { PlaceCard(Card, Player, Row, true); }

void TTableWindow::HideCard(const TCard& Card) { Cards[Card.Id()]->hide(); }

void TTableWindow::LayCard(const TCard& Card, int Player, int Row) { PlaceCard(Card, Player, Row, false); }

// Card moved to Row of Player's seat and painted on top; dealt, it lies as Card says.
void TTableWindow::PlaceCard(const TCard& Card, int Player, int Row, bool Dealt)
{
    TCardControl* Control = Cards[Card.Id()];
    Control->move(Seats[Player].Hand.x() - CardSpacing * Row, Seats[Player].Hand.y());
    if (Dealt)
        Control->SetFaceDown(Card.FaceDown);
    Control->raise();
    Control->Repaint();
}

void TTableWindow::TurnCard(const TCard& Card) { Cards[Card.Id()]->SetFaceDown(Card.FaceDown); }

void TTableWindow::PileHand(const TCard& Left, const TCard& Middle, const TCard& Right)
{
    for (const TCard* Card : {&Left, &Middle, &Right})
        Cards[Card->Id()]->SetBack(Card->Back);
    const int MiddleLeft = Cards[Middle.Id()]->x();
    TCardControl* LeftCard = Cards[Left.Id()];
    TCardControl* RightCard = Cards[Right.Id()];
    LeftCard->move(MiddleLeft - 1, LeftCard->y());
    RightCard->move(MiddleLeft + 1, RightCard->y());
}

void TTableWindow::SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right)
{
    const int MiddleLeft = Cards[Middle.Id()]->x();
    TCardControl* LeftCard = Cards[Left.Id()];
    TCardControl* RightCard = Cards[Right.Id()];
    LeftCard->move(MiddleLeft - CardSpacing, LeftCard->y());
    RightCard->move(MiddleLeft + CardSpacing, RightCard->y());
}
