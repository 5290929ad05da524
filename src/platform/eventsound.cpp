#include "platform/eventsound.h"
#include "platform/identity.h"

#include <QDebug>

#include <canberra.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct ContextDeleter {
    void operator()(ca_context* context) const { ca_context_destroy(context); }
};
using Context = std::unique_ptr<ca_context, ContextDeleter>;

// A context connected to the sound server; null with *error set if there is none.
Context openContext(int* error)
{
    ca_context* raw = nullptr;
    *error = ca_context_create(&raw);
    Context context(raw);
    if (*error != CA_SUCCESS)
        return nullptr;
    // Only a sound server: the ALSA driver would bypass the desktop's mixer, or wait on a
    // device that another program holds.
    *error = ca_context_set_driver(raw, "pulse");
    if (*error == CA_SUCCESS)
        *error = ca_context_change_props(raw, CA_PROP_APPLICATION_NAME, "視野検査",
                                         CA_PROP_APPLICATION_ID, identity::kAppId, nullptr);
    if (*error == CA_SUCCESS)
        *error = ca_context_open(raw);
    return *error == CA_SUCCESS ? std::move(context) : nullptr;
}

} // namespace

struct EventSound::Queue {
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;
    bool started = false;
    // Where the fallback runs; null once the EventSound has gone.
    EventSound* owner = nullptr;
};

EventSound::EventSound(std::function<void()> fallback)
    : m_fallback(std::move(fallback))
    , m_queue(std::make_shared<Queue>())
{
    m_queue->owner = this;
}

EventSound::~EventSound()
{
    const std::scoped_lock lock(m_queue->mutex);
    m_queue->owner = nullptr;
    m_queue->wake.notify_one();
}

void EventSound::play()
{
    const std::scoped_lock lock(m_queue->mutex);
    m_queue->pending = true;
    if (!m_queue->started)
        std::thread(run, m_queue).detach();
    m_queue->started = true;
    m_queue->wake.notify_one();
}

void EventSound::run(const std::shared_ptr<Queue>& queue)
{
    Context context;
    bool told = false;
    for (;;) {
        {
            std::unique_lock lock(queue->mutex);
            queue->wake.wait(lock, [&] { return queue->pending || !queue->owner; });
            if (!queue->owner)
                return;
            queue->pending = false;
        }
        int error = CA_SUCCESS;
        if (!context)
            context = openContext(&error);
        if (context)
            error = ca_context_play(context.get(), 0, CA_PROP_EVENT_ID, "bell",
                                    CA_PROP_EVENT_DESCRIPTION, "検査終了", nullptr);
        if (error == CA_SUCCESS)
            continue;
        // A server that went away may be back for the next sound.
        context.reset();
        if (!told)
            qWarning("shiyakensa: the end-of-run beep rings the system bell instead: the sound "
                     "server cannot play it (%s)",
                     ca_strerror(error));
        told = true;
        // Under the lock the owner cannot go while the fallback is posted to it; Qt drops
        // the posted call if it goes before the call runs.
        const std::scoped_lock lock(queue->mutex);
        if (EventSound* owner = queue->owner)
            QMetaObject::invokeMethod(
                owner, [owner] { owner->m_fallback(); }, Qt::QueuedConnection);
    }
}
