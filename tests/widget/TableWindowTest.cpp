#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/Form4.h"
#include "cards/ToviCard.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
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
    std::string Look(const char* Button) const { return ReadTable(*Form, {}).at(std::string("button ") + Button); }
};

TEST_F(TableWindowTest, StartsWithTheDesignLayout)
{
    TForm1& F = *Form;
    EXPECT_EQ(F.windowTitle(), "Orvanta");
    EXPECT_EQ(F.size(), QSize(856, 645));
    EXPECT_EQ(F.Panel1->geometry(), QRect(0, 0, 856, 645));
    EXPECT_EQ(F.Image4->geometry(), QRect(1, 1, 854, 643));
    const struct
    {
        QWidget* Control;
        QRect Geometry;
    } Expected[] = {
        {F.Image5, {360, 564, 40, 40}}, {F.Image3, {34, 224, 40, 40}}, {F.Image2, {360, 40, 40, 40}},
        {F.Image1, {682, 224, 40, 40}}, {F.Image17, {88, 464, 100, 32}}, {F.Image18, {88, 496, 100, 32}},
        {F.Image11, {640, 464, 100, 32}}, {F.Image12, {640, 496, 100, 32}}, {F.Image13, {640, 528, 100, 32}},
        {F.Image14, {640, 560, 100, 32}}, {F.Image10, {288, 240, 278, 185}}, {F.Image22, {392, 424, 65, 33}},
        {F.Image23, {504, 331, 49, 33}}, {F.Image24, {392, 248, 65, 33}}, {F.Image25, {272, 331, 57, 33}},
        {F.Image6, {536, 24, 273, 176}}, {F.Image8, {200, 136, 433, 325}},
        {F.ImageIn1, {408, 450, 24, 23}}, {F.ImageIn2, {580, 330, 24, 23}}, {F.ImageIn3, {408, 184, 24, 23}},
        {F.ImageIn4, {228, 330, 24, 23}},
    };
    for (const auto& E : Expected)
        EXPECT_EQ(E.Control->geometry(), E.Geometry) << E.Control->metaObject()->className();
    EXPECT_EQ(F.Image7->size(), QSize(24, 24));
    EXPECT_EQ(F.Label1->pos(), QPoint(424, 592));
    EXPECT_EQ(F.Label5->pos(), QPoint(416, 568));
    EXPECT_EQ(F.Label6->pos(), QPoint(744, 224));

    for (int P = 1; P <= 4; ++P)
        EXPECT_EQ(F.MoneyLabel(P)->Caption(), "1000");
    EXPECT_EQ(F.Label5->Caption(), "?");
    EXPECT_EQ(F.Label6->Caption(), "Jack");
    EXPECT_EQ(F.Label7->Caption(), "Jim");
    EXPECT_EQ(F.Label8->Caption(), "Kate");

    for (QWidget* Hidden : std::initializer_list<QWidget*>{F.ImageIn1, F.ImageIn2, F.ImageIn3, F.ImageIn4,
                                                           F.Image10, F.Image6, F.Image7, F.Image8})
        EXPECT_FALSE(Hidden->isVisible());
    for (QWidget* Shown : std::initializer_list<QWidget*>{F.Image4, F.Image1, F.Image2, F.Image3, F.Image5,
                                                          F.Image22, F.Label1, F.Label8, F.Image17, F.Image14})
        EXPECT_TRUE(Shown->isVisible());
    EXPECT_EQ(CardsAlive, 0);
    EXPECT_TRUE(F.Timer4->Enabled());
    EXPECT_EQ(F.Timer4->Interval(), 50);

    const QList<QWidget*> Order = {
        F.Image4, F.Image22, F.Image23, F.Image24, F.Image25, F.Label1, F.Label2, F.Label3, F.Label4,
        F.Label5, F.Label6, F.Label7, F.Label8, F.Image6, F.Image7, F.Image8, F.Image17, F.Image18,
        F.Image5, F.Image2, F.Image1, F.Image3, F.Image10, F.Image11, F.Image12, F.Image13, F.Image14,
        F.ImageIn1, F.ImageIn2, F.ImageIn3, F.ImageIn4};
    EXPECT_EQ(Stacking(F.Panel1), Order);
}

