#include "StepPage.h"

#include <QLineEdit>

using namespace com;

StepPage::StepPage() : m_txtStep(new QLineEdit(this))
{
    setObjectName(QStringLiteral("StepPage"));
    setWindowTitle(QStringLiteral("Schritt"));
    resize(200, 60);
    m_txtStep->setObjectName(QStringLiteral("txtStep"));
    m_txtStep->setGeometry(10, 10, 180, 24);
    connect(m_txtStep, &QLineEdit::textEdited, this, [this] { setChanged(true); });
}

namespace
{

const Dispatcher<StepPage> &dispatcher()
{
    static const Dispatcher<StepPage> table(
        TypeInfo::forClass(QStringLiteral("StepPage"), QStringLiteral("KvTest.StepPage"),
                           QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000B1}"),
                           QStringLiteral("{6E1B2C3D-0000-4000-8000-0000000000B2}")));
    return table;
}

} // namespace

const TypeInfo &StepPage::staticTypeInfo()
{
    return dispatcher().typeInfo();
}

Variant StepPage::invoke(int32_t dispid, Accessor kind, Args &args)
{
    return dispatcher().invoke(*this, dispid, kind, args);
}

void StepPage::selectionChanged()
{
    if (!selectedControls().empty())
        m_txtStep->setText(selectedControls().front()->get(QStringLiteral("Step")).toString());
}

void StepPage::applyChanges()
{
    for (AutomationObject *control : selectedControls())
        control->let(QStringLiteral("Step"), Variant::parseLiteral(m_txtStep->text()));
}
