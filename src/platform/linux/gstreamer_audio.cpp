// Playback on GStreamer's playbin. The station's loop is single threaded and runs no GLib main
// loop, so the player reads its bus whenever it is asked for its state.
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/paths.h"
#include "platform/linux/gst_task_threads.h"
#include "platform/linux_services.h"

namespace {

constexpr GstClockTime kPrerollLimit = 10 * GST_SECOND;
constexpr GstClockTime kSettleLimit = 5 * GST_SECOND;
// Audio streams only. The volume is an element of our own in front of the sink: playbin's own
// software volume leaves its volume element behind with every pipeline released (a few
// kilobytes a file, for as long as the station runs).
constexpr guint kPlayFlagAudio = 0x2;
constexpr long kSilentVolume = -10000;       // hundredths of a decibel: no sound at all

std::once_flag gstOnce;
bool gstInitialised = false;
std::string gstFailure;

// GStreamer says only by a warning that it could not start a streaming thread (a limit on
// threads or on memory); the pipeline then waits for a preroll that never comes. The warnings
// are counted, so that such a file fails at once and is released (see gst_task_threads.h).
std::atomic<unsigned> threadFailures{0};

void noteWarning(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (message && std::strstr(message, "failed to create thread")) ++threadFailures;
    g_log_default_handler(domain, level, message, nullptr);
}

bool gstReady() {
    std::call_once(gstOnce, [] {
        g_log_set_handler("GStreamer", G_LOG_LEVEL_WARNING, noteWarning, nullptr);
        GError* err = nullptr;
        gstInitialised = gst_init_check(nullptr, nullptr, &err);
        if (!gstInitialised) gstFailure = err ? err->message : "GStreamer cannot start";
        if (err) g_error_free(err);
    });
    return gstInitialised;
}

std::string messageText(GstMessage* msg) {
    GError* err = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(msg, &err, &debug);
    std::string text = err ? err->message : "playback error";
    if (err) g_error_free(err);
    g_free(debug);
    return text;
}

// The first error the bus holds, for a failure message.
std::string pendingError(GstBus* bus) {
    std::string text;
    while (GstMessage* msg = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR)) {
        if (text.empty()) text = messageText(msg);
        gst_message_unref(msg);
    }
    return text.empty() ? "the file cannot be played" : text;
}

GstElement* realTimeFakeSink() {
    GstElement* fake = gst_element_factory_make("fakesink", nullptr);
    if (fake) {
        gst_object_ref_sink(fake);
        g_object_set(fake, "sync", TRUE, nullptr);
    }
    return fake;
}

// The automatic sink falls back to a fake sink of its own when no device opens.
bool onlyFakeInside(GstElement* autoSink) {
    if (!GST_IS_BIN(autoSink)) return false;
    bool fake = false;
    GstIterator* it = gst_bin_iterate_sinks(GST_BIN(autoSink));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* child = GST_ELEMENT(g_value_get_object(&item));
        GstElementFactory* factory = gst_element_get_factory(child);
        if (factory && std::string(GST_OBJECT_NAME(factory)) == "fakesink") fake = true;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return fake;
}

// The sink the player renders into: the forced one, the desktop's output, or a fake sink
// that keeps real time where no output can be opened. The caller owns the reference.
GstElement* makeAudioSink() {
    if (const char* forced = std::getenv("MVSMALL_AUDIO_SINK"); forced && *forced) {
        GError* err = nullptr;
        GstElement* bin = gst_parse_bin_from_description(forced, TRUE, &err);
        if (!bin) {
            const std::string why = err ? err->message : "unknown element";
            if (err) g_error_free(err);
            throw PlatformError(std::string("audio sink \"") + forced + "\": " + why);
        }
        gst_object_ref_sink(bin);
        return bin;
    }
    // Looking for a device is done once: where there is none, every later player goes
    // straight to the fake sink instead of asking the sound system again.
    static std::atomic<bool> noDevice{false};
    if (!noDevice) {
        if (GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr)) {
            gst_object_ref_sink(sink);
            const bool opens = gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
            const bool real = opens && !onlyFakeInside(sink);
            gst_element_set_state(sink, GST_STATE_NULL);
            if (real) return sink;
            gst_object_unref(sink);
        }
        noDevice = true;
    }
    if (GstElement* fake = realTimeFakeSink()) return fake;
    throw PlatformError("no audio sink available");
}

