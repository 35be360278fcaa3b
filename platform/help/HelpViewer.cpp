#include "platform/help/HelpViewer.h"

#include "platform/help/WindowHelpViewer.h"
#include "platform/shell/Shell.h"

#include <QFileInfo>

namespace help
{

HelpViewer::~HelpViewer() = default;

bool ShellHelpViewer::open(QWidget *owner, const QString &file, int32_t command, int32_t data)
{
    Q_UNUSED(owner)
    Q_UNUSED(data)
    if (command == Quit)
        return true;
    // Only a help file that is there: the opener would try anything else as an address.
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    constexpr int ShowNormal = 1;
    return rt::ServiceSlot<shell::Shell>::current().execute(QStringLiteral("open"), file, QString(),
                                                            QString(), ShowNormal) > 32;
}

} // namespace help

KV_SERVICE_SLOT_STORAGE(help::HelpViewer)

template <> std::unique_ptr<help::HelpViewer> rt::ServiceSlot<help::HelpViewer>::makeDefault()
{
    return std::make_unique<help::WindowHelpViewer>();
}
