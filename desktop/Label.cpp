#include "desktop/Label.h"

TLabel::TLabel(QWidget* Parent) : QLabel(Parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
    setIndent(0);
}

void TLabel::SetCaption(const QString& Caption)
{
    setText(Caption);
    Fit();
}

void TLabel::SetFont(const QFont& Font, const QColor& Colour)
{
    setFont(Font);
    QPalette Palette = palette();
    Palette.setColor(QPalette::WindowText, Colour);
    setPalette(Palette);
    Fit();
}

void TLabel::Fit()
{
    Unmeasured = true;
    if (isVisible())
        Measure();
}

void TLabel::Measure()
{
    if (!Unmeasured)
        return;
    Unmeasured = false;
    adjustSize();
}

void TLabel::showEvent(QShowEvent* Event)
{
    Measure();
    QLabel::showEvent(Event);
}
