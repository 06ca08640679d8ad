#pragma once

// The program from start-up to exit: the table window, the name dialog, then the
// table until it closes. Returns the exit status.
int RunProgram(int Argc, char** Argv);
