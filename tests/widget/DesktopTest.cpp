#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>

#include "desktop/Drawing.h"
#include "desktop/Image.h"
#include "desktop/ImageList.h"
#include "desktop/Label.h"
#include "desktop/MessageBox.h"
#include "desktop/Panel.h"
#include "desktop/Random.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Sleep.h"
#include "desktop/Timer.h"
#include "support/PanelTest.h"

namespace {
const QRgb Magenta = qRgb(255, 0, 255), Red = qRgb(255, 0, 0), Green = qRgb(0, 160, 0), Blue = qRgb(0, 0, 255);

QImage Filled(int Width, int Height, QRgb Colour)
{
    QImage Image(Width, Height, QImage::Format_ARGB32);
    Image.fill(Colour);
    return Image;
}

}

using DesktopTest = TPanelTest;

TEST_F(DesktopTest, ClickOrderPerButton)
{
    QString Log;
    TImage* Control = LoggingControl(Log);

    Mouse(QTest::MouseClick, Control, Qt::LeftButton);
    EXPECT_EQ(Log, "dcu");

    Log.clear();
    Mouse(QTest::MousePress, Control, Qt::LeftButton);
    Mouse(QTest::MouseRelease, Control, Qt::LeftButton, {60, 5});  // released beside it
    EXPECT_EQ(Log, "du");

    for (Qt::MouseButton Button : {Qt::RightButton, Qt::MiddleButton}) {
        Log.clear();
        Mouse(QTest::MouseClick, Control, Button);
        EXPECT_EQ(Log, "du") << Button;
    }

    // A double click acts as two plain clicks.
    Log.clear();
    Mouse(QTest::MouseDClick, Control, Qt::LeftButton);
    EXPECT_EQ(Log, "dcudcu");
}

TEST_F(DesktopTest, DisabledControlGetsNothingAndShowsNoHandPoint)
{
    QString Log;
    TImage* Control = LoggingControl(Log);
    Control->SetHandPoint(true);
    EXPECT_EQ(Control->cursor().shape(), Qt::PointingHandCursor);

    Control->setEnabled(false);
    EXPECT_FALSE(Control->testAttribute(Qt::WA_SetCursor));
    Mouse(QTest::MouseClick, Control, Qt::LeftButton);
    Mouse(QTest::MouseDClick, Control, Qt::LeftButton);
    Mouse(QTest::MouseClick, Control, Qt::RightButton);
    EXPECT_EQ(Log, "");

    // Pressed while enabled, released after being disabled: no click, no mouse-up.
    Control->setEnabled(true);
    EXPECT_EQ(Control->cursor().shape(), Qt::PointingHandCursor);
    Mouse(QTest::MousePress, Control, Qt::LeftButton);
    Control->setEnabled(false);
    Mouse(QTest::MouseRelease, Control, Qt::LeftButton);
    EXPECT_EQ(Log, "d");
    // ... also when it is usable again by the time the button comes up.
    Control->setEnabled(true);
    Mouse(QTest::MousePress, Control, Qt::LeftButton);
    Control->setEnabled(false);
    Control->setEnabled(true);
    Mouse(QTest::MouseRelease, Control, Qt::LeftButton);
    EXPECT_EQ(Log, "dd");
}

TEST_F(DesktopTest, TransparentPictureShowsWhatLiesBelowWhereItsKeyColourIs)
{
    auto* Below = new TImage(Panel.get());
    Below->setGeometry(10, 10, 60, 60);
    Below->SetPicture(Filled(60, 60, Blue));
    Below->show();

    // Red with a magenta bottom row and left column; one near-magenta pixel must stay.
    QImage Picture = Filled(20, 20, Red);
    for (int I = 0; I < 20; ++I) {
        Picture.setPixel(I, 19, Magenta);
        Picture.setPixel(0, I, Magenta);
    }
    Picture.setPixel(10, 5, qRgb(254, 0, 255));
    auto* Top = new TImage(Panel.get());
    Top->setGeometry(20, 20, 20, 20);
    Top->SetPicture(Picture);
    Top->show();

    EXPECT_EQ(Pixel(20, 25), Magenta);  // opaque until asked
    Top->SetTransparent(true);
    EXPECT_EQ(Pixel(20, 25), Blue);
    EXPECT_EQ(Pixel(30, 39), Blue);
    EXPECT_EQ(Pixel(35, 30), Red);
    EXPECT_EQ(Pixel(30, 25), qRgb(254, 0, 255));
    EXPECT_EQ(Pixel(39, 20), Red);
}

TEST_F(DesktopTest, StackingDecidesWhichPictureShows)
{
    auto* First = new TImage(Panel.get());
    First->setGeometry(10, 10, 30, 30);
    First->SetPicture(Filled(30, 30, Red));
    First->show();
    auto* Second = new TImage(Panel.get());
    Second->setGeometry(20, 20, 30, 30);
    Second->SetPicture(Filled(30, 30, Green));
    Second->show();

    EXPECT_EQ(Pixel(25, 25), Green);  // the later one lies on top
    First->raise();
    EXPECT_EQ(Pixel(25, 25), Red);
    EXPECT_EQ(Pixel(45, 45), Green);
    First->lower();
    EXPECT_EQ(Pixel(25, 25), Green);
    EXPECT_EQ(Pixel(15, 15), Red);
}

