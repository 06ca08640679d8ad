#include "support/Watches.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <set>

#include "cards/CardControl.h"
#include "desktop/GraphicControl.h"

int CardsAlive = 0, CardsDestroyed = 0;

namespace {
class TCardCount : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() != QEvent::ChildAdded)
            return false;
        QObject* Child = static_cast<QChildEvent*>(Event)->child();
        // A card moved to another parent is still the same card.
        if (qobject_cast<TCardControl*>(Child) && Counted.insert(Child).second) {
            ++CardsAlive;
            connect(Child, &QObject::destroyed, this, [this, Child] {
                Counted.erase(Child);
                --CardsAlive;
                ++CardsDestroyed;
            });
        }
        return false;
    }

private:
    std::set<const QObject*> Counted;
};
}

void WatchCards()
{
    QCoreApplication* App = QCoreApplication::instance();
    App->installEventFilter(new TCardCount(App));
}

TPaintCount::TPaintCount() { QCoreApplication::instance()->installEventFilter(this); }

TPaintCount::~TPaintCount() { QCoreApplication::instance()->removeEventFilter(this); }

bool TPaintCount::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::Paint && qobject_cast<TGraphicControl*>(Watched))
        ++Counts[Watched];
    return false;
}

int TPaintCount::Of(const QObject* Control) const
{
    const auto Found = Counts.find(Control);
    return Found == Counts.end() ? 0 : Found->second;
}
