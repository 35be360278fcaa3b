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
    // RTF outside the pictures, laid out as text: far slower.
    qint64 largestText = qint64(3) << 20;
    // Text without formatting, which the preview takes in one go.
    qint64 largestPlain = qint64(1) << 20;

    static const EntryLimits &current();

    // Why an entry of `size` stored bytes is not shown, as "mit 5,1 MB Text zu
    // groß, um angezeigt zu werden (höchstens ...)"; empty when it is shown.
    // `body` is the entry (unread above largestShown); `again` speaks of an
    // entry about to be saved.
    QString excess(qint64 size, QByteArrayView body, bool again = false) const;
};

} // namespace kalvento

KV_DECLARE_SERVICE_SLOT(kalvento::EntryLimits)