std::optional<double> discoverSeconds(const std::string& path) {
    if (!gstReady() || !fileExists(path)) return std::nullopt;
    GError* err = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(kPrerollLimit, &err);
    if (!discoverer) {
        if (err) g_error_free(err);
        return std::nullopt;
    }
    std::optional<double> seconds;
    gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
    if (uri) {
        GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri, &err);
        if (info) {
            GList* audio = gst_discoverer_info_get_audio_streams(info);
            const GstClockTime d = gst_discoverer_info_get_duration(info);
            if (gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK && audio && GST_CLOCK_TIME_IS_VALID(d) && d > 0)
                seconds = static_cast<double>(d) / GST_SECOND;
            gst_discoverer_stream_info_list_free(audio);
            g_object_unref(info);
        }
        g_free(uri);
    }
    if (err) g_error_free(err);
    g_object_unref(discoverer);
    return seconds;
}

class GstPlayer final : public AudioPlayer {
public:
    ~GstPlayer() override { release(); }

    void render(const std::string& path) override {
        if (!gstReady()) throw PlatformError("cannot render " + path + ": " + gstFailure);
        if (!fileExists(path)) throw PlatformError("cannot render " + path + ": no such file");
        release();
        file_.clear();
        build(path);
        GstStateChangeReturn r = gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        if (r != GST_STATE_CHANGE_FAILURE) r = awaitPreroll();
        if (threadsFailed()) {
            release();
            throw PlatformError("cannot render " + path + ": no thread could be started to play it");
        }
        if (r == GST_STATE_CHANGE_FAILURE || r == GST_STATE_CHANGE_ASYNC) {
            const std::string why = r == GST_STATE_CHANGE_ASYNC ? "it did not open in time" : pendingError(bus_);
            release();
            throw PlatformError("cannot render " + path + ": " + why);
        }
        gint64 d = 0;
        double seconds = 0;
        if (gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &d) && d > 0)
            seconds = static_cast<double>(d) / GST_SECOND;
        else if (auto found = discoverSeconds(path))
            seconds = *found;
        if (seconds <= 0) {
            release();
            throw PlatformError("cannot render " + path + ": its length cannot be read");
        }
        file_ = path;
        duration_ = seconds;
        ended_ = false;
        running_ = false;
        lastPosition_ = 0;
        appliedRate_ = 1.0;
    }

    const std::string& file() const override { return file_; }

    void run() override {
        if (!pipeline_ || running_) return;
        poll();
        if (ended_) return;
        if (appliedRate_ != rate_) seekTo(currentPosition());
        running_ = true;
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
    }

    void stop() override {
        if (!pipeline_) return;
        lastPosition_ = currentPosition();
        running_ = false;
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        gst_element_get_state(pipeline_, nullptr, nullptr, kSettleLimit);
    }

    bool running() const override {
        poll();
        return running_ && !ended_;
    }

    double position() const override { return currentPosition(); }

    void setPosition(double seconds) override {
        if (!pipeline_) return;
        poll();
        const double target = std::clamp(seconds, 0.0, duration_);
        if (target >= duration_) {
            ended_ = true;
            lastPosition_ = duration_;
            return;
        }
        ended_ = false;
        seekTo(target);
    }

    double duration() const override { return duration_; }
    double rate() const override { return rate_; }

    void setRate(double rate) override {
        rate_ = rate > 0 ? rate : 1.0;
        if (!pipeline_) return;
        poll();
        if (!ended_ && rate_ != appliedRate_) seekTo(currentPosition());
    }

    long volume() const override { return volume_; }

    void setVolume(long hundredthsDb) override {
        volume_ = std::clamp(hundredthsDb, kSilentVolume, 0L);
        applyVolume();
        // A stopped player holds sound it has already prepared at the old volume; taking it
        // again from the same place makes the change apply from the first sample played.
        if (pipeline_ && !running_ && !ended_) seekTo(currentPosition());
    }

