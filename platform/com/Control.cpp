#include "platform/com/Control.h"

#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"

namespace com
{

Control::Control(QWidget *parent) : QWidget(parent) {}

Control::~Control() = default;

void Control::setSite(std::unique_ptr<ControlSite> site)
{
    m_site = std::move(site);
    setEventSink(m_site.get());
    if (m_site)
        setObjectName(m_site->name());
}

QString Control::controlName() const
{
    return m_site ? m_site->name() : objectName();
}

bool Control::userMode() const
{
    return m_site ? m_site->ambient().userMode : true;
}

QFont Control::ambientFont() const
{
    return m_site ? m_site->ambient().font : font();
}

Variant Control::ambientFontObject() const
{
    return Variant::fromObject(std::make_shared<StdFont>(ambientFont()));
}

void Control::propertyChanged(const QString &name)
{
    if (m_site)
        m_site->propertyChanged(name);
}

} // namespace com
