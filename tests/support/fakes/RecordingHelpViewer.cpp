#include "tests/support/fakes/RecordingHelpViewer.h"

namespace help
{

bool RecordingHelpViewer::open(QWidget *owner, const QString &file, int32_t command, int32_t data)
{
    calls.push_back({owner, file, command, data});
    return result;
}

} // namespace help
