#include "desktop/ScreenCursor.h"

#include <QCursor>
#include <QGuiApplication>

// Qt keeps the cursor as a stack of overrides; the table sets one at most.
void SetScreenCursor(TCursor Cursor)
{
    if (Cursor == ScreenCursor())
        return;
    if (Cursor == crHourGlass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

TCursor ScreenCursor()
{
    const QCursor* Override = QGuiApplication::overrideCursor();
    return Override && Override->shape() == Qt::WaitCursor ? crHourGlass : crDefault;
}
