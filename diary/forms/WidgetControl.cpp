#include "diary/forms/WidgetControl.h"

#include "platform/runtime/Twips.h"

namespace kalvento
{

namespace
{

const char *lineProperty(ResizableControl::Prop prop)
{
    switch (prop) {
    case ResizableControl::Prop::X1:
        return "X1";
    case ResizableControl::Prop::Y1:
        return "Y1";
    case ResizableControl::Prop::X2:
        return "X2";
    case ResizableControl::Prop::Y2:
        return "Y2";
    default:
        return nullptr;
    }
}

} // namespace

QString WidgetControl::name() const
{
    return m_widget ? m_widget->objectName() : QString();
}

std::optional<int32_t> WidgetControl::index() const
{
    if (!m_widget)
        return std::nullopt;
    const QVariant index = m_widget->property("Index");
    if (!index.isValid())
        return std::nullopt;
    return index.toInt();
}

bool WidgetControl::isLine() const
{
    return m_widget && m_widget->property("X1").isValid();
}

std::optional<double> WidgetControl::value(Prop prop) const
{
    if (!m_widget)
        return std::nullopt;
    if (const char *line = lineProperty(prop)) {
        const QVariant v = m_widget->property(line);
        return v.isValid() ? std::optional<double>(v.toDouble()) : std::nullopt;
    }
    if (isLine())
        return std::nullopt; // a line has no Left, Top, Width or Height
    const QRect g = m_widget->geometry();
    switch (prop) {
    case Prop::Left:
        return rt::Twips::fromPixelsX(g.x());
    case Prop::Top:
        return rt::Twips::fromPixelsY(g.y());
    case Prop::Width:
        return rt::Twips::fromPixelsX(g.width());
    case Prop::Height:
        return rt::Twips::fromPixelsY(g.height());
    default:
        return std::nullopt;
    }
}

bool WidgetControl::setValue(Prop prop, double value)
{
    const char *line = lineProperty(prop);
    if (!m_widget || !line || !isLine())
        return false;
    m_widget->setProperty(line, value);
    return true;
}

bool WidgetControl::move(double left, double top, std::optional<double> width, std::optional<double> height)
{
    if (!m_widget || isLine())
        return false;
    const QRect g = m_widget->geometry();
    m_widget->setGeometry(rt::Twips::toPixelsX(left), rt::Twips::toPixelsY(top),
                          width ? rt::Twips::toPixelsX(*width) : g.width(),
                          height ? rt::Twips::toPixelsY(*height) : g.height());
    return true;
}

} // namespace kalvento
