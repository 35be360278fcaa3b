#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <variant>

namespace com
{

class AutomationObject;

// The automation value types, numbered as the platform numbers them.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2, // 16-bit
    Long = 3,    // 32-bit
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10, // a missing optional argument
    Boolean = 11,
    Variant = 12, // declared type of an argument or member that takes anything
    Byte = 17,
};

QString typeName(VarType type);

// One automation value. Conversions follow the platform's rules: a value that
// does not fit the target raises error 6, one of the wrong kind error 13.
// Rounding to an integer goes half to even.
class Variant
{
public:
    Variant() = default;
    static Variant null();
    static Variant missing();
    static Variant fromInteger(int16_t value);
    static Variant fromLong(int32_t value);
    static Variant fromByte(uint8_t value);
    static Variant fromSingle(float value);
    static Variant fromDouble(double value);
    static Variant fromBool(bool value);
    static Variant fromString(const QString &value);
    static Variant fromDate(const QDateTime &value);
    static Variant fromDateSerial(double oleDate);
    static Variant fromObject(std::shared_ptr<AutomationObject> object);
    // An OLE colour is a 32-bit value; the high bit marks a system colour.
    static Variant fromColor(uint32_t value) { return fromLong(static_cast<int32_t>(value)); }

    Variant(const QString &text) : Variant(fromString(text)) {}
    Variant(const char *text) : Variant(fromString(QString::fromUtf8(text))) {}

    VarType type() const { return m_type; }
    bool isEmpty() const { return m_type == VarType::Empty; }
    bool isNull() const { return m_type == VarType::Null; }
    bool isMissing() const { return m_type == VarType::Error; }
    bool isNumeric() const;
    bool isObject() const { return m_type == VarType::Object; }
    bool isNothing() const;

    int16_t toInteger() const;
    int32_t toLong() const;
    uint8_t toByte() const;
    float toSingle() const;
    double toDouble() const;
    bool toBool() const;
    QString toString() const;
    QDateTime toDateTime() const;
    double toDateSerial() const;
    uint32_t toColor() const { return static_cast<uint32_t>(toLong()); }
    AutomationObject *toObject() const;
    std::shared_ptr<AutomationObject> objectRef() const;

    // Converts to the declared type of a member (Variant leaves it as it is).
    Variant convertedTo(VarType type) const;

    // The text the platform prints for the value: numbers in decimal, True or
    // False, text as it is, Empty, Null, Nothing.
    QString display() const;
    // The value written as in source code: 42, &H8000000F, True, "text".
    QString toLiteral() const;
    // Reads a source-code literal; throws error 13 on text that is none.
    // Fonts and pictures have literals of their own, Font(...) and
    // Picture(...), so that saved property text holds them too.
    static Variant parseLiteral(const QString &literal);
    // Splits "a, "b,c", 3" at the commas outside quotes.
    static QStringList splitList(const QString &text);

    // Comparison as the platform's "=" does it (numbers by value, text by text).
    bool equals(const Variant &other) const;
    bool operator==(const Variant &other) const { return equals(other); }

private:
    VarType m_type = VarType::Empty;
    std::variant<std::monostate, int64_t, double, QString, std::shared_ptr<AutomationObject>> m_value;

    double numericValue() const;
    int64_t roundedInteger(int64_t low, int64_t high) const;
};

// Converts the platform's Boolean (−1 / 0) both ways.
inline int16_t toAutomationBool(bool value)
{
    return value ? -1 : 0;
}

} // namespace com
