#include "table/TableTooltips.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>

#include "table/TableAccessibles.h"
#include "table/TableTexts.h"
#include "desktop/Panel.h"
#include "table/ImageButton.h"
#include "table/TableScene.h"

namespace {
// The texts of this file, one context of the program's catalogue.
struct TTipTexts
{
    Q_DECLARE_TR_FUNCTIONS(TableTooltips)
};

// The chart's rows, best first: each kind of hand with its best and its weakest, as the
// chart draws them (the ranks read alike in every language).
struct TChartRow
{
    const char* Kind;
    const char* Range;  // UTF-8
};
constexpr TChartRow ChartRows[6] = {
    {QT_TRANSLATE_NOOP("TableTooltips", "Three of a kind"), "A-A-A … 2-2-2"},
    {QT_TRANSLATE_NOOP("TableTooltips", "Straight flush"), "A-K-Q … 3-2-A"},
    {QT_TRANSLATE_NOOP("TableTooltips", "Flush"), "A-K-J … 5-3-2"},
    {QT_TRANSLATE_NOOP("TableTooltips", "Straight"), "A-K-Q … 3-2-A"},
    {QT_TRANSLATE_NOOP("TableTooltips", "Pair"), "A-A-K … 2-2-3"},
    {QT_TRANSLATE_NOOP("TableTooltips", "High card"), "A-K-J … 5-3-2"},
};

// Rich text, so that the long description wraps; a row a line below it.
QString ChartTip()
{
    QString Tip = QStringLiteral("<p>%1</p>").arg(RulesChartDescription().toHtmlEscaped());
    for (const TChartRow& Row : ChartRows) {
        const QString Line = TTipTexts::tr("%1: %2").arg(TTipTexts::tr(Row.Kind), QString::fromUtf8(Row.Range));
        Tip += QStringLiteral("<div>%1</div>").arg(Line.toHtmlEscaped());
    }
    return Tip;
}

// The six image buttons, in focus order.
constexpr TTablePart Buttons[6] = {TTablePart::Start, TTablePart::Rules, TTablePart::Call,
                                   TTablePart::Fold,  TTablePart::Flip,  TTablePart::FlipAll};

// What the tooltip on Control says now; empty for a control without one.
QString Tooltip(const TTableScene& Scene, const QWidget* Control)
{
    if (Control == Scene.Control(TTablePart::Chart))
        return ChartTip();
    if (Control == Scene.Control(TTablePart::Sheet))
        return TTipTexts::tr("Add: the chips each player won or lost in this hand") + QLatin1Char('\n') +
               TTipTexts::tr("Score: the chips each player holds now");
    for (TTablePart Part : Buttons) {
        const auto* Button = static_cast<const TImageButton*>(Scene.Control(Part));
        if (Button != Control)
            continue;
        const QString Meaning = QCoreApplication::translate("ButtonCaptions", Button->Caption.Meaning);
        if (Part != TTablePart::Call || !Button->isEnabled())
            return Meaning;
        return TTipTexts::tr("%1, %2.").arg(Meaning, SpokenChips(ChipsText(Scene.Game().CallCost())));
    }
    return {};
}

// Answers Qt's question once the pointer has rested on one of the controls.
class TTableTooltips : public QObject
{
public:
    explicit TTableTooltips(const TTableScene& Scene) : QObject(Scene.Panel()), Scene(Scene)
    {
        for (TTablePart Part : Buttons)
            Scene.Control(Part)->installEventFilter(this);
        Scene.Control(TTablePart::Chart)->installEventFilter(this);
        Scene.Control(TTablePart::Sheet)->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::ToolTip)
            return false;
        auto* Control = static_cast<QWidget*>(Watched);
        // Shown while the pointer stays on the control; an empty text hides the last one.
        QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(), Tooltip(Scene, Control), Control,
                           Control->rect());
        return true;
    }

private:
    const TTableScene& Scene;
};
}

void InstallTableTooltips(const TTableScene& Scene) { new TTableTooltips(Scene); }
