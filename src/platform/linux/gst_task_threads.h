#pragma once
// Streaming threads for the player's pipelines: one thread of our own a streaming task, in place
// of GStreamer's shared pool. When no thread can be started (a limit on threads or on memory),
// the shared pool leaves the task marked running and queued for whichever thread frees up next,
// so stopping the pipeline waits for it, and a thread that comes late runs it against a pipeline
// already gone. Here such a task is never queued and ends at once, as if it had run and
// returned: the pipeline fails, is released whole (its other threads and its open files go with
// it) and nothing of it runs later. GStreamer still warns that the thread could not be started.
#include <gst/gst.h>

// Gives every streaming task that `pipeline` creates from now on a thread of its own.
void useOwnTaskThreads(GstElement* pipeline);
