#include "platform/session/SessionManager.h"

#include "platform/session/LogindSession.h"

namespace session
{

SessionManager::~SessionManager() = default;

} // namespace session

KV_SERVICE_SLOT_STORAGE(session::SessionManager)

template <> std::unique_ptr<session::SessionManager> rt::ServiceSlot<session::SessionManager>::makeDefault()
{
    return std::make_unique<session::LogindSession>();
}
