#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <memory>

namespace screen
{

// The screen-wide mouse pointer the program sets while it is busy, with the
// platform's pointer numbers (0 default, 11 hourglass, 99 custom).
class ScreenPointer
{
public:
    virtual ~ScreenPointer();
    virtual void setPointer(int pointer) = 0;
    virtual int pointer() const = 0;
};

// Over the application's override cursor.
class ApplicationPointer : public ScreenPointer
{
public:
    ~ApplicationPointer() override;
    void setPointer(int pointer) override;
    int pointer() const override { return m_pointer; }

private:
    int m_pointer = 0;
    bool m_overridden = false;
};

// The hourglass for as long as this lives, however the work ends; then the
// pointer it found, so work inside other work keeps the hourglass on.
class WaitPointer
{
public:
    WaitPointer();
    ~WaitPointer();
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;

private:
    int m_before;
};

} // namespace screen

// The process-wide pointer: the application's unless a test installed a recorder.
KV_DECLARE_SERVICE_SLOT(screen::ScreenPointer)
