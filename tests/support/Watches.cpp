#include "support/Watches.h"

#include "cards/CardControl.h"
#include "desktop/GraphicControl.h"

int CardsAlive = 0, CardsDestroyed = 0;

void WatchCards()
{
    SetCardWatch([](int Change) {
        CardsAlive += Change;
        CardsDestroyed += Change < 0;
    });
}

TPaintCount::TPaintCount()
{
    SetPaintWatch([this](const TGraphicControl* Control) { ++Counts[Control]; });
}

TPaintCount::~TPaintCount() { SetPaintWatch({}); }

int TPaintCount::Of(const QObject* Control) const
{
    const auto Found = Counts.find(Control);
    return Found == Counts.end() ? 0 : Found->second;
}
