#include "windows/ui/AfterFirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {

// A close is none of them: the window's own end closes it (and a close box
// pressed before the paint ends the program as it would after it).
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> work)
        : QObject(window), m_window(window), m_work(std::move(work))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (isInput(event->type())) {
            run();
        } else if (watched == m_window && event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // The paint goes on to the screen first.
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        qApp->removeEventFilter(this);
        const std::function<void()> work = std::move(m_work);
        m_work = nullptr;
        deleteLater();
        work();
    }

    QWidget* m_window;
    std::function<void()> m_work;
    bool m_painted = false;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> work)
{
    new FirstPaintWatch(window, std::move(work));
}

} // namespace ui
