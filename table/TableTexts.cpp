#include "table/TableTexts.h"

#include <QCoreApplication>

#include "game/Card.h"
#include "game/HandEval.h"

namespace {
// The texts of this file, one context of the program's catalogue. In a translation the
// rank and suit words become what that language says: 红桃A, 对子A.
struct TCardWords
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

QString Word(int Rank) { return TCardWords::tr(RankWord[Rank]); }
QString Plural(int Rank) { return TCardWords::tr(RankPlural[Rank]); }
}

QString CardText(const TCard& Card)
{
    if (Card.FaceDown)
        return TCardWords::tr("card, face down");
    return TCardWords::tr("%1 of %2").arg(Word(Card.Rank()), TCardWords::tr(SuitWord[Card.Suit]));
}

QString HandText(const THandClass& Class)
{
    switch (Class.Kind) {
    case THandKind::ThreeOfAKind:
        return TCardWords::tr("three %1").arg(Plural(Class.Rank));
    case THandKind::StraightFlush:
        return TCardWords::tr("straight flush, %1 high").arg(Word(Class.Rank));
    case THandKind::Flush:
        return TCardWords::tr("flush, %1 high").arg(Word(Class.Rank));
    case THandKind::Straight:
        return TCardWords::tr("straight, %1 high").arg(Word(Class.Rank));
    case THandKind::Pair:
        return TCardWords::tr("pair of %1").arg(Plural(Class.Rank));
    case THandKind::HighCard:
        break;
    }
    return TCardWords::tr("%1 high").arg(Word(Class.Rank));
}

QString SpokenChips(const QString& Shown)
{
    const bool One = Shown == QLatin1String("1") || Shown == QLatin1String("-1");
    return (One ? TCardWords::tr("%1 chip") : TCardWords::tr("%1 chips")).arg(Shown);
}
