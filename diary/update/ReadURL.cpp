#include "diary/update/ReadURL.h"

#include "platform/net/TextFetcher.h"
#include "platform/runtime/Windows1252.h"

#include <QCoreApplication>
#include <QPointer>

namespace kalvento
{

namespace
{

// The hourglass for as long as the fetch blocks, taken back however it ends.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *window) : m_window(window)
    {
        if (!m_window)
            return;
        m_window->setCursor(Qt::WaitCursor);
        // Let the new cursor show before the blocking call; no clicks get through meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~WaitCursor()
    {
        if (m_window)
            m_window->unsetCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    QPointer<QWidget> m_window;
};

// The first 4 characters are a header the readers never look at.
constexpr qsizetype SkippedCharacters = 4;
// What the request calls itself; update servers log it.
const QString UserAgent = QStringLiteral("Wininet Test");

} // namespace

com::Variant ReadURL(const QString &url, QWidget *updateWindow)
{
    QByteArray body;
    {
        const WaitCursor hourglass(updateWindow);
        body = rt::ServiceSlot<net::TextFetcher>::current().fetch(url, ReadURLLimit, UserAgent);
    }
    // One character per byte, so the cut and the skipped header count the same either way.
    const QString text = rt::Windows1252::decode(body);
    return com::Variant::fromString(text.size() < SkippedCharacters ? QString()
                                                                    : text.mid(SkippedCharacters));
}

} // namespace kalvento
