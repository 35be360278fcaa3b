#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace net
{

// Fetches a short text by URL in one go: always from the server (never from a
// cache) and over a direct connection (never through a proxy). The real one
// goes over the network; tests install a scripted one.
class TextFetcher
{
public:
    virtual ~TextFetcher();
    // At most maxBytes of the body; longer bodies are cut. Empty when nothing
    // arrived: no connection, an error status, or an empty file. The request
    // introduces itself to the server with userAgent.
    virtual QByteArray fetch(const QString &url, qsizetype maxBytes, const QString &userAgent) = 0;
};

} // namespace net

// The process-wide fetcher: over the network unless a test installed a scripted one.
KV_DECLARE_SERVICE_SLOT(net::TextFetcher)
