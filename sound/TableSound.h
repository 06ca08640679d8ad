#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "game/TableEvent.h"
#include "sound/SoundOut.h"

class QWidget;
class TAnnouncer;
class TTable;

// The table's sounds: each event that the table shows as it happens (a card laid, a chip
// in the pot, a fold, the hands turned over, a result) starts its sound the moment it is
// raised, inside the game's pauses too. The M key turns them off and on while the table
// has the focus; the choice is kept in Qt's settings (the XDG config folder) as soon as
// it is made, and said to a screen reader.
class TTableSound : public QObject
{
    Q_OBJECT
public:
    static constexpr int Key = Qt::Key_M;

    // Window owns it. MuteThisRun starts silent whatever the kept choice (--mute).
    TTableSound(QWidget* Window, const TTable& Table, std::unique_ptr<TSoundOut> Out, bool MuteThisRun);

    // Once the first window is on the screen: reads the kept choice and, unless silent,
    // gets the sounds ready, in the background.
    void Start();
    bool Muted() const { return Mute; }

    // The file that keeps the choice.
    static QString SettingsFile();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Heard(const TTableEvent& Event);
    void Toggle();

    QWidget* Window;
    std::unique_ptr<TSoundOut> Out;
    TAnnouncer* Announcer = nullptr;  // made when M is first pressed with a reader listening
    bool Mute = false;
    bool MuteThisRun;
    bool Started = false;
};

// The program's: sounds through the desktop's sound server.
TTableSound* InstallTableSound(QWidget* Window, const TTable& Table, bool MuteThisRun);