private:
    void build(const std::string& path) {
        failuresAtBuild_ = threadFailures;
        pipeline_ = gst_element_factory_make("playbin", nullptr);
        if (!pipeline_) throw PlatformError("cannot render " + path + ": GStreamer has no playbin");
        gst_object_ref_sink(pipeline_);
        useOwnTaskThreads(pipeline_);   // a thread that cannot start never holds the release
        bus_ = gst_element_get_bus(pipeline_);
        gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
        if (!uri) {
            release();
            throw PlatformError("cannot render " + path + ": not a usable file name");
        }
        GstElement* sink = nullptr;
        try {
            sink = withVolume(makeAudioSink());
        } catch (...) {
            g_free(uri);
            release();
            throw;
        }
        // Only the sound is wanted: a video stream in the file (AVI) is left out.
        g_object_set(pipeline_, "uri", uri, "flags", kPlayFlagAudio, "audio-sink", sink, nullptr);
        gst_object_unref(sink);  // playbin holds its own reference
        g_free(uri);
        applyVolume();  // before anything is prepared, so the first sample has it
    }

    // The sink behind a volume element of ours, as one bin; takes the sink's reference and gives
    // the bin's. The volume element lives as long as the bin, which the pipeline holds.
    GstElement* withVolume(GstElement* sink) {
        GstElement* volume = gst_element_factory_make("volume", nullptr);
        if (!volume) {
            gst_object_unref(sink);
            throw PlatformError("GStreamer has no volume element");
        }
        GstElement* bin = gst_bin_new(nullptr);
        gst_object_ref_sink(bin);
        gst_bin_add_many(GST_BIN(bin), volume, sink, nullptr);
        gst_object_unref(sink);  // the bin holds it now
        gst_element_link(volume, sink);
        GstPad* input = gst_element_get_static_pad(volume, "sink");
        gst_element_add_pad(bin, gst_ghost_pad_new("sink", input));
        gst_object_unref(input);
        volumeElement_ = volume;
        return bin;
    }

    // The preroll, looked at every tenth of a second: a thread that could not start ends the wait.
    GstStateChangeReturn awaitPreroll() {
        constexpr GstClockTime kStep = GST_SECOND / 10;
        GstStateChangeReturn r = GST_STATE_CHANGE_ASYNC;
        for (GstClockTime waited = 0; r == GST_STATE_CHANGE_ASYNC && waited < kPrerollLimit && !threadsFailed();
             waited += kStep)
            r = gst_element_get_state(pipeline_, nullptr, nullptr, kStep);
        return r;
    }

    bool threadsFailed() const { return threadFailures != failuresAtBuild_; }

    void release() {
        if (pipeline_) {
            gst_element_set_state(pipeline_, GST_STATE_NULL);
            gst_object_unref(pipeline_);
            pipeline_ = nullptr;
        }
        volumeElement_ = nullptr;
        if (bus_) {
            gst_object_unref(bus_);
            bus_ = nullptr;
        }
        running_ = false;
    }

    // Takes in what happened since the last look: the end of the stream, or an error,
    // which ends the playing as well so that nobody waits for an end that never comes.
    void poll() const {
        if (!bus_) return;
        while (GstMessage* msg = gst_bus_pop(bus_)) {
            if (GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS || GST_MESSAGE_TYPE(msg) == GST_MESSAGE_ERROR) {
                ended_ = true;
                lastPosition_ = duration_;
            }
            gst_message_unref(msg);
        }
    }

    double currentPosition() const {
        poll();
        if (!pipeline_) return lastPosition_;
        if (ended_) return duration_;
        gint64 p = 0;
        if (gst_element_query_position(pipeline_, GST_FORMAT_TIME, &p) && p >= 0)
            lastPosition_ = std::min(static_cast<double>(p) / GST_SECOND, duration_);
        return lastPosition_;
    }

    void seekTo(double seconds) {
        const auto start = static_cast<gint64>(seconds * GST_SECOND);
        const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
        if (gst_element_seek(pipeline_, rate_, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, start, GST_SEEK_TYPE_NONE,
                             GST_CLOCK_TIME_NONE)) {
            appliedRate_ = rate_;
            lastPosition_ = seconds;
        }
        gst_element_get_state(pipeline_, nullptr, nullptr, kSettleLimit);
    }

    void applyVolume() {
        if (!volumeElement_) return;
        const double linear = volume_ <= kSilentVolume ? 0.0 : std::pow(10.0, static_cast<double>(volume_) / 2000.0);
        g_object_set(volumeElement_, "volume", linear, nullptr);
    }

    GstElement* pipeline_ = nullptr;
    GstBus* bus_ = nullptr;
    GstElement* volumeElement_ = nullptr;   // inside the pipeline's sink bin, which owns it
    unsigned failuresAtBuild_ = 0;   // threads that could not start, counted when the pipeline was built
    std::string file_;
    double duration_ = 0;
    double rate_ = 1.0;
    double appliedRate_ = 1.0;
    long volume_ = 0;
    bool running_ = false;
    mutable bool ended_ = false;
    mutable double lastPosition_ = 0;
};

class GStreamerAudio final : public AudioService {
public:
    std::unique_ptr<AudioPlayer> newPlayer() override { return std::make_unique<GstPlayer>(); }
};

}  // namespace

std::unique_ptr<AudioService> makeGStreamerAudio() {
    gstReady();
    return std::make_unique<GStreamerAudio>();
}

std::optional<double> probeAudioSeconds(const std::string& path) { return discoverSeconds(path); }

#if defined(__SANITIZE_ADDRESS__)
// GLib and GStreamer keep allocations for the life of the process (type registrations, the
// plugin registry, per-thread caches of their streaming threads) and release them only at exit.
// The leak checker is told so; leaks of this program's own memory are still reported.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgstreamer-1.0.so\n"
           "leak:libgstbase-1.0.so\n"
           "leak:libgstpbutils-1.0.so\n"
           "leak:libgstaudio-1.0.so\n";
}
#endif
