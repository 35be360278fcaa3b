#pragma once

#include "platform/shell/Trash.h"

#include <QStringList>

namespace shell
{

// Records the paths handed to the trash and moves nothing.
class RecordingTrash : public Trash
{
public:
    QStringList moved;
    QStringList refused; // paths that answer false
    bool moveToTrash(const QString &path) override;
};

} // namespace shell
