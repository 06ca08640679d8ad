#include "table/TableAccess.h"

#include <QAccessible>
#include <QPointer>
#include <optional>

#include "desktop/AccessibleControl.h"
#include "desktop/Announcer.h"
#include "desktop/Image.h"
#include "desktop/Panel.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
#include "table/TableWindow.h"
#include "table/Narrator.h"
#include "table/TableAccessibles.h"
#include "table/TableKeyboard.h"

namespace {
const QString AccessName = QStringLiteral("TableAccess");

// One window's accessibility: keyboard play and the narrator, told what happened at
// each boundary, and the last result sheet for readers.
class TTableAccess : public QObject
{
public:
    explicit TTableAccess(TTableWindow* Form)
        : QObject(Form), Form(Form), Keyboard(new TTableKeyboard(Form)), Narrator(new TNarrator(Form))
    {
        setObjectName(AccessName);
        Form->installEventFilter(this);
    }

    // After the click handler of Control.
    void AfterClick(const QObject* Control, bool ChartHadFocus)
    {
        Keyboard->AfterClick(ChartHadFocus);
        TImage* Target = Keyboard->TurnTarget();
        if (TAnnouncer::Listening()) {
            // A deal or a showdown changes every seat; a fold, the player's own.
            const bool Everyone = Control == Form->StartButton || Control == Form->ResultSheet || Control == Form->FlipButton ||
                                  Control == Form->FlipAllButton;
            for (int P = 1; P <= 4; ++P)
                if (Everyone || (P == User && Control == Form->FoldButton))
                    SeatChanged(P, true);
            if (Control == Form->StartButton || Control == Form->ResultSheet)
                Narrator->HandDealt();
            Narrator->Flipped();
        }
        Conclude(Target);
    }

    // After a tick that ended the betting phase of Player.
    void AfterPhase(int Player)
    {
        TImage* Target = Keyboard->TurnTarget();
        if (TAnnouncer::Listening()) {
            if (!Folded[Player])
                SeatChanged(Player, false);  // its chips, as its token arrived
            Narrator->PhaseEnded(Player);
        }
        Conclude(Target);
    }

    // The turn is said before the focus moves to Target, which speaks what it is.
    void Conclude(TImage* Target)
    {
        if (TAnnouncer::Listening()) {
            Narrator->TurnChanged();
            Narrator->Flush();
        }
        if (Target)
            Target->setFocus(Qt::OtherFocusReason);
    }

    // Tools that keep a copy of the tree hear that a seat's name (its chips) and perhaps
    // its description (stake, fold, hand) have changed. Only these few: every event costs
    // a reader queries of its own, and a reader busy with them speaks the focus late.
    void SeatChanged(int Player, bool Description)
    {
        QAccessibleEvent Name(SeatPortrait(Form, Player), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&Name);
        if (Description) {
            QAccessibleEvent Changed(SeatPortrait(Form, Player), QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&Changed);
        }
    }

    TTableWindow* Form;
    TTableKeyboard* Keyboard;
    TNarrator* Narrator;
    std::optional<TSheetRecord> Sheet;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        // A message box opens inside a handler: what led to it is said before it.
        if (Watched == Form && Event->type() == QEvent::WindowBlocked && TAnnouncer::Listening()) {
            Narrator->Flipped();
            Narrator->Flush();
        }
        return false;
    }
};

TTableAccess* AccessOf(const TTableWindow* F)
{
    return F ? static_cast<TTableAccess*>(F->findChild<QObject*>(AccessName, Qt::FindDirectChildrenOnly)) : nullptr;
}
}

void InstallTableAccessibility()
{
    InstallAccessibleControls();
    QAccessible::installFactory(TableAccessibleFactory);
}

void InstallTableAccess(TTableWindow* F)
{
    // A control that an assistive tool asked about while the window was being built,
    // before the form knew it by name, was described generically: forget that.
    if (QAccessible::isActive()) {
        QList<QObject*> Built{F, F->Panel, F->UserPortrait, F->JackPortrait, F->JimPortrait, F->KatePortrait, F->ResultSheet, F->RulesChart};
        for (TImage* Control : F->Buttons())
            Built.push_back(Control);
        for (int P = 1; P <= 4; ++P)
            Built.push_back(F->StakeCounter(P));
        for (QObject* Object : Built)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(Object)));
    }

    auto* Access = new TTableAccess(F);
    QPointer<TTableAccess> Guard(Access);
    // Every control a player presses: what the chart covers takes no press, and after
    // the handler the keyboard and the narrator hear of what it did.
    const std::array<TImage*, 6> Buttons = F->Buttons();
    QList<TImage*> Pressed(Buttons.begin(), Buttons.end());
    Pressed << F->ResultSheet << F->RulesChart;
    for (TImage* Control : Pressed)
        Control->OnClick = [Handler = std::move(Control->OnClick), Guard, Control](QObject* Sender) {
            if (Guard && Guard->Keyboard->Covered(Control))
                return;
            const bool ChartHadFocus = Guard && Guard->Form->RulesChart->hasFocus();
            Handler(Sender);
            if (Guard)
                Guard->AfterClick(Control, ChartHadFocus);
        };
    // A tick's only boundary is the end of a betting phase, when the phase changes.
    F->BettingTimer->OnTimer = [Handler = std::move(F->BettingTimer->OnTimer), Guard](QObject* Sender) {
        const int Phase = TurnPhase;
        Handler(Sender);
        if (Guard && TurnPhase != Phase)
            Guard->AfterPhase(Phase);
    };
}

void NoteResultSheet(TTableWindow* F, int Winner)
{
    TTableAccess* Access = AccessOf(F);
    if (!Access)
        return;
    TSheetRecord& R = Access->Sheet.emplace();
    R.Winner = Winner;
    for (int P = 1; P <= 4; ++P) {
        R.Name[P] = PlayerName(F, P);
        R.Add[P] = ChipsText(-TotalBets[P]);  // as the sheet writes them
        R.Score[P] = ChipsText(Money[P]);
    }
    if (TAnnouncer::Listening())
        Access->Narrator->ResultDrawn(Winner);
}

const TSheetRecord* DrawnSheet(const TTableWindow* F)
{
    const TTableAccess* Access = AccessOf(F);
    return Access && Access->Sheet ? &*Access->Sheet : nullptr;
}
