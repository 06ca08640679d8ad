#pragma once

#include <QFrame>

// A panel with a raised one-pixel bevel. Qt composes every window off-screen, so the
// panel is always double-buffered.
class TPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TPanel(QWidget* Parent = nullptr);
    // Where the keyboard focus waits when the control holding it becomes unusable: an
    // empty spot of no size, so that a screen reader says only what its owner names it,
    // not everything the panel holds.
    QWidget* FocusRest() const { return Rest; }

protected:
    bool focusNextPrevChild(bool Next) override;

private:
    QWidget* Rest;
};
