#include "sound/TableSound.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

#include "desktop/Announcer.h"
#include "game/Table.h"
#include "sound/SoundPlayer.h"

namespace {
const QString MutedKey = QStringLiteral("sound/muted");
}

TTableSound::TTableSound(QWidget* Window, const TTable& Table, std::unique_ptr<TSoundOut> Out, bool MuteThisRun)
    : QObject(Window), Window(Window), Out(std::move(Out)), Mute(MuteThisRun), MuteThisRun(MuteThisRun)
{
    connect(&Table, &TTable::Happened, this, &TTableSound::Heard, Qt::DirectConnection);
    Window->installEventFilter(this);
}

QString TTableSound::SettingsFile()
{
    // Read afresh each time (QSettings would keep the first folder it saw).
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/orvanta/orvanta.conf");
}

void TTableSound::Start()
{
    Started = true;
    if (!MuteThisRun)
        Mute = QSettings(SettingsFile(), QSettings::IniFormat).value(MutedKey, false).toBool();
    if (!Mute)
        Out->Start();
}

void TTableSound::Heard(const TTableEvent& Event)
{
    using E = TTableEvent;
    if (Event.Kind == E::PauseBegins && Announcer && Announcer->Listening())
        Announcer->PauseBegins();  // as the narrator's: said again after the pause
    if (Mute)
        return;
    switch (Event.Kind) {
    case E::CardLaid: Out->Play(TSound::Card); break;
    case E::Call: Out->Play(TSound::Chip); break;
    case E::Fold: Out->Play(TSound::Fold); break;
    case E::HandsTurnedOver: Out->Play(TSound::Flip); break;
    case E::Result: Out->Play(Event.Player == User ? TSound::Win : TSound::OthersWin); break;
    case E::Tie: Out->Play(TSound::Tie); break;
    case E::GameOver: Out->Play(TSound::GameOver); break;
    default: break;
    }
}

void TTableSound::Toggle()
{
    Mute = !Mute;
    // Now: the program ends with _exit, and nothing waits for a teardown.
    QSettings Settings(SettingsFile(), QSettings::IniFormat);
    Settings.setValue(MutedKey, Mute);
    Settings.sync();
    if (!Mute && Started)
        Out->Start();
    if (QAccessible::isActive()) {
        if (!Announcer)
            Announcer = new TAnnouncer(Window, this);
        Announcer->Say({{Mute ? tr("Sounds off.") : tr("Sounds on.")}});
    }
}

bool TTableSound::eventFilter(QObject* Watched, QEvent* Event)
{
    // Keys no control took, as the table's other keys; a message box or the name dialog
    // takes its own. Pressed during a move, it comes here once the move is over.
    if (Watched != Window || Event->type() != QEvent::KeyPress)
        return false;
    const auto* Key = static_cast<QKeyEvent*>(Event);
    const Qt::KeyboardModifiers Chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (Key->key() != TTableSound::Key || (Key->modifiers() & Chords))
        return false;
    if (!Key->isAutoRepeat())
        Toggle();
    return true;
}

TTableSound* InstallTableSound(QWidget* Window, const TTable& Table, bool MuteThisRun)
{
    return new TTableSound(Window, Table, std::make_unique<TSoundPlayer>(), MuteThisRun);
}
