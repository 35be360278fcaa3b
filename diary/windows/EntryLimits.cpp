#include "diary/windows/EntryLimits.h"

#include "platform/richtext/RtfPictures.h"
#include "platform/richtext/RtfReader.h"
#include "platform/runtime/GermanLocale.h"

namespace kalvento
{

const EntryLimits &EntryLimits::current()
{
    return rt::ServiceSlot<EntryLimits>::current();
}

QString EntryLimits::excess(qint64 size, QByteArrayView body, bool again) const
{
    const auto reason = [again](qint64 bytes, qint64 largest, const QString &what, const QString &kind) {
        using Round = rt::GermanLocale::Round;
        return QStringLiteral("mit %1%2 zu groß, um %3angezeigt zu werden (höchstens %4%5)")
            .arg(rt::GermanLocale::megabytes(bytes, Round::Up), what,
                 again ? QStringLiteral("wieder ") : QString(),
                 rt::GermanLocale::megabytes(largest, Round::Down), kind);
    };
    if (size > largestShown)
        return reason(size, largestShown, QString(), QString());
    if (!richtext::RtfReader::isRtf(body))
        return size > largestPlain
                   ? reason(size, largestPlain, QString(), QStringLiteral(" als Text ohne Formatierung"))
                   : QString();
    const qint64 text = richtext::RtfPictures::bytesOutside(body);
    return text > largestText
               ? reason(text, largestText, QStringLiteral(" Text"), QStringLiteral(" Text neben den Bildern"))
               : QString();
}

} // namespace kalvento

KV_SERVICE_SLOT_STORAGE(kalvento::EntryLimits)

template <> std::unique_ptr<kalvento::EntryLimits> rt::ServiceSlot<kalvento::EntryLimits>::makeDefault()
{
    return std::make_unique<kalvento::EntryLimits>();
}
