#include "platform/help/HelpViewer.h"

#include "platform/help/WindowHelpViewer.h"

namespace help
{

HelpViewer::~HelpViewer() = default;

} // namespace help

KV_SERVICE_SLOT_STORAGE(help::HelpViewer)

template <> std::unique_ptr<help::HelpViewer> rt::ServiceSlot<help::HelpViewer>::makeDefault()
{
    return std::make_unique<help::WindowHelpViewer>();
}
