#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QByteArrayView>
#include <QString>

namespace kalvento
{

// How large an entry the diary shows, edits and prints: as large as the
// window keeps answering while it is opened, taken to its end and saved. An
// entry is saved only as large as it is shown again. One set for the process;
// tests install smaller ones.
struct EntryLimits {
    // Stored bytes; pictures are read quickly.
    qint64 largestShown = qint64(32) << 20;
    // Characters the reader hands the layout as text (pictures and the RTF's
    // own words and escapes aside): far slower.
    qint64 largestText = qint64(3) << 20;
    // Text without formatting, which the preview takes in one go.
    qint64 largestPlain = qint64(1) << 20;
    // Lines its breaks make: the layout counts heights in numbers that wrap
    // past about 33.5 million pixels, some 900,000 lines of 24 pt text; this
    // leaves room for larger text, taller fonts and lines that wrap.
    qint64 largestLines = 300'000;
    // What a day's typing adds: an entry opened for editing that could not
    // take this many more characters and still be saved is said to be so.
    qint64 dayOfTyping = 10'000;

    static const EntryLimits &current();

    // Why an entry of `size` stored bytes is not shown, as "mit 5,1 MB zu
    // groß, um angezeigt zu werden (höchstens ...)"; empty when it is shown.
    // `body` is the entry (unread above largestShown); `again` speaks of an
    // entry about to be saved. `tight`, when given, says why a shown entry
    // could not take a day's typing and be saved again (empty when it can).
    QString excess(qint64 size, QByteArrayView body, bool again = false, QString *tight = nullptr) const;
};

} // namespace kalvento

KV_DECLARE_SERVICE_SLOT(kalvento::EntryLimits)
