#include "platform/com/StdFont.h"

#include "platform/com/AutomationError.h"
#include "platform/com/Dispatcher.h"
#include "platform/com/Variant.h"
#include "platform/runtime/FontSubstitutes.h"

#include <cmath>

namespace com
{

void StdFont::describe(Dispatcher<StdFont> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("StdFont"), QStringLiteral("StdFont"),
                                  QStringLiteral("{0BE35203-8F91-11CE-9DE3-00AA004BB851}"),
                                  QStringLiteral("{BEF6E003-A874-101A-8BBA-00AA00300CAB}")));
    d.property<QString>(
        QStringLiteral("Name"), 0, [](StdFont &f) { return f.name; },
        [](StdFont &f, const QString &value) { f.name = value; });
    d.property<double>(
        QStringLiteral("Size"), 2, [](StdFont &f) { return f.size; },
        [](StdFont &f, double value) {
            const double points = value;
            if (points <= 0 || points > 2160)
                raise(ErrInvalidPropertyValue);
            f.size = std::nearbyint(points * 10000) / 10000;
        });
    d.property<bool>(
        QStringLiteral("Bold"), 3, [](StdFont &f) { return f.bold; },
        [](StdFont &f, bool value) {
            f.bold = value;
            f.weight = f.bold ? 700 : 400;
        });
    d.property<bool>(
        QStringLiteral("Italic"), 4, [](StdFont &f) { return f.italic; },
        [](StdFont &f, bool value) { f.italic = value; });
    d.property<bool>(
        QStringLiteral("Underline"), 5, [](StdFont &f) { return f.underline; },
        [](StdFont &f, bool value) { f.underline = value; });
    d.property<bool>(
        QStringLiteral("Strikethrough"), 6, [](StdFont &f) { return f.strikethrough; },
        [](StdFont &f, bool value) { f.strikethrough = value; });
    d.property<int16_t>(
        QStringLiteral("Weight"), 7, [](StdFont &f) { return f.weight; },
        [](StdFont &f, int16_t value) {
            f.weight = value;
            f.bold = f.weight > 550;
        });
    d.property<int16_t>(
        QStringLiteral("Charset"), 8, [](StdFont &f) { return f.charset; },
        [](StdFont &f, int16_t value) { f.charset = value; });
}

StdFont::StdFont() : name(QStringLiteral("MS Sans Serif")) {}

StdFont::StdFont(const QFont &font)
    : name(font.family()), size(font.pointSizeF() > 0 ? font.pointSizeF() : 8.25), bold(font.bold()),
      italic(font.italic()), underline(font.underline()), strikethrough(font.strikeOut()),
      weight(static_cast<int16_t>(font.bold() ? 700 : 400))
{
}

QFont StdFont::toQFont() const
{
    QFont font = rt::FontSubstitutes::font(name, size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikethrough);
    return font;
}

std::shared_ptr<StdFont> StdFont::clone() const
{
    auto copy = std::make_shared<StdFont>();
    copy->name = name;
    copy->size = size;
    copy->bold = bold;
    copy->italic = italic;
    copy->underline = underline;
    copy->strikethrough = strikethrough;
    copy->weight = weight;
    copy->charset = charset;
    return copy;
}

std::shared_ptr<StdFont> StdFont::fromVariant(const Variant &value)
{
    auto font = std::dynamic_pointer_cast<StdFont>(value.objectRef());
    if (!font)
        raiseError(ErrTypeMismatch);
    return font;
}

} // namespace com
