#pragma once

// What a benchmark needs to time a window from its process's start to its
// first painted frame, on Qt Widgets alone: the window floors link nothing of
// the program, so they load no more than a bare window does.

#include <QObject>

#include <functional>

class QWidget;

namespace bench {

// Called before the QApplication: the offscreen screen unless another is named,
// and the program's own way with freed memory, so that a window is measured as
// the program runs it.
void prepareWindowProcess();

// Milliseconds of the monotonic clock, comparable between processes.
double monotonicMs();
// The processor time this process has used, user and system, all threads.
double processCpuMs();
// The process's resident memory, as the kernel counts it.
long vmRssKb();

// Lets the windows lay out and paint what changed.
void settle();

// Runs until a paint of the widget has been handled; atPaint, if given, runs
// when the whole frame that first painted it is painted (the window and every
// widget in it), before anything the event loop does after it.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget, std::function<void()> atPaint = {});
    ~PaintWatch() override;
    void waitForPaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void painted();

    QWidget* m_widget;
    // The widget's paint was seen; the frame it belongs to may still be painting.
    bool m_seen = false;
    bool m_inFrame = false;
    bool m_painted = false;
    std::function<void()> m_atPaint;
};

// Runs until the window's first frame is painted and prints, as "painted MS" and
// "cpu MS", the time since startedMs and the processor time used, both taken at
// the paint itself. With QUILLON_BENCH_END_AT_PAINT set the process ends there,
// so that a profiler counts the start alone.
void reportFirstPaint(QWidget* window, double startedMs);

} // namespace bench
