#include <QApplication>
#include <gtest/gtest.h>

#include "desktop/Application.h"
#include "support/Watches.h"
#include "table/TableAccess.h"

// Widget tests need an application object; with no display they run offscreen.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    InstallTableAccessibility();
    WatchCards();
    return RUN_ALL_TESTS();
}
