#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class TTableWindow;

// The name dialog, shown once at start-up; "确定" writes the name on the table. It has
// no default or cancel button: Enter and Escape leave it open.
class TNameDialog : public QDialog
{
    Q_OBJECT
public:
    // The modal result of "退出": the program ends without playing.
    static constexpr int QuitResult = 2;

    explicit TNameDialog(TTableWindow* Window, QWidget* Parent = nullptr);

    QLabel* PromptLabel;
    QLineEdit* NameEdit;
    QPushButton* OkButton;
    QPushButton* QuitButton;

    void OkClick();
    void QuitClick();

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    QPointer<TTableWindow> Window;
};
