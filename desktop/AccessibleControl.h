#pragma once

#include <QAccessibleWidget>

class TGraphicControl;

// What assistive tools (screen readers, through AT-SPI) are told about a graphic
// control: its role, name, description and state, and for a control that takes clicks,
// a Press action. The name and description are the control's accessibleName and
// accessibleDescription unless a subclass computes them.
class TAccessibleControl : public QAccessibleWidget
{
public:
    explicit TAccessibleControl(TGraphicControl* Control);

    TGraphicControl* Control() const;
    QAccessible::State state() const override;

    // Press is offered while the control takes clicks; it is queued (RequestPress), so
    // the caller gets its answer before the handler runs.
    QStringList actionNames() const override;
    void doAction(const QString& Action) override;
    QStringList keyBindingsForAction(const QString& Action) const override;

protected:
    bool Pressable() const;
};

// Makes Qt's accessibility ask TAccessibleControl about every graphic control that has
// no more particular interface, and the announcer's lines for theirs. Once, at start-up:
// a factory installed twice is asked twice.
void InstallAccessibleControls();
