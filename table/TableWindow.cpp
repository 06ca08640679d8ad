#include "table/TableWindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <QTimer>

#include "cards/CardControl.h"
#include "desktop/Drawing.h"
#include "desktop/Fonts.h"
#include "desktop/Image.h"
#include "desktop/InputGuard.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/Resources.h"
#include "desktop/ScreenCursor.h"
#include "desktop/Timer.h"
#include "table/ImageButton.h"

namespace {
constexpr int DesignLeft = 279, DesignTop = 102;
constexpr int TimerInterval = 50;
constexpr int CloseRetryMs = 100;
// The rules chart is decoded when it is first shown: half a megabyte that a game may
// never need. Until then the control has the chart's size.
constexpr int RulesWidth = 433, RulesHeight = 325;
const QString RulesChartPicture = QStringLiteral(":/table/rules.jpg");
// The background is decoded when the window first shows: the name dialog, which comes
// before, then shows that much sooner at start-up.
const QString BackgroundPicture = QStringLiteral(":/table/background.jpg");

// Where the game's cards lie: the pile the deck is made and fanned on, and each seat's
// hand (Seats), left of its base by the card spacing times the row.
constexpr int PileLeft = 550, PileTop = 280, PileStep = 3;
// The stake counter's digits, each 14 pixels wide, right-aligned on a white square.
constexpr int CounterSize = 100;
constexpr int HundredsLeft = 0, TensLeft = 14, UnitsLeft = 28;

const QString FarewellText = QStringLiteral(
    "本软件免费，若您有意提供捐助、购买源码或者联系广告业务，请写信：orvanta@example.org");

TImage* NewImage(QWidget* Parent, int Left, int Top, int Width, int Height)
{
    auto* Image = new TImage(Parent);
    Image->setGeometry(Left, Top, Width, Height);
    return Image;
}

// Buttons by their entry in ButtonCaptions, which lists them in focus order.
enum TCaptionEntry { StartCaption, RulesCaption, CallCaption, FoldCaption, FlipCaption, FlipAllCaption };

TImageButton* NewButton(QWidget* Parent, const TImageList& Skins, TCaptionEntry Entry)
{
    auto* Button = new TImageButton(Parent, ButtonCaptions[Entry], Skins);
    Button->setGeometry(ButtonBounds[Entry]);
    return Button;
}

TImage* NewPicture(QWidget* Parent, int Left, int Top, const QString& Path, bool Transparent = false)
{
    auto* Image = NewImage(Parent, Left, Top, 0, 0);
    Image->SetAutoSize(true);
    Image->SetTransparent(Transparent);
    Image->LoadPicture(Path);
    return Image;
}

TLabel* NewLabel(QWidget* Parent, int Left, int Top, const QFont& Font, const QString& Caption)
{
    auto* Label = new TLabel(Parent);
    Label->move(Left, Top);
    Label->SetFont(Font, Qt::white);
    Label->SetCaption(Caption);
    return Label;
}
}

TTableWindow::TTableWindow(TTableSeams Given, QWidget* Parent)
    : QWidget(Parent), Seams(std::move(Given)), Table(*this, Seams.Pause, Seams.Draw, Seams.StartChips)
{
    setWindowTitle(QStringLiteral("Orvanta"));
    setWindowIcon(QIcon(QPixmap::fromImage(LoadResourcePicture(QStringLiteral(":/app/mainicon.png")))));
    // The designed place is the outer frame's; the window system adds the frame around
    // the client area. A Wayland compositor places windows itself and ignores this.
    resize(ClientWidth, ClientHeight);
    move(DesignLeft, DesignTop);
    new TInputGuard(this, Seams.GateClock);
    BuildControls();
    SetUpTable();
}

TTableWindow::~TTableWindow()
{
    // What watches the window (its listeners with what they own: keyboard, narration, the
    // focus ring) goes first, and the timer: the closing below would send them events about
    // a window half gone. Each owns its own helpers, so each goes once.
    const QObjectList Children = children();
    for (QObject* Helper : Children)
        if (!Helper->isWidgetType())
            delete Helper;
    // Frees the cards before Qt deletes the panel's children, so none is deleted twice.
    FreeCards();
}

