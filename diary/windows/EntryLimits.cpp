#include "diary/windows/EntryLimits.h"

#include "platform/richtext/RtfReader.h"
#include "platform/runtime/GermanLocale.h"

#include <algorithm>

namespace kalvento
{

const EntryLimits &EntryLimits::current()
{
    return rt::ServiceSlot<EntryLimits>::current();
}

QString EntryLimits::excess(qint64 size, QByteArrayView body, bool again, QString *tight) const
{
    using Round = rt::GermanLocale::Round;
    const auto reason = [again](const QString &amount, const QString &largest, const QString &kind) {
        return QStringLiteral("mit %1 zu groß, um %2angezeigt zu werden (höchstens %3%4)")
            .arg(amount, again ? QStringLiteral("wieder ") : QString(), largest, kind);
    };
    const auto bytes = [](qint64 n, Round round) { return rt::GermanLocale::megabytes(n, round); };
    const auto characters = [](qint64 n) {
        return rt::GermanLocale::locale().toString(n) + QStringLiteral(" Zeichen");
    };
    const auto lineCount = [](qint64 n) {
        return rt::GermanLocale::locale().toString(n) + QStringLiteral(" Zeilen");
    };
    if (tight)
        tight->clear();
    if (size > largestShown)
        return reason(bytes(size, Round::Up), bytes(largestShown, Round::Down), QString());
    // The editor writes any entry as RTF: a character takes at most nine bytes
    // ("\u-1234?"); the layout is handed no more characters than it has.
    constexpr qint64 kMostBytesPerChar = 9;
    qint64 text = 0;
    qint64 lines = 0;
    qint64 written = 0;
    if (!richtext::RtfReader::isRtf(body)) {
        if (size > largestPlain)
            return reason(bytes(size, Round::Up), bytes(largestPlain, Round::Down),
                          QStringLiteral(" als Text ohne Formatierung"));
        const QString plain = QString::fromUtf8(body);
        text = plain.size();
        // Breaks as the box takes them: CR LF, LF, CR alone and Unicode's own.
        lines = 1;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const QChar c = plain[i];
            lines += c == u'\n' || (c == u'\r' && (i + 1 == plain.size() || plain[i + 1] != u'\n')) ||
                     c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        }
        written = kMostBytesPerChar * text + richtext::RtfReader::kWrittenTables;
    } else {
        // What the reader hands the layout, counted by the reader itself.
        const richtext::RtfReader::Weight weight = richtext::RtfReader::weigh(body);
        if (weight.chars > largestText)
            return reason(characters(weight.chars) + QStringLiteral(" Text"), characters(largestText),
                          QStringLiteral(" Text neben den Bildern"));
        text = weight.chars;
        lines = weight.lines;
        written = std::max(size, weight.written);
    }
    if (lines > largestLines)
        return reason(lineCount(lines), lineCount(largestLines), QString());
    if (tight) {
        if (text + dayOfTyping > largestText)
            *tight = QStringLiteral("Dieser Eintrag hat %1 Text und damit fast so viel, wie das Tagebuch "
                                    "anzeigt (höchstens %2).")
                         .arg(characters(text), characters(largestText));
        else if (lines + dayOfTyping > largestLines)
            *tight = QStringLiteral("Dieser Eintrag hat %1 und damit fast so viele, wie das Tagebuch anzeigt "
                                    "(höchstens %2).")
                         .arg(lineCount(lines), lineCount(largestLines));
        else if (written + kMostBytesPerChar * dayOfTyping > largestShown)
            *tight = QStringLiteral("Dieser Eintrag ist gespeichert fast so groß, wie das Tagebuch anzeigt "
                                    "(höchstens %1).")
                         .arg(bytes(largestShown, Round::Down));
        if (!tight->isEmpty())
            *tight += QStringLiteral(" Sie können ihn ansehen und unverändert speichern; mit %1 weiteren "
                                     "Zeichen ließe er sich aber nicht mehr speichern.")
                          .arg(rt::GermanLocale::locale().toString(dayOfTyping));
    }
    return QString();
}

} // namespace kalvento

KV_SERVICE_SLOT_STORAGE(kalvento::EntryLimits)

template <> std::unique_ptr<kalvento::EntryLimits> rt::ServiceSlot<kalvento::EntryLimits>::makeDefault()
{
    return std::make_unique<kalvento::EntryLimits>();
}
