// Web and FTP transfers on libcurl. Every transfer has a time-out; an HTTP error status, a
// transport error, a time-out and a cancel are failures, and a download replaces the old file
// only when it arrived whole.
#include <curl/curl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <mutex>

#include "core/partial_file.h"
#include "platform/linux/curl_fetch.h"
#include "platform/linux_services.h"

namespace {

constexpr int kDefaultTimeout = 30;
constexpr long kConnectLimit = 20;

void startCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    CURL* easy = nullptr;
    char error[CURL_ERROR_SIZE] = {};
    TransferProgress progress;
    bool upload = false;
    std::exception_ptr thrown;  // from the progress callback, passed on after curl has let go
    // Where the data goes, at most `largest` bytes of it.
    std::string* text = nullptr;
    FILE* file = nullptr;
    std::int64_t largest = 0;
    std::int64_t received = 0;
    bool tooLarge = false;

    Transfer(const std::string& url, const TransferProgress& p, int timeoutSeconds, const TransferLimits& limits)
        : progress(p) {
        startCurl();
        easy = curl_easy_init();
        if (!easy) return;
        const long timeout = timeoutSeconds > 0 ? timeoutSeconds : kDefaultTimeout;
        // A stalled transfer fails well before the total time-out.
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, limits.stallSeconds)));
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(easy, CURLOPT_TIMEOUT, timeout);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, std::min(timeout, kConnectLimit));
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
        curl_easy_setopt(easy, CURLOPT_USERAGENT, "MVSmall/1.0");
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    }
    ~Transfer() {
        if (easy) curl_easy_cleanup(easy);
    }

    // Receives into a text or a file, refusing what passes `most` bytes.
    void receiveInto(std::string* t, FILE* f, std::int64_t most) {
        text = t;
        file = f;
        largest = most;
        if (!easy) return;
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(most));
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::onData);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    }

    static size_t onData(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const size_t n = size * count;
        if (t->received + static_cast<std::int64_t>(n) > t->largest) {
            t->tooLarge = true;
            return 0;   // curl ends the transfer with a write error
        }
        t->received += static_cast<std::int64_t>(n);
        if (t->text) {
            t->text->append(data, n);
            return n;
        }
        return t->file ? std::fwrite(data, 1, n, t->file) : n;
    }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    static int onProgress(void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow) {
        auto* t = static_cast<Transfer*>(self);
        if (!t->progress) return 0;
        const std::int64_t done = t->upload ? ulNow : dlNow;
        const std::int64_t total = t->upload ? ulTotal : dlTotal;
        try {
            return t->progress(done, total > 0 ? total : -1) ? 0 : 1;
        } catch (...) {
            t->thrown = std::current_exception();
            return 1;
        }
    }

    TransferResult perform() {
        TransferResult r;
        if (!easy) {
            r.error = "cannot start a transfer";
            return r;
        }
        const CURLcode code = curl_easy_perform(easy);
        if (thrown) std::rethrow_exception(thrown);
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &r.status);
        curl_off_t bytes = 0;
        curl_easy_getinfo(easy, upload ? CURLINFO_SIZE_UPLOAD_T : CURLINFO_SIZE_DOWNLOAD_T, &bytes);
        r.bytes = bytes;
        if (tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            r.error = "larger than " + std::to_string(largest) + " bytes";
        } else if (code == CURLE_ABORTED_BY_CALLBACK) {
            r.error = "cancelled";
        } else if (code == CURLE_OPERATION_TIMEDOUT) {
            r.error = std::string("timed out: ") + (error[0] ? error : curl_easy_strerror(code));
        } else if (code != CURLE_OK) {
            r.error = error[0] ? error : curl_easy_strerror(code);
        } else if (isHttp() && r.status >= 400) {
            r.error = "HTTP status " + std::to_string(r.status);
        } else {
            r.ok = true;
        }
        return r;
    }

    bool isHttp() const {
        const char* scheme = nullptr;
        curl_easy_getinfo(easy, CURLINFO_SCHEME, &scheme);
        const std::string s = scheme ? scheme : "";
        return s == "HTTP" || s == "HTTPS" || s == "http" || s == "https";
    }
};

size_t readFrom(char* data, size_t size, size_t count, void* file) {
    return std::fread(data, size, count, static_cast<FILE*>(file)) * size;
}

TransferResult failed(const std::string& why) {
    TransferResult r;
    r.error = why;
    return r;
}

class CurlTransfer final : public TransferService {
public:
    explicit CurlTransfer(TransferLimits limits) : limits_(limits) {}

    TransferResult get(const std::string& url, std::string& body, const TransferProgress& progress,
                       int timeoutSeconds) override {
        return curlFetch(url, body, nullptr, progress, timeoutSeconds, limits_);
    }

    TransferResult download(const std::string& url, const std::string& path, const TransferProgress& progress,
                            int timeoutSeconds) override {
        PartialFile temp(path);
        if (!temp.file()) return failed("cannot write " + path);
        Transfer t(url, progress, timeoutSeconds, limits_);
        t.receiveInto(nullptr, temp.file(), limits_.largestDownload);
        TransferResult r = t.perform();
        if (r.ok && !temp.keep()) r = failed("cannot write " + path);
        return r;
    }

    TransferResult upload(const std::string& localPath, const std::string& url, const TransferProgress& progress,
                          int timeoutSeconds) override {
        FILE* file = std::fopen(localPath.c_str(), "rb");
        if (!file) return failed("cannot read " + localPath);
        TransferResult r;
        try {
            std::fseek(file, 0, SEEK_END);
            const long size = std::ftell(file);
            std::rewind(file);
            Transfer t(url, progress, timeoutSeconds, limits_);
            t.upload = true;
            if (t.easy) {
                curl_easy_setopt(t.easy, CURLOPT_UPLOAD, 1L);
                curl_easy_setopt(t.easy, CURLOPT_READFUNCTION, &readFrom);
                curl_easy_setopt(t.easy, CURLOPT_READDATA, file);
                if (size >= 0) curl_easy_setopt(t.easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
            }
            r = t.perform();
        } catch (...) {
            std::fclose(file);
            throw;
        }
        std::fclose(file);
        return r;
    }

    std::optional<std::int64_t> remoteSize(const std::string& url, int timeoutSeconds) override {
        Transfer t(url, {}, timeoutSeconds, limits_);
        if (!t.easy) return std::nullopt;
        curl_easy_setopt(t.easy, CURLOPT_NOBODY, 1L);
        if (!t.perform().ok) return std::nullopt;
        curl_off_t size = -1;
        curl_easy_getinfo(t.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
        if (size < 0) return std::nullopt;
        return static_cast<std::int64_t>(size);
    }

private:
    TransferLimits limits_;
};

}  // namespace

TransferResult curlFetch(const std::string& url, std::string& body, std::string* contentType,
                         const TransferProgress& progress, int timeoutSeconds, const TransferLimits& limits) {
    std::string received;
    Transfer t(url, progress, timeoutSeconds, limits);
    t.receiveInto(&received, nullptr, limits.largestInMemory);
    TransferResult r = t.perform();
    if (contentType) {
        const char* type = nullptr;
        if (t.easy) curl_easy_getinfo(t.easy, CURLINFO_CONTENT_TYPE, &type);
        *contentType = type ? type : "";
    }
    body = r.ok ? std::move(received) : std::string();
    return r;
}

std::unique_ptr<TransferService> makeCurlTransfer(TransferLimits limits) {
    startCurl();
    return std::make_unique<CurlTransfer>(limits);
}
