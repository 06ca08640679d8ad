#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "desktop/Application.h"

// A test program's main: the program's application object (offscreen when no platform is
// set), Ready run once it exists, then every test.
inline int RunTests(int argc, char** argv, const std::function<void()>& Ready = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication App(argc, argv);
    if (Ready)
        Ready();
    return RUN_ALL_TESTS();
}
