#include "app/NameDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "desktop/Fonts.h"
#include "desktop/InputGuard.h"
#include "table/TableWindow.h"

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

TNameDialog::TNameDialog(TTableWindow* Window, QWidget* Parent) : QDialog(Parent), Window(Window)
{
    setWindowTitle(QStringLiteral("用户名"));
    resize(ClientWidth, ClientHeight);
    move(DesignLeft, DesignTop);  // the outer frame's place, as designed
    setFont(SansFont(DialogFontPixels));
    new TInputGuard(this);  // as the table's, though nothing here keeps the thread busy

    NameEdit = new QLineEdit(this);
    NameEdit->setGeometry(40, 48, 201, 21);

    PromptLabel = new QLabel(QStringLiteral("请输入您的大名：") + QString(16, QLatin1Char(' ')), this);
    PromptLabel->setTextFormat(Qt::PlainText);
    PromptLabel->setGeometry(40, 25, 217, 20);
    PromptLabel->setFont(SansFont(LabelFontPixels, true));
    QPalette Palette = PromptLabel->palette();
    Palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    PromptLabel->setPalette(Palette);
    PromptLabel->setBuddy(NameEdit);

    OkButton = NewButton(this, QStringLiteral("确定"), 48);
    QuitButton = NewButton(this, QStringLiteral("退出"), 176);
    connect(OkButton, &QPushButton::clicked, this, &TNameDialog::OkClick);
    connect(QuitButton, &QPushButton::clicked, this, &TNameDialog::QuitClick);
    // In the player's language, as the table's tooltips; readers get them as descriptions.
    NameEdit->setToolTip(tr("Your name, as the table will show it"));
    OkButton->setToolTip(tr("确定: start playing"));
    QuitButton->setToolTip(tr("退出: quit without playing"));

    // Each control is named by its role: the trace and the tests find it by that name.
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    QuitButton->setObjectName(QStringLiteral("QuitButton"));
    setTabOrder(NameEdit, OkButton);
    setTabOrder(OkButton, QuitButton);
    NameEdit->setFocus();
}

void TNameDialog::OkClick()
{
    const QString Name = NameEdit->text();
    if (Window)
        Window->SetUserName(Name);
    accept();
}

void TNameDialog::QuitClick() { done(QuitResult); }

void TNameDialog::keyPressEvent(QKeyEvent* Event)
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