void TTableWindow::BuildControls()
{
    TPanel* const Panel = TablePanel = new TPanel(this);
    Panel->setGeometry(0, 0, ClientWidth, ClientHeight);

    Background = NewImage(Panel, 1, 1, ClientWidth - 2, ClientHeight - 2);
    Background->SetStretch(true);

    // The buttons draw their looks from the skins.
    for (int I = 0; I <= 2; ++I)
        ButtonSkins.Add(LoadResourcePicture(QStringLiteral(":/table/skin%1.png").arg(I)));

    // The controls are laid in the designed order, which their stacking keeps; each
    // seat's stand where Seats puts them.
    auto NewPortrait = [&](int P) { Seat[P].Portrait = NewPicture(Panel, Seats[P].Portrait.x(), Seats[P].Portrait.y(), QLatin1String(Seats[P].PortraitPicture)); };
    const QString Token = QStringLiteral(":/table/token.png");
    for (int P : {Kate, Jim, Jack, User})
        Seat[P].Token = NewPicture(Panel, Seats[P].TokenDesigned.x(), Seats[P].TokenDesigned.y(), Token, true);
    for (int P : {User, Kate, Jim})
        NewPortrait(P);
    FlipAllButton = NewButton(Panel, ButtonSkins, FlipAllCaption);
    FlipButton = NewButton(Panel, ButtonSkins, FlipCaption);
    FoldButton = NewButton(Panel, ButtonSkins, FoldCaption);
    CallButton = NewButton(Panel, ButtonSkins, CallCaption);
    ResultSheet = NewImage(Panel, SheetPlace.x(), SheetPlace.y(), 278, 185);
    NewPortrait(Jack);
    StartButton = NewButton(Panel, ButtonSkins, StartCaption);
    RulesButton = NewButton(Panel, ButtonSkins, RulesCaption);
    for (int P = User; P <= Kate; ++P) {
        const QRect& At = Seats[P].Stake;
        Seat[P].Stake = NewImage(Panel, At.x(), At.y(), At.width(), At.height());
    }

    const QFont MoneyFont = SansFont(MoneyFontPixels);
    for (int P = User; P <= Kate; ++P)
        Seat[P].Money = NewLabel(Panel, Seats[P].Money.x(), Seats[P].Money.y(), MoneyFont, QString());
    const QFont NameFont = SansFont(NameFontPixels, true, true);
    for (int P = User; P <= Kate; ++P)
        Seat[P].Name = NewLabel(Panel, Seats[P].Name.x(), Seats[P].Name.y(), NameFont, PlayerName(P));

    SheetTemplate = NewPicture(Panel, 536, 24, QStringLiteral(":/table/sheet.jpg"));
    SheetTemplate->hide();
    WinnerMarker = NewPicture(Panel, 256, 128, QStringLiteral(":/table/rose.gif"));
    RulesChart = NewImage(Panel, 200, 136, RulesWidth, RulesHeight);
    RulesChart->SetAutoSize(true);

    // Each control is named by its role: the trace and the tests find it by that name.
    const std::pair<QWidget*, const char*> Roles[] = {
        {Panel, "Panel"}, {Background, "Background"},
        {StartButton, "StartButton"}, {RulesButton, "RulesButton"}, {CallButton, "CallButton"},
        {FoldButton, "FoldButton"}, {FlipButton, "FlipButton"}, {FlipAllButton, "FlipAllButton"},
        {ResultSheet, "ResultSheet"}, {SheetTemplate, "SheetTemplate"}, {WinnerMarker, "WinnerMarker"},
        {RulesChart, "RulesChart"}};
    for (const auto& [Control, Role] : Roles)
        Control->setObjectName(QLatin1String(Role));
    for (int P = User; P <= Kate; ++P) {
        const QString Role = QLatin1String(Seats[P].Role);
        const std::pair<QWidget*, const char*> Parts[] = {{Seat[P].Token, "Token"}, {Seat[P].Portrait, "Portrait"},
                                                          {Seat[P].Stake, "Stake"}, {Seat[P].Money, "Money"},
                                                          {Seat[P].Name, "Name"}};
        for (const auto& [Control, Part] : Parts)
            Control->setObjectName(Role + QLatin1String(Part));
    }

    for (TImage* Clickable : std::initializer_list<TImage*>{FlipAllButton, FlipButton, FoldButton, CallButton, ResultSheet, StartButton, RulesButton, RulesChart})
        Clickable->SetHandPoint(true);
    for (int I = 0; I <= 9; ++I)
        DigitGlyphs.Add(LoadResourcePicture(QStringLiteral(":/table/digit%1.png").arg(I)));

    for (TImageButton* Button : {CallButton, FoldButton, FlipButton, FlipAllButton, StartButton, RulesButton}) {
        connect(Button, &TGraphicControl::MouseDown, this, [this, Button](TMouseButton B) { ButtonMouseDown(Button, B); });
        connect(Button, &TGraphicControl::MouseUp, this, [this, Button](TMouseButton) { ButtonMouseUp(Button); });
    }
    // What the rules chart covers takes no press, from a key or an assistive tool alike.
    const std::pair<TImage*, void (TTableWindow::*)()> Handlers[] = {
        {StartButton, &TTableWindow::StartClick}, {ResultSheet, &TTableWindow::StartClick},
        {CallButton, &TTableWindow::CallClick},   {FoldButton, &TTableWindow::FoldClick},
        {FlipButton, &TTableWindow::FlipClick},   {FlipAllButton, &TTableWindow::FlipAllClick},
        {RulesButton, &TTableWindow::RulesClick}, {RulesChart, &TTableWindow::RulesChartClick}};
    for (const auto& [Control, Handler] : Handlers)
        connect(Control, &TGraphicControl::Clicked, this, [this, Control, Handler] {
            if (!Covered(Control))
                (this->*Handler)();
        });

    BettingTimer = new TTimer(this, Seams.TimerClock);
    BettingTimer->setObjectName(QStringLiteral("BettingTimer"));
    BettingTimer->SetInterval(TimerInterval);
    connect(BettingTimer, &TTimer::Timeout, this, &TTableWindow::BettingTick);
    BettingTimer->SetEnabled(true);
}

