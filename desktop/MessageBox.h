#pragma once

#include <QString>
#include <functional>

// Modal message boxes of the information kind, with a chosen set of buttons.
enum class TMsgButtons { OkCancel, YesNo };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct TMessageRecord
{
    QString Text;
    TMsgButtons Buttons;
};

// Shows the box and returns the answer (mrCancel or mrNo when the box is dismissed).
int ShowInformation(const QString& Text, TMsgButtons Buttons);

// How many message boxes are open now; a close request waits while any is.
int OpenMessageBoxes();

// Whether a message box (or another modal window) is open that Control's window must
// wait for: no input acts on Control then, whatever way it comes in.
class QWidget;
bool BlockedByModal(const QWidget* Control);

// Tests answer the boxes themselves: the hook gets each box and returns the answer.
using TMessageHook = std::function<int(const TMessageRecord&)>;
void SetMessageHook(TMessageHook Hook);  // an empty function restores the real boxes
