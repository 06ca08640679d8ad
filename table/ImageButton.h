#pragma once

#include <QImage>

#include "desktop/Image.h"
#include "game/TableDisplay.h"
#include "table/ButtonCaptions.h"

class TImageList;

// One of the table's image buttons: a picture control that knows the caption drawn on
// its skin and what it does, for its looks and for readers. Its three looks (a skin with
// the caption in that look's colour) are drawn once, when it is made; a look change
// shows one of them. Without a meta-object of its own it stays a TImage to Qt, as the
// accessibility factory finds it.
class TImageButton : public TImage
{
public:
    // Skins: the normal, pressed and disabled skins, by TButtonLook.
    TImageButton(QWidget* Parent, const TButtonCaption& Caption, const TImageList& Skins);

    // Shows the look now: the game's order needs each change on the screen before it goes on.
    void ShowLook(TButtonLook Look);

    const TButtonCaption& Caption;

private:
    QImage Looks[3];
};