void TTableWindow::SetUpTable()
{
    WinnerMarker->hide();
    RulesChart->hide();
    StartButton->raise();
    StartButton->ShowLook(blNormal);
    RulesButton->raise();
    RulesButton->ShowLook(blNormal);
    Background->lower();
    for (int P : {User, Jim, Jack, Kate})
        Seat[P].Portrait->raise();
    ResultSheet->raise();
    ResultSheet->hide();
    for (TImageButton* Button : {CallButton, FoldButton, FlipButton, FlipAllButton}) {
        Button->raise();
        Button->ShowLook(blDisabled);
        Button->setEnabled(false);
    }
    for (int P = 1; P <= 4; ++P)
        ShowMoney(P, Table.Chips(P));
    for (int P = 1; P <= 4; ++P)
        Seat[P].Token->hide();
    for (int P = 1; P <= 4; ++P)
        Seat[P].Token->raise();
    for (int P = 1; P <= 4; ++P)
        Seat[P].Token->move(Seats[P].TokenStart);
}

void TTableWindow::closeEvent(QCloseEvent* Event)
{
    // A close request waits until the move is over. Under X it comes through the event
    // loop, which a move does not run; Qt's Wayland plugin may read it while a repaint
    // waits for a buffer, and closes the window then and there.
    if (MovesRunning > 0 && OpenMessageBoxes() == 0) {
        Event->ignore();
        CloseWaits = true;
        return;
    }
    // A close request waits while a message box is open, so the window is never
    // destroyed under it; it is tried again once the box has been answered.
    if (OpenMessageBoxes() > 0) {
        Event->ignore();
        QTimer::singleShot(CloseRetryMs, this, [this] { close(); });
        return;
    }
    // Farewell, whatever the answer.
    ShowInformation(Seams.MessageBoxes, FarewellText, TMsgButtons::YesNo);
    Event->accept();
}

void TTableWindow::resizeEvent(QResizeEvent* Event)
{
    // The panel and the stretched background follow the client area; nothing else moves.
    TablePanel->setGeometry(rect());
    Background->setGeometry(1, 1, width() - 2, height() - 2);
    QWidget::resizeEvent(Event);
}

