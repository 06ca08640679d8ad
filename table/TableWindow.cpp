#include "table/TableWindow.h"

#include <QCloseEvent>
#include <QTimer>

#include "desktop/Fonts.h"
#include "desktop/Image.h"
#include "desktop/InputGuard.h"
#include "desktop/Label.h"
#include "desktop/Panel.h"
#include "desktop/Resources.h"
#include "desktop/ScreenCursor.h"
#include "table/ImageButton.h"

namespace {
constexpr int DesignLeft = 279, DesignTop = 102;
constexpr int TimerInterval = 50;
constexpr int MoneyFontPixels = 13, NameFontPixels = 16;
constexpr int CloseRetryMs = 100;
// The rules chart is decoded when it is first shown: half a megabyte that a game may
// never need. Until then the control has the chart's size.
constexpr int RulesWidth = 433, RulesHeight = 325;
const QString RulesChartPicture = QStringLiteral(":/table/rules.jpg");
// The background is decoded when the window first shows: the name dialog, which comes
// before, then shows that much sooner at start-up.
const QString BackgroundPicture = QStringLiteral(":/table/background.jpg");

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

TImageButton* NewButton(QWidget* Parent, TCaptionEntry Entry, int Left, int Top, int Width, int Height)
{
    auto* Button = new TImageButton(Parent, ButtonCaptions[Entry]);
    Button->setGeometry(Left, Top, Width, Height);
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
    : QWidget(Parent), Seams(std::move(Given)), Table(*this, Seams.Pause, Seams.Draw)
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
    Panel = new TPanel(this);
    Panel->setGeometry(0, 0, ClientWidth, ClientHeight);

    Background = NewImage(Panel, 1, 1, ClientWidth - 2, ClientHeight - 2);
    Background->SetStretch(true);

    // The controls are laid in the designed order, which their stacking keeps; each
    // seat's stand where Seats puts them.
    TSeatControls* const Seat = SeatControls;
    auto NewPortrait = [&](int P) { Seat[P].Portrait = NewPicture(Panel, Seats[P].Portrait.x(), Seats[P].Portrait.y(), QLatin1String(Seats[P].PortraitPicture)); };
    const QString Token = QStringLiteral(":/table/token.png");
    for (int P : {Kate, Jim, Jack, User})
        Seat[P].Token = NewPicture(Panel, Seats[P].TokenDesigned.x(), Seats[P].TokenDesigned.y(), Token, true);
    for (int P : {User, Kate, Jim})
        NewPortrait(P);
    FlipAllButton = NewButton(Panel, FlipAllCaption, 640, 560, 81, 25);
    FlipButton = NewButton(Panel, FlipCaption, 640, 528, 81, 25);
    FoldButton = NewButton(Panel, FoldCaption, 640, 496, 81, 25);
    CallButton = NewButton(Panel, CallCaption, 640, 464, 81, 25);
    ResultSheet = NewImage(Panel, 288, 240, 278, 185);
    NewPortrait(Jack);
    StartButton = NewButton(Panel, StartCaption, 88, 464, 105, 25);
    RulesButton = NewButton(Panel, RulesCaption, 88, 496, 105, 25);
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
    UserToken = Seat[User].Token, JackToken = Seat[Jack].Token, JimToken = Seat[Jim].Token, KateToken = Seat[Kate].Token;
    UserPortrait = Seat[User].Portrait, JackPortrait = Seat[Jack].Portrait, JimPortrait = Seat[Jim].Portrait,
    KatePortrait = Seat[Kate].Portrait;
    UserStake = Seat[User].Stake, JackStake = Seat[Jack].Stake, JimStake = Seat[Jim].Stake, KateStake = Seat[Kate].Stake;
    UserMoney = Seat[User].Money, JackMoney = Seat[Jack].Money, JimMoney = Seat[Jim].Money, KateMoney = Seat[Kate].Money;
    UserName = Seat[User].Name, JackName = Seat[Jack].Name, JimName = Seat[Jim].Name, KateName = Seat[Kate].Name;

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
    for (int I = 0; I <= 2; ++I)
        ButtonSkins.Add(LoadResourcePicture(QStringLiteral(":/table/skin%1.png").arg(I)));

    for (TImageButton* Button : {CallButton, FoldButton, FlipButton, FlipAllButton, StartButton, RulesButton}) {
        connect(Button, &TGraphicControl::MouseDown, this, [this, Button](TMouseButton B) { ButtonMouseDown(Button, B); });
        connect(Button, &TGraphicControl::MouseUp, this, [this, Button](TMouseButton B) { ButtonMouseUp(Button, B); });
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
    SetLook(StartButton, blNormal);
    RulesButton->raise();
    SetLook(RulesButton, blNormal);
    Background->lower();
    for (TImage* Portrait : {UserPortrait, JimPortrait, JackPortrait, KatePortrait})
        Portrait->raise();
    ResultSheet->raise();
    ResultSheet->hide();
    for (TImageButton* Button : {CallButton, FoldButton, FlipButton, FlipAllButton}) {
        Button->raise();
        SetLook(Button, blDisabled);
        Button->setEnabled(false);
    }
    for (int P = 1; P <= 4; ++P)
        ShowMoney(P, Table.Money[P]);
    for (int P = 1; P <= 4; ++P)
        Token(P)->hide();
    for (int P = 1; P <= 4; ++P)
        Token(P)->raise();
    for (int P = 1; P <= 4; ++P)
        Token(P)->move(Seats[P].TokenStart);
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
    Panel->setGeometry(rect());
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

void TTableWindow::SetUserName(const QString& Name)
{
    Table.NameUser(Name.toStdString());
    NameLabel(User)->SetCaption(PlayerName(User));
}

void TTableWindow::ShowMoney(int Player, int Chips) { MoneyLabel(Player)->SetCaption(ChipsText(Chips)); }

QString ChipsText(int Chips) { return QString::number(Chips); }

void TTableWindow::ShowOpponents()
{
    JackPortrait->show();
    JimPortrait->show();
    KatePortrait->show();
}

void TTableWindow::RulesClick()
{
    if (RulesChart->Picture().isNull())
        RulesChart->SetPicture(LoadResourcePicture(RulesChartPicture));
    RulesChart->raise();
    RulesChart->show();
}

void TTableWindow::RulesChartClick() { RulesChart->hide(); }

bool TTableWindow::Covered(const TGraphicControl* Control) const
{
    if (Control == RulesChart || !RulesChart->isVisible() || !Control->isVisible())
        return false;
    if (!RulesChart->geometry().intersects(Control->geometry()))
        return false;
    const QObjectList& Stack = Panel->children();  // bottom to top
    return Stack.indexOf(RulesChart) > Stack.indexOf(Control);
}

void TTableWindow::HideToken(int Player) { Token(Player)->hide(); }

// Moves Player's token one step; on arrival it goes home unseen.
bool TTableWindow::StepToken(int Player)
{
    TImage* Chip = Token(Player);
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
