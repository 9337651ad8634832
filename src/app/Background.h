#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <QVector>

#include <functional>
#include <memory>

// Work that runs on threads of its own, each result handed to its `done` on the owner's thread:
// for the archive, so that the window never waits on a database. What still runs when the owner
// goes is waited for, so that no transaction is cut short by the window closing.
class BackgroundTasks : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BackgroundTasks() override
    {
        for (const QPointer<QThread>& thread : m_threads) {
            if (thread) {
                thread->wait();
                delete thread.data();
            }
        }
    }

    template <typename Result> void run(std::function<Result()> work, std::function<void(Result)> done)
    {
        auto result = std::make_shared<Result>();
        QThread* thread = QThread::create([result, work] { *result = work(); });
        connect(thread, &QThread::finished, this, [this, thread, result, done] {
            m_threads.removeAll(thread);
            thread->deleteLater();
            done(std::move(*result));
        });
        m_threads.append(thread);
        thread->start();
    }

    int running() const { return m_threads.size(); }

private:
    QVector<QPointer<QThread>> m_threads;
};
