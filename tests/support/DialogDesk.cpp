#include "tests/support/DialogDesk.h"

#include "platform/runtime/SystemSources.h"
#include "tests/support/fakes/FakeCursorSource.h"
#include "tests/support/fakes/FakeScreenSource.h"
#include "tests/support/fakes/RecordingSound.h"
#include "tests/support/fakes/SyntheticDesktop.h"

namespace testsupport
{

DialogDesk::DialogDesk()
{
    rt::SystemSources::setScreen(std::make_unique<rt::FakeScreenSource>());
    rt::SystemSources::setCursor(std::make_unique<rt::FakeCursorSource>(QPoint(200, 150)));
    rt::ServiceSlot<desktop::DesktopSource>::install(std::make_unique<desktop::SyntheticDesktop>());
    auto recorder = std::make_unique<sound::RecordingSound>();
    m_sound = recorder.get();
    rt::ServiceSlot<sound::SoundOutput>::install(std::move(recorder));
}

DialogDesk::~DialogDesk()
{
    rt::ServiceSlot<sound::SoundOutput>::reset();
    rt::ServiceSlot<desktop::DesktopSource>::reset();
    rt::SystemSources::reset();
}

} // namespace testsupport
