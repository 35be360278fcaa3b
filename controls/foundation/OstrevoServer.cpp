#include "controls/foundation/OstrevoServer.h"

#include "controls/dialog/Dialog.h"
#include "controls/display/Frames.h"
#include "controls/display/Label3D.h"
#include "controls/foundation/InfoPage.h"
#include "controls/gauges/Ruler.h"

namespace ostrevo {

namespace {

std::unique_ptr<com::InProcessServer> makeServer()
{
    auto server = std::make_unique<com::InProcessServer>();
    server->addClass<Dialog>();
    server->addClass<Frames>();
    server->addClass<Label3D>();
    server->addClass<Info>();
    server->addClass<Ruler>();
    return server;
}

} // namespace

com::InProcessServer &server()
{
    static const std::unique_ptr<com::InProcessServer> instance = makeServer();
    return *instance;
}

} // namespace ostrevo

COM_EXPORT_SERVER(ostrevo::server)
