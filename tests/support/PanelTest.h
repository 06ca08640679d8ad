#pragma once

#include <gtest/gtest.h>

#include <QPalette>
#include <QString>
#include <QTest>
#include <memory>

#include "desktop/Image.h"
#include "desktop/Panel.h"

// Controls on a shown panel of a known colour; pixels are read from the panel's grab.
class TPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Panel = std::make_unique<TPanel>();
        Panel->resize(300, 200);
        QPalette Palette = Panel->palette();
        Palette.setColor(QPalette::Window, QColor(Background));
        Panel->setPalette(Palette);
        Panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Panel.get()));
    }

    QRgb Pixel(int X, int Y) const { return Panel->grab(QRect(X, Y, 1, 1)).toImage().pixel(0, 0) | 0xFF000000; }

    // Mouse input the way the window system delivers it, at a point of the control.
    void Mouse(QTest::MouseAction Action, QWidget* Control, Qt::MouseButton Button, QPoint At = {5, 5})
    {
        const QPoint InWindow = Control->mapTo(Panel.get(), At);
        switch (Action) {
        case QTest::MousePress: QTest::mousePress(Panel->windowHandle(), Button, {}, InWindow); break;
        case QTest::MouseRelease: QTest::mouseRelease(Panel->windowHandle(), Button, {}, InWindow); break;
        case QTest::MouseClick: QTest::mouseClick(Panel->windowHandle(), Button, {}, InWindow); break;
        case QTest::MouseDClick: QTest::mouseDClick(Panel->windowHandle(), Button, {}, InWindow); break;
        default: break;
        }
    }

    // A control that logs its mouse events as "d", "c" and "u".
    TImage* LoggingControl(QString& Log)
    {
        auto* Control = new TImage(Panel.get());
        Control->setGeometry(20, 20, 40, 40);
        Control->show();
        QObject::connect(Control, &TImage::MouseDown, [&Log] { Log += 'd'; });
        QObject::connect(Control, &TImage::Clicked, [&Log] { Log += 'c'; });
        QObject::connect(Control, &TImage::MouseUp, [&Log] { Log += 'u'; });
        return Control;
    }

    // A shown 40x40 control at (Left, 20).
    TImage* PlainControl(int Left)
    {
        auto* Control = new TImage(Panel.get());
        Control->setGeometry(Left, 20, 40, 40);
        Control->show();
        return Control;
    }

    static constexpr QRgb Background = 0xFF336699;
    std::unique_ptr<TPanel> Panel;
};
