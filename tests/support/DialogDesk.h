#pragma once

namespace sound
{
class RecordingSound;
}

namespace testsupport
{

// The desk a dialog test shows its windows on: a fake screen, the pointer at
// (200, 150), a synthetic desktop behind the windows and a sound output that
// records instead of playing. Gone again, it puts the real services back.
class DialogDesk
{
public:
    DialogDesk();
    ~DialogDesk();
    DialogDesk(const DialogDesk &) = delete;
    DialogDesk &operator=(const DialogDesk &) = delete;

    sound::RecordingSound &sound() const { return *m_sound; }

private:
    sound::RecordingSound *m_sound = nullptr;
};

} // namespace testsupport
