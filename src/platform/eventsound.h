#pragma once

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

// The desktop's short event sound (the sound theme's "bell"), played through the sound
// server with libcanberra. Connecting to a server can block, so all of it happens on a
// worker thread of its own, started with the first sound; play() only queues. When no
// server answers or libcanberra fails, the fallback (the platform beep) runs instead, on the
// thread that owns this object, and one line on stderr says why.
class EventSound : public QObject {
public:
    explicit EventSound(std::function<void()> fallback);
    ~EventSound() override;

    void play();

private:
    void run(const std::stop_token& stop);

    std::function<void()> m_fallback;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    int m_pending = 0;
    // Last: it stops and joins before the queue it reads goes.
    std::jthread m_worker;
};
