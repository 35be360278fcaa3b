#include "controls/foundation/OstrevoServer.h"

#include "controls/button/Button.h"
#include "controls/button/propgButton.h"
#include "controls/dialog/Dialog.h"
#include "controls/display/Frames.h"
#include "controls/display/Hyperlink.h"
#include "controls/display/Icons.h"
#include "controls/display/Label3D.h"
#include "controls/display/Line3D.h"
#include "controls/display/TextMode.h"
#include "controls/foundation/Info.h"
#include "controls/gauges/ProgressBar.h"
#include "controls/gauges/Ruler.h"
#include "controls/gauges/Settings.h"
#include "controls/gauges/Spin.h"
#include "controls/tree/MoveControls.h"
#include "controls/tree/ScrollBox.h"
#include "controls/tree/TreeEx.h"

namespace ostrevo
{

namespace
{

std::unique_ptr<com::InProcessServer> makeServer()
{
    auto server = std::make_unique<com::InProcessServer>();
    server->addClass<Dialog>();
    server->addClass<Button>();
    server->addClass<propgButton>();
    server->addClass<Frames>();
    server->addClass<Hyperlink>();
    server->addClass<Label3D>();
    server->addClass<Line3D>();
    server->addClass<Icons>();
    server->addClass<Info>();
    server->addClass<TextMode>();
    server->addClass<Ruler>();
    server->addClass<ScrollBox>();
    server->addClass<MoveControls>();
    server->addClass<TreeEx>();
    server->addClass<ProgressBar>();
    server->addClass<Settings>();
    server->addClass<Spin>();
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
