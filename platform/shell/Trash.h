#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>
#include <memory>

namespace shell
{

// The desktop's trash: what is deleted through the shell goes there and can
// be restored; nothing here deletes for good.
class Trash
{
public:
    virtual ~Trash();
    // Moves a file or a whole folder; false, with the system's error in errno
    // where it gave one, when it could not be moved into a trash.
    virtual bool moveToTrash(const QString &path) = 0;
};

// The freedesktop trash of the user's data folder (XDG_DATA_HOME), or the
// one at the top of the file's own volume, as Qt finds it. Fails when the
// home trash cannot be made, rather than let the file land elsewhere.
class DesktopTrash : public Trash
{
public:
    bool moveToTrash(const QString &path) override;
};

} // namespace shell

// The process-wide trash: the desktop's unless a test installed a recorder.
KV_DECLARE_SERVICE_SLOT(shell::Trash)
