#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// Modal message boxes of the information kind, with a chosen set of buttons. The answer
// is the QMessageBox::StandardButton chosen.
enum class TMsgButtons { OkCancel, YesNo };

struct TMessageRecord
{
    QString Text;
    TMsgButtons Buttons;
};

// Who answers the boxes: the real, modal box (ShowMessageBox), or, in a test, a function
// that records the box and answers at once. Handed to whoever shows boxes.
using TMessageBoxes = std::function<int(const TMessageRecord&)>;

// The real box: shows it and returns the answer (Cancel or No when it is dismissed).
int ShowMessageBox(const TMessageRecord& Box);

// Asks Boxes and returns the answer; the box counts as open while it is asked.
int ShowInformation(const TMessageBoxes& Boxes, const QString& Text, TMsgButtons Buttons);

// How many message boxes are open now; a close request waits while any is.
int OpenMessageBoxes();

// Whether a message box (or another modal window) is open that Control's window must
// wait for: no input acts on Control then, whatever way it comes in.
class QWidget;
bool BlockedByModal(const QWidget* Control);
