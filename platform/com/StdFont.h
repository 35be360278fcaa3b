#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Dispatched.h"

#include <QFont>
#include <memory>

namespace com
{

class Variant;

// The standard font object controls hand out and take: name, size in points,
// bold, italic, underline, strike-through, weight and character set.
class StdFont : public com::Dispatched<StdFont, AutomationObject>
{
public:
    StdFont();
    explicit StdFont(const QFont &font);

    static void describe(com::Dispatcher<StdFont> &d);

    QString name;
    double size = 8.25; // points, kept to four decimals as the platform does
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int16_t weight = 400;
    int16_t charset = 0;

    QFont toQFont() const;
    std::shared_ptr<StdFont> clone() const;

    // The font a Font property is set to; anything else raises 13.
    static std::shared_ptr<StdFont> fromVariant(const Variant &value);
};

} // namespace com
