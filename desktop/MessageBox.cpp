#include "desktop/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
int OpenCount = 0;

struct TOpenScope
{
    TOpenScope() { ++OpenCount; }
    ~TOpenScope() { --OpenCount; }
};
}

int ShowInformation(const TMessageBoxes& Boxes, const QString& Text, TMsgButtons Buttons)
{
    TOpenScope Open;
    return Boxes(TMessageRecord{Text, Buttons});
}

int ShowMessageBox(const TMessageRecord& Record)
{
    const bool YesNo = Record.Buttons == TMsgButtons::YesNo;
    QMessageBox Box(QMessageBox::Information, QApplication::applicationName(), Record.Text,
                    YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    Box.setTextFormat(Qt::PlainText);
    // Dismissed, the box answers with its escape button: No or Cancel.
    return Box.exec();
}

int OpenMessageBoxes() { return OpenCount; }

bool BlockedByModal(const QWidget* Control)
{
    // Every box is application-modal (also a test's, which shows no window).
    if (OpenCount > 0)
        return true;
    const QWidget* Modal = QApplication::activeModalWidget();
    return Modal && Modal != Control->window() && !Modal->isAncestorOf(Control);
}
