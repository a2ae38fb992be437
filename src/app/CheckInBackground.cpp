#include "app/CheckInBackground.h"

#include "model/store/FileHealth.h"

#include <QCursor>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>

CheckInBackground::~CheckInBackground()
{
    if (!m_thread.joinable())
        return;
    // A program that ends does not wait seconds for a verdict no one will read.
    store::stopWholeFileWork(true);
    m_thread.join();
    store::stopWholeFileWork(false);
}

void CheckInBackground::start(Work work, Done done)
{
    if (m_thread.joinable())
        m_thread.join();
    m_done = std::move(done);
    m_running = true;
    m_thread = std::thread([this, work = std::move(work)] {
        const LaterCheck found = work();
        QMetaObject::invokeMethod(this, [this, found] { deliver(found); }, Qt::QueuedConnection);
    });
}

void CheckInBackground::deliver(const LaterCheck& found)
{
    m_running = false;
    // The cursor is the user's again before anything found is said.
    if (m_waiting)
        QGuiApplication::restoreOverrideCursor();
    if (m_done)
        m_done(found);
}

void CheckInBackground::await()
{
    if (!m_running || m_waiting)
        return;
    m_waiting = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Events one at a time rather than a nested loop: a loop would return at
    // once in a program that has been told to end.
    while (m_running)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    m_waiting = false;
}
