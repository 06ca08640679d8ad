#include "desktop/Panel.h"

TPanel::TPanel(QWidget* Parent) : QFrame(Parent), Rest(new QWidget(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    Rest->setObjectName(QStringLiteral("FocusRest"));
    Rest->setGeometry(0, 0, 0, 0);
    Rest->setFocusPolicy(Qt::NoFocus);
    Rest->setAttribute(Qt::WA_TransparentForMouseEvents);
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
    return QFrame::focusNextPrevChild(Next);
}
