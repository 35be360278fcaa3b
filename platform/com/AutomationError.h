#pragma once

#include <QString>
#include <stdexcept>

namespace com
{

// The runtime's error numbers that callers compare against.
enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrSubscript = 9,
    ErrTypeMismatch = 13,
    ErrObjectRequired = 424,
    ErrInvalidPropertyValue = 380,
    ErrPropertyReadOnly = 383,
    ErrPropertyWriteOnly = 394,
    ErrDesignTimeOnly = 387,
    ErrMemberNotFound = 438,
    ErrArgumentNotOptional = 449,
    ErrNotImplemented = 32751,
    ErrCancel = 32755,
};

// The one error type that crosses every module: the runtime's number and its
// text. Its key function lives in kplatform so that the type exists once.
class AutomationError : public std::runtime_error
{
public:
    AutomationError(int number, const QString &description);
    explicit AutomationError(int number);
    ~AutomationError() override;

    int number() const { return m_number; }
    QString description() const { return m_description; }

    // The runtime's own text for a number ("Überlauf" for 6).
    static QString standardText(int number);
    // What went wrong, for a message: an automation error's text, followed by
    // " (Fehler N)" where the message names numbers; any other exception's
    // own text.
    enum class Number { Left, Named };
    static QString describe(const std::exception &error, Number number);

private:
    int m_number;
    QString m_description;
};

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString &description);
// The same, for code inside widgets, where raise() names QWidget::raise.
[[noreturn]] void raiseError(int number);
[[noreturn]] void raiseError(int number, const QString &description);

} // namespace com
