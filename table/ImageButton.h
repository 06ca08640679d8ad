#pragma once

#include <QImage>

#include "desktop/Image.h"
#include "game/TableDisplay.h"
#include "table/ButtonCaptions.h"

class TImageList;

// One of the table's image buttons: a picture control that knows the caption drawn on
// its skin and what it does, for its looks and for readers. Each of its three looks (a
// skin with the caption in that look's colour) is drawn once, the first time it shows,
// so that start-up draws no more than the looks the table starts with; a look change
// shows one of them. Without a meta-object of its own it stays a TImage to Qt, as the
// accessibility factory finds it.
class TImageButton : public TImage
{
public:
    // Skins: the normal, pressed and disabled skins, by TButtonLook; they outlive the button.
    TImageButton(QWidget* Parent, const TButtonCaption& Caption, const TImageList& Skins);

    // Shows the look now: the game's order needs each change on the screen before it goes on.
    void ShowLook(TButtonLook Look);

    const TButtonCaption& Caption;

private:
    const TImageList& Skins;
    QImage Looks[3];  // by TButtonLook; null until first shown
};
