#pragma once

#include "platform/runtime/DiskSpace.h"

namespace rt
{

// A drive with as much room as the test says, whatever the folder.
class FakeDiskSpace : public DiskSpace
{
public:
    explicit FakeDiskSpace(qint64 bytes) : m_bytes(bytes) {}
    qint64 available(const QString &) const override { return m_bytes; }
    void setAvailable(qint64 bytes) { m_bytes = bytes; }

private:
    qint64 m_bytes;
};

} // namespace rt
