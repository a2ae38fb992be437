#include "PaintWatch.h"

#include "app/ProcessMemory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bench {

void prepareWindowProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    returnLargeBlocksToTheSystem();
}

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double processCpuMs()
{
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    return (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 + (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
}

long vmRssKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

PaintWatch::PaintWatch(QWidget* widget, std::function<void()> atPaint)
    : m_widget(widget), m_atPaint(std::move(atPaint))
{
    qApp->installEventFilter(this);
}

PaintWatch::~PaintWatch()
{
    qApp->removeEventFilter(this);
}

void PaintWatch::waitForPaint()
{
    while (!m_painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // A paint outside a frame's events (a repaint called directly) ends with them.
        if (m_seen)
            painted();
    }
    settle();
}

void PaintWatch::painted()
{
    if (m_painted)
        return;
    m_painted = true;
    if (m_atPaint)
        m_atPaint();
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget && event->type() == QEvent::Paint)
        m_seen = true;
    // A frame is painted whole while its window handles the event that asked for it: that event is
    // handled here, so the watch can look once it is done.
    const bool frame = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
    QWidget* window = m_widget->window();
    if (m_painted || m_inFrame || !frame || (watched != window && watched != window->windowHandle()))
        return false;
    m_inFrame = true;
    watched->event(event);
    m_inFrame = false;
    if (m_seen)
        painted();
    return true;
}

void reportFirstPaint(QWidget* window, double startedMs)
{
    double painted = 0, cpu = 0;
    const bool endAtPaint = !qEnvironmentVariableIsEmpty("QUILLON_BENCH_END_AT_PAINT");
    PaintWatch(window, [&] {
        painted = monotonicMs() - startedMs;
        cpu = processCpuMs();
        if (endAtPaint)
            std::_Exit(0);
    }).waitForPaint();
    std::printf("painted %.2f\n", painted);
    std::printf("cpu %.2f\n", cpu);
}

} // namespace bench