TEST_F(TableWindowTest, ButtonsStartInTheirLooks)
{
    TForm1& F = *Form;
    for (const char* Button : {"Start", "Rules"})
        EXPECT_EQ(Look(Button), "normal, usable") << Button;
    for (const char* Button : {"Call", "Fold", "Flip", "Flip all"})
        EXPECT_EQ(Look(Button), "disabled, unusable") << Button;
    for (TImage* Button : {F.Image17, F.Image18})
        EXPECT_EQ(Button->cursor().shape(), Qt::PointingHandCursor);
    for (TImage* Button : {F.Image11, F.Image12, F.Image13, F.Image14})
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
    TForm1& F = *Form;
    // Right and middle presses change nothing and never start a hand.
    for (Qt::MouseButton B : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(F.Image17, B, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(Look("Start"), "normal, usable");
        QTest::mouseRelease(F.Image17, B, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(Look("Start"), "normal, usable");
    }
    EXPECT_EQ(CardsAlive, 0);

    // Left press: the pressed look; released outside: no click, Start springs back.
    QTest::mousePress(F.Image17, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(Look("Start"), "pressed, usable");
    QTest::mouseRelease(F.Image17, Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
    EXPECT_EQ(Look("Start"), "normal, usable");
    EXPECT_EQ(CardsAlive, 0);

    // A full left click on Start deals a hand and leaves Start normal and usable.
    Click(F.Image17);
    EXPECT_EQ(CardsAlive, 52);
    EXPECT_EQ(Look("Start"), "normal, usable");
    EXPECT_EQ(Look("Call"), "normal, usable");

    // Call pressed and left: it keeps the pressed look until the game sets one.
    PressAndLeave(F.Image11);
    EXPECT_EQ(Look("Call"), "pressed, usable");
    EXPECT_EQ(TurnPhase, 0);

    // Clicking Call disables both betting buttons, Call included, in the white look.
    Click(F.Image11);
    EXPECT_EQ(TurnPhase, 1);
    EXPECT_EQ(Look("Call"), "disabled, unusable");
    EXPECT_EQ(Look("Fold"), "disabled, unusable");
    // A press on a disabled button changes nothing.
    QTest::mousePress(F.Image12, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(Look("Fold"), "disabled, unusable");
    QTest::mouseRelease(F.Image12, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_FALSE(Folded[User]);
}

TEST_F(TableWindowTest, StakeCountersRightAlignThreeDigits)
{
    auto Shown = [&](int Amount) {
        Form->ShowStakeDigits(Form->ImageList3, Amount / 100, Amount / 10 % 10, Amount % 10, Form->Image22);
        return ReadTable(*Form, {})["stake User"];
    };
    EXPECT_EQ(Shown(5), "..5");
    EXPECT_EQ(Shown(25), ".25");
    EXPECT_EQ(Shown(105), "105");
    EXPECT_EQ(Shown(100), "100");
    EXPECT_EQ(Shown(0), "..0");
    EXPECT_EQ(Shown(987), "987");
    EXPECT_EQ(Shown(643), "643");
    EXPECT_EQ(Form->Image22->size(), QSize(100, 100));
    // Only the strokes show: below the digits the table shows through.
    const QImage Picture = KeyOutBottomLeft(Form->Image22->Picture());
    EXPECT_EQ(qAlpha(Picture.pixel(50, 50)), 0);
    // A cleared counter shows nothing and keeps its size.
    Form->Image22->ClearPicture();
    EXPECT_EQ(Form->Image22->size(), QSize(100, 100));
    EXPECT_EQ(ReadTable(*Form, {})["stake User"], "...");
}

TEST_F(TableWindowTest, RulesChartShowsAboveEverythingAndHidesOnAClick)
{
    TForm1& F = *Form;
    Click(F.Image18);
    EXPECT_TRUE(F.Image8->isVisible());
    EXPECT_EQ(Stacking(F.Panel1).back(), F.Image8);
    EXPECT_EQ(Look("Rules"), "normal, usable");
    // A new hand leaves it shown; its cards lie above it.
    Click(F.Image17);
    EXPECT_TRUE(F.Image8->isVisible());
    auto Order = Stacking(F.Panel1);
    EXPECT_GT(Order.indexOf(SeatCard(User, 12)), Order.indexOf(F.Image8));
    // Rules again brings it back above everything.
    Click(F.Image18);
    EXPECT_EQ(Stacking(F.Panel1).back(), F.Image8);
    Click(F.Image8);
    EXPECT_FALSE(F.Image8->isVisible());
}

TEST_F(TableWindowTest, ResizingStretchesOnlyTheBackground)
{
    Form->resize(1000, 700);
    EXPECT_EQ(Form->Panel1->size(), QSize(1000, 700));
    EXPECT_EQ(Form->Image4->geometry(), QRect(1, 1, 998, 698));
    EXPECT_EQ(Form->Image17->pos(), QPoint(88, 464));
    EXPECT_EQ(Form->Label2->pos(), QPoint(744, 248));
}

TEST_F(TableWindowTest, MoneyLabelsGrowToTheRight)
{
    Money[Jack] = -15;
    Form->ShowMoney();
    EXPECT_EQ(Form->Label2->Caption(), "-15");
    const int Narrow = Form->Label2->width();
    Money[Jack] = -1234567;
    Form->ShowMoney();
    EXPECT_EQ(Form->Label2->Caption(), "-1234567");
    EXPECT_GT(Form->Label2->width(), Narrow);
    EXPECT_EQ(Form->Label2->pos(), QPoint(744, 248));
}

TEST_F(TableWindowTest, ClosingSaysFarewellWhateverTheAnswer)
{
    for (int Answer_ : {mrYes, mrNo}) {
        if (!Form) {
            Form = std::make_unique<TForm1>();
            Form->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        }
        Messages.clear();
        Answer = Answer_;
        Click(Form->Image17);  // a hand on the table, then close
        EXPECT_TRUE(Form->close());
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_TRUE(Messages[0].Text.startsWith("本软件免费，若您有意提供捐助、购买源码或者联系广告业务，请写信："));
        EXPECT_TRUE(Messages[0].Text.contains('@'));
        EXPECT_EQ(Messages[0].Buttons, TMsgButtons::YesNo);
        EXPECT_FALSE(Form->isVisible());
        Form.reset();
        EXPECT_EQ(CardsAlive, 0);
    }
}

TEST_F(TableWindowTest, CloseRequestWaitsForAnOpenMessageBox)
{
    // A tie box is open when the close request comes: the window stays until it is answered.
    Deal(THands{{"2S", "7D", "9C"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}});
    Form->FangQiClick(Form->Image12);
    TickUntilIdle();
    bool StillShownInsideBox = false;
    SetMessageHook([&](const TMessageRecord& Record) {
        Messages.push_back(Record);
        if (Messages.size() == 1) {
            Form->close();
            StillShownInsideBox = Form->isVisible();
        }
        return int(mrOk);
    });
    Form->KaiPaiClick(Form->Image13);
    EXPECT_TRUE(StillShownInsideBox);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, "Two winners, begin again!");
    // Once the box is answered the waiting request closes the window, farewell first.
    QTRY_VERIFY_WITH_TIMEOUT(!Form->isVisible(), 2000);
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_TRUE(Messages[1].Text.startsWith("本软件免费"));
}

// The name dialog.
class NameDialogTest : public TTableTest
{
protected:
    QString NameAfterOk(const QString& Typed)
    {
        TForm4 Dialog;
        Dialog.LabeledEdit1->setText(Typed);
        Dialog.BitBtn1Click(Dialog.BitBtn1);
        EXPECT_EQ(Dialog.result(), QDialog::Accepted);
        return Form->Label5->Caption();
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
        EXPECT_EQ(Form->Label5->text(), Name);
        EXPECT_EQ(Form->Label5->pos(), QPoint(416, 568));
    }
    // Shown on the sheet too, without trouble.
    Deal(THands{{"AS", "AD", "AC"}, {"JS", "9D", "8C"}, {"JH", "9S", "8D"}, {"JD", "9H", "8S"}});
    Form->FangQiClick(Form->Image12);
    TickUntilIdle();
    Form->QuanKaiClick(Form->Image14);
}

TEST_F(NameDialogTest, LayoutAndKeys)
{
    TForm4 Dialog;
    EXPECT_EQ(Dialog.windowTitle(), "用户名");
    EXPECT_EQ(Dialog.EditLabel->text(), QString("请输入您的大名：") + QString(16, ' '));
    EXPECT_EQ(Dialog.LabeledEdit1->geometry(), QRect(40, 48, 201, 21));
    EXPECT_EQ(Dialog.BitBtn1->geometry(), QRect(48, 96, 75, 25));
    EXPECT_EQ(Dialog.BitBtn2->geometry(), QRect(176, 96, 75, 25));
    EXPECT_EQ(Dialog.BitBtn1->text(), "确定");
    EXPECT_EQ(Dialog.BitBtn2->text(), "退出");
    Dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog));
    EXPECT_TRUE(Dialog.LabeledEdit1->hasFocus());
    // Enter and Escape leave it open.
    QTest::keyClick(Dialog.LabeledEdit1, Qt::Key_Return);
    QTest::keyClick(Dialog.LabeledEdit1, Qt::Key_Escape);
    QTest::keyClick(&Dialog, Qt::Key_Return);
    EXPECT_TRUE(Dialog.isVisible());
    // The close box keeps "?"; "退出" ends with its own result.
    Dialog.close();
    EXPECT_EQ(Form->Label5->Caption(), "?");
    TForm4 Quit;
    QTest::mouseClick(Quit.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(Quit.result(), TForm4::QuitResult);
}
