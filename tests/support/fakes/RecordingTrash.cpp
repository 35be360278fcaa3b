#include "tests/support/fakes/RecordingTrash.h"

namespace shell
{

bool RecordingTrash::moveToTrash(const QString &path)
{
    moved << path;
    return !refused.contains(path);
}

} // namespace shell
