#pragma once

#include "platform/net/TextFetcher.h"

#include <QHash>
#include <QList>
#include <functional>

namespace net
{

// A fetcher for tests: answers from a table of URLs (nothing for any other
// URL, as when the server cannot be reached), cuts at the limit as the real
// one does, and records every call.
class ScriptedFetcher : public TextFetcher
{
public:
    struct Call {
        QString url;
        qsizetype maxBytes = 0;
        QString userAgent;
    };

    void serve(const QString &url, const QByteArray &body) { m_bodies.insert(url, body); }
    // Runs inside each fetch, before it answers: lets a test look at the caller mid-fetch.
    void setDuringFetch(std::function<void()> hook) { m_duringFetch = std::move(hook); }
    const QList<Call> &calls() const { return m_calls; }

    QByteArray fetch(const QString &url, qsizetype maxBytes, const QString &userAgent) override;

private:
    QHash<QString, QByteArray> m_bodies;
    std::function<void()> m_duringFetch;
    QList<Call> m_calls;
};

} // namespace net
