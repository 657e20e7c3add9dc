#include "platform/linux/gst_task_threads.h"

#include <pthread.h>

#include <cstring>

namespace {

struct TaskThreadsPool {
    GstTaskPool parent;
};
struct TaskThreadsPoolClass {
    GstTaskPoolClass parent_class;
};

G_DEFINE_TYPE(TaskThreadsPool, task_threads_pool, GST_TYPE_TASK_POOL)

struct Started {
    pthread_t thread;
};

struct Work {
    GstTaskPoolFunction func;
    gpointer data;
};

void* runWork(void* arg) {
    const Work work = *static_cast<Work*>(arg);
    delete static_cast<Work*>(arg);
    work.func(work.data);
    return nullptr;
}

gpointer pushTask(GstTaskPool*, GstTaskPoolFunction func, gpointer data, GError** error) {
    auto* work = new Work{func, data};
    pthread_t thread;
    if (const int err = pthread_create(&thread, nullptr, runWork, work)) {
        delete work;
        g_set_error(error, G_THREAD_ERROR, G_THREAD_ERROR_AGAIN, "Error creating thread: %s", std::strerror(err));
        // The task asks for its thread holding its own lock, marked running and referenced for
        // the thread; with no thread it has ended already, so a stop never waits for it.
        auto* task = static_cast<GstTask*>(data);
        task->running = FALSE;
        gst_object_unref(task);
        return nullptr;
    }
    return new Started{thread};
}

void joinTask(GstTaskPool*, gpointer id) {
    auto* started = static_cast<Started*>(id);
    pthread_join(started->thread, nullptr);
    delete started;
}

// A thread nobody will wait for cleans up after itself.
void disposeHandle(GstTaskPool*, gpointer id) {
    auto* started = static_cast<Started*>(id);
    pthread_detach(started->thread);
    delete started;
}

void task_threads_pool_class_init(TaskThreadsPoolClass* klass) {
    auto* pool = GST_TASK_POOL_CLASS(klass);
    pool->push = pushTask;
    pool->join = joinTask;
    pool->dispose_handle = disposeHandle;
    // prepare and cleanup: nothing is kept between tasks.
    pool->prepare = [](GstTaskPool*, GError**) {};
    pool->cleanup = [](GstTaskPool*) {};
}

void task_threads_pool_init(TaskThreadsPool*) {}

GstTaskPool* sharedPool() {
    static GstTaskPool* pool = [] {
        auto* p = GST_TASK_POOL(g_object_new(task_threads_pool_get_type(), nullptr));
        gst_object_ref_sink(p);
        return p;
    }();
    return pool;
}

// Runs in whichever thread creates the task, before the task asks for its thread.
GstBusSyncReply onMessage(GstBus*, GstMessage* message, gpointer) {
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_STREAM_STATUS) return GST_BUS_PASS;
    GstStreamStatusType type;
    gst_message_parse_stream_status(message, &type, nullptr);
    if (type != GST_STREAM_STATUS_TYPE_CREATE) return GST_BUS_PASS;
    const GValue* value = gst_message_get_stream_status_object(message);
    if (value && G_VALUE_HOLDS_OBJECT(value) && GST_IS_TASK(g_value_get_object(value)))
        gst_task_set_pool(GST_TASK(g_value_get_object(value)), sharedPool());
    return GST_BUS_PASS;
}

}  // namespace

void useOwnTaskThreads(GstElement* pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, onMessage, nullptr, nullptr);
    gst_object_unref(bus);
}
