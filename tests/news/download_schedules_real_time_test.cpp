// The news download schedules in real time, with the real transfers, against a server on
// 127.0.0.1: a server that stalls costs no other schedule its download, and the station goes on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/app.h"
#include "app/headless/console.h"
#include "core/clock.h"
#include "core/datetime.h"
#include "news/news_download_window.h"
#include "platform/doubles/scripted_services.h"
#include "platform/local_servers.h"
#include "support/station_fixture.h"

namespace {

// The machine's clock, moved to a chosen moment of the week; it runs in real time from there.
class MovedClock final : public Clock {
public:
    explicit MovedClock(LocalMs start) : shift_(start - real_.now()) {}
    LocalMs now() const override { return real_.now() + shift_; }
    std::int64_t tickCount() const override { return real_.tickCount(); }
    void sleepFor(std::int64_t ms) override { real_.sleepFor(ms); }
    bool isVirtual() const override { return false; }

private:
    RealClock real_;
    LocalMs shift_;
};

TEST(DownloadSchedulesInRealTime, BothSchedulesOfOneMinuteFetchTheirFileWhileTheFirstServerStalls) {
    setenv("MVSMALL_AUDIO_SINK", "fakesink sync=true", 1);
    LocalServer http(httpServerScript(), {});
    ASSERT_TRUE(http.started()) << http.problem();
    const std::string base = "http://127.0.0.1:" + std::to_string(http.port());
    TempFolder config, data, home;
    // Thursday 06:30 for both: files 1 and 2 from a server that answers after 7 s, files 3 and 4
    // from one that answers at once.
    config.write("maronewsmp3d.ini", "[SETTINGS]\nTHUR=1\nHOUR=06\nMINS=30\nCHECK1=1\nTXTURL11=" + base +
                                         "/late/7/file.bin\nTHURx=1\nHOURx=06\nMINSx=30\nCHECK3=1\nTXTURL33=" + base +
                                         "/file.bin\n");
    auto clock = std::make_shared<MovedClock>(*parseDateTime("2026-12-10 06:30:01") + 500);
    AppOptions options;
    options.clock = clock;
    options.folders = {config.path(), data.path(), home.path()};
    App app(options, realTimeServices(*clock, std::make_unique<ScriptedDialogs>()));
    app.act([&] { app.form13(); });
    Form13& w = app.form13();
    const auto downloads = [&](int n) {
        return app.transcript().count("DOWNLOAD \"" + std::string(n == 1 ? w.txtURL11.text() : w.txtURL33.text()) +
                                      "\" \"" + w.slotTarget(n) + "\" ok");
    };

    app.act([&] { app.loop().runFor(3000); });   // to about 06:30:04.5, the first server still silent
    ASSERT_EQ(downloads(1), 0);
    EXPECT_EQ(w.Label2.caption(), "Downloading");
    EXPECT_GE(w.ShowTime2.caption(), "06:30:04") << "the schedule clock stood still while the server stalled";

    app.act([&] { app.loop().runFor(10000); });   // to about 06:30:14.5
    EXPECT_EQ(downloads(1), 1);
    EXPECT_EQ(downloads(3), 1) << "schedule 2 was lost behind schedule 1";
    EXPECT_EQ(app.transcript().count("DOWNLOAD"), 2);
    EXPECT_EQ(data.read("News1.mp3").size(), 100000u);
    EXPECT_EQ(data.read("News3.mp3").size(), 100000u);
    EXPECT_EQ(w.Label2.caption(), "Ready For Next Download");
    unsetenv("MVSMALL_AUDIO_SINK");
}

}  // namespace