TEST_F(DesktopTest, StretchFillsTheControlAndAutoSizeTakesThePictureSize)
{
    QImage Quarters(2, 2, QImage::Format_ARGB32);
    Quarters.setPixel(0, 0, Red);
    Quarters.setPixel(1, 0, Green);
    Quarters.setPixel(0, 1, Blue);
    Quarters.setPixel(1, 1, Red);
    auto* Image = new TImage(Panel.get());
    Image->setGeometry(100, 100, 40, 40);
    Image->SetPicture(Quarters);
    Image->show();

    EXPECT_EQ(Pixel(100, 100), Red);
    EXPECT_EQ(Pixel(101, 100), Green);
    EXPECT_EQ(Pixel(110, 110), Background);  // unscaled: the rest shows the panel
    Image->SetStretch(true);
    EXPECT_EQ(Pixel(110, 110), Red);
    EXPECT_EQ(Pixel(130, 110), Green);
    EXPECT_EQ(Pixel(110, 130), Blue);
    EXPECT_EQ(Pixel(130, 130), Red);

    EXPECT_EQ(Image->size(), QSize(40, 40));
    Image->SetAutoSize(true);
    EXPECT_EQ(Image->size(), QSize(2, 2));
    Image->SetPicture(Filled(30, 12, Blue));
    EXPECT_EQ(Image->size(), QSize(30, 12));
    EXPECT_EQ(Image->pos(), QPoint(100, 100));
}

TEST_F(DesktopTest, LabelShowsPlainTextAndGrowsToTheRight)
{
    auto* Below = new TImage(Panel.get());
    Below->setGeometry(40, 10, 250, 50);
    Below->SetPicture(Filled(250, 50, Green));
    Below->show();
    auto* Label = new TLabel(Panel.get());
    Label->move(50, 20);
    Label->SetFont(QFont(QStringLiteral("Liberation Sans"), 12), Qt::white);
    Label->show();
    Label->SetCaption(QStringLiteral("<b>x</b>"));
    EXPECT_EQ(Label->text(), "<b>x</b>");
    // Shown as markup it would be one bold letter wide.
    EXPECT_GE(Label->width(), QFontMetrics(Label->font()).horizontalAdvance(QStringLiteral("<b>x</b>")));
    const int Narrow = Label->width();

    Label->SetCaption(QStringLiteral("a much longer caption"));
    EXPECT_EQ(Label->pos(), QPoint(50, 20));
    EXPECT_GT(Label->width(), Narrow);
    // No background of its own: what lies below shows around the glyphs.
    EXPECT_EQ(Pixel(Label->x() + Label->width() - 1, Label->y()), Green);
}

TEST_F(DesktopTest, ImageListRefusesOtherSizesAndDrawsThroughTheMaskOntoWhite)
{
    TImageList List(10, 8);
    EXPECT_FALSE(List.Add(Filled(9, 8, Red)));
    EXPECT_FALSE(List.Add(Filled(10, 9, Red)));
    EXPECT_EQ(List.Count(), 0);

    QImage Masked = Filled(10, 8, Red);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 5; X < 10; ++X)
            Masked.setPixel(X, Y, qRgba(0, 0, 255, 0));
    EXPECT_TRUE(List.Add(Filled(10, 8, Green)));
    EXPECT_TRUE(List.Add(Masked));
    EXPECT_EQ(List.Count(), 2);

    const QImage Image = List.Image(1);
    ASSERT_EQ(Image.size(), QSize(10, 8));
    EXPECT_EQ(Image.pixel(2, 3), Red);
    EXPECT_EQ(Image.pixel(7, 3), qRgb(255, 255, 255));
    EXPECT_EQ(List.Image(0).pixel(7, 3), Green);
}

TEST_F(DesktopTest, TextOutInksItsBoxAndLeavesWhatIsBehind)
{
    QImage Picture = WhitePicture(120, 40);
    ASSERT_EQ(Picture.pixel(60, 20), qRgb(255, 255, 255));
    Picture.fill(Green);
    {
        QPainter Canvas(&Picture);
        Canvas.setFont(PointFont(QStringLiteral("MS Sans Serif"), 14, true));
        TextOut(Canvas, 5, 5, QStringLiteral("HOW"));
    }
    // Count the pixels of the text box still showing the background.
    int Kept = 0, Inked = 0;
    for (int Y = 5; Y < 25; ++Y)
        for (int X = 5; X < 40; ++X) {
            Kept += Picture.pixel(X, Y) == Green;
            Inked += qGray(Picture.pixel(X, Y)) < 40;
        }
    EXPECT_GT(Inked, 20);
    EXPECT_GT(Kept, 100);
    EXPECT_EQ(Picture.pixel(4, 4), Green);
}

