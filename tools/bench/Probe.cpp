// Measures the table window from inside the process, on whatever Qt platform is set
// (tools/bench runs it on xcb under Xvfb, so painting goes to a real X server). The game
// runs through its own handlers with seams of this program's own: pauses take no time,
// message boxes are answered at once, and the timer's ticks are given by this program.
//
//   orvanta-bench-probe work HANDS   CPU time of each timer tick while tokens travel, and of
//                                    full repaints of the table with cards, tokens and sheet
//   ... work HANDS a11y              the same while accessibility is active
//   orvanta-bench-probe hands N      memory after start-up, after 100 hands, every 250 and after N
//                                    (hands as a player might play them, from a fixed
//                                    seed: Start, Call or Fold, ticks until the betting
//                                    closes, the flips, now and then the rules chart), and
//                                    whether the input gate was on (it is wherever a
//                                    window system gives the input)
//
// Output: one line per figure, "NAME VALUE..." (times in microseconds, memory in kB).
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <memory>
#include <random>
#include <optional>
#include <vector>

#include "app/NameDialog.h"
#include "desktop/Application.h"
#include "desktop/GraphicControl.h"
#include "desktop/Image.h"
#include "desktop/InputGuard.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "table/TableWindow.h"
#include "table/TableAccess.h"
#include "table/TableTrace.h"
#include "support/TableDriver.h"
#include "support/Watches.h"

namespace {
double ThreadCpuUs()
{
    timespec Now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return Now.tv_sec * 1e6 + Now.tv_nsec / 1e3;
}

void Pump()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool WaitExposed(QWidget* Window)
{
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < 10000) {
        Pump();
        if (Window->windowHandle() && Window->windowHandle()->isExposed())
            return true;
    }
    return false;
}

// A few milliseconds of the event loop, so that everything shown has been painted.
void Settle(int Ms = 100)
{
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < Ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

long StatusKb(const char* Key)
{
    QFile File(QStringLiteral("/proc/self/status"));
    if (!File.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray Wanted = QByteArray(Key) + ':';
    for (const QByteArray& Line : File.readAll().split('\n'))
        if (Line.startsWith(Wanted))
            return Line.mid(Wanted.size()).trimmed().split(' ').first().toLong();
    return -1;
}

void PrintMemory(const char* When)
{
    const struct mallinfo2 Heap = mallinfo2();
    std::printf("memory %s %ld %ld %zu\n", When, StatusKb("VmRSS"), StatusKb("VmHWM"),
                (Heap.uordblks + Heap.hblkhd) / 1024);
    std::fflush(stdout);
}

void PrintStats(const char* Name, std::vector<double> Samples)
{
    if (Samples.empty()) {
        std::printf("%s 0\n", Name);
        return;
    }
    std::sort(Samples.begin(), Samples.end());
    const size_t N = Samples.size();
    const double Median = N % 2 ? Samples[N / 2] : (Samples[N / 2 - 1] + Samples[N / 2]) / 2;
    std::printf("%s %zu %.1f %.1f %.1f\n", Name, N, Samples.front(), Median, Samples.back());
    std::fflush(stdout);
}

// The program's start-up: the table is made, the name dialog shows and is answered,
// then the table shows.
std::unique_ptr<TTableWindow> StartUp()
{
    TTableSeams Seams;
    Seams.Pause = [](int) {};
    Seams.MessageBoxes = [](const TMessageRecord&) { return int(QMessageBox::Ok); };
    Seams.TimerClock = TTimerClock::Held;
    auto Window = std::make_unique<TTableWindow>(std::move(Seams));
    InstallTableAccess(Window.get());
    InstallTableTrace(Window->Game());
    {
        TNameDialog NameDialog(Window.get());
        NameDialog.show();
        WaitExposed(&NameDialog);
        Settle();
        NameDialog.NameEdit->setText(QStringLiteral("Bench"));
        NameDialog.OkClick();
    }
    Window->show();
    if (!WaitExposed(Window.get())) {
        std::fprintf(stderr, "the table window was never exposed\n");
        std::exit(1);
    }
    Settle();
    return Window;
}

struct TTickSamples
{
    std::vector<double> Travel;  // a token moved one step and travels on
    std::vector<double> Arrival;  // a phase ended: arrival or a folded seat passed over
};

// A seat's chip token, by the role it is named after.
TImage* Token(const TTableWindow& Window, int Player)
{
    return Window.findChild<TImage*>(QLatin1String(Seats[Player].Role) + QLatin1String("Token"));
}

// What a click on a part runs, without the button's looks under the mouse: the figures
// are the game's.
void Click(const TTableWindow& Window, TTablePart Part)
{
    emit Window.Control(Part)->Clicked();
    Pump();
}

// Counts the synchronous repaints (update requests delivered at once) of a window.
class TRepaintCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::UpdateRequest)
            ++Count;
        return false;
    }
};

