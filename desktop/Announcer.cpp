#include "desktop/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QWidget>

namespace {
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

TAnnouncer::TAnnouncer(QWidget* Window) : QObject(Window), Window(Window) {}

bool TAnnouncer::Listening() { return QAccessible::isActive(); }

void TAnnouncer::Say(const QString& Line)
{
    if (!Listening()) {
        Withdrawn.clear();
        return;
    }
    if (!Line.isEmpty())
        Withdrawn << Line;
    const QString Text = Withdrawn.join(QLatin1Char(' '));
    Withdrawn.clear();
    if (Text.isEmpty())
        return;
    QWidget*& Slot = Lines[Next];
    Next = (Next + 1) % Kept;
    if (!Slot)
        Slot = new TAnnouncement(Window);
    auto* Shown = static_cast<TAnnouncement*>(Slot);
    Shown->hide();
    Shown->setAccessibleName(Text);
    Shown->Fetched = false;  // the bridge read it to tell of the change; no reader has yet
    Shown->show();           // the reader hears of it as it becomes showing
}

void TAnnouncer::PauseBegins()
{
    if (!Listening())
        return;
    for (int I = 0; I < Kept; ++I) {
        QWidget*& Slot = Lines[(Next + I) % Kept];  // oldest first
        auto* Line = static_cast<TAnnouncement*>(Slot);
        if (!Line || Line->Fetched)
            continue;
        Withdrawn << Line->accessibleName();
        delete Line;  // now: a question that waits out the pause must find nothing
        Slot = nullptr;
    }
    if (Withdrawn.isEmpty() || Resaying)
        return;
    Resaying = true;  // once the event loop runs again, unless a new line takes them first
    QTimer::singleShot(0, this, [this] {
        Resaying = false;
        Say({});
    });
}

QAccessibleInterface* AnnouncementInterface(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TAnnouncement"))
        return new TAnnouncementAccessible(static_cast<TAnnouncement*>(Object));
    return nullptr;
}

#include "Announcer.moc"
