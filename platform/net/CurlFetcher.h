#pragma once

#include "platform/net/CurlEasy.h"
#include "platform/net/TextFetcher.h"

namespace net
{

// The fetcher over libcurl, for http, https and file URLs. A fetch blocks its
// caller, so it gives up after a bounded time rather than hang its window.
class CurlFetcher : public TextFetcher
{
public:
    static constexpr long ConnectTimeoutSeconds = CurlEasy::ConnectTimeoutSeconds;
    static constexpr long TotalTimeoutSeconds = 60;

    QByteArray fetch(const QString &url, qsizetype maxBytes, const QString &userAgent) override;
};

} // namespace net
