#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include "desktop/Announcer.h"
#include "support/TableFixture.h"
#include "table/TableKeyboard.h"

// What a screen reader hears of the announcer's lines: every line once however late it
// asks, none lost to a pause, none whose topic has passed; and at the table, where the
// narrator speaks through it.
namespace {
using TLines = std::vector<std::string>;
using TShown = QList<QPointer<QWidget>>;

// As when an assistive tool connects: the platform's accessibility becomes active.
void SetReaderListening(bool On) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(On); }

// A reader, as Orca: it learns of each notification that becomes showing on the window,
// and asks for its name when it gets round to it.
class TReader
{
public:
    explicit TReader(QWidget& Window) : Window(Window) {}
    // The announcements shown since it last looked.
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
    // Asks for their names; a question about one gone finds nothing.
    static TLines Ask(const TShown& Lines)
    {
        TLines Out;
        for (const QPointer<QWidget>& Line : Lines)
            if (Line)
                Out.push_back(QAccessible::queryAccessibleInterface(Line)->text(QAccessible::Name).toStdString());
        return Out;
    }
    // Keeping up: asks at once.
    TLines Hear() { return Ask(Shown()); }

private:
    QWidget& Window;
    TShown Seen;
};
}

class AnnouncerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window.show();
        SetReaderListening(true);
    }
    void TearDown() override { SetReaderListening(false); }

    QWidget Window;
    TAnnouncer Announcer{&Window, nullptr};
    TReader Reader{Window};
};

TEST_F(AnnouncerTest, AReaderThatLagsHearsWhatWaitsTogetherAndNothingTwice)
{
    Announcer.Say({{"Jack calls 20."}});
    EXPECT_EQ(Reader.Hear(), TLines{"Jack calls 20."});
    Announcer.Say({{"Jim folds."}});
    const TShown Late = Reader.Shown();
    Announcer.Say({{"Kate calls 20."}});
    EXPECT_TRUE(Reader.Shown().isEmpty()) << "what waits goes with the next line, on the same announcement";
    EXPECT_EQ(TReader::Ask(Late), TLines{"Jim folds. Kate calls 20."});
    Announcer.PauseBegins();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Reader.Hear().empty()) << "what was asked for is not said again";
}

TEST_F(AnnouncerTest, WhatIsUnreadAtAPauseIsTakenBackAndSaidAfterIt)
{
    Announcer.Say({{"Jim folds."}});
    const TShown Asked = Reader.Shown();
    Announcer.PauseBegins();
    EXPECT_TRUE(TReader::Ask(Asked).empty()) << "a question that times out in the pause finds nothing";
    QCoreApplication::processEvents();
    EXPECT_EQ(Reader.Hear(), TLines{"Jim folds."});

    // A line said before the event loop comes round goes with what was taken back.
    Announcer.Say({{"Kate calls 20."}});
    Announcer.PauseBegins();
    Announcer.Say({{"Your turn."}});
    QCoreApplication::processEvents();
    EXPECT_EQ(Reader.Hear(), TLines{"Kate calls 20. Your turn."});
}

TEST_F(AnnouncerTest, ALineWhoseTopicHasPassedIsDroppedUnlessAskedAndNothingIsSaidToNoReader)
{
    Announcer.Say({{"Kate calls 20."}, {"Your turn.", 1}});
    const TShown Late = Reader.Shown();
    Announcer.Forget(1);
    EXPECT_EQ(TReader::Ask(Late), TLines{"Kate calls 20."});
    Announcer.Say({{"Your turn.", 1}});
    EXPECT_EQ(Reader.Hear(), TLines{"Your turn."});
    SetReaderListening(false);
    Announcer.Say({{"Jack calls 40."}});
    SetReaderListening(true);
    EXPECT_TRUE(Reader.Shown().isEmpty());
}

// At the table the narrator's lines reach the reader in objects no one sees: the same hand
// looks the same with a reader listening as without one. The standing key tells; it
// changes nothing on the table and moves no focus.
class AnnouncerAtTheTableTest : public TTableTest
{
};

TEST_F(AnnouncerAtTheTableTest, AReaderHearsTheTableAndLeavesItAsItLooks)
{
    const auto Play = [this](bool Listening) {
        ShowNewWindow();
        Window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        SetReaderListening(Listening);
        TReader Reader(*Window);
        TLines Heard;
        const auto Hear = [&] {
            for (const std::string& Line : Reader.Hear())
                Heard.push_back(Line);
        };
        StackDeck({{"AS", "AD", "KC"}, {"9H", "9C", "2D"}, {"5H", "3S", "2C"}, {"10D", "10S", "4H"}});
        Window->StartButton->Press();
        Draws.Script = {};
        Hear();
        Window->CallButton->Press();
        TickUntilIdle();
        Hear();
        // Like any key it shows the focus ring, on the focused control.
        QWidget* Focus = QApplication::focusWidget();
        const auto Look = [&] {
            QImage Picture = Window->grab().toImage();
            if (Focus && Focus->window() == Window.get())
                QPainter(&Picture).fillRect(QRect(Focus->mapTo(Window.get(), QPoint()), Focus->size()), Qt::black);
            return Picture;
        };
        const QImage Before = Look();
        QTest::keyClick(Window->windowHandle(), Qt::Key(TTableKeyboard::StandingKey));
        EXPECT_EQ(QApplication::focusWidget(), Focus);
        EXPECT_EQ(Look(), Before);
        Hear();
        SetReaderListening(false);
        return std::pair(Window->grab().toImage(), Heard);
    };
    const auto [Alone, Unheard] = Play(false);
    const auto [Listened, Heard] = Play(true);
    EXPECT_TRUE(Unheard.empty());
    EXPECT_EQ(Heard.size(), 3u) << "the deal; the others' calls and the turn; where the hand stands";
    EXPECT_EQ(Listened, Alone);
}
