#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>

namespace rt
{

// How much a folder's drive still takes, asked before a large file is written
// there. The real one asks the file system; tests install one that reports
// what they need.
class DiskSpace
{
public:
    virtual ~DiskSpace();
    // Bytes an ordinary user may still write on the folder's drive; -1 when
    // the drive cannot say.
    virtual qint64 available(const QString &folder) const;

    // A German reason with both sizes when the folder's drive has less room
    // than needed; empty when it has enough or cannot say (the writing then
    // reports what fails).
    static QString shortfall(const QString &folder, qint64 needed);
};

} // namespace rt

// The process-wide source: the file system unless a test installed its own.
KV_DECLARE_SERVICE_SLOT(rt::DiskSpace)
