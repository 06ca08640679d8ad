#include "support/TestApplication.h"
#include "support/Watches.h"
#include "table/TableAccess.h"

int main(int argc, char** argv)
{
    return RunTests(argc, argv, [] {
        InstallTableAccessibility();
        WatchCards();
    });
}
