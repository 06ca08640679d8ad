// The game's own pause on a real X display with a screen reader's buses up
// (tests/slow/real-pause.sh starts them): while it pauses, a timer, a posted click, a click
// on the screen and the window's close request all wait, and the reader's questions over
// AT-SPI are answered. Offscreen there is no accessibility bridge, so only here can a pause
// that runs the event loop, or one that answers nothing, be told from the right one.
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>
#include <vector>

#include "table/TableSeams.h"

namespace {
// Folded Jim's pause, the game's longest: time enough to be asked a few times.
constexpr int PauseMs = 1000;
// A reader drops what it was saying when a question waits longer.
constexpr qint64 ReaderPatienceNs = 800'000'000;
// What the screen's click and close request leave the pause, at least, to reach the
// program while it still pauses.
constexpr qint64 SentBeforeEndNs = 200'000'000;

// The clock the asking process writes its times in (CLOCK_MONOTONIC, as Python's).
qint64 Now()
{
    return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1);
}

// A frame, as a reader sees the table's window, that records its close requests and
// refuses them, as the table's close query may.
class TWatchedWindow : public QMainWindow
{
public:
    std::vector<qint64> Closes;

protected:
    void closeEvent(QCloseEvent* Event) override
    {
        Closes.push_back(Now());
        Event->ignore();
    }
};

// The close request a window manager sends (WM_DELETE_WINDOW), from a connection of our
// own; it returns once the server has passed it on to the window's owner, so that it
// surely comes while the pause lasts.
void AskToClose(xcb_window_t Window)
{
    xcb_connection_t* X = xcb_connect(nullptr, nullptr);
    auto Atom = [X](const char* Name) {
        xcb_intern_atom_reply_t* Reply =
            xcb_intern_atom_reply(X, xcb_intern_atom(X, 0, uint16_t(std::strlen(Name)), Name), nullptr);
        const xcb_atom_t Found = Reply ? Reply->atom : XCB_ATOM_NONE;
        std::free(Reply);
        return Found;
    };
    const xcb_client_message_event_t Request{.response_type = XCB_CLIENT_MESSAGE, .format = 32, .window = Window,
        .type = Atom("WM_PROTOCOLS"), .data = {.data32 = {Atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME}}};
    xcb_send_event(X, 0, Window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&Request));
    std::free(xcb_get_input_focus_reply(X, xcb_get_input_focus(X), nullptr));
    xcb_disconnect(X);
}

void PostClick(QWidget* Control)
{
    const QPointF At = QRectF(Control->rect()).center();
    for (QEvent::Type Type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(Control, new QMouseEvent(Type, At, Control->mapToGlobal(At), Qt::LeftButton,
                                                             Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                             Qt::NoModifier));
}

// The asking process's calls that were answered, as (began, ended) (tools/bench/answers.py --ask).
std::vector<std::pair<qint64, qint64>> ReadCalls(const QString& Path)
{
    QFile File(Path);
    std::vector<std::pair<qint64, qint64>> Calls;
    if (!File.open(QIODevice::ReadOnly))
        return Calls;
    while (!File.atEnd()) {
        const QList<QByteArray> Fields = File.readLine().simplified().split(' ');
        if (Fields.size() == 3 && Fields[2].toInt() >= 0)
            Calls.push_back({Fields[0].toLongLong(), Fields[1].toLongLong()});
    }
    return Calls;
}
}

