#include "cards/CardControl.h"
#include "desktop/Panel.h"
#include "desktop/Random.h"
#include "desktop/Sleep.h"
#include "game/TableState.h"
#include "table/TableWindow.h"

namespace {
constexpr int PileLeft = 550, PileTop = 280, PileStep = 3;
constexpr int ShuffleSwaps = 163;
constexpr int DealPauseMs = 100, LayoutPauseMs = 10;

struct TSeat
{
    int BaseLeft, Top;
    bool FaceUp;
};
// By player index: the user, Jack, Jim, Kate.
constexpr TSeat SeatOf[5] = {{}, {550, 460, true}, {860, 280, false}, {550, 100, false}, {240, 280, false}};
}

void TTableWindow::CreateCards()
{
    for (int S = 0; S <= 3; ++S) {
        for (int V = 1; V <= 13; ++V) {
            auto* Card = new TCardControl(this);
            Cards[S * 13 + V] = Card;
            Card->SetParent(Panel);
            Card->move(PileLeft, PileTop);
            Card->SetShowDeck(true);
            Card->SetValue(V);
            Card->SetSuit(TCardSuit(S));
        }
    }
}

void TTableWindow::ShuffleDeck()
{
    for (int I = 0; I <= 52; ++I)
        DeckOrder[I] = I;
    RandomizeFromClock();
    for (int Step = 0; Step < ShuffleSwaps; ++Step) {
        const int A = RandomBelow(52) + 1;
        const int B = RandomBelow(52) + 1;
        if (A != B)
            std::swap(DeckOrder[A], DeckOrder[B]);
    }
    for (int I = 1; I <= 52; ++I) {
        TCardControl* Card = Cards[DeckOrder[I]];
        Card->move(PileLeft - PileStep * I, PileTop);
        Card->BringToFront();
        Card->Repaint();
    }
}

void TTableWindow::DealHands()
{
    DealRow(LeftRow);
    DealRow(MiddleRow);
    DealRow(RightRow);
    for (int I = 40; I >= 1; --I)
        if (Cards[DeckOrder[I]])
            Cards[DeckOrder[I]]->hide();
    for (int P = 1; P <= 4; ++P)
        Scores[P] = TakeHand(SeatCount, LeftRow, SeatOffset(P), SeatOf[P].BaseLeft, SeatOf[P].Top);
}

void TTableWindow::DealRow(int Row)
{
    for (int P = 1; P <= 4; ++P) {
        const TSeat& Seat = SeatOf[P];
        TCardControl* Card = SeatCard(P, Row);
        Card->move(Seat.BaseLeft - CardSpacing * Row, Seat.Top);
        Card->SetShowDeck(!Seat.FaceUp);
        Card->BringToFront();
        Card->Repaint();
        Sleep(DealPauseMs);
    }
}

double TTableWindow::TakeHand(int Seats, int First, int Offset, int BaseLeft, int Top)
{
    // The game deals to every seat; the seat count only ever equals SeatCount.
    Q_ASSERT(Seats == SeatCount);
    for (int R = First; R >= First - 2; --R) {
        TCardControl* Card = Cards[DeckOrder[DeckPosition(R, Offset)]];
        EvalCards[R - First + 2] = Card;
        EvalValues[R - First + 2] = Rank(Card);
    }
    SortHand();
    for (int R = First; R >= First - 2; --R) {
        TCardControl* Card = EvalCards[R - First + 2];
        Cards[DeckOrder[DeckPosition(R, Offset)]] = Card;
        Card->move(BaseLeft - CardSpacing * R, Top);
        Card->BringToFront();
        Card->Repaint();
        Sleep(LayoutPauseMs);
        EvalValues[R - First + 2] = Rank(Card);
    }
    return ScoreHand();
}

void TTableWindow::FreeCards()
{
    for (int K = 1; K <= 52; ++K) {
        delete Cards[K];
        Cards[K] = nullptr;
    }
}
