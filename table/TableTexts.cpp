#include "table/TableTexts.h"

#include <QCoreApplication>

#include "game/Card.h"
#include "game/HandEval.h"
#include "game/Table.h"

namespace {
// The texts of this file, one context of the program's catalogue. In a translation the
// rank and suit words become what that language says: 红桃A, 对子A.
struct TTableWords
{
    Q_DECLARE_TR_FUNCTIONS(TableTexts)
};

// By rank, 2..14 (the ace counts 14).
const char* const RankWord[15] = {"", "", QT_TRANSLATE_NOOP("TableTexts", "two"), QT_TRANSLATE_NOOP("TableTexts", "three"),
                                  QT_TRANSLATE_NOOP("TableTexts", "four"), QT_TRANSLATE_NOOP("TableTexts", "five"),
                                  QT_TRANSLATE_NOOP("TableTexts", "six"), QT_TRANSLATE_NOOP("TableTexts", "seven"),
                                  QT_TRANSLATE_NOOP("TableTexts", "eight"), QT_TRANSLATE_NOOP("TableTexts", "nine"),
                                  QT_TRANSLATE_NOOP("TableTexts", "ten"), QT_TRANSLATE_NOOP("TableTexts", "jack"),
                                  QT_TRANSLATE_NOOP("TableTexts", "queen"), QT_TRANSLATE_NOOP("TableTexts", "king"),
                                  QT_TRANSLATE_NOOP("TableTexts", "ace")};
const char* const RankPlural[15] = {"", "", QT_TRANSLATE_NOOP("TableTexts", "twos"), QT_TRANSLATE_NOOP("TableTexts", "threes"),
                                    QT_TRANSLATE_NOOP("TableTexts", "fours"), QT_TRANSLATE_NOOP("TableTexts", "fives"),
                                    QT_TRANSLATE_NOOP("TableTexts", "sixes"), QT_TRANSLATE_NOOP("TableTexts", "sevens"),
                                    QT_TRANSLATE_NOOP("TableTexts", "eights"), QT_TRANSLATE_NOOP("TableTexts", "nines"),
                                    QT_TRANSLATE_NOOP("TableTexts", "tens"), QT_TRANSLATE_NOOP("TableTexts", "jacks"),
                                    QT_TRANSLATE_NOOP("TableTexts", "queens"), QT_TRANSLATE_NOOP("TableTexts", "kings"),
                                    QT_TRANSLATE_NOOP("TableTexts", "aces")};
const char* const SuitWord[5] = {QT_TRANSLATE_NOOP("TableTexts", "spades"), QT_TRANSLATE_NOOP("TableTexts", "diamonds"),
                                 QT_TRANSLATE_NOOP("TableTexts", "clubs"), QT_TRANSLATE_NOOP("TableTexts", "hearts"),
                                 QT_TRANSLATE_NOOP("TableTexts", "jokers")};

QString Word(int Rank) { return TTableWords::tr(RankWord[Rank]); }
QString Plural(int Rank) { return TTableWords::tr(RankPlural[Rank]); }
}

QString ChipsText(int Chips) { return QString::number(Chips); }

QString CardText(const TCard& Card)
{
    if (Card.FaceDown)
        return TTableWords::tr("card, face down");
    return TTableWords::tr("%1 of %2").arg(Word(Card.Rank()), TTableWords::tr(SuitWord[Card.Suit]));
}

QString HandText(const THandClass& Class)
{
    switch (Class.Kind) {
    case THandKind::ThreeOfAKind:
        return TTableWords::tr("three %1").arg(Plural(Class.Rank));
    case THandKind::StraightFlush:
        return TTableWords::tr("straight flush, %1 high").arg(Word(Class.Rank));
    case THandKind::Flush:
        return TTableWords::tr("flush, %1 high").arg(Word(Class.Rank));
    case THandKind::Straight:
        return TTableWords::tr("straight, %1 high").arg(Word(Class.Rank));
    case THandKind::Pair:
        return TTableWords::tr("pair of %1").arg(Plural(Class.Rank));
    case THandKind::HighCard:
        break;
    }
    return TTableWords::tr("%1 high").arg(Word(Class.Rank));
}

QString SpokenChips(const QString& Shown)
{
    const bool One = Shown == QLatin1String("1") || Shown == QLatin1String("-1");
    return (One ? TTableWords::tr("%1 chip") : TTableWords::tr("%1 chips")).arg(Shown);
}

QString PlayerName(const TTable& Table, int Player)
{
    return Player >= 1 && Player <= 4 ? QString::fromStdString(Table.Name(Player)) : QString();
}

QString Seating() { return TTableWords::tr("You sit at the bottom, Jack on the right, Jim at the top, Kate on the left."); }

QString FaceUpHand(const TTable& Table, int Player, bool WithCards)
{
    if (!Table.HandOnTable())
        return {};
    const TCard Hand[3] = {Table.SeatCard(Player, LeftRow), Table.SeatCard(Player, MiddleRow), Table.SeatCard(Player, RightRow)};
    for (const TCard& Card : Hand)
        if (Card.FaceDown)
            return {};
    const QString Kind = HandText(ClassifyHand(Hand));
    if (!WithCards)
        return Kind;
    return TTableWords::tr("%1: %2, %3, %4.").arg(Kind, CardText(Hand[0]), CardText(Hand[1]), CardText(Hand[2]));
}
