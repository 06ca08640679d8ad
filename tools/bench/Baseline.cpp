// The floors the program's start-up is measured against, with the same timing log and
// nothing of the game linked in:
//   orvanta-bench-baseline          a Qt Widgets window of the name dialog's client size
//                                   showing only the dialog's label, in the same face,
//                                   size and weight;
//   orvanta-bench-baseline dialog   the name dialog built bare: its label, edit box and
//                                   two buttons, in the same faces and places, shown as
//                                   the program shows it (modal, with exec).
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <cstring>

#include "desktop/BenchTrace.h"
#include "desktop/Fonts.h"

namespace {
const QString Prompt = QStringLiteral("请输入您的大名：");

int Dialog()
{
    QDialog Window;
    Window.setWindowTitle(QStringLiteral("Baseline dialog"));
    Window.resize(309, 143);
    Window.move(571, 301);
    Window.setFont(SansFont(11));
    auto* Edit = new QLineEdit(&Window);
    Edit->setGeometry(40, 48, 201, 21);
    auto* Label = new QLabel(Prompt + QString(16, QLatin1Char(' ')), &Window);
    Label->setGeometry(40, 25, 217, 20);
    Label->setFont(SansFont(16, true));
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    Label->setPalette(Palette);
    int Left = 48;
    for (const QString& Caption : {QStringLiteral("确定"), QStringLiteral("退出")}) {
        auto* Button = new QPushButton(Caption, &Window);
        Button->setGeometry(Left, 96, 75, 25);
        Button->setAutoDefault(false);
        Left += 128;
    }
    Edit->setFocus();
    return Window.exec();
}
}

int main(int argc, char** argv)
{
    QApplication Application(argc, argv);
    InstallBenchTrace();
    if (argc > 1 && std::strcmp(argv[1], "dialog") == 0)
        return Dialog();
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Baseline"));
    Window.setGeometry(571, 301, 309, 143);
    QLabel Label(Prompt, &Window);
    Label.setGeometry(40, 25, 217, 20);
    Label.setFont(SansFont(16, true));
    Window.show();
    return Application.exec();
}
