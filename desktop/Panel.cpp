#include "desktop/Panel.h"

#include <QPainter>

TPanel::TPanel(QWidget* Parent) : QWidget(Parent), Rest(new QWidget(this))
{
    setAutoFillBackground(true);
    Rest->setObjectName(QStringLiteral("FocusRest"));
    Rest->setGeometry(0, 0, 0, 0);
    Rest->setFocusPolicy(Qt::NoFocus);
    Rest->setAttribute(Qt::WA_TransparentForMouseEvents);
}

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

bool TPanel::focusNextPrevChild(bool Next)
{
    // A control that is disabled or hidden while it holds the keyboard focus leaves the
    // focus at the panel's resting spot: passing it on would let the next key act on a
    // control the player never chose (after Call, that would be Start, which abandons the
    // hand). With no focus at all, the window would hand it to its first control when next
    // activated.
    QWidget* Focus = window()->focusWidget();
    if (Focus && Focus != this && Focus != Rest && isAncestorOf(Focus) &&
        (!Focus->isEnabled() || !Focus->isVisibleTo(this))) {
        Rest->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(Next);
}
