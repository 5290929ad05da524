#include "platform/eventsound.h"

#include <QDebug>

#include <canberra.h>

#include <memory>

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
        *error
            = ca_context_change_props(raw, CA_PROP_APPLICATION_NAME, "視野検査",
                                      CA_PROP_APPLICATION_ID, "jp.shiyakensa.ShiyaKensa", nullptr);
    if (*error == CA_SUCCESS)
        *error = ca_context_open(raw);
    return *error == CA_SUCCESS ? std::move(context) : nullptr;
}

} // namespace

EventSound::EventSound(std::function<void()> fallback)
    : m_fallback(std::move(fallback))
{
}

EventSound::~EventSound() = default;

void EventSound::play()
{
    {
        const std::scoped_lock lock(m_mutex);
        ++m_pending;
    }
    if (!m_worker.joinable())
        m_worker = std::jthread([this](const std::stop_token& stop) { run(stop); });
    m_wake.notify_one();
}

void EventSound::run(const std::stop_token& stop)
{
    Context context;
    bool told = false;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return m_pending > 0; }) || stop.stop_requested())
                return;
            --m_pending;
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
        QMetaObject::invokeMethod(
            this, [this] { m_fallback(); }, Qt::QueuedConnection);
    }
}