void TTableWindow::showEvent(QShowEvent* Event)
{
    if (!Background->HasPicture()) {
        Background->LoadPicture(BackgroundPicture);
        // The background covers the panel with opaque pixels, so a repaint anywhere on the
        // table need not paint the panel under it first.
        Background->setAttribute(Qt::WA_OpaquePaintEvent, Background->HasPicture());
    }
    QWidget::showEvent(Event);
}

void TTableWindow::StartClick() { Play(&TTable::NewHand); }
void TTableWindow::CallClick() { Play(&TTable::Call); }
void TTableWindow::FoldClick() { Play(&TTable::Fold); }
void TTableWindow::FlipClick() { Play(&TTable::Flip); }
void TTableWindow::FlipAllClick() { Play(&TTable::FlipAll); }
void TTableWindow::BettingTick() { Play(&TTable::BettingTick); }

void TTableWindow::Play(void (TTable::*Move)())
{
    ++MovesRunning;
    Table.Play(Move);
    --MovesRunning;
    if (CloseWaits && MovesRunning == 0) {
        CloseWaits = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

QString TTableWindow::PlayerName(int Player) const { return QString::fromStdString(Table.Name(Player)); }

void TTableWindow::SetUserName(const QString& Name)
{
    Table.NameUser(Name.toStdString());
    Seat[User].Name->SetCaption(PlayerName(User));
}

void TTableWindow::ShowMoney(int Player, int Chips) { Seat[Player].Money->SetCaption(ChipsText(Chips)); }

void TTableWindow::ShowOpponents()
{
    Seat[Jack].Portrait->show();
    Seat[Jim].Portrait->show();
    Seat[Kate].Portrait->show();
}

void TTableWindow::RulesClick()
{
    if (RulesChart->Picture().isNull())
        RulesChart->SetPicture(LoadResourcePicture(RulesChartPicture));
    RulesChart->raise();
    RulesChart->show();
}

void TTableWindow::RulesChartClick() { RulesChart->hide(); }

bool TTableWindow::Covered(const QWidget* Control) const
{
    if (Control == RulesChart || !RulesChart->isVisible() || !Control->isVisible())
        return false;
    if (!RulesChart->geometry().intersects(Control->geometry()))
        return false;
    const QObjectList& Stack = TablePanel->children();  // bottom to top
    return Stack.indexOf(RulesChart) > Stack.indexOf(Control);
}

void TTableWindow::HideToken(int Player) { Seat[Player].Token->hide(); }

// Moves Player's token one step; on arrival it goes home unseen.
bool TTableWindow::StepToken(int Player)
{
    TImage* Chip = Seat[Player].Token;
    Chip->show();
    const TTokenRoute& Route = Seats[Player].Route;
    Chip->move(Chip->pos() + Route.Step);
    const QPoint At = Chip->pos();
    const bool Travelling = Route.Step.x() < 0 ? At.x() > Route.Stop
                          : Route.Step.x() > 0 ? At.x() < Route.Stop
                          : Route.Step.y() < 0 ? At.y() > Route.Stop
                                               : At.y() < Route.Stop;
    if (Travelling)
        return false;
    Chip->hide();
    // Only the coordinate that moves goes back to its start.
    Chip->move(Route.Step.x() != 0 ? QPoint(Seats[Player].TokenStart.x(), At.y()) : QPoint(At.x(), Seats[Player].TokenStart.y()));
    return true;
}

void TTableWindow::RunBettingTimer(bool Running) { BettingTimer->SetEnabled(Running); }

void TTableWindow::SetBusyCursor(bool Busy) { SetScreenCursor(Busy ? crHourGlass : crDefault); }

void TTableWindow::TellTie()
{
    ShowInformation(Seams.MessageBoxes, QStringLiteral("Two winners, begin again!"), TMsgButtons::OkCancel);
}

void TTableWindow::TellGameOver(int Richest)
{
    const QString Who = Richest == User ? QStringLiteral("You are") : PlayerName(Richest) + QStringLiteral(" is");
    ShowInformation(Seams.MessageBoxes, QStringLiteral("Game over! %1 the winner! Try again?").arg(Who), TMsgButtons::YesNo);
}

TImage* TTableWindow::Control(TTablePart Part) const
{
    switch (Part) {
    case TTablePart::Start: return StartButton;
    case TTablePart::Rules: return RulesButton;
    case TTablePart::Call: return CallButton;
    case TTablePart::Fold: return FoldButton;
    case TTablePart::Flip: return FlipButton;
    case TTablePart::FlipAll: return FlipAllButton;
    case TTablePart::Sheet: return ResultSheet;
    case TTablePart::Chart: return RulesChart;
    }
    return nullptr;
}

TImage* TTableWindow::Portrait(int Player) const { return Seat[Player].Portrait; }
TImage* TTableWindow::StakeCounter(int Player) const { return Seat[Player].Stake; }

const TTableScene* SceneOf(const QObject* Object)
{
    auto* Widget = qobject_cast<const QWidget*>(Object);
    return Widget ? qobject_cast<const TTableWindow*>(Widget->window()) : nullptr;
}

// ---- Image buttons

void TTableWindow::ButtonMouseDown(TImageButton* Button, TMouseButton Mouse)
{
    if (Mouse == mbLeft)
        Button->ShowLook(blPressed);
}

void TTableWindow::ButtonMouseUp(TImageButton* Button)
{
    // Start and Rules spring back on release. The betting buttons leave their look to
    // the game: a click has already set it, and a press released outside keeps
    // the pressed look until the game next sets one.
    if (Button == StartButton || Button == RulesButton)
        Button->ShowLook(blNormal);
}

TImageButton* TTableWindow::ButtonOf(TTableButton Button) const
{
    switch (Button) {
    case TTableButton::Start: return StartButton;
    case TTableButton::Call: return CallButton;
    case TTableButton::Fold: return FoldButton;
    case TTableButton::Flip: return FlipButton;
    case TTableButton::FlipAll: return FlipAllButton;
    }
    return nullptr;
}

void TTableWindow::SetLook(TTableButton Button, TButtonLook Look) { ButtonOf(Button)->ShowLook(Look); }
void TTableWindow::EnableButton(TTableButton Button, bool Enabled) { ButtonOf(Button)->setEnabled(Enabled); }

void TTableWindow::SetButton(TTableButton Button, TButtonLook Look, bool Enabled)
{
    ButtonOf(Button)->ShowLook(Look);
    ButtonOf(Button)->setEnabled(Enabled);
}

// ---- Stake counters

void TTableWindow::ShowStake(int Player, int Amount)
{
    const int Hundreds = Amount / 100;
    const int Tens = (Amount - 100 * Hundreds) / 10;
    const int Units = Amount - 100 * Hundreds - 10 * Tens;
    TImage* Counter = Seat[Player].Stake;
    Counter->ClearPicture();
    const QImage H = DigitGlyphs.Image(Hundreds);
    const QImage T = DigitGlyphs.Image(Tens);
    const QImage U = DigitGlyphs.Image(Units);
    // White is the see-through colour: the glyphs' backgrounds and the empty cells vanish.
    QImage Picture = WhitePicture(CounterSize, CounterSize);
    {
        QPainter Canvas(&Picture);
        if (Hundreds != 0) {
            Canvas.drawImage(HundredsLeft, 0, H);
            Canvas.drawImage(TensLeft, 0, T);
            Canvas.drawImage(UnitsLeft, 0, U);
        } else if (Tens != 0) {
            Canvas.drawImage(TensLeft, 0, T);
            Canvas.drawImage(UnitsLeft, 0, U);
        } else {
            Canvas.drawImage(UnitsLeft, 0, U);
        }
    }
    Counter->SetTransparent(true);
    Counter->SetAutoSize(true);
    Counter->SetPicture(Picture);
    Counter->Repaint();
}

void TTableWindow::ClearStake(int Player) { Seat[Player].Stake->ClearPicture(); }

// ---- The cards

void TTableWindow::FreeCards()
{
    for (TCardControl*& Card : Cards) {
        delete Card;
        Card = nullptr;
    }
}

void TTableWindow::CreateCard(const TCard& Card)
{
    auto* Control = new TCardControl(Seams.Draw);
    Cards[Card.Id()] = Control;
    Control->SetParent(TablePanel);
    Control->move(PileLeft, PileTop);
    Control->SetFaceDown(Card.FaceDown);
    Control->SetValue(Card.Value);
    Control->SetSuit(Card.Suit);
}

void TTableWindow::StackCard(const TCard& Card, int Position)
{
    TCardControl* Control = Cards[Card.Id()];
    Control->move(PileLeft - PileStep * Position, PileTop);
    Control->raise();
    Control->Repaint();
}

void TTableWindow::DealCard(const TCard& Card, int Player, int Row) { PlaceCard(Card, Player, Row, true); }

void TTableWindow::HideCard(const TCard& Card) { Cards[Card.Id()]->hide(); }

void TTableWindow::LayCard(const TCard& Card, int Player, int Row) { PlaceCard(Card, Player, Row, false); }

// Card moved to Row of Player's seat and painted on top; dealt, it lies as Card says.
void TTableWindow::PlaceCard(const TCard& Card, int Player, int Row, bool Dealt)
{
    TCardControl* Control = Cards[Card.Id()];
    Control->move(Seats[Player].Hand.x() - CardSpacing * Row, Seats[Player].Hand.y());
    if (Dealt)
        Control->SetFaceDown(Card.FaceDown);
    Control->raise();
    Control->Repaint();
}

void TTableWindow::TurnCard(const TCard& Card) { Cards[Card.Id()]->SetFaceDown(Card.FaceDown); }

void TTableWindow::PileHand(const TCard& Left, const TCard& Middle, const TCard& Right)
{
    for (const TCard* Card : {&Left, &Middle, &Right})
        Cards[Card->Id()]->SetBack(Card->Back);
    const int MiddleLeft = Cards[Middle.Id()]->x();
    TCardControl* LeftCard = Cards[Left.Id()];
    TCardControl* RightCard = Cards[Right.Id()];
    LeftCard->move(MiddleLeft - 1, LeftCard->y());
    RightCard->move(MiddleLeft + 1, RightCard->y());
}

void TTableWindow::SpreadHand(const TCard& Left, const TCard& Middle, const TCard& Right)
{
    const int MiddleLeft = Cards[Middle.Id()]->x();
    TCardControl* LeftCard = Cards[Left.Id()];
    TCardControl* RightCard = Cards[Right.Id()];
    LeftCard->move(MiddleLeft - CardSpacing, LeftCard->y());
    RightCard->move(MiddleLeft + CardSpacing, RightCard->y());
}

// ---- The result sheet

void TTableWindow::ShowResult(const TSettlement& Settlement)
{
    const int Winner = Settlement.Winner;
    // Every sheet starts from the blank plaque; the template itself is never drawn on.
    QImage Sheet = SheetTemplate->Picture().convertToFormat(QImage::Format_ARGB32);
    {
        QPainter Canvas(&Sheet);
        Canvas.setFont(PointFont(QStringLiteral("Arial"), SheetTextPoints));
        Canvas.setPen(QColor(0x00, 0x00, 0xFF));
        TextOut(Canvas, SheetAddHeadingX, SheetHeadingY, QStringLiteral("Add"));
        TextOut(Canvas, SheetScoreHeadingX, SheetHeadingY, QStringLiteral("Score"));

        Canvas.setPen(QColor(0x00, 0x00, 0x00));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetNameX, Seats[P].SheetRowY, PlayerName(P));

        Canvas.setPen(QColor(0xFF, 0x00, 0x00));
        Canvas.setFont(PointFont(QStringLiteral("Arial"), SheetFigurePoints));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetScoreX, Seats[P].SheetRowY, ChipsText(Settlement.Score[P]));

        Canvas.setPen(QColor(0x80, 0x00, 0x80));
        for (int P = 1; P <= 4; ++P)
            TextOut(Canvas, SheetAddX, Seats[P].SheetRowY, ChipsText(Settlement.Add[P]));
    }
    ResultSheet->SetPicture(Sheet);
    LastSheet = Settlement;  // for readers, who ask later
    ResultSheet->show();
    ResultSheet->raise();
    WinnerMarker->raise();
    WinnerMarker->show();
    WinnerMarker->move(ResultSheet->x() + SheetMarkerX, ResultSheet->y() + Seats[Winner].SheetRowY);
}

void TTableWindow::HideWinnerMarker() { WinnerMarker->hide(); }
void TTableWindow::HideResultSheet() { ResultSheet->hide(); }
