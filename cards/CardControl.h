#pragma once

#include <cstdint>
#include <functional>

#include "desktop/GraphicControl.h"
#include "game/Card.h"
#include "game/Draw.h"

// One playing card on the table. It draws itself from the named card picture of its
// state, and every write of a drawn property repaints it at once, also unchanged, so
// the deal shows while the thread sleeps. Each card reseeds the table's draw as it is
// made.
class TCardControl : public TGraphicControl
{
    Q_OBJECT
public:
    static constexpr int CardWidth = 71;
    static constexpr int CardHeight = 96;

    explicit TCardControl(const TDraw& Draw);
    ~TCardControl() override;

    // Puts the card on a parent control; it shows there at once.
    void SetParent(QWidget* Parent);

    TCardValue Value() const { return FValue; }
    void SetValue(std::uint8_t Value);  // clamped to 1..13
    TCardSuit Suit() const { return FSuit; }
    void SetSuit(TCardSuit Suit);
    bool FaceDown() const { return FFaceDown; }
    void SetFaceDown(bool FaceDown);
    TCardBack Back() const { return FBack; }
    void SetBack(TCardBack Back);

    // The card as it shows now.
    TCard Shown() const { return {FValue, FSuit, FFaceDown, FBack}; }

    // The name of the picture for the current state: "S1", "D10", "H13", "BK0", ...
    QString PictureName() const;

protected:
    void Paint(QPainter& Painter) override;

private:
    TCardValue FValue = 1;
    TCardSuit FSuit = Hearts;
    TCardBack FBack = PlainBack;
    bool FFaceDown = false;
};
