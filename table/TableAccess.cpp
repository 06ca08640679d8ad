#include "table/TableAccess.h"

#include <QAccessible>
#include <utility>

#include "desktop/AccessibleControl.h"
#include "desktop/Announcer.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "table/Narrator.h"
#include "table/TableAccessibles.h"
#include "table/TableKeyboard.h"
#include "table/TableWindow.h"

namespace {
// One window's accessibility. The table's events arrive in the middle of the game's
// moves; what they call for is done once the move is over, in the order a reader needs
// it: the seats' changes, the narrator's line, then the focus, which speaks what it is.
// The table tells its listeners in the order they came, so they come in that order.
// A move that raised no event (a token's step) costs nothing here.
class TTableAccess : public QObject
{
public:
    // The window owns it, and it owns the keyboard, the narrator and its announcer: the
    // window lets go of all it before it closes.
    explicit TTableAccess(TTableWindow* Window)
        : QObject(Window), Window(Window), Keyboard(new TTableKeyboard(Window, *Window, this))
    {
        // In this order at a move's end: the seats' changes, the narrator's line, then the
        // focus, which speaks what it is.
        const TTable& Table = Window->Game();
        connect(&Table, &TTable::Happened, this, &TTableAccess::Heard, Qt::DirectConnection);
        auto* Narrator = new TNarrator(Table, *new TAnnouncer(Window, this), this);
        connect(&Table, &TTable::Happened, this, [this](const TTableEvent& Event) {
            if (Event.Kind == TTableEvent::MoveOver && std::exchange(EventsHeard, false))
                Keyboard->FollowTurn();
        }, Qt::DirectConnection);
        Keyboard->OnStandingKey = [Narrator] { Narrator->SayStanding(); };
    }

private:
    void Heard(const TTableEvent& Event)
    {
        using E = TTableEvent;
        if (Event.Kind == E::MoveOver) {
            if (EventsHeard)
                TellSeats();
            return;
        }
        const bool Listening = QAccessible::isActive();
        if (Event.Kind == E::PauseBegins || Event.Kind == E::PauseEnds) {
            EventsHeard = EventsHeard || (Listening && Event.Kind == E::PauseBegins);
            return;
        }
        Keyboard->Heard(Event);
        if (Listening) {
            // Tools that keep a copy of the tree hear that a seat's name (its chips) and
            // perhaps its description (stake, fold, hand) have changed. Only these few:
            // every event costs a reader queries of its own, and a reader busy with them
            // speaks the focus late.
            switch (Event.Kind) {
            case E::HandDealt:
            case E::HandsTurnedOver:
                for (int P = 1; P <= 4; ++P)
                    Changed[P] = {true, true};
                break;
            case E::Call:
                Changed[Event.Player].Name = true;
                break;
            case E::Fold:
                if (Event.Player == User)
                    Changed[User] = {true, true};
                break;
            default:
                break;
            }
        }
        EventsHeard = true;
    }

    void TellSeats()
    {
        if (QAccessible::isActive()) {
            for (int P = 1; P <= 4; ++P) {
                if (Changed[P].Name) {
                    QAccessibleEvent Name(Window->Portrait(P), QAccessible::NameChanged);
                    QAccessible::updateAccessibility(&Name);
                }
                if (Changed[P].Description) {
                    QAccessibleEvent Description(Window->Portrait(P), QAccessible::DescriptionChanged);
                    QAccessible::updateAccessibility(&Description);
                }
            }
        }
        for (TSeatChange& Change : Changed)
            Change = {};
    }

    struct TSeatChange
    {
        bool Name = false, Description = false;
    };
    TTableWindow* Window;
    TTableKeyboard* Keyboard;
    TSeatChange Changed[5];
    bool EventsHeard = false;
};
}

void InstallTableAccessibility()
{
    InstallAccessibleControls();
    QAccessible::installFactory(TableAccessibleFactory);
}

void InstallTableAccess(TTableWindow* Window)
{
    // A control that an assistive tool asked about while the window was being built,
    // before the window knew it by name, was described generically: forget that.
    if (QAccessible::isActive()) {
        QList<QObject*> Built{Window, Window->Panel(), Window->Panel()->FocusRest()};
        for (TTablePart Part : {TTablePart::Start, TTablePart::Rules, TTablePart::Call, TTablePart::Fold, TTablePart::Flip,
                                TTablePart::FlipAll, TTablePart::Sheet, TTablePart::Chart})
            Built.push_back(Window->Control(Part));
        for (int P = 1; P <= 4; ++P)
            Built << Window->Portrait(P) << Window->StakeCounter(P);
        for (QObject* Object : Built)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(Object)));
    }
    new TTableAccess(Window);
}
