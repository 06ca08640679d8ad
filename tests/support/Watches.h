#pragma once

#include <map>

class QObject;

// Card controls alive now and destroyed so far, as the cards' own seam reports them;
// installed for every test by the tests' main.
extern int CardsAlive, CardsDestroyed;
void WatchCards();

// Paints per control while this lives.
class TPaintCount
{
public:
    TPaintCount();
    ~TPaintCount();
    int Of(const QObject* Control) const;

private:
    std::map<const QObject*, int> Counts;
};
