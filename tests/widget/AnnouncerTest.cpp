#include <QApplication>
#include <QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include "desktop/Announcer.h"
#include "desktop/Image.h"
#include "support/TableFixture.h"
#include "table/TableKeyboard.h"

// What a screen reader hears of the announcer's lines: every line once however late it
// asks, none lost to a pause, none whose topic has passed; and at the table.
namespace {
using TLines = std::vector<std::string>;
using TShown = QList<QPointer<QWidget>>;

// As when an assistive tool connects: the platform's accessibility becomes active.
void SetReaderListening(bool On) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(On); }

// A reader, as Orca: it learns of each notification that becomes showing on Window, and
// asks for its name when it gets round to it; a question about one gone finds nothing.
struct TReader
{
    TShown Shown()
    {
        TShown New;
        for (QWidget* Line : Window.findChildren<QWidget*>())
            if (Line->isVisible() && !Seen.contains(Line) &&
                QAccessible::queryAccessibleInterface(Line)->role() == QAccessible::Notification)
                New << Line;
        Seen += New;
        return New;
    }
    static TLines Ask(const TShown& Lines)
    {
        TLines Out;
        for (const QPointer<QWidget>& Line : Lines)
            if (Line)
                Out.push_back(QAccessible::queryAccessibleInterface(Line)->text(QAccessible::Name).toStdString());
        return Out;
    }
    QWidget& Window;
    TShown Seen;
};
}

TEST(AnnouncerTest, EveryLineOnceHoweverLateTheReaderAsksNoneLostToAPauseNoneThatHasPassed)
{
    QWidget Window;
    Window.show();
    TAnnouncer Announcer(&Window, nullptr);
    TReader Reader{Window};
    SetReaderListening(true);
    Announcer.Say({{"Jack calls 20."}});
    EXPECT_EQ(TReader::Ask(Reader.Shown()), TLines{"Jack calls 20."});
    Announcer.Say({{"Jim folds."}});
    const TShown Late = Reader.Shown();
    Announcer.Say({{"Kate calls 20."}, {"Your turn.", 1}});
    EXPECT_TRUE(Reader.Shown().isEmpty()) << "what waits goes with the next line, on the same announcement";
    Announcer.Forget(1);
    Announcer.PauseBegins();
    EXPECT_TRUE(TReader::Ask(Late).empty()) << "a question that times out in the pause finds nothing";
    QCoreApplication::processEvents();
    EXPECT_EQ(TReader::Ask(Reader.Shown()), TLines{"Jim folds. Kate calls 20."}) << "said after the pause, less the turn";
    // A line said before the event loop comes round goes with what was taken back.
    Announcer.Say({{"Jack calls 40."}});
    Announcer.PauseBegins();
    Announcer.Say({{"Kate calls 40."}});
    QCoreApplication::processEvents();
    EXPECT_EQ(TReader::Ask(Reader.Shown()), TLines{"Jack calls 40. Kate calls 40."});
    SetReaderListening(false);
}

// At the table the narrator's lines reach the reader in objects no one sees: the same hand
// looks the same with a reader listening as without one. The standing key tells; it
// changes nothing on the table and moves no focus.
using AnnouncerAtTheTableTest = TTableTest;

TEST_F(AnnouncerAtTheTableTest, AReaderHearsTheTableAndLeavesItAsItLooks)
{
    const auto Play = [this](bool Listening) {
        ShowNewWindow();
        Window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        SetReaderListening(Listening);
        TReader Reader{*Window};
        size_t Heard = 0;
        const auto Hear = [&] { Heard += TReader::Ask(Reader.Shown()).size(); };
        StackDeck(AcesWin);
        Control(StartButton)->Press();
        Draws.Script = {};
        Control(CallButton)->Press();
        TickUntilIdle();
        Hear();
        // Like any key it shows the focus ring: that first.
        QWidget* Focus = QApplication::focusWidget();
        QTest::keyClick(Window->windowHandle(), Qt::Key(TTableKeyboard::StandingKey));
        const QImage Before = Window->grab().toImage();
        Hear();
        QTest::keyClick(Window->windowHandle(), Qt::Key(TTableKeyboard::StandingKey));
        EXPECT_EQ(QApplication::focusWidget(), Focus);
        EXPECT_EQ(Window->grab().toImage(), Before);
        Hear();
        SetReaderListening(false);
        return std::pair(Window->grab().toImage(), Heard);
    };
    const auto [Alone, Unheard] = Play(false);
    const auto [Listened, Heard] = Play(true);
    EXPECT_EQ(Unheard, 0u);
    EXPECT_EQ(Heard, 3u) << "the deal, the others' calls and the turn, read late in one; where the hand stands, twice";
    EXPECT_EQ(Listened, Alone);
}
