#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The name dialog, shown once at start-up. It has no default or cancel button:
// Enter and Escape leave it open.
class TForm4 : public QDialog
{
    Q_OBJECT
public:
    // The modal result of "退出": the program ends without playing.
    static constexpr int QuitResult = 2;

    explicit TForm4(QWidget* Parent = nullptr);

    QLabel* EditLabel;
    QLineEdit* LabeledEdit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click(QObject* Sender);
    void BitBtn2Click(QObject* Sender);

protected:
    void keyPressEvent(QKeyEvent* Event) override;
};
