#pragma once

#include "platform/runtime/ScreenSource.h"

namespace rt
{

// A screen of the test's choosing; by default 1024 x 768 with a 30-pixel
// task bar at the bottom.
class FakeScreenSource : public ScreenSource
{
public:
    FakeScreenSource() = default;
    FakeScreenSource(QSize size, QRect workArea) : m_size(size), m_workArea(workArea) {}

    QSize size() const override;
    QRect workArea() const override;
    void setSize(QSize size) { m_size = size; }
    void setWorkArea(QRect workArea) { m_workArea = workArea; }

private:
    QSize m_size{1024, 768};
    QRect m_workArea{0, 0, 1024, 738};
};

} // namespace rt
