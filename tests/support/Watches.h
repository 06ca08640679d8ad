#pragma once

#include <QObject>
#include <map>

// Card controls alive now and destroyed so far, counted from outside: a card from when it
// is put on a parent (the table puts each on its panel as it makes it) until it is
// destroyed. Watched for every test from the tests' main.
extern int CardsAlive, CardsDestroyed;
void WatchCards();

// Paints each graphic control gets while this lives.
class TPaintCount : public QObject
{
public:
    TPaintCount();
    ~TPaintCount() override;
    int Of(const QObject* Control) const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::map<const QObject*, int> Counts;
};
