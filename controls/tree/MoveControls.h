#pragma once

#include "platform/com/Dispatched.h"
#include "platform/com/PropertyPage.h"

class QLabel;
class QPushButton;

namespace ostrevo
{

// The scroll box's page: moves everything inside the first selected box up
// or down in fixed steps while the host form is designed, so that contents
// taller than the box can be reached. It edits no property.
class MoveControls : public com::Dispatched<MoveControls, com::PropertyPage>
{
    Q_OBJECT
public:
    static constexpr int32_t Step = 300; // twips per click

    MoveControls();
    static void describe(com::Dispatcher<MoveControls> &d);

    QPushButton *cmdDown() const { return m_cmdDown; }
    QPushButton *CmdUp() const { return m_cmdUp; }
    QLabel *Label1() const { return m_label1; }

private:
    void moveContents(int16_t distance);

    QPushButton *m_cmdDown;
    QPushButton *m_cmdUp;
    QLabel *m_label1;
};

} // namespace ostrevo
