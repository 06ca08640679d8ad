#include "desktop/Prepare.h"

#include <QEvent>
#include <QWidget>

#include "desktop/Image.h"
#include "desktop/Label.h"

namespace {
// Watches the window itself, after any application-wide filter (the bench's timing log
// marks the paint first), and queues the work behind the paint and its flush.
class TFirstPaint : public QObject
{
public:
    TFirstPaint(QWidget* Window, std::function<void()> Then) : QObject(Window), Then(std::move(Then))
    {
        Window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint && Watched == parent()) {
            Watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    Then();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> Then;
};
}

void AfterFirstPaint(QWidget* Window, std::function<void()> Then) { new TFirstPaint(Window, std::move(Then)); }

void PrepareControls(QWidget* Window)
{
    for (TLabel* Label : Window->findChildren<TLabel*>())
        Label->Measure();
    for (TImage* Image : Window->findChildren<TImage*>())
        Image->Prepare();
}
