#pragma once

#include "platform/com/Dispatcher.h"
#include "platform/com/PropertyPage.h"

class QLabel;
class QPushButton;

namespace ostrevo {

// The scroll box's page: moves everything inside the first selected box up
// or down in fixed steps while the host form is designed, so that contents
// taller than the box can be reached. It edits no property.
class MoveControls : public com::PropertyPage {
    Q_OBJECT
public:
    static constexpr int32_t Step = 300; // twips per click

    MoveControls();
    static const com::TypeInfo &staticTypeInfo();
    const com::TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    com::Variant invoke(int32_t dispid, com::Accessor kind, com::Args &args) override;

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
