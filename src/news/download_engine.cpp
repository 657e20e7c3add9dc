// The web and FTP download engine of the news download window, on the transfer service: the file
// arrives in a temporary file and replaces the old one only when it arrived whole.
#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "news/news_download_window.h"

namespace {

constexpr int kDownloadTimeoutSeconds = 300;

// A number with one decimal, at least one digit before the point; halves away from zero.
std::string oneDecimal(double v) {
    const double rounded = std::round(v * 10.0) / 10.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", rounded);
    return buf;
}

bool acceptedScheme(const std::string& url) {
    const std::string lower = lcase(url);
    return startsWith(lower, "ftp://") || startsWith(lower, "http://");
}

}  // namespace

bool Form13::DownloadAFile(const std::string& sFileName, const std::string& sURLfrom, bool /*bShowStatus*/,
                           bool bProgressBar) {
    bDownloading = true;
    bool cancelled = false;
    struct Done {
        Form13& w;
        bool& cancelled;
        ~Done() {
            w.bDownloading = false;
            // A cancelled download leaves the speed timer as a close request set it.
            if (!cancelled) w.tmrSpeedTest.disable();
        }
    } done{*this, cancelled};

    if (sFileName.empty() && sURLfrom.empty()) return false;
    auto record = [&](bool ok) {
        app().transcript().record("DOWNLOAD " + quoted(sURLfrom) + " " + quoted(sFileName) + (ok ? " ok" : " failed"));
    };
    if (!acceptedScheme(sURLfrom)) {
        LogError("News download: \"" + sURLfrom + "\" is not an http:// or ftp:// address; " + sFileName +
                 " is kept ");
        record(false);
        return false;
    }
    if (bCancel) {
        cancelled = true;
        record(false);
        return false;
    }

    std::int64_t expected = 0;
    tmrSpeedTestTag = "0";
    const TransferResult r = app().transfer().download(
        sURLfrom, sFileName,
        [&](std::int64_t received, std::int64_t total) {
            // The rest of the program goes on while the file arrives.
            loop().doEvents();
            if (bCancel) return false;
            tmrSpeedTest.enable();
            if (total > 0 && total != expected) {
                expected = total;
                tmrSpeedTestTag = std::to_string(expected);
            }
            if (bProgressBar) ProgressBar(expected, received, sFileName);
            return true;
        },
        kDownloadTimeoutSeconds);

    if (r.ok && bProgressBar) ProgressBar(r.bytes, r.bytes, sFileName);
    if (!r.ok) {
        cancelled = bCancel;
        LogError("News download of " + sURLfrom + " failed (" + r.error + "); " + sFileName + " is kept ");
    }
    record(r.ok);
    return r.ok;
}

void Form13::ProgressBar(std::int64_t lSize, std::int64_t lDone, const std::string& /*sFiles*/) {
    if (lDone == 0) return;
    lBytesDone = lDone;
    const std::string kb = oneDecimal(static_cast<double>(lDone) / 1000.0) + " Kb ";
    if (kb != lblData0.caption()) lblData0.setCaption(kb);
    if (lSize > 0) {
        const auto percent = std::min<std::int64_t>(100, lDone * 100 / lSize);
        const std::string text = std::to_string(percent) + " %";
        if (text != Percent.caption()) Percent.setCaption(text);
    }
}

void Form13::tmrSpeedTest_Timer() {
    if (tmrSpeedTestTag == "CLOSEAPP") {
        // The close request waits for the download below it to stop.
        if (!bDownloading) unload();
        return;
    }
    step([&] {
        const std::int64_t d = lBytesDone - lBytesAtLastTick;
        if (d > 0) {
            const std::string t = "Average : " + oneDecimal(static_cast<double>(d) / 1024.0) + " / Kbps";
            if (t != lblData1.caption()) lblData1.setCaption(t);
            if (t != lblData2.caption()) lblData2.setCaption(t);
        }
    });
    lBytesAtLastTick = lBytesDone;
}

std::string Form13::ConvSeconds(long intMin) {
    const long m = intMin / 60;
    return "Time remaining : " + std::to_string(m) + " minutes " + std::to_string(intMin - 60 * m) + " seconds";
}
