#include "platform/com/Variant.h"

#include "platform/com/AutomationError.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"

#include <QBuffer>

#include <QLocale>
#include <QTimeZone>
#include <cmath>
#include <limits>
#include <optional>

namespace com
{

namespace
{

constexpr int ErrInvalidUseOfNull = 94;

const QDateTime &oleEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}

// Reads a number as the platform reads text: blanks around it allowed, &H and
// &O prefixes, a decimal point or the German comma.
// The platform's dates run from 1 January 100 to 31 December 9999; before the
// epoch the day is negative and the time of day still counts forward.
double checkedDateSerial(double serial)
{
    if (!(serial > -657435.0 && serial < 2958466.0))
        raise(ErrOverflow);
    return serial;
}

bool parseNumber(const QString &text, double &out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        const qulonglong v = t.mid(2).toULongLong(&ok, 16);
        if (!ok || t.size() > 10)
            return false;
        // Up to four digits are a 16-bit value, more a 32-bit one; both wrap.
        out = t.size() <= 6 ? static_cast<int16_t>(v) : static_cast<double>(static_cast<int32_t>(v));
        return true;
    }
    if (t.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        const qulonglong v = t.mid(2).toULongLong(&ok, 8);
        if (!ok)
            return false;
        out = static_cast<double>(static_cast<int32_t>(v));
        return true;
    }
    out = t.toDouble(&ok);
    if (ok)
        return std::isfinite(out);
    QString german = t;
    german.replace(QLatin1Char(','), QLatin1Char('.'));
    if (german.count(QLatin1Char('.')) == 1 && !t.contains(QLatin1Char('.'))) {
        out = german.toDouble(&ok);
        return ok && std::isfinite(out);
    }
    return false;
}

QString formatDouble(double value, int digits)
{
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', digits);
    if (s.contains(QLatin1Char('e'))) {
        // The platform writes 1E+20 and 1E-07.
        s = s.toUpper();
        const int e = s.indexOf(QLatin1Char('E'));
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);
        const QChar sign = exponent.at(0);
        exponent = exponent.mid(1);
        while (exponent.size() > 2 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        if (exponent.size() < 2)
            exponent.prepend(QLatin1Char('0'));
        s = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return s;
}

} // namespace

QString typeName(VarType type)
{
    switch (type) {
    case VarType::Empty:
        return QStringLiteral("Empty");
    case VarType::Null:
        return QStringLiteral("Null");
    case VarType::Integer:
        return QStringLiteral("Integer");
    case VarType::Long:
        return QStringLiteral("Long");
    case VarType::Single:
        return QStringLiteral("Single");
    case VarType::Double:
        return QStringLiteral("Double");
    case VarType::Date:
        return QStringLiteral("Date");
    case VarType::String:
        return QStringLiteral("String");
    case VarType::Object:
        return QStringLiteral("Object");
    case VarType::Error:
        return QStringLiteral("Error");
    case VarType::Boolean:
        return QStringLiteral("Boolean");
    case VarType::Variant:
        return QStringLiteral("Variant");
    case VarType::Byte:
        return QStringLiteral("Byte");
    }
    return QStringLiteral("Unknown");
}

Variant Variant::null()
{
    Variant v;
    v.m_type = VarType::Null;
    return v;
}

Variant Variant::missing()
{
    Variant v;
    v.m_type = VarType::Error;
    v.m_value = int64_t(0x80020004); // the platform's "parameter not found"
    return v;
}

Variant Variant::fromInteger(int16_t value)
{
    Variant v;
    v.m_type = VarType::Integer;
    v.m_value = int64_t(value);
    return v;
}

Variant Variant::fromLong(int32_t value)
{
    Variant v;
    v.m_type = VarType::Long;
    v.m_value = int64_t(value);
    return v;
}

Variant Variant::fromByte(uint8_t value)
{
    Variant v;
    v.m_type = VarType::Byte;
    v.m_value = int64_t(value);
    return v;
}

Variant Variant::fromSingle(float value)
{
    Variant v;
    v.m_type = VarType::Single;
    v.m_value = double(value);
    return v;
}

Variant Variant::fromDouble(double value)
{
    Variant v;
    v.m_type = VarType::Double;
    v.m_value = value;
    return v;
}

Variant Variant::fromBool(bool value)
{
    Variant v;
    v.m_type = VarType::Boolean;
    v.m_value = int64_t(value ? -1 : 0);
    return v;
}

Variant Variant::fromString(const QString &value)
{
    Variant v;
    v.m_type = VarType::String;
    v.m_value = value;
    return v;
}

