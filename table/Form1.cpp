#include "table/Form1.h"

#include <QCloseEvent>
#include <QTimer>

#include "desktop/Fonts.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/MessageBox.h"
#include "desktop/Panel.h"
#include "desktop/Resources.h"
#include "desktop/Timer.h"
#include "game/TableState.h"
#include "table/TableAccess.h"

TForm1* Form1 = nullptr;

namespace {
constexpr int DesignLeft = 279, DesignTop = 102;
constexpr int TimerInterval = 50;
constexpr int MoneyFontPixels = 13, NameFontPixels = 16;
constexpr int CloseRetryMs = 100;
// The rules chart is decoded when it is first shown: half a megabyte that a game may
// never need. Until then the control has the chart's size.
constexpr int RulesWidth = 433, RulesHeight = 325;
const QString RulesChart = QStringLiteral(":/table/rules.jpg");
// The background is decoded when the window first shows: the name dialog, which comes
// before, then shows that much sooner at start-up.
const QString Background = QStringLiteral(":/table/background.jpg");

const QString FarewellText = QStringLiteral(
    "本软件免费，若您有意提供捐助、购买源码或者联系广告业务，请写信：orvanta@example.org");

TImage* NewImage(QWidget* Parent, int Left, int Top, int Width, int Height)
{
    auto* Image = new TImage(Parent);
    Image->SetBounds(Left, Top, Width, Height);
    return Image;
}

TImage* NewPicture(QWidget* Parent, int Left, int Top, const QString& Path, bool Transparent = false)
{
    auto* Image = NewImage(Parent, Left, Top, 0, 0);
    Image->SetAutoSize(true);
    Image->SetTransparent(Transparent);
    Image->SetPicture(LoadResourcePicture(Path));
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

TForm1::TForm1(QWidget* Parent) : QWidget(Parent)
{
    Form1 = this;
    setWindowTitle(QStringLiteral("Orvanta"));
    setWindowIcon(QIcon(QPixmap::fromImage(LoadResourcePicture(QStringLiteral(":/app/mainicon.png")))));
    // The designed place is the outer frame's; the window system adds the frame around
    // the client area. A Wayland compositor places windows itself and ignores this.
    resize(ClientWidth, ClientHeight);
    move(DesignLeft, DesignTop);
    BuildControls();
    FormCreate(this);
    InstallTableAccess(this);
}

TForm1::~TForm1()
{
    // Frees the cards before Qt deletes the panel's children, so none is deleted twice.
    FormDestroy(this);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BuildControls()
{
    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 0, ClientWidth, ClientHeight);

    Image4 = NewImage(Panel1, 1, 1, ClientWidth - 2, ClientHeight - 2);
    Image4->SetStretch(true);

    const QString Token = QStringLiteral(":/table/token.png");
    ImageIn4 = NewPicture(Panel1, 228, 330, Token, true);
    ImageIn3 = NewPicture(Panel1, 408, 184, Token, true);
    ImageIn2 = NewPicture(Panel1, 580, 330, Token, true);
    ImageIn1 = NewPicture(Panel1, 416, 466, Token, true);
    Image5 = NewPicture(Panel1, 360, 564, QStringLiteral(":/table/portrait_user.png"));
    Image3 = NewPicture(Panel1, 34, 224, QStringLiteral(":/table/portrait_kate.png"));
    Image2 = NewPicture(Panel1, 360, 40, QStringLiteral(":/table/portrait_jim.png"));
    Image14 = NewImage(Panel1, 640, 560, 81, 25);
    Image13 = NewImage(Panel1, 640, 528, 81, 25);
    Image12 = NewImage(Panel1, 640, 496, 81, 25);
    Image11 = NewImage(Panel1, 640, 464, 81, 25);
    Image10 = NewImage(Panel1, 288, 240, 278, 185);
    Image1 = NewPicture(Panel1, 682, 224, QStringLiteral(":/table/portrait_jack.png"));
    Image17 = NewImage(Panel1, 88, 464, 105, 25);
    Image18 = NewImage(Panel1, 88, 496, 105, 25);
    Image22 = NewImage(Panel1, 392, 424, 65, 33);
    Image23 = NewImage(Panel1, 504, 331, 49, 33);
    Image24 = NewImage(Panel1, 392, 248, 65, 33);
    Image25 = NewImage(Panel1, 272, 331, 57, 33);

    const QFont MoneyFont = SansFont(MoneyFontPixels);
    Label1 = NewLabel(Panel1, 424, 592, MoneyFont, QString());
    Label2 = NewLabel(Panel1, 744, 248, MoneyFont, QString());
    Label3 = NewLabel(Panel1, 424, 64, MoneyFont, QString());
    Label4 = NewLabel(Panel1, 96, 248, MoneyFont, QString());
    const QFont NameFont = SansFont(NameFontPixels, true, true);
    Label5 = NewLabel(Panel1, 416, 568, NameFont, QStringLiteral("?"));
    Label6 = NewLabel(Panel1, 744, 224, NameFont, QStringLiteral("Jack"));
    Label7 = NewLabel(Panel1, 416, 40, NameFont, QStringLiteral("Jim"));
    Label8 = NewLabel(Panel1, 96, 224, NameFont, QStringLiteral("Kate"));

    Image6 = NewPicture(Panel1, 536, 24, QStringLiteral(":/table/sheet.jpg"));
    Image6->hide();
    Image7 = NewPicture(Panel1, 256, 128, QStringLiteral(":/table/rose.gif"));
    Image8 = NewImage(Panel1, 200, 136, RulesWidth, RulesHeight);
    Image8->SetAutoSize(true);

    for (TImage* Clickable : {Image14, Image13, Image12, Image11, Image10, Image17, Image18, Image8})
        Clickable->SetHandPoint(true);
    for (int I = 0; I <= 9; ++I)
        ImageList3.Add(LoadResourcePicture(QStringLiteral(":/table/digit%1.png").arg(I)));
    for (int I = 0; I <= 2; ++I)
        ImageList5.Add(LoadResourcePicture(QStringLiteral(":/table/skin%1.png").arg(I)));

    auto Down = [this](QObject* S, TMouseButton B, Qt::KeyboardModifiers M, int X, int Y) { ButtonMouseDown(S, B, M, X, Y); };
    auto Up = [this](QObject* S, TMouseButton B, Qt::KeyboardModifiers M, int X, int Y) { ButtonMouseUp(S, B, M, X, Y); };
    for (TImage* Button : {Image11, Image12, Image13, Image14, Image17, Image18}) {
        Button->OnMouseDown = Down;
        Button->OnMouseUp = Up;
    }
    Image17->OnClick = [this](QObject* S) { N1NewClick(S); };
    Image10->OnClick = [this](QObject* S) { N1NewClick(S); };
    Image11->OnClick = [this](QObject* S) { JiaZhuClick(S); };
    Image12->OnClick = [this](QObject* S) { FangQiClick(S); };
    Image13->OnClick = [this](QObject* S) { KaiPaiClick(S); };
    Image14->OnClick = [this](QObject* S) { QuanKaiClick(S); };
    Image18->OnClick = [this](QObject* S) { Image18Click(S); };
    Image8->OnClick = [this](QObject* S) { Image8Click(S); };

    Timer4 = new TTimer(this);
    Timer4->SetInterval(TimerInterval);
    Timer4->OnTimer = [this](QObject* S) { Timer4Timer(S); };
    Timer4->SetEnabled(true);
}

void TForm1::FormCreate(QObject*)
{
    Panel1->DoubleBuffered = true;
    Image7->hide();
    Image8->hide();
    TurnPhase = 0;
    FoldCount = 0;
    BetRound = 1;
    Image17->BringToFront();
    SetLook(Image17, blNormal);
    Image18->BringToFront();
    SetLook(Image18, blNormal);
    Image4->SendToBack();
    for (TImage* Portrait : {Image5, Image2, Image1, Image3})
        Portrait->BringToFront();
    Image10->BringToFront();
    Image10->hide();
    for (TImage* Button : {Image11, Image12, Image13, Image14}) {
        Button->BringToFront();
        SetLook(Button, blDisabled);
        Button->SetEnabled(false);
    }
    for (int P = 1; P <= 4; ++P) {
        Money[P] = StartMoney;
        MoneyBefore[P] = StartMoney;
    }
    ShowMoney();
    for (int P = 1; P <= 4; ++P)
        Token(P)->hide();
    for (int P = 1; P <= 4; ++P)
        Token(P)->BringToFront();
    for (int P = 1; P <= 4; ++P)
        Token(P)->move(TokenStart[P]);
    for (int P = 1; P <= 4; ++P)
        Folded[P] = false;
}

void TForm1::FormDestroy(QObject*) { FreeCards(); }

void TForm1::FormCloseQuery(QObject*, bool& CanClose)
{
    ShowInformation(FarewellText, TMsgButtons::YesNo);
    CanClose = true;
}

void TForm1::closeEvent(QCloseEvent* Event)
{
    // A close request waits while a message box is open, so the window is never
    // destroyed under it; it is tried again once the box has been answered.
    if (OpenMessageBoxes() > 0) {
        Event->ignore();
        QTimer::singleShot(CloseRetryMs, this, [this] { close(); });
        return;
    }
    bool CanClose = true;
    FormCloseQuery(this, CanClose);
    if (CanClose)
        Event->accept();
    else
        Event->ignore();
}

void TForm1::resizeEvent(QResizeEvent* Event)
{
    // The panel and the stretched background follow the client area; nothing else moves.
    Panel1->setGeometry(rect());
    Image4->setGeometry(1, 1, width() - 2, height() - 2);
    QWidget::resizeEvent(Event);
}

void TForm1::showEvent(QShowEvent* Event)
{
    if (Image4->Picture().isNull()) {
        Image4->SetPicture(LoadResourcePicture(Background));
        // The background covers the panel with opaque pixels, so a repaint anywhere on the
        // table need not paint the panel under it first.
        Image4->setAttribute(Qt::WA_OpaquePaintEvent, !Image4->Picture().isNull());
    }
    QWidget::showEvent(Event);
}

void TForm1::ShowMoney()
{
    for (int P = 1; P <= 4; ++P)
        ShowMoneyOf(P);
}

void TForm1::ShowMoneyOf(int Player) { MoneyLabel(Player)->SetCaption(ChipsText(Money[Player])); }

QString ChipsText(int Chips) { return QString::number(Chips); }

void TForm1::ShowOpponents()
{
    Image1->show();
    Image2->show();
    Image3->show();
}

void TForm1::Image18Click(QObject*)
{
    if (Image8->Picture().isNull())
        Image8->SetPicture(LoadResourcePicture(RulesChart));
    Image8->BringToFront();
    Image8->show();
}

void TForm1::Image8Click(QObject*) { Image8->hide(); }

TImage* TForm1::Token(int Player) const
{
    TImage* const Tokens[5] = {nullptr, ImageIn1, ImageIn2, ImageIn3, ImageIn4};
    return Tokens[Player];
}

TImage* TForm1::StakeCounter(int Player) const
{
    TImage* const Counters[5] = {nullptr, Image22, Image23, Image24, Image25};
    return Counters[Player];
}

TLabel* TForm1::MoneyLabel(int Player) const
{
    TLabel* const Labels[5] = {nullptr, Label1, Label2, Label3, Label4};
    return Labels[Player];
}
