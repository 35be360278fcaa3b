#pragma once

#include <QSize>
#include <QWidget>
#include <memory>

namespace testsupport
{

// The form a control test puts its controls on, made anew and shown for each
// test function, so that nothing one function leaves on it reaches the next.
class HostForm
{
public:
    // A new shown form of `size` in place of the last one.
    void open(QSize size);
    void reset() { m_form.reset(); }
    QWidget *get() const { return m_form.get(); }
    QWidget *operator->() const { return m_form.get(); }

private:
    std::unique_ptr<QWidget> m_form;
};

} // namespace testsupport