TEST(RealPause, HoldsTheGameAndAnswersTheReader)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run by tests/slow/real-pause.sh, on X";
    TWatchedWindow Window;
    Window.resize(300, 80);
    auto* Inside = new QWidget(&Window);
    Window.setCentralWidget(Inside);
    auto* Posted = new QPushButton("Posted", Inside);
    auto* Screen = new QPushButton("Screen", Inside);
    Posted->setGeometry(10, 10, 130, 50);
    Screen->setGeometry(160, 10, 130, 50);
    std::vector<qint64> Ticks, PostedClicks, ScreenClicks;
    QObject::connect(Posted, &QPushButton::clicked, [&] { PostedClicks.push_back(Now()); });
    QObject::connect(Screen, &QPushButton::clicked, [&] { ScreenClicks.push_back(Now()); });
    Window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
        << "the accessibility bridge never came up: is the accessibility bus there?";

    // A second process asks the window for its extents over AT-SPI back to back, as a
    // reader asks, and writes down when each call went out and when it was answered.
    const QString CallsPath = QDir::temp().filePath(QString("orvanta-pause-calls-%1").arg(QCoreApplication::applicationPid()));
    QProcess Asker;
    Asker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Asker.start("/usr/bin/python3", {"-I", ORVANTA_ASKER, "--ask", QString::number(QCoreApplication::applicationPid()), CallsPath});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Asker.canReadLine() || Asker.state() == QProcess::NotRunning; }, 30000));
    ASSERT_EQ(Asker.readLine().trimmed(), "ready") << "the asking process did not find the window over AT-SPI";

    QTimer Ticker;
    Ticker.setInterval(50);
    QObject::connect(&Ticker, &QTimer::timeout, [&] { Ticks.push_back(Now()); });
    Ticker.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ticks.size() >= 2; }, 5000));

    // The pause runs in a handler, as the game's do, with a click already posted; a click
    // on the screen and a close request come while it lasts.
    const QPoint OnScreen = Screen->mapToGlobal(Screen->rect().center());
    const auto Id = xcb_window_t(Window.winId());
    std::atomic<qint64> Sent = 0;
    qint64 Begin = 0, End = 0;
    QTimer::singleShot(0, &Window, [&] {
        PostClick(Posted);
        std::thread Sender([&] {
            const QByteArray Click = QString("xdotool mousemove %1 %2 click 1").arg(OnScreen.x()).arg(OnScreen.y()).toLocal8Bit();
            if (std::system(Click.constData()) == 0) {
                AskToClose(Id);
                Sent = Now();
            }
        });
        Begin = Now();
        TTableSeams{}.Pause(PauseMs);
        End = Now();
        Sender.join();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return End != 0; }, 10000));
    // The event loop runs again: what waited acts now.
    QTest::qWait(300);
    // It stops between two calls: the loop goes on answering until it has.
    Asker.terminate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Asker.state() == QProcess::NotRunning; }, 10000));
    const auto Calls = ReadCalls(CallsPath);
    QFile::remove(CallsPath);

    EXPECT_GE(End - Begin, PauseMs * 1'000'000LL) << "the pause ended early";
    ASSERT_NE(Sent.load(), 0) << "xdotool could not click";
    ASSERT_LT(Sent.load(), End - SentBeforeEndNs) << "the click and close request came too late to test the pause (a loaded machine?)";

    EXPECT_EQ(std::count_if(Ticks.begin(), Ticks.end(), [&](qint64 T) { return T > Begin && T < End; }), 0)
        << "ticks inside the pause";
    EXPECT_GT(Ticks.back(), End) << "the timer stopped";
    // Each waited its turn, and acted once the pause was over.
    const auto ActsAfter = [&](const std::vector<qint64>& Acted, const char* What) {
        ASSERT_EQ(Acted.size(), 1u) << What << " was lost";
        EXPECT_GE(Acted[0], End) << What << " acted " << (Acted[0] - Begin) / 1'000'000 << " ms into the pause";
    };
    ActsAfter(PostedClicks, "the posted click");
    ActsAfter(ScreenClicks, "the click on the screen");
    ActsAfter(Window.Closes, "the close request");

    long Answered = 0;
    qint64 Longest = 0;
    for (const auto& [Began, Ended] : Calls)
        if (Began > Begin && Began < End) {
            Answered += Ended < End;
            Longest = std::max(Longest, Ended - Began);
        }
    EXPECT_GE(Answered, 3) << "the reader's questions were not answered inside the pause";
    EXPECT_LT(Longest, ReaderPatienceNs) << "a question asked inside the pause waited " << Longest / 1'000'000 << " ms";
    std::cout << Calls.size() << " questions, " << Answered << " answered inside the pause, the longest inside it waited "
              << Longest / 1'000'000 << " ms\n";
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication App(argc, argv);
    return RUN_ALL_TESTS();
}
