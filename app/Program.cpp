#include "app/Program.h"

#include <memory>

#include "app/NameDialog.h"
#include "desktop/Application.h"
#include "desktop/BenchTrace.h"
#include "desktop/Prepare.h"
#include "table/TableWindow.h"
#include "table/TableAccess.h"

int RunProgram(int Argc, char** Argv)
{
    TApplication Application(Argc, Argv);
    InstallBenchTrace();  // only with ORVANTA_BENCH_TRACE set
    InstallTableAccessibility();
    Application.SetTitle(QStringLiteral("Orvanta"));
    // The launcher's name: Wayland docks and task bars match the window's app id to it.
    Application.setDesktopFileName(QStringLiteral("org.orvanta.Orvanta"));
    Application.setWindowIcon(QIcon(QStringLiteral(":/app/mainicon.png")));

    auto Table = std::make_unique<TTableWindow>();
    {
        // Freed once answered: hidden, it would keep its window's pixels (0.2 MB).
        TNameDialog NameDialog(Table.get());
        // The table's labels are measured and its pictures decoded while the player reads
        // the dialog, once it is on the screen; its buttons have their skins already.
        AfterFirstPaint(&NameDialog, [&Table] { PrepareControls(Table.get()); });
        // Only "退出" ends the program here; the close box goes on to the table.
        if (NameDialog.exec() == TNameDialog::QuitResult)
            return 0;
    }
    Table->show();
    const int Status = Application.exec();
    Table.reset();  // the table frees its cards on destruction
    return Status;
}
