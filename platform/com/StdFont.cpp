#include "platform/com/StdFont.h"

#include "platform/com/Dispatcher.h"
#include "platform/runtime/FontSubstitutes.h"

#include <cmath>

namespace com {

namespace {

const Dispatcher<StdFont> &dispatcher()
{
    static const Dispatcher<StdFont> table = [] {
        Dispatcher<StdFont> d(TypeInfo::forClass(QStringLiteral("StdFont"), QStringLiteral("StdFont"),
                                                 QStringLiteral("{0BE35203-8F91-11CE-9DE3-00AA004BB851}"),
                                                 QStringLiteral("{BEF6E003-A874-101A-8BBA-00AA00300CAB}")));
        d.property(QStringLiteral("Name"), 0, VarType::String, [](StdFont &f) { return Variant(f.name); },
                   [](StdFont &f, const Variant &v) { f.name = v.toString(); });
        d.property(QStringLiteral("Size"), 2, VarType::Double, [](StdFont &f) { return Variant::fromDouble(f.size); },
                   [](StdFont &f, const Variant &v) {
                       const double points = v.toDouble();
                       if (points <= 0 || points > 2160)
                           raise(ErrInvalidPropertyValue);
                       f.size = std::nearbyint(points * 10000) / 10000;
                   });
        d.property(QStringLiteral("Bold"), 3, VarType::Boolean, [](StdFont &f) { return Variant::fromBool(f.bold); },
                   [](StdFont &f, const Variant &v) {
                       f.bold = v.toBool();
                       f.weight = f.bold ? 700 : 400;
                   });
        d.property(QStringLiteral("Italic"), 4, VarType::Boolean,
                   [](StdFont &f) { return Variant::fromBool(f.italic); },
                   [](StdFont &f, const Variant &v) { f.italic = v.toBool(); });
        d.property(QStringLiteral("Underline"), 5, VarType::Boolean,
                   [](StdFont &f) { return Variant::fromBool(f.underline); },
                   [](StdFont &f, const Variant &v) { f.underline = v.toBool(); });
        d.property(QStringLiteral("Strikethrough"), 6, VarType::Boolean,
                   [](StdFont &f) { return Variant::fromBool(f.strikethrough); },
                   [](StdFont &f, const Variant &v) { f.strikethrough = v.toBool(); });
        d.property(QStringLiteral("Weight"), 7, VarType::Integer,
                   [](StdFont &f) { return Variant::fromInteger(f.weight); },
                   [](StdFont &f, const Variant &v) {
                       f.weight = v.toInteger();
                       f.bold = f.weight > 550;
                   });
        d.property(QStringLiteral("Charset"), 8, VarType::Integer,
                   [](StdFont &f) { return Variant::fromInteger(f.charset); },
                   [](StdFont &f, const Variant &v) { f.charset = v.toInteger(); });
        return d;
    }();
    return table;
}

} // namespace

StdFont::StdFont() : name(QStringLiteral("MS Sans Serif")) {}

StdFont::StdFont(const QFont &font)
    : name(font.family()),
      size(font.pointSizeF() > 0 ? font.pointSizeF() : 8.25),
      bold(font.bold()),
      italic(font.italic()),
      underline(font.underline()),
      strikethrough(font.strikeOut()),
      weight(static_cast<int16_t>(font.bold() ? 700 : 400))
{
}

const TypeInfo &StdFont::staticTypeInfo() { return dispatcher().typeInfo(); }

Variant StdFont::invoke(int32_t dispid, Accessor kind, Args &args) { return dispatcher().invoke(*this, dispid, kind, args); }

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

} // namespace com