struct TDealSamples
{
    std::vector<double> Wall, Cpu, Repaints;
};

struct TSamples
{
    TTickSamples* Ticks = nullptr;
    TDealSamples* Deals = nullptr;
};

// Plays the window as the tests do (tests/support/TableDriver.h), without the buttons'
// looks under the mouse: the figures are the game's. The event loop runs after each move;
// each tick is timed with the painting it causes, and each deal, when Samples says where.
TTableDriver Driver(TTableWindow& Window, const TSamples& Samples)
{
    TTableDriver::TWays Ways = TTableDriver::WindowWays([&Window]() -> TTableWindow& { return Window; });
    Ways.Play = [&Window, &Samples, Play = Ways.Play, CanPlay = Ways.CanPlay](TTableDriver::TMove Move) {
        const bool Dealing = Samples.Deals && Move == &TTable::NewHand;
        TRepaintCounter Counter;
        if (Dealing)
            Window.installEventFilter(&Counter);
        QElapsedTimer Wall;
        Wall.start();
        const int Phase = Window.Game().Mover();
        const double Start = ThreadCpuUs();
        Play(Move);
        if (Dealing) {
            Samples.Deals->Cpu.push_back(ThreadCpuUs() - Start);
            Samples.Deals->Wall.push_back(Wall.nsecsElapsed() / 1e3);
            Samples.Deals->Repaints.push_back(Counter.Count);
            Window.removeEventFilter(&Counter);
        }
        Pump();
        if (Samples.Ticks && Move == &TTable::BettingTick) {
            const double Used = ThreadCpuUs() - Start;
            const bool Travelling = Window.Game().Mover() == Phase && CanPlay(Move) && Token(Window, Phase)->isVisible();
            (Travelling ? Samples.Ticks->Travel : Samples.Ticks->Arrival).push_back(Used);
        }
    };
    return TTableDriver(std::move(Ways));
}

// One hand in which the user calls whenever it is his turn, then turns all cards over.
void CallingHand(TTableDriver& Drive)
{
    Drive.Deal();
    Drive.PlayCalling();
    Drive.Play(&TTable::FlipAll);
}

// The toolkit's floor for a synchronous repaint: a window of the table's size with one
// opaque 71 x 96 picture control, repainted at once again and again.
class TFloorCard : public QWidget
{
public:
    explicit TFloorCard(QWidget* Parent) : QWidget(Parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(550, 280, 71, 96);
        Picture.fill(Qt::darkGreen);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, Picture); }

private:
    QImage Picture{71, 96, QImage::Format_ARGB32};
};

void RepaintFloor(int Count)
{
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Floor"));
    Window.setGeometry(279, 102, TTableWindow::ClientWidth, TTableWindow::ClientHeight);
    auto* Card = new TFloorCard(&Window);
    Window.show();
    WaitExposed(&Window);
    Settle();
    std::vector<double> Wall, Cpu;
    for (int I = 0; I < Count; ++I) {
        QElapsedTimer Clock;
        Clock.start();
        const double Start = ThreadCpuUs();
        Card->repaint();
        Cpu.push_back(ThreadCpuUs() - Start);
        Wall.push_back(Clock.nsecsElapsed() / 1e3);
    }
    PrintStats("floor-repaint-wall", Wall);
    PrintStats("floor-repaint-cpu", Cpu);
}

