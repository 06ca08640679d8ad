#include "desktop/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

class TAnnouncement : public QWidget
{
    Q_OBJECT
public:
    explicit TAnnouncement(QWidget* Window) : QWidget(Window)
    {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(0, 0, 0, 0);
    }
    bool Fetched = false;  // a reader has asked for the line
};

namespace {
// Announcements a reader has read stay for a second look until this many more have.
constexpr size_t ReadKept = 8;

class TAnnouncementAccessible : public QAccessibleWidget
{
public:
    explicit TAnnouncementAccessible(TAnnouncement* Line) : QAccessibleWidget(Line, QAccessible::Notification) {}
    QString text(QAccessible::Text T) const override
    {
        if (T == QAccessible::Name)
            static_cast<TAnnouncement*>(widget())->Fetched = true;
        return QAccessibleWidget::text(T);
    }
};
}

TAnnouncer::TAnnouncer(QWidget* Window, QObject* Owner) : QObject(Owner), Window(Window) {}

bool TAnnouncer::Listening() const { return QAccessible::isActive(); }

void TAnnouncer::TakeBack()
{
    if (!Shown)
        return;
    if (Shown->Fetched) {
        Unread.clear();  // heard: nothing of it waits any more
        Read.push_back(Shown);
        while (Read.size() > ReadKept) {
            delete Read.front().data();
            Read.pop_front();
        }
    } else {
        delete Shown.data();  // now: a question that comes late must find nothing
    }
    Shown = nullptr;
}

void TAnnouncer::Say(const QList<TLine>& Lines)
{
    if (!Listening()) {
        TakeBack();
        Unread.clear();
        return;
    }
    if (Shown && Shown->Fetched)
        TakeBack();  // heard: kept a while for a second look
    Unread += Lines;
    Show();
}

void TAnnouncer::Show()
{
    if (Unread.isEmpty()) {
        TakeBack();
        return;
    }
    QStringList Texts;
    for (const TLine& Line : Unread)
        Texts << Line.Text;
    const QString Text = Texts.join(QLatin1Char(' '));
    // The reader has yet to ask for what is shown: it finds everything when it does.
    const bool New = !Shown;
    if (New)
        Shown = new TAnnouncement(Window);
    if (Shown->accessibleName() != Text) {
        Shown->setAccessibleName(Text);
        Shown->Fetched = false;  // the bridge read it to tell of the change; no reader has yet
    }
    if (New)
        Shown->show();  // the reader hears of it as it becomes showing
}

void TAnnouncer::Forget(int Topic)
{
    if (Shown && Shown->Fetched)
        TakeBack();
    if (Unread.removeIf([Topic](const TLine& Line) { return Line.Topic == Topic; }) > 0 && Listening())
        Show();
}

void TAnnouncer::PauseBegins()
{
    if (!Listening())
        return;
    TakeBack();
    if (Unread.isEmpty() || Resaying)
        return;
    Resaying = true;  // once the event loop runs again, unless a new line takes them first
    QTimer::singleShot(0, this, [this] {
        Resaying = false;
        if (!Shown)
            Say({});
    });
}

QAccessibleInterface* AnnouncementInterface(const QString&, QObject* Object)
{
    if (auto* Line = qobject_cast<TAnnouncement*>(Object))
        return new TAnnouncementAccessible(Line);
    return nullptr;
}

#include "Announcer.moc"