TEST_F(DesktopTest, CanvasFontNameChoosesTheFace)
{
    auto Written = [](const QString& Face, const QString& Text) {
        QImage Picture = WhitePicture(160, 30);
        QPainter Canvas(&Picture);
        Canvas.setFont(PointFont(Face, 16));
        TextOut(Canvas, 2, 2, Text);
        Canvas.end();
        return Picture;
    };
    // The old names stand for the installed sans face; another installed face is used as named.
    const QImage Arial = Written("Arial", "Rag 42");
    EXPECT_EQ(Written("MS Sans Serif", "Rag 42"), Arial);
    EXPECT_EQ(Written("Liberation Sans", "Rag 42"), Arial);
    EXPECT_NE(Written("DejaVu Serif", "Rag 42"), Arial);
    // Chinese comes from the Chinese face behind whichever Latin face is named.
    const QImage Chinese = Written("DejaVu Serif", "开始");
    int Inked = 0;
    for (int Y = 0; Y < Chinese.height(); ++Y)
        for (int X = 0; X < 60; ++X)
            Inked += qGray(Chinese.pixel(X, Y)) < 80;
    EXPECT_GT(Inked, 60);
}

TEST_F(DesktopTest, TimerDoesNotQueueTicksBehindABlockedThread)
{
    TTimer Timer;
    QSignalSpy Ticks(&Timer, &TTimer::Timeout);
    Timer.SetInterval(50);
    Timer.SetEnabled(true);
    QThread::msleep(300);
    // Shorter than one interval, so only ticks that were already due can arrive.
    QElapsedTimer Window;
    Window.start();
    while (Window.elapsed() < 30)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(Ticks.count(), 1);

    // Driven by the test, a held clock's own ticks are not delivered; enabling and the
    // interval work as ever.
    TTimer Held(nullptr, TTimerClock::Held);
    QSignalSpy HeldTicks(&Held, &TTimer::Timeout);
    Held.SetInterval(50);
    Held.SetEnabled(true);
    QThread::msleep(60);
    QCoreApplication::processEvents();
    EXPECT_EQ(HeldTicks.count(), 0);
    EXPECT_TRUE(Held.Enabled());
    EXPECT_EQ(Held.Interval(), 50);
}

TEST_F(DesktopTest, SleepMessagesRandomAndCursor)
{
    // The real pause holds for as long as asked.
    QElapsedTimer Clock;
    Clock.start();
    Sleep(30);
    EXPECT_GE(Clock.elapsed(), 30);

    // A box goes to whoever answers it, and counts as open while it is asked.
    std::vector<TMessageRecord> Seen;
    int OpenInside = -1;
    const TMessageBoxes Recording = [&](const TMessageRecord& Record) {
        Seen.push_back(Record);
        OpenInside = OpenMessageBoxes();
        return int(QMessageBox::No);
    };
    EXPECT_EQ(ShowInformation(Recording, QStringLiteral("再见"), TMsgButtons::YesNo), QMessageBox::No);
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].Text, QStringLiteral("再见"));
    EXPECT_EQ(Seen[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(OpenInside, 1);
    EXPECT_EQ(OpenMessageBoxes(), 0);

    // The clock-seeded generator draws in range, and two seeds taken at once still
    // differ, in one generator or two.
    TClockRandom Random, Other;
    auto Draws = [](TClockRandom& Generator) {
        Generator.RandomizeFromClock();
        std::vector<int> Out;
        for (int I = 0; I < 20; ++I)
            Out.push_back(Generator.RandomBelow(52 - I));
        return Out;
    };
    const auto First = Draws(Random);
    for (int I = 0; I < 20; ++I) {
        EXPECT_GE(First[I], 0);
        EXPECT_LT(First[I], 52 - I);
    }
    EXPECT_NE(Draws(Random), First);
    EXPECT_NE(Draws(Other), First);

    SetScreenCursor(crHourGlass);
    SetScreenCursor(crHourGlass);
    EXPECT_EQ(ScreenCursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetScreenCursor(crDefault);
    EXPECT_EQ(ScreenCursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DesktopTest, RealMessageBoxIsPlainTextAndCountedWhileOpen)
{
    QString Text;
    Qt::TextFormat Format = Qt::AutoText;
    int OpenWhileShown = -1;
    QTimer Answerer;
    Answerer.setInterval(10);
    QObject::connect(&Answerer, &QTimer::timeout, [&] {
        if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Text = Box->text();
            Format = Box->textFormat();
            OpenWhileShown = OpenMessageBoxes();
            Box->button(QMessageBox::Yes)->click();
        }
    });
    Answerer.start();
    EXPECT_EQ(ShowInformation(ShowMessageBox, QStringLiteral("<i>Kate</i> wins"), TMsgButtons::YesNo), QMessageBox::Yes);
    Answerer.stop();
    EXPECT_EQ(Text, QStringLiteral("<i>Kate</i> wins"));
    EXPECT_EQ(Format, Qt::PlainText);
    EXPECT_EQ(OpenWhileShown, 1);
    EXPECT_EQ(OpenMessageBoxes(), 0);
}
