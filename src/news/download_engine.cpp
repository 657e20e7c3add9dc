// The web and FTP download engine of the news download window, on the transfer service: the file
// arrives in a temporary file and replaces the old one only when it arrived whole.
#include <chrono>
#include <cmath>
#include <exception>
#include <memory>
#include <thread>
#include <cstdio>

#include "app/app.h"
#include "core/event_loop.h"
#include "core/step.h"
#include "core/text.h"
#include "news/news_download_window.h"

namespace {

constexpr int kDownloadTimeoutSeconds = 300;
// How often a download off the loop shows its progress.
constexpr std::chrono::milliseconds kProgressEvery{100};

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

void Form13::DownloadAFile(const std::string& sFileName, const std::string& sURLfrom, bool /*bShowStatus*/,
                           bool bProgressBar, std::function<void(bool ok)> done) {
    bDownloading = true;
    auto finish = [this, done](bool ok, bool cancelled) {
        bDownloading = false;
        cancelFlag_.reset();
        // A cancelled download leaves the speed timer as a close request set it.
        if (!cancelled) tmrSpeedTest.disable();
        if (done) done(ok);
    };
    auto record = [this, sURLfrom, sFileName](bool ok) {
        app().transcript().record("DOWNLOAD " + quoted(sURLfrom) + " " + quoted(sFileName) + (ok ? " ok" : " failed"));
    };
    if (sFileName.empty() && sURLfrom.empty()) return finish(false, false);
    if (!acceptedScheme(sURLfrom)) {
        LogError("News download: \"" + sURLfrom + "\" is not an http:// or ftp:// address; " + sFileName +
                 " is kept ");
        record(false);
        return finish(false, false);
    }
    if (bCancel) {
        record(false);
        return finish(false, true);
    }

    expectedBytes_ = 0;
    tmrSpeedTestTag = "0";
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancelFlag_ = cancel;
    auto outcome = std::make_shared<TransferResult>();
    TransferService& transfer = app().transfer();
    const auto loopThread = std::this_thread::get_id();
    transfers_.start(
        [=, this, &transfer](const std::atomic<bool>& stopping) {
            auto lastShown = std::chrono::steady_clock::now();
            const TransferProgress progress = [&](std::int64_t received, std::int64_t total) {
                if (std::this_thread::get_id() == loopThread) {
                    // In station time the transfer runs in line: the rest of the program goes on
                    // from here while the file arrives.
                    loop().doEvents();
                    if (bCancel) return false;
                    showProgress(received, total, bProgressBar, sFileName);
                    return true;
                }
                if (stopping || *cancel) return false;
                const auto now = std::chrono::steady_clock::now();
                if (now - lastShown >= kProgressEvery) {
                    lastShown = now;
                    postToWindow([=, this] { showProgress(received, total, bProgressBar, sFileName); });
                }
                return true;
            };
            try {
                *outcome = transfer.download(sURLfrom, sFileName, progress, kDownloadTimeoutSeconds);
            } catch (const ProgramEnded&) {
                throw;
            } catch (const std::exception& e) {
                *outcome = TransferResult{};
                outcome->error = e.what();
            } catch (...) {
                *outcome = TransferResult{};
                outcome->error = "unknown failure";
            }
        },
        [=, this] {
            const TransferResult& r = *outcome;
            if (r.ok && bProgressBar) ProgressBar(r.bytes, r.bytes, sFileName);
            if (!r.ok)
                LogError("News download of " + sURLfrom + " failed (" + r.error + "); " + sFileName + " is kept ");
            record(r.ok);
            finish(r.ok, !r.ok && bCancel);
        },
        [outcome](const std::string& why) { outcome->error = why; });
}

void Form13::showProgress(std::int64_t received, std::int64_t total, bool bar, const std::string& file) {
    tmrSpeedTest.enable();
    if (total > 0 && total != expectedBytes_) {
        expectedBytes_ = total;
        tmrSpeedTestTag = std::to_string(expectedBytes_);
    }
    if (bar) ProgressBar(expectedBytes_, received, file);
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
