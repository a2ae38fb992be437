#include "windows/ui/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> work) : QObject(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint goes on to the screen first; the watch goes with the work.
            QTimer::singleShot(0, parent(), [work = std::move(m_work)] { work(); });
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> work)
{
    new FirstPaintWatch(window, std::move(work));
}

} // namespace ui