Variant Variant::fromDate(const QDateTime &value)
{
    QDateTime utc = value;
    utc.setTimeSpec(Qt::UTC); // wall-clock time, as the platform keeps it
    const double msecs = static_cast<double>(oleEpoch().msecsTo(utc));
    double days = std::floor(msecs / 86400000.0);
    const double fraction = (msecs - days * 86400000.0) / 86400000.0;
    // Before the epoch the platform keeps the day negative and the time positive.
    return fromDateSerial(days < 0 ? days - fraction : days + fraction);
}

Variant Variant::fromDateSerial(double oleDate)
{
    Variant v;
    v.m_type = VarType::Date;
    v.m_value = oleDate;
    return v;
}

Variant Variant::fromObject(std::shared_ptr<AutomationObject> object)
{
    Variant v;
    v.m_type = VarType::Object;
    v.m_value = std::move(object);
    return v;
}

bool Variant::isNumeric() const
{
    switch (m_type) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Date:
    case VarType::Empty:
        return true;
    case VarType::String: {
        double d;
        return parseNumber(std::get<QString>(m_value), d);
    }
    default:
        return false;
    }
}

bool Variant::isNothing() const
{
    return m_type == VarType::Object && !std::get<std::shared_ptr<AutomationObject>>(m_value);
}

double Variant::numericValue() const
{
    switch (m_type) {
    case VarType::Empty:
        return 0;
    case VarType::Null:
        raise(ErrInvalidUseOfNull, QStringLiteral("Unzulässige Verwendung von Null"));
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
    case VarType::Byte:
        return static_cast<double>(std::get<int64_t>(m_value));
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
        return std::get<double>(m_value);
    case VarType::String: {
        const QString &text = std::get<QString>(m_value);
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return -1;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0;
        double d;
        if (!parseNumber(text, d))
            raise(ErrTypeMismatch);
        return d;
    }
    default:
        raise(ErrTypeMismatch);
    }
}

int64_t Variant::roundedInteger(int64_t low, int64_t high) const
{
    const double d = std::nearbyint(numericValue()); // half to even
    if (!(d >= static_cast<double>(low) && d <= static_cast<double>(high)))
        raise(ErrOverflow);
    return static_cast<int64_t>(d);
}

int16_t Variant::toInteger() const
{
    return static_cast<int16_t>(roundedInteger(-32768, 32767));
}

