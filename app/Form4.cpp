#include "app/Form4.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "desktop/Fonts.h"
#include "desktop/Label.h"
#include "table/Form1.h"

namespace {
constexpr int DesignLeft = 571, DesignTop = 301;
constexpr int ClientWidth = 309, ClientHeight = 143;
constexpr int DialogFontPixels = 11, LabelFontPixels = 16;

QPushButton* NewButton(QWidget* Parent, const QString& Caption, int Left)
{
    auto* Button = new QPushButton(Caption, Parent);
    Button->setGeometry(Left, 96, 75, 25);
    Button->setAutoDefault(false);
    Button->setDefault(false);
    return Button;
}
}

TForm4::TForm4(QWidget* Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("用户名"));
    resize(ClientWidth, ClientHeight);
    move(DesignLeft, DesignTop);  // the outer frame's place, as designed
    setFont(SansFont(DialogFontPixels));

    LabeledEdit1 = new QLineEdit(this);
    LabeledEdit1->setGeometry(40, 48, 201, 21);

    EditLabel = new QLabel(QStringLiteral("请输入您的大名：") + QString(16, QLatin1Char(' ')), this);
    EditLabel->setTextFormat(Qt::PlainText);
    EditLabel->setGeometry(40, 25, 217, 20);
    EditLabel->setFont(SansFont(LabelFontPixels, true));
    QPalette Palette = EditLabel->palette();
    Palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    EditLabel->setPalette(Palette);
    EditLabel->setBuddy(LabeledEdit1);

    BitBtn1 = NewButton(this, QStringLiteral("确定"), 48);
    BitBtn2 = NewButton(this, QStringLiteral("退出"), 176);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn1); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(BitBtn2); });

    setTabOrder(LabeledEdit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    LabeledEdit1->setFocus();
}

void TForm4::BitBtn1Click(QObject*)
{
    const QString Name = LabeledEdit1->text();
    if (Form1)
        Form1->Label5->SetCaption(Name.isEmpty() ? QStringLiteral("?") : Name);
    accept();
}

void TForm4::BitBtn2Click(QObject*) { done(QuitResult); }

void TForm4::keyPressEvent(QKeyEvent* Event)
{
    // Enter and Escape would close a dialog; here only the two buttons and the close box do.
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Event->accept();
        return;
    default:
        QDialog::keyPressEvent(Event);
    }
}
