// Page text: the page is fetched like any other transfer and read by the HTML parser. Only a page
// served as HTML or plain text is read; anything else (an audio file, a picture) is a failed
// fetch, never binary read out as speech.
#include "platform/html_text.h"
#include "platform/linux/curl_fetch.h"
#include "platform/linux_services.h"

#include "core/text.h"

namespace {
// "text/html; charset=utf-8" -> "text/html".
std::string mediaType(const std::string& contentType) {
    return lcase(trimWhitespace(contentType.substr(0, contentType.find(';'))));
}

class CurlWebPageText final : public WebPageText {
public:
    explicit CurlWebPageText(TransferLimits limits) : limits_(limits) {}

    TransferResult pageText(const std::string& url, std::string& text, int timeoutSeconds,
                            const TransferProgress& progress) override {
        std::string body, contentType;
        TransferResult r = curlFetch(url, body, &contentType, progress, timeoutSeconds, limits_);
        text.clear();
        if (!r.ok) return r;
        const std::string type = mediaType(contentType);
        if (type == "text/html") {
            // The parse asks what the transfer asked at each report: whether to go on.
            const auto keepGoing = [&] { return !progress || progress(std::int64_t(body.size()), std::int64_t(body.size())); };
            PageText page = readHtmlBody(body, contentType, keepGoing);
            if (!page.ok) {
                r.ok = false;
                r.error = page.why;
            }
            text = std::move(page.text);
        } else if (type == "text/plain") {
            text = replaceAll(replaceAll(htmlToUtf8(body, contentType), "\r\n", "\n"), "\r", "\n");
        } else {
            r.ok = false;
            r.error = "not a web page (" + (type.empty() ? std::string("no content type") : type) + ")";
        }
        return r;
    }

private:
    TransferLimits limits_;
};
}  // namespace

std::unique_ptr<WebPageText> makeWebPageText(TransferLimits limits) {
    return std::make_unique<CurlWebPageText>(limits);
}
