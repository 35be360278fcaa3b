#pragma once

#include "platform/runtime/CursorSource.h"

namespace rt
{

// A pointer that stays where the test puts it.
class FakeCursorSource : public CursorSource
{
public:
    explicit FakeCursorSource(QPoint position = {}) : m_position(position) {}
    QPoint position() const override;
    void setPosition(QPoint position) { m_position = position; }

private:
    QPoint m_position;
};

} // namespace rt
