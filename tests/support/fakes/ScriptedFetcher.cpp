#include "tests/support/fakes/ScriptedFetcher.h"

namespace net
{

QByteArray ScriptedFetcher::fetch(const QString &url, qsizetype maxBytes, const QString &userAgent)
{
    m_calls.append({url, maxBytes, userAgent});
    if (m_duringFetch)
        m_duringFetch();
    return m_bodies.value(url).left(qMax<qsizetype>(maxBytes, 0));
}

} // namespace net
