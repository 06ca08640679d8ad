#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/NameDialog.h"
#include "cards/CardControl.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/Table.h"
#include "support/TableFixture.h"
#include "support/TableView.h"
#include "support/Watches.h"

namespace {
const QRgb White = 0xFFFFFF;

// Presses the left button on a control and lets it go elsewhere.
void PressAndLeave(QWidget* Control)
{
    QTest::mousePress(Control, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(Control, Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
}
}

class TableWindowTest : public TTableTest
{
protected:
    // A button's look and state as the player sees them: "normal, usable", ...
    std::string Look(const char* Button) const { return ReadTable(*Window, {}).at(std::string("button ") + Button); }
};

TEST_F(TableWindowTest, StartsWithTheDesignLayout)
{
    EXPECT_EQ(Window->windowTitle(), "Orvanta");
    EXPECT_EQ(Window->size(), QSize(856, 645));
    EXPECT_EQ(Window->Panel()->geometry(), QRect(0, 0, 856, 645));
    EXPECT_EQ(Named("Background")->geometry(), QRect(1, 1, 854, 643));
    const struct
    {
        QWidget* Control;
        QRect Geometry;
    } Expected[] = {
        {Named("UserPortrait"), {360, 564, 40, 40}}, {Named("KatePortrait"), {34, 224, 40, 40}}, {Named("JimPortrait"), {360, 40, 40, 40}},
        {Named("JackPortrait"), {682, 224, 40, 40}}, {Control(StartButton), {88, 464, 100, 32}}, {Control(RulesButton), {88, 496, 100, 32}},
        {Control(CallButton), {640, 464, 100, 32}}, {Control(FoldButton), {640, 496, 100, 32}}, {Control(FlipButton), {640, 528, 100, 32}},
        {Control(FlipAllButton), {640, 560, 100, 32}}, {Window->Control(TTablePart::Sheet), {288, 240, 278, 185}}, {Named("UserStake"), {392, 424, 65, 33}},
        {Named("JackStake"), {504, 331, 49, 33}}, {Named("JimStake"), {392, 248, 65, 33}}, {Named("KateStake"), {272, 331, 57, 33}},
        {Named("SheetTemplate"), {536, 24, 273, 176}}, {Window->Control(TTablePart::Chart), {200, 136, 433, 325}},
        {Named("UserToken"), {408, 450, 24, 23}}, {Named("JackToken"), {580, 330, 24, 23}}, {Named("JimToken"), {408, 184, 24, 23}},
        {Named("KateToken"), {228, 330, 24, 23}},
    };
    for (const auto& E : Expected)
        EXPECT_EQ(E.Control->geometry(), E.Geometry) << E.Control->metaObject()->className();
    EXPECT_EQ(Named("WinnerMarker")->size(), QSize(24, 24));
    EXPECT_EQ(Named<TLabel>("UserMoney")->pos(), QPoint(424, 592));
    EXPECT_EQ(Named<TLabel>("UserName")->pos(), QPoint(416, 568));
    EXPECT_EQ(Named<TLabel>("JackName")->pos(), QPoint(744, 224));

    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(Named<TLabel>(SeatName[P] + QStringLiteral("Money"))->text(), "1000");
    EXPECT_EQ(Named<TLabel>("UserName")->text(), "?");
    EXPECT_EQ(Named<TLabel>("JackName")->text(), "Jack");
    EXPECT_EQ(Named<TLabel>("JimName")->text(), "Jim");
    EXPECT_EQ(Named<TLabel>("KateName")->text(), "Kate");

    for (QWidget* Hidden : std::initializer_list<QWidget*>{Named("UserToken"), Named("JackToken"), Named("JimToken"), Named("KateToken"),
                                                           Window->Control(TTablePart::Sheet), Named("SheetTemplate"), Named("WinnerMarker"), Window->Control(TTablePart::Chart)})
        EXPECT_FALSE(Hidden->isVisible());
    for (QWidget* Shown : std::initializer_list<QWidget*>{Named("Background"), Named("JackPortrait"), Named("JimPortrait"),
                                                          Named("KatePortrait"), Named("UserPortrait"), Named("UserStake"),
                                                          Named<TLabel>("UserMoney"), Named<TLabel>("KateName"), Control(StartButton),
                                                          Control(FlipAllButton)})
        EXPECT_TRUE(Shown->isVisible());
    EXPECT_EQ(CardsAlive, 0);
    EXPECT_TRUE(Timer()->Enabled());
    EXPECT_EQ(Timer()->Interval(), 50);

    const QList<QWidget*> Order = {
        Named("Background"),
        Named("UserStake"), Named("JackStake"), Named("JimStake"), Named("KateStake"),
        Named<TLabel>("UserMoney"), Named<TLabel>("JackMoney"), Named<TLabel>("JimMoney"), Named<TLabel>("KateMoney"),
        Named<TLabel>("UserName"), Named<TLabel>("JackName"), Named<TLabel>("JimName"), Named<TLabel>("KateName"),
        Named("SheetTemplate"), Named("WinnerMarker"), Window->Control(TTablePart::Chart), Control(StartButton), Control(RulesButton),
        Named("UserPortrait"), Named("JimPortrait"), Named("JackPortrait"), Named("KatePortrait"), Window->Control(TTablePart::Sheet),
        Control(CallButton), Control(FoldButton), Control(FlipButton), Control(FlipAllButton),
        Named("UserToken"), Named("JackToken"), Named("JimToken"), Named("KateToken")};
    EXPECT_EQ(Stacking(Window->Panel()), Order);
}

TEST_F(TableWindowTest, ButtonsStartInTheirLooks)
{
    for (const char* Button : {"Start", "Rules"})
        EXPECT_EQ(Look(Button), "normal, usable") << Button;
    for (const char* Button : {"Call", "Fold", "Flip", "Flip all"})
        EXPECT_EQ(Look(Button), "disabled, unusable") << Button;
    for (TImage* Button : {Control(StartButton), Control(RulesButton)})
        EXPECT_EQ(Button->cursor().shape(), Qt::PointingHandCursor);
    for (TImage* Button : {Control(CallButton), Control(FoldButton), Control(FlipButton), Control(FlipAllButton)})
        EXPECT_NE(Button->cursor().shape(), Qt::PointingHandCursor);
    // A white caption stays visible on the table: white is not the skins' see-through colour.
    const QImage Panel = GrabPanel();
    int WhiteOnCall = 0;
    for (int Y = 466; Y < 494; ++Y)
        for (int X = 668; X < 715; ++X)
            WhiteOnCall += (Panel.pixel(X, Y) & 0xFFFFFF) == White;
    EXPECT_GT(WhiteOnCall, 20);
}

TEST_F(TableWindowTest, PressLooksFollowTheMouseButtons)
{
    // Right and middle presses change nothing and never start a hand.
    for (Qt::MouseButton B : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(Control(StartButton), B, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(Look("Start"), "normal, usable");
        QTest::mouseRelease(Control(StartButton), B, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(Look("Start"), "normal, usable");
    }
    EXPECT_EQ(CardsAlive, 0);

    // Left press: the pressed look; released outside: no click, Start springs back.
    QTest::mousePress(Control(StartButton), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(Look("Start"), "pressed, usable");
    QTest::mouseRelease(Control(StartButton), Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
    EXPECT_EQ(Look("Start"), "normal, usable");
    EXPECT_EQ(CardsAlive, 0);

    // A full left click on Start deals a hand and leaves Start normal and usable.
    Click(Control(StartButton));
    EXPECT_EQ(CardsAlive, 52);
    EXPECT_EQ(Look("Start"), "normal, usable");
    EXPECT_EQ(Look("Call"), "normal, usable");

    // Call pressed and left: it keeps the pressed look until the game sets one.
    PressAndLeave(Control(CallButton));
    EXPECT_EQ(Look("Call"), "pressed, usable");
    EXPECT_EQ(Game().Mover(), 0);

    // Clicking Call disables both betting buttons, Call included, in the white look.
    Click(Control(CallButton));
    EXPECT_EQ(Game().Mover(), 1);
    EXPECT_EQ(Look("Call"), "disabled, unusable");
    EXPECT_EQ(Look("Fold"), "disabled, unusable");
    // A press on a disabled button changes nothing.
    QTest::mousePress(Control(FoldButton), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(Look("Fold"), "disabled, unusable");
    QTest::mouseRelease(Control(FoldButton), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(Game().Folded(User));
}

TEST_F(TableWindowTest, StakeCountersRightAlignThreeDigits)
{
    auto Shown = [&](int Amount) {
        static_cast<TTableDisplay&>(*Window).ShowStake(User, Amount);
        return ReadTable(*Window, {})["stake User"];
    };
    EXPECT_EQ(Shown(5), "..5");
    EXPECT_EQ(Shown(25), ".25");
    EXPECT_EQ(Shown(105), "105");
    EXPECT_EQ(Shown(100), "100");
    EXPECT_EQ(Shown(0), "..0");
    EXPECT_EQ(Shown(987), "987");
    EXPECT_EQ(Shown(643), "643");
    EXPECT_EQ(Named("UserStake")->size(), QSize(100, 100));
    // Only the strokes show: below the digits the table shows through.
    const QImage Picture = Named("UserStake")->Picture();
    EXPECT_TRUE(Named("UserStake")->Transparent() && Picture.pixel(50, 50) == Picture.pixel(0, Picture.height() - 1));
    // A cleared counter shows nothing and keeps its size.
    Named("UserStake")->ClearPicture();
    EXPECT_EQ(Named("UserStake")->size(), QSize(100, 100));
    EXPECT_EQ(ReadTable(*Window, {})["stake User"], "...");
}

TEST_F(TableWindowTest, RulesChartShowsAboveEverythingAndHidesOnAClick)
{
    Click(Control(RulesButton));
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    EXPECT_EQ(Stacking(Window->Panel()).back(), Window->Control(TTablePart::Chart));
    EXPECT_EQ(Look("Rules"), "normal, usable");
    // A new hand leaves it shown; its cards lie above it.
    Click(Control(StartButton));
    EXPECT_TRUE(Window->Control(TTablePart::Chart)->isVisible());
    auto Order = Stacking(Window->Panel());
    EXPECT_GT(Order.indexOf(SeatCard(User, 12)), Order.indexOf(Window->Control(TTablePart::Chart)));
    // Rules again brings it back above everything.
    Click(Control(RulesButton));
    EXPECT_EQ(Stacking(Window->Panel()).back(), Window->Control(TTablePart::Chart));
    Click(Window->Control(TTablePart::Chart));
    EXPECT_FALSE(Window->Control(TTablePart::Chart)->isVisible());
}

TEST_F(TableWindowTest, ResizingStretchesOnlyTheBackground)
{
    Window->resize(1000, 700);
    EXPECT_EQ(Window->Panel()->size(), QSize(1000, 700));
    EXPECT_EQ(Named("Background")->geometry(), QRect(1, 1, 998, 698));
    EXPECT_EQ(Control(StartButton)->pos(), QPoint(88, 464));
    EXPECT_EQ(Named<TLabel>("JackMoney")->pos(), QPoint(744, 248));
}

TEST_F(TableWindowTest, MoneyLabelsGrowToTheRight)
{
    TTableDisplay& Display = *Window;
    Display.ShowMoney(Jack, -15);
    EXPECT_EQ(Named<TLabel>("JackMoney")->text(), "-15");
    const int Narrow = Named<TLabel>("JackMoney")->width();
    Display.ShowMoney(Jack, -1234567);
    EXPECT_EQ(Named<TLabel>("JackMoney")->text(), "-1234567");
    EXPECT_GT(Named<TLabel>("JackMoney")->width(), Narrow);
    EXPECT_EQ(Named<TLabel>("JackMoney")->pos(), QPoint(744, 248));
}

// The name dialog.
class NameDialogTest : public TTableTest
{
protected:
    QString NameAfterOk(const QString& Typed)
    {
        TNameDialog Dialog(Window.get());
        Dialog.NameEdit->setText(Typed);
        Dialog.OkClick();
        EXPECT_EQ(Dialog.result(), QDialog::Accepted);
        // The game keeps the name; the seat shows it.
        EXPECT_EQ(QString::fromStdString(Game().Name(User)), Named<TLabel>("UserName")->text());
        return Named<TLabel>("UserName")->text();
    }
};

TEST_F(NameDialogTest, NameRules)
{
    EXPECT_EQ(NameAfterOk("Alice"), "Alice");
    EXPECT_EQ(NameAfterOk(""), "?");
    EXPECT_EQ(NameAfterOk("   "), "   ");
    EXPECT_EQ(NameAfterOk(" 张三 "), " 张三 ");
}

TEST_F(NameDialogTest, HostileNamesShowAsTyped)
{
    const QString Names[] = {QString(10000, QChar('W')), "<b>x</b>", "<img src=x>", "😀🂡", "שלום עולם",
                             "a\tb", "&amp;"};
    for (const QString& Name : Names) {
        EXPECT_EQ(NameAfterOk(Name), Name);
        EXPECT_EQ(Named<TLabel>("UserName")->text(), Name);
        EXPECT_EQ(Named<TLabel>("UserName")->pos(), QPoint(416, 568));
    }
    // Shown on the sheet too, without trouble.
    PlayFolding(THands{{"AS", "AD", "AC"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}});
    emit Control(FlipAllButton)->Clicked();
}

TEST_F(NameDialogTest, LayoutAndKeys)
{
    TNameDialog Dialog(Window.get());
    EXPECT_EQ(Dialog.windowTitle(), "用户名");
    EXPECT_EQ(Dialog.PromptLabel->text(), QString("请输入您的大名：") + QString(16, ' '));
    EXPECT_EQ(Dialog.NameEdit->geometry(), QRect(40, 48, 201, 21));
    EXPECT_EQ(Dialog.OkButton->geometry(), QRect(48, 96, 75, 25));
    EXPECT_EQ(Dialog.QuitButton->geometry(), QRect(176, 96, 75, 25));
    EXPECT_EQ(Dialog.OkButton->text(), "确定");
    EXPECT_EQ(Dialog.QuitButton->text(), "退出");
    Dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog));
    EXPECT_TRUE(Dialog.NameEdit->hasFocus());
    // Enter and Escape leave it open.
    QTest::keyClick(Dialog.NameEdit, Qt::Key_Return);
    QTest::keyClick(Dialog.NameEdit, Qt::Key_Escape);
    QTest::keyClick(&Dialog, Qt::Key_Return);
    EXPECT_TRUE(Dialog.isVisible());
    // The close box keeps "?"; "退出" ends with its own result.
    Dialog.close();
    EXPECT_EQ(Named<TLabel>("UserName")->text(), "?");
    EXPECT_EQ(Game().Name(User), "?");
    TNameDialog Quit(Window.get());
    QTest::mouseClick(Quit.QuitButton, Qt::LeftButton);
    EXPECT_EQ(Quit.result(), TNameDialog::QuitResult);
}
