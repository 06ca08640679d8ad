#include "table/TableTexts.h"

#include <algorithm>
#include <array>

#include "game/Card.h"

namespace {
// By rank, 2..14 (the ace counts 14).
const char* const RankWord[15] = {"", "", "two", "three", "four", "five", "six", "seven", "eight",
                                  "nine", "ten", "jack", "queen", "king", "ace"};
const char* const RankPlural[15] = {"", "", "twos", "threes", "fours", "fives", "sixes", "sevens", "eights",
                                    "nines", "tens", "jacks", "queens", "kings", "aces"};
const char* const SuitWord[5] = {"spades", "diamonds", "clubs", "hearts", "jokers"};

QString Word(int Rank) { return QString::fromLatin1(RankWord[Rank]); }
QString Plural(int Rank) { return QString::fromLatin1(RankPlural[Rank]); }
}

QString CardText(const TCard& Card)
{
    if (Card.FaceDown)
        return QStringLiteral("card, face down");
    return QStringLiteral("%1 of %2").arg(Word(Card.Rank()), QString::fromLatin1(SuitWord[Card.Suit]));
}

QString HandText(const TCard& A, const TCard& B, const TCard& C)
{
    std::array<int, 3> R = {A.Rank(), B.Rank(), C.Rank()};
    std::sort(R.begin(), R.end());
    const bool Suited = A.Suit == B.Suit && B.Suit == C.Suit;
    const bool AceLow = R == std::array<int, 3>{2, 3, 14};
    const bool Run = AceLow || (R[1] == R[0] + 1 && R[2] == R[1] + 1);
    const int High = AceLow ? 3 : R[2];
    if (R[0] == R[2])
        return QStringLiteral("three ") + Plural(R[0]);
    if (Suited && Run)
        return QStringLiteral("straight flush, %1 high").arg(Word(High));
    if (Suited)
        return QStringLiteral("flush, %1 high").arg(Word(High));
    if (Run)
        return QStringLiteral("straight, %1 high").arg(Word(High));
    if (R[0] == R[1] || R[1] == R[2])
        return QStringLiteral("pair of ") + Plural(R[1]);
    return Word(High) + QStringLiteral(" high");
}

QString SpokenChips(const QString& Shown)
{
    const bool One = Shown == QLatin1String("1") || Shown == QLatin1String("-1");
    return Shown + (One ? QStringLiteral(" chip") : QStringLiteral(" chips"));
}