int32_t Variant::toLong() const
{
    return static_cast<int32_t>(
        roundedInteger(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

uint8_t Variant::toByte() const
{
    return static_cast<uint8_t>(roundedInteger(0, 255));
}

float Variant::toSingle() const
{
    const double d = numericValue();
    if (std::fabs(d) > std::numeric_limits<float>::max())
        raise(ErrOverflow);
    return static_cast<float>(d);
}

double Variant::toDouble() const
{
    return numericValue();
}

bool Variant::toBool() const
{
    return numericValue() != 0;
}

QString Variant::toString() const
{
    switch (m_type) {
    case VarType::Empty:
        return QString();
    case VarType::Null:
        raise(ErrInvalidUseOfNull, QStringLiteral("Unzulässige Verwendung von Null"));
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
        return QString::number(std::get<int64_t>(m_value));
    case VarType::Boolean:
        return std::get<int64_t>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Single:
        return formatDouble(std::get<double>(m_value), 7);
    case VarType::Double:
        return formatDouble(std::get<double>(m_value), 15);
    case VarType::Date: {
        const QDateTime dt = toDateTime();
        const QLocale locale;
        if (dt.time() == QTime(0, 0))
            return locale.toString(dt.date(), QStringLiteral("dd.MM.yyyy"));
        if (std::trunc(std::get<double>(m_value)) == 0)
            return locale.toString(dt.time(), QStringLiteral("HH:mm:ss"));
        return locale.toString(dt, QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    }
    case VarType::String:
        return std::get<QString>(m_value);
    default:
        raise(ErrTypeMismatch);
    }
}

QDateTime Variant::toDateTime() const
{
    double serial = 0;
    if (m_type == VarType::String) {
        const QString text = std::get<QString>(m_value).trimmed();
        const QLocale locale;
        for (const QString &format : {QStringLiteral("dd.MM.yyyy HH:mm:ss"), QStringLiteral("dd.MM.yyyy"),
                                      QStringLiteral("d.M.yyyy"), QStringLiteral("yyyy-MM-dd")}) {
            const QDateTime dt = locale.toDateTime(text, format);
            if (dt.isValid())
                return dt;
        }
        const QDate longDate = locale.toDate(text, QLocale::LongFormat);
        if (longDate.isValid())
            return QDateTime(longDate, QTime(0, 0));
        raise(ErrTypeMismatch);
    }
    serial = checkedDateSerial(m_type == VarType::Date ? std::get<double>(m_value) : numericValue());
    const double days = std::trunc(serial);
    const double fraction = std::fabs(serial - days);
    const qint64 msecs = static_cast<qint64>(days) * 86400000LL + std::llround(fraction * 86400000.0);
    const QDateTime utc = oleEpoch().addMSecs(msecs);
    return QDateTime(utc.date(), utc.time());
}

double Variant::toDateSerial() const
{
    if (m_type == VarType::Date)
        return std::get<double>(m_value);
    return fromDate(toDateTime()).toDateSerial();
}

AutomationObject *Variant::toObject() const
{
    if (m_type != VarType::Object)
        raise(ErrObjectRequired);
    return std::get<std::shared_ptr<AutomationObject>>(m_value).get();
}

std::shared_ptr<AutomationObject> Variant::objectRef() const
{
    if (m_type != VarType::Object)
        raise(ErrObjectRequired);
    return std::get<std::shared_ptr<AutomationObject>>(m_value);
}

Variant Variant::convertedTo(VarType type) const
{
    switch (type) {
    case VarType::Variant:
        return *this;
    case VarType::Integer:
        return fromInteger(toInteger());
    case VarType::Long:
        return fromLong(toLong());
    case VarType::Byte:
        return fromByte(toByte());
    case VarType::Single:
        return fromSingle(toSingle());
    case VarType::Double:
        return fromDouble(toDouble());
    case VarType::Boolean:
        return fromBool(toBool());
    case VarType::String:
        return fromString(toString());
    case VarType::Date:
        return fromDateSerial(toDateSerial());
    case VarType::Object:
        return fromObject(objectRef());
    case VarType::Empty:
        return Variant();
    case VarType::Null:
        return null();
    case VarType::Error:
        return missing();
    }
    return *this;
}

QString Variant::display() const
{
    switch (m_type) {
    case VarType::Empty:
        return QStringLiteral("Empty");
    case VarType::Null:
        return QStringLiteral("Null");
    case VarType::Error:
        return QStringLiteral("Error");
    case VarType::Object:
        return isNothing() ? QStringLiteral("Nothing") : QStringLiteral("Object");
    default:
        return toString();
    }
}

QString Variant::toLiteral() const
{
    switch (m_type) {
    case VarType::String: {
        QString text = std::get<QString>(m_value);
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    case VarType::Single:
    case VarType::Double:
        return QString::number(std::get<double>(m_value), 'g', 17);
    case VarType::Date:
        return QLatin1Char('#') + QString::number(std::get<double>(m_value), 'g', 17) + QLatin1Char('#');
    case VarType::Object:
        if (const auto *font = dynamic_cast<const StdFont *>(toObject())) {
            const auto flag = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
            return QStringLiteral("Font(%1, %2, %3, %4, %5, %6, %7, %8)")
                .arg(fromString(font->name).toLiteral(), QString::number(font->size, 'g', 10),
                     flag(font->bold), flag(font->italic), flag(font->underline), flag(font->strikethrough))
                .arg(font->weight)
                .arg(font->charset);
        }
        if (const auto *picture = dynamic_cast<const StdPicture *>(toObject())) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            picture->picture().image().save(&buffer, "PNG");
            return QStringLiteral("Picture(%1, \"%2\")")
                .arg(int(picture->picture().type()))
                .arg(QString::fromLatin1(png.toBase64()));
        }
        return display();
    default:
        return display();
    }
}

QStringList Variant::splitList(const QString &text)
{
    QStringList parts;
    QString current;
    bool inText = false;
    int depth = 0; // commas inside Font(...) or Picture(...) belong to that literal
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            inText = !inText;
        else if (!inText && c == QLatin1Char('('))
            ++depth;
        else if (!inText && c == QLatin1Char(')') && depth > 0)
            --depth;
        if (c == QLatin1Char(',') && !inText && depth == 0) {
            parts << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty() || !parts.isEmpty())
        parts << current.trimmed();
    return parts;
}

namespace
{

// The arguments of Name(...) when the literal has that form.
std::optional<QStringList> constructorArguments(const QString &literal, const QString &name)
{
    if (!literal.startsWith(name + QLatin1Char('('), Qt::CaseInsensitive) ||
        !literal.endsWith(QLatin1Char(')')))
        return std::nullopt;
    return Variant::splitList(literal.mid(name.size() + 1, literal.size() - name.size() - 2));
}

Variant parseFont(const QStringList &args)
{
    if (args.size() != 8)
        raise(ErrTypeMismatch);
    auto font = std::make_shared<StdFont>();
    font->name = Variant::parseLiteral(args[0]).toString();
    font->size = Variant::parseLiteral(args[1]).toDouble();
    font->bold = Variant::parseLiteral(args[2]).toBool();
    font->italic = Variant::parseLiteral(args[3]).toBool();
    font->underline = Variant::parseLiteral(args[4]).toBool();
    font->strikethrough = Variant::parseLiteral(args[5]).toBool();
    font->weight = Variant::parseLiteral(args[6]).toInteger();
    font->charset = Variant::parseLiteral(args[7]).toInteger();
    return Variant::fromObject(font);
}

Variant parsePicture(const QStringList &args)
{
    if (args.size() != 2)
        raise(ErrTypeMismatch);
    const int type = Variant::parseLiteral(args[0]).toInteger();
    QImage image;
    if (!image.loadFromData(QByteArray::fromBase64(Variant::parseLiteral(args[1]).toString().toLatin1()),
                            "PNG"))
        raise(ErrTypeMismatch);
    return Variant::fromObject(std::make_shared<StdPicture>(
        gdi::Picture(image, type == gdi::Picture::Icon ? gdi::Picture::Icon : gdi::Picture::Bitmap)));
}

} // namespace

Variant Variant::parseLiteral(const QString &literal)
{
    const QString t = literal.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"'))) {
        QString text = t.mid(1, t.size() - 2);
        text.replace(QLatin1String("\"\""), QLatin1String("\""));
        return fromString(text);
    }
    if (t.size() >= 2 && t.startsWith(QLatin1Char('#')) && t.endsWith(QLatin1Char('#'))) {
        bool ok = false;
        const double serial = t.mid(1, t.size() - 2).toDouble(&ok);
        if (ok)
            return fromDateSerial(checkedDateSerial(serial));
        return fromDate(Variant(t.mid(1, t.size() - 2)).toDateTime());
    }
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return fromBool(true);
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return fromBool(false);
    if (t.compare(QLatin1String("Empty"), Qt::CaseInsensitive) == 0)
        return Variant();
    if (t.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0)
        return null();
    if (t.compare(QLatin1String("Nothing"), Qt::CaseInsensitive) == 0)
        return fromObject(nullptr);
    if (const auto args = constructorArguments(t, QStringLiteral("Font")))
        return parseFont(*args);
    if (const auto args = constructorArguments(t, QStringLiteral("Picture")))
        return parsePicture(*args);
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) ||
        t.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        if (t.endsWith(QLatin1Char('&'))) {
            // A trailing & makes the literal a Long: &HFF00& is 65280, not -256.
            bool ok = false;
            const qulonglong v = t.mid(2, t.size() - 3).toULongLong(&ok, t.at(1).toUpper() == u'H' ? 16 : 8);
            if (!ok || v > 0xFFFFFFFFull)
                raise(ErrTypeMismatch);
            return fromLong(static_cast<int32_t>(static_cast<uint32_t>(v)));
        }
        double d;
        if (!parseNumber(t, d))
            raise(ErrTypeMismatch);
        if (t.size() <= 6)
            return fromInteger(static_cast<int16_t>(d));
        return fromLong(static_cast<int32_t>(d));
    }
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok) {
        if (whole >= -32768 && whole <= 32767)
            return fromInteger(static_cast<int16_t>(whole));
        if (whole >= std::numeric_limits<int32_t>::min() && whole <= std::numeric_limits<int32_t>::max())
            return fromLong(static_cast<int32_t>(whole));
        return fromDouble(static_cast<double>(whole));
    }
    const double d = t.toDouble(&ok);
    if (ok && std::isfinite(d))
        return fromDouble(d);
    raise(ErrTypeMismatch);
}

bool Variant::equals(const Variant &other) const
{
    if (m_type == VarType::Object || other.m_type == VarType::Object) {
        if (m_type != other.m_type)
            return false;
        return toObject() == other.toObject();
    }
    if (m_type == VarType::Null || other.m_type == VarType::Null)
        return false;
    if (m_type == VarType::Error || other.m_type == VarType::Error)
        return m_type == other.m_type;
    const bool thisText = m_type == VarType::String;
    const bool otherText = other.m_type == VarType::String;
    if (thisText && otherText)
        return std::get<QString>(m_value) == std::get<QString>(other.m_value);
    if (m_type == VarType::Empty && otherText)
        return std::get<QString>(other.m_value).isEmpty();
    if (other.m_type == VarType::Empty && thisText)
        return std::get<QString>(m_value).isEmpty();
    if (thisText != otherText) {
        // Text against a number compares as numbers when the text is one.
        const Variant &text = thisText ? *this : other;
        if (!text.isNumeric())
            return false;
    }
    return numericValue() == other.numericValue();
}

} // namespace com