int Work(int Hands, bool Reader)
{
    auto Window = StartUp();
    // With a reader, accessibility must be on as a reader turns it on: the caller gives the
    // process an accessibility bus and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
    QElapsedTimer Waited;
    Waited.start();
    while (Reader && !QAccessible::isActive() && Waited.elapsed() < 10000)
        Pump();
    if (Reader && !QAccessible::isActive()) {
        std::fprintf(stderr, "accessibility did not become active\n");
        return 1;
    }
    TSamples Timed;
    TTableDriver Drive = Driver(*Window, Timed);
    CallingHand(Drive);  // warms every path up once
    TTickSamples Samples;
    TDealSamples Deals;
    Timed = {&Samples, &Deals};
    for (int H = 0; H < Hands; ++H)
        CallingHand(Drive);
    Timed = {};
    PrintStats("tick-travel", Samples.Travel);
    PrintStats("tick-arrival", Samples.Arrival);
    PrintStats("deal-wall", Deals.Wall);
    PrintStats("deal-cpu", Deals.Cpu);
    PrintStats("deal-repaints", Deals.Repaints);

    // The fullest table: 12 cards face up, the result sheet with its marker, all tokens.
    for (int Try = 0; Try < 20 && !Window->Control(TTablePart::Sheet)->isVisible(); ++Try)
        CallingHand(Drive);
    for (int P = 1; P <= 4; ++P)
        Token(*Window, P)->show();
    Settle();
    // Every control is marked for painting, then the window repaints at once: each pixel
    // is painted by the topmost opaque control over it, and flushed. (A repaint of the
    // window or the panel alone would paint next to nothing: Qt leaves out what opaque
    // children cover, and the panel, the background and the cards are opaque.)
    const QList<TGraphicControl*> Controls = Window->Panel()->findChildren<TGraphicControl*>();
    std::vector<double> Repaints;
    std::optional<TPaintCount> Painted;
    for (int I = 0; I < 60; ++I) {
        for (QWidget* Control : Window->Panel()->findChildren<QWidget*>())
            Control->update();
        Window->Panel()->update();
        Painted.emplace();
        const double Start = ThreadCpuUs();
        Window->repaint();
        Repaints.push_back(ThreadCpuUs() - Start);
    }
    PrintStats("repaint", Repaints);
    int Visible = 0, PaintedLast = 0;  // in the last repaint
    for (const TGraphicControl* Control : Controls) {
        Visible += Control->isVisible();
        PaintedLast += Painted->Of(Control);
    }
    std::printf("repaint-controls %d %d\n", PaintedLast, Visible);
    std::printf("repaint-sheet %d\n", Window->Control(TTablePart::Sheet)->isVisible() ? 1 : 0);
    Window->hide();
    RepaintFloor(300);
    return 0;
}

int Hands(int Count)
{
    auto Window = StartUp();
    // Whether the window's input gate judges input here: its record is fed by every hand.
    std::printf("gate %d\n", TInputGuard::Of(Window.get()) ? 1 : 0);
    PrintMemory("0");
    const TSamples Untimed;
    TTableDriver Drive = Driver(*Window, Untimed);
    std::mt19937_64 Rng(2024);
    for (int H = 1; H <= Count; ++H) {
        Drive.PlayMixedHand(Rng);
        // The chart from hand 101 on: the first 100 hands measure a player who never opens
        // it (its picture is half a megabyte, decoded once), the growth from hand 250 one who does.
        if (Rng() % 8 == 0 && H > 100) {
            Click(*Window, TTablePart::Rules);
            Click(*Window, TTablePart::Chart);
        }
        if (H == 100 || H == Count || H % 250 == 0) {
            Settle(20);
            PrintMemory(QByteArray::number(H).constData());
        }
    }
    return 0;
}
}

int main(int argc, char** argv)
{
    TApplication Application(argc, argv);
    InstallTableAccessibility();
    const bool Reader = argc == 4 && QByteArray(argv[3]) == "a11y";
    if (argc != 3 && !Reader) {
        std::fprintf(stderr, "usage: %s work HANDS [a11y] | hands N\n", argv[0]);
        return 2;
    }

    const QByteArray Mode = argv[1];
    const int Count = std::max(1, atoi(argv[2]));
    if (Mode == "work")
        return Work(Count, Reader);
    if (Mode == "hands")
        return Hands(Count);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
