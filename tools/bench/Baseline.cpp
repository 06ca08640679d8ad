// The floor the program's start-up is measured against: a Qt Widgets window of the name
// dialog's client size showing only the dialog's label, in the same face, size and weight,
// with the same timing log. Nothing of the game is linked in.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "desktop/BenchTrace.h"
#include "desktop/Fonts.h"

int main(int argc, char** argv)
{
    QApplication Application(argc, argv);
    InstallBenchTrace();
    QWidget Window;
    Window.setWindowTitle(QStringLiteral("Baseline"));
    Window.setGeometry(571, 301, 309, 143);
    QLabel Label(QStringLiteral("请输入您的大名："), &Window);
    Label.setGeometry(40, 25, 217, 20);
    Label.setFont(SansFont(16, true));
    Window.show();
    return Application.exec();
}
