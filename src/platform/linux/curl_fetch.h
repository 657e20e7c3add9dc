#pragma once
// The one place that drives libcurl; the transfer service and the page reader share it.
#include <string>

#include "platform/linux_services.h"
#include "platform/transfer.h"

// Reads a URL into `body`; `contentType`, when given, receives the server's Content-Type.
TransferResult curlFetch(const std::string& url, std::string& body, std::string* contentType,
                         const TransferProgress& progress, int timeoutSeconds, const TransferLimits& limits);
