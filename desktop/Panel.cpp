#include "desktop/Panel.h"

#include <QPainter>

TPanel::TPanel(QWidget* Parent) : QWidget(Parent) { setAutoFillBackground(true); }

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    const QRect R = rect();
    Painter.setPen(palette().color(QPalette::Light));
    Painter.drawLine(R.topLeft(), R.topRight());
    Painter.drawLine(R.topLeft(), R.bottomLeft());
    Painter.setPen(palette().color(QPalette::Dark));
    Painter.drawLine(R.bottomLeft(), R.bottomRight());
    Painter.drawLine(R.topRight(), R.bottomRight());
}
