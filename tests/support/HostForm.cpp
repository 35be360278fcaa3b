#include "tests/support/HostForm.h"

namespace testsupport
{

void HostForm::open(QSize size)
{
    m_form = std::make_unique<QWidget>();
    m_form->resize(size);
    m_form->show();
}

} // namespace testsupport
