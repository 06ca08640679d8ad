#include "desktop/ScreenCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
TCursor Current = crDefault;
}

void SetScreenCursor(TCursor Cursor)
{
    if (Cursor == Current)
        return;
    if (Cursor == crHourGlass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    Current = Cursor;
}

TCursor ScreenCursor() { return Current; }
