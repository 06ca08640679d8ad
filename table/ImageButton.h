#pragma once

#include "desktop/Image.h"
#include "table/ButtonCaptions.h"

// One of the table's image buttons: a picture control that knows the caption drawn on
// its skin and what it does, for its looks and for readers. Without a meta-object of its
// own it stays a TImage to Qt, as the accessibility factory finds it.
class TImageButton : public TImage
{
public:
    TImageButton(QWidget* Parent, const TButtonCaption& Caption) : TImage(Parent), Caption(Caption) {}

    const TButtonCaption& Caption;
};
