#include <QPainter>

#include "desktop/Drawing.h"
#include "table/ImageButton.h"
#include "table/TableWindow.h"

std::array<TImageButton*, 6> TTableWindow::Buttons() const { return {StartButton, RulesButton, CallButton, FoldButton, FlipButton, FlipAllButton}; }

void TTableWindow::ShowListImage(const TImageList& List, int Index, TImage* Control)
{
    Control->SetTransparent(true);
    Control->SetAutoSize(true);
    Control->SetPicture(List.Image(Index));
    Control->Repaint();
}

void TTableWindow::SetLook(TImageButton* Button, TButtonLook Look)
{
    ShowListImage(ButtonSkins, Look, Button);
    // The caption goes into the button's picture, so it lasts until the next skin.
    const TButtonCaption& C = Button->Caption;
    QImage Picture = Button->Picture().convertToFormat(QImage::Format_ARGB32);
    {
        QPainter Canvas(&Picture);
        Canvas.setFont(PointFont(QStringLiteral("MS Sans Serif"), CaptionPoints, true));
        Canvas.setPen(QColor::fromRgb(CaptionRgb[Look]));
        TextOut(Canvas, CaptionX, C.Y, QString::fromUtf8(C.Caption));
    }
    Button->SetPicture(Picture);
    Button->Repaint();
}

void TTableWindow::SetButton(TImageButton* Button, TButtonLook Look, bool Enabled)
{
    SetLook(Button, Look);
    Button->setEnabled(Enabled);
}

void TTableWindow::ButtonMouseDown(QObject* Sender, TMouseButton Button)
{
    if (Button == mbLeft)
        SetLook(static_cast<TImageButton*>(Sender), blPressed);
}

void TTableWindow::ButtonMouseUp(QObject* Sender, TMouseButton)
{
    // Start and Rules spring back on release. The betting buttons leave their look to
    // the game: a click has already set it, and a press released outside keeps
    // the pressed look until the game next sets one.
    if (Sender == StartButton || Sender == RulesButton)
        SetLook(static_cast<TImageButton*>(Sender), blNormal);
}

TImageButton* TTableWindow::ButtonOf(TTableButton Button) const
{
    switch (Button) {
    case TTableButton::Start: return StartButton;
    case TTableButton::Call: return CallButton;
    case TTableButton::Fold: return FoldButton;
    case TTableButton::Flip: return FlipButton;
    case TTableButton::FlipAll: return FlipAllButton;
    }
    return nullptr;
}

void TTableWindow::SetLook(TTableButton Button, TButtonLook Look) { SetLook(ButtonOf(Button), Look); }
void TTableWindow::EnableButton(TTableButton Button, bool Enabled) { ButtonOf(Button)->setEnabled(Enabled); }
void TTableWindow::SetButton(TTableButton Button, TButtonLook Look, bool Enabled) { SetButton(ButtonOf(Button), Look, Enabled); }
