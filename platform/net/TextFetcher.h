#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace net {

// Fetches a short text by URL in one go: always from the server (never from a
// cache) and over a direct connection (never through a proxy). The real one
// goes over the network; tests install a scripted one.
class TextFetcher {
public:
    virtual ~TextFetcher();
    // At most maxBytes of the body; longer bodies are cut. Empty when nothing
    // arrived: no connection, an error status, or an empty file.
    virtual QByteArray fetch(const QString &url, qsizetype maxBytes) = 0;

    // The process-wide fetcher: the real one until a test installs another;
    // installing nullptr brings the real one back.
    static TextFetcher &current();
    static void install(std::unique_ptr<TextFetcher> fetcher);
};

} // namespace net
