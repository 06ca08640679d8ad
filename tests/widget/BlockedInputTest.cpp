// Input that must not act: a press through accessibility while a message box is open,
// and a key press whose release went elsewhere.

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "desktop/Image.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/Watches.h"

class BlockedInputTest : public TTableTest
{
};

TEST_F(BlockedInputTest, APressOnStartWhileTheTieBoxIsOpenChangesNothing)
{
    // Jack and Kate tie with K, 9, 5.
    PlayCalling(JackAndKateTie);
    QAccessibleActionInterface* Start = QAccessible::queryAccessibleInterface(Control(StartButton))->actionInterface();
    ASSERT_TRUE(Start);
    // One press queued just before the box opens and one made inside it; the box's own
    // loop delivers both.
    Start->doAction(QAccessibleActionInterface::pressAction());
    Answering = [&](const TMessageRecord& Record) {
        Messages.push_back(Record);
        Start->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::sendPostedEvents();
        return int(QMessageBox::Ok);
    };
    const int Destroyed = CardsDestroyed;
    emit Control(FlipButton)->Clicked();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Two winners, begin again!");
    EXPECT_EQ(CardsDestroyed, Destroyed) << "a new hand was dealt";
    EXPECT_EQ(Game().Chips(User), 875);
    EXPECT_TRUE(ChipsBalance());
}

TEST_F(BlockedInputTest, AKeyPressWhoseReleaseGoesElsewhereSpringsBackWithoutAClick)
{
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Control(RulesButton)->setFocus();  // Rules
    const QImage Normal = Control(RulesButton)->Picture();
    QTest::keyPress(Window->windowHandle(), Qt::Key_Space);
    ASSERT_FALSE(Control(RulesButton)->Picture() == Normal) << "the pressed look";
    QTest::keyClick(Window->windowHandle(), Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), Control(RulesButton));
    QTest::keyRelease(Window->windowHandle(), Qt::Key_Space);
    EXPECT_TRUE(Control(RulesButton)->Picture() == Normal) << "Rules keeps its pressed look";
    EXPECT_FALSE(Window->Control(TTablePart::Chart)->isVisible());
    EXPECT_EQ(CardsAlive, 0);
    // The next press on Rules is a press again.
    Control(RulesButton)->setFocus();
    QTest::keyPress(Window->windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(Control(RulesButton)->Picture() == Normal) << "a press on Rules is not seen";
    QTest::keyRelease(Window->windowHandle(), Qt::Key_Space);
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
}
