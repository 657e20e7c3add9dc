#pragma once
// Web and FTP transfers, in place of the Internet functions and the transfer control.
// HTTP error statuses, transport errors and time-outs are failures; every transfer is bounded.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct TransferResult {
    bool ok = false;
    long status = 0;          // HTTP status or FTP reply code where known
    std::string error;        // why it failed, for the error log
    std::int64_t bytes = 0;
};

// Called as data moves: bytes so far and the total (-1 unknown). Return false to cancel.
using TransferProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

class TransferService {
public:
    virtual ~TransferService() = default;
    // Reads a URL (http, https, ftp) into memory.
    virtual TransferResult get(const std::string& url, std::string& body, const TransferProgress& progress = {},
                               int timeoutSeconds = 30) = 0;
    // Downloads to a file: written to a temporary file and renamed over `path` only on success.
    virtual TransferResult download(const std::string& url, const std::string& path,
                                    const TransferProgress& progress = {}, int timeoutSeconds = 300) = 0;
    // Uploads a local file (FTP put).
    virtual TransferResult upload(const std::string& localPath, const std::string& url,
                                  const TransferProgress& progress = {}, int timeoutSeconds = 300) = 0;
    // The size of the resource where the server tells it.
    virtual std::optional<std::int64_t> remoteSize(const std::string& url, int timeoutSeconds = 15) = 0;
};

// The plain text of a web page's body, in place of the browser control.
class WebPageText {
public:
    virtual ~WebPageText() = default;
    // `progress` may end the fetch early by answering false (the program is ending).
    virtual TransferResult pageText(const std::string& url, std::string& text, int timeoutSeconds = 30,
                                    const TransferProgress& progress = {}) = 0;
};
