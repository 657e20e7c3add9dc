// Page text: the page is fetched like any other transfer and read by the HTML parser.
#include "platform/html_text.h"
#include "platform/linux/curl_fetch.h"
#include "platform/linux_services.h"

namespace {
class CurlWebPageText final : public WebPageText {
public:
    TransferResult pageText(const std::string& url, std::string& text, int timeoutSeconds) override {
        std::string html, contentType;
        TransferResult r = curlFetch(url, html, &contentType, {}, timeoutSeconds);
        text = r.ok ? htmlBodyText(html, contentType) : std::string();
        return r;
    }
};
}  // namespace

std::unique_ptr<WebPageText> makeWebPageText() { return std::make_unique<CurlWebPageText>(); }
