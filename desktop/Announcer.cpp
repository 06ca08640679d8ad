#include "desktop/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
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
};
}

TAnnouncer::TAnnouncer(QWidget* Window) : QObject(Window), Window(Window) {}

bool TAnnouncer::Listening() { return QAccessible::isActive(); }

void TAnnouncer::Say(const QString& Line)
{
    if (!Listening() || Line.isEmpty())
        return;
    QWidget*& Slot = Lines[Next];
    Next = (Next + 1) % Kept;
    if (!Slot)
        Slot = new TAnnouncement(Window);
    Slot->hide();
    Slot->setAccessibleName(Line);
    Slot->show();  // the reader hears of it as it becomes showing
}

QAccessibleInterface* AnnouncementInterface(const QString& ClassName, QObject* Object)
{
    if (ClassName == QLatin1String("TAnnouncement"))
        return new QAccessibleWidget(static_cast<QWidget*>(Object), QAccessible::Notification);
    return nullptr;
}

#include "Announcer.moc"
