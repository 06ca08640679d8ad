#pragma once

#include <cstdint>
#include <functional>

#include "desktop/GraphicControl.h"
#include "game/Card.h"

// One playing card on the table. It draws itself from the named card picture of its
// state, and every write of a drawn property repaints it at once, also unchanged, so
// the deal shows while the thread sleeps.
class TCardControl : public TGraphicControl
{
    Q_OBJECT
public:
    static constexpr int CardWidth = 71;
    static constexpr int CardHeight = 96;

    explicit TCardControl(QObject* Owner);
    ~TCardControl() override;

    // Puts the card on a parent control; it shows there at once.
    void SetParent(QWidget* Parent);

    TCardValue Value() const { return FValue; }
    void SetValue(std::uint8_t Value);  // clamped to 1..13
    TCardSuit Suit() const { return FSuit; }
    void SetSuit(TCardSuit Suit);
    bool ShowDeck() const { return FShowDeck; }
    void SetShowDeck(bool ShowDeck);
    bool Selected() const { return FSelected; }
    void SetSelected(bool Selected) { FSelected = Selected; }
    TDecks DeckType() const { return FDeckType; }
    void SetDeckType(TDecks DeckType);

    // The card as it shows now.
    TCard Shown() const { return {FValue, FSuit, FShowDeck, FDeckType}; }

    // The name of the picture for the current state: "S1", "D10", "H13", "BK0", ...
    QString PictureName() const;

protected:
    void Paint(QPainter& Painter) override;

private:
    TCardValue FValue = 1;
    TCardSuit FSuit = Hearts;
    TDecks FDeckType = Back1;
    bool FShowDeck = false;
    bool FSelected = false;
};

// Tests watch the cards come and go: the watcher hears +1 for each card control made
// and -1 for each one destroyed. An empty function removes it.
using TCardWatch = std::function<void(int Change)>;
void SetCardWatch(TCardWatch Watch);
