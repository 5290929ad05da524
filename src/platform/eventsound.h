#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The desktop's short event sound (the sound theme's "bell"), played through the sound
// server with libcanberra. Connecting to a server can block, so all of it happens on a
// worker thread of its own, started with the first sound; play() only asks for it. When no
// server answers or libcanberra fails, the fallback (the platform beep) runs instead, on the
// thread that owns this object, and one line on stderr says why.
//
// The worker is let go, not joined, when this object goes: a server that accepts the
// connection and never answers keeps that thread waiting, but never the program's exit.
class EventSound : public QObject {
public:
    explicit EventSound(std::function<void()> fallback);
    ~EventSound() override;

    // Call on the GUI thread. A sound asked for while one is still waiting to play joins it:
    // a stalled server that wakes plays one, not a burst of stale ones.
    void play();

private:
    struct Queue;
    static void run(const std::shared_ptr<Queue>& queue);

    std::function<void()> m_fallback;
    // Shared with the worker, which may outlive this object.
    std::shared_ptr<Queue> m_queue;
};
