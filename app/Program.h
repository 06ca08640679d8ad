#pragma once

// How the process ends once the table has closed.
enum class TProgramEnd
{
    Return,  // RunProgram returns and Qt tears itself down, as the tests need
    Exit,    // the process ends there and then, without Qt's teardown (see Program.cpp)
};

// The program from start-up to exit: the table window, the name dialog, then the
// table until it closes. Returns the exit status.
int RunProgram(int Argc, char** Argv, TProgramEnd End = TProgramEnd::Return);
