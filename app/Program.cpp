#include "app/Program.h"

#include <cstdio>
#include <memory>
#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "app/NameDialog.h"
#include "app/Translation.h"
#include "desktop/Application.h"
#include "desktop/BenchTrace.h"
#include "desktop/Prepare.h"
#include "table/TableWindow.h"
#include "table/TableAccess.h"
#include "table/TableTooltips.h"
#include "table/TableTrace.h"
#include "sound/TableSound.h"

namespace {
// Qt 6.4's Wayland plugin can hang in its own teardown, more often the busier the machine.
// At each wake-up of the event loop the main thread prepares a read of the connection for
// Qt's event thread to carry out. When the display is torn down before that thread has
// run again, it quits without reading or cancelling, and the frame-callback thread then
// waits in wl_display_read_events for that read forever, as does the display's destructor
// for the thread. Nothing of ours needs the teardown once the table has gone (or the
// player quit at the name dialog): the program writes no files (M's setting is synced as
// it is made, the trace is written unbuffered) and holds nothing the system does not take
// back, so it ends here, the same way on every window system.
[[noreturn]] void EndWithoutTeardown(int Status)
{
#if defined(__SANITIZE_ADDRESS__)
    // _exit skips LeakSanitizer's check at exit. Run it now, while what Qt would have
    // freed is still reachable: what it finds was lost by us, not left to the teardown.
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    _exit(Status);
}
}  // namespace

int RunProgram(int Argc, char** Argv, TProgramEnd End)
{
    TApplication Application(Argc, Argv);
    InstallBenchTrace();  // only with ORVANTA_BENCH_TRACE set
    InstallTableAccessibility();
    const auto Translation = InstallTranslation();  // the desktop's language, for readers
    Application.SetTitle(QStringLiteral("Orvanta"));
    // The launcher's name: Wayland docks and task bars match the window's app id to it.
    Application.setDesktopFileName(QStringLiteral("org.orvanta.Orvanta"));
    Application.setWindowIcon(QIcon(QStringLiteral(":/app/mainicon.png")));

    auto Window = std::make_unique<TTableWindow>();
    InstallTableAccess(Window.get());
    InstallTableTrace(Window->Game());
    InstallTableTooltips(*Window);
    auto* Sound = InstallTableSound(Window.get(), Window->Game(), Application.arguments().contains(QStringLiteral("--mute")));
    {
        // Freed once answered: hidden, it would keep its window's pixels (0.2 MB).
        TNameDialog NameDialog(Window.get());
        // The table's labels are measured and its pictures decoded while the player reads
        // the dialog, once it is on the screen; its buttons have their skins already.
        // The sounds get ready in the background, then.
        AfterFirstPaint(&NameDialog, [&Window, Sound] {
            PrepareControls(Window.get());
            Sound->Start();
        });
        // Only "退出" ends the program here; the close box goes on to the table.
        if (NameDialog.exec() == TNameDialog::QuitResult) {
            if (End == TProgramEnd::Exit)
                EndWithoutTeardown(0);
            return 0;
        }
    }
    Window->show();
    const int Status = Application.exec();
    Window.reset();  // the window frees its cards on destruction
    if (End == TProgramEnd::Exit)
        EndWithoutTeardown(Status);
    return Status;
}
