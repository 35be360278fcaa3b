#include "diary/forms/MessageRoutine.h"

#include "platform/com/AutomationObject.h"
#include "platform/com/Control.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/runtime/Form.h"

#include <QApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
#include <memory>

namespace kalvento
{

namespace
{

// The Dialog control's dispatch identifiers the routine sets.
enum DialogMember : int32_t {
    DialogTitle = 0x68030027,
    DialogPrompt = 0x68030026,
    Flags = 0x68030028,
    Pointer = 0x6803000B,
    Color = 0x68030015,
    Btn1Caption = 0x68030009,
    Btn2Caption = 0x68030008,
    Btn3Caption = 0x68030007,
    Intensity = 0x68030003,
    ShowMsg = 0x6003005C,
};

void put(com::AutomationObject &dialog, int32_t dispid, const com::Variant &value)
{
    com::Args args{value};
    dialog.invoke(dispid, com::Let, args);
}

// Where a piece of at most maxChars of a longer word ends: between two characters as the user
// sees them, never inside a surrogate pair or before an accent that belongs to the letter.
qsizetype characterCut(const QString &word, qsizetype maxChars)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, word);
    finder.setPosition(maxChars);
    if (finder.isAtBoundary())
        return maxChars;
    const qsizetype before = finder.toPreviousBoundary();
    if (before > 0)
        return before;
    // One "character" longer than a line: cut it, but still keep a pair whole.
    return maxChars > 1 && word.at(maxChars - 1).isHighSurrogate() ? maxChars - 1 : maxChars;
}

// The pieces of a word too long for one line, each at most maxChars, cut after the last "/"
// that leaves a piece of some length.
QStringList cutWord(QString word, qsizetype maxChars)
{
    QStringList pieces;
    while (word.size() > maxChars) {
        const qsizetype slash = word.lastIndexOf(QLatin1Char('/'), maxChars - 1);
        const qsizetype cut = slash > 0 ? slash + 1 : characterCut(word, maxChars);
        pieces << word.left(cut);
        word.remove(0, cut);
    }
    pieces << word;
    return pieces;
}

QStringList brokenParagraph(const QString &paragraph, qsizetype maxChars)
{
    QStringList lines;
    QString line;
    for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.size() > maxChars) {
            if (!line.isEmpty())
                lines << line;
            QStringList pieces = cutWord(word, maxChars);
            line = pieces.takeLast();
            lines << pieces;
        } else if (line.isEmpty()) {
            line = word;
        } else if (line.size() + 1 + word.size() <= maxChars) {
            line += QLatin1Char(' ') + word;
        } else {
            lines << line;
            line = word;
        }
    }
    lines << line;
    return lines;
}

// The balloon gives Escape no meaning of its own. A question of the diary
// that offers "Abbrechen" takes Escape as that button, as long as `scope`
// lives; the balloon still notes the key as it notes every key.
void escapeCancels(QObject *scope)
{
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, scope, [] {
        // Only the balloon, not a window that takes the keyboard back.
        rt::Form *balloon = rt::Form::activeModalForm();
        if (!balloon || balloon->objectName() != QLatin1String("msgFrm"))
            return;
        for (com::Control *button : balloon->findChildren<com::Control *>())
            com::ignoringErrors([button] {
                if (button->isVisible() &&
                    button->get(QStringLiteral("Caption")).toString() == QLatin1String("Abbrechen"))
                    button->let(QStringLiteral("Cancel"), com::Variant::fromBool(true));
            });
    });
}

QString showBalloon(com::AutomationObject &dialog, const QString &prompt, const QString &flags,
                    const QString &title, bool pointer, const std::array<QString, 3> &captions)
{
    put(dialog, DialogTitle, com::Variant(title));
    put(dialog, DialogPrompt, com::Variant(prompt));
    put(dialog, Flags, com::Variant::fromLong(com::Variant(flags).toLong()));
    put(dialog, Pointer, com::Variant::fromBool(pointer));
    put(dialog, Color, com::Variant::fromColor(0xCCFFFF));
    put(dialog, Btn1Caption, com::Variant(captions[0]));
    put(dialog, Btn2Caption, com::Variant(captions[1]));
    put(dialog, Btn3Caption, com::Variant(captions[2]));
    put(dialog, Intensity, com::Variant::fromInteger(50));
    com::Args none;
    // The balloon takes the keyboard while it is open; afterwards the window
    // in use is active again and typing goes on in the control that had it
    // (or the one its caller chose meanwhile), once the balloon's closing is
    // done. That window is the modal one waiting on top (an editor asking
    // through the main window's dialog), else the dialog's own.
    QWidget *inUse = rt::Form::activeModalForm();
    if (const auto *control = dynamic_cast<const QWidget *>(&dialog); !inUse && control)
        inUse = control->window();
    const QPointer<QWidget> focused = inUse ? inUse->focusWidget() : QApplication::focusWidget();
    const auto escapeScope = std::make_unique<QObject>();
    escapeCancels(escapeScope.get());
    const QString answer = QString::number(dialog.invoke(ShowMsg, com::Method, none).toLong());
    if (focused)
        QTimer::singleShot(0, focused, [focused] {
            QWidget *window = focused->window();
            if (!window->isVisible())
                return;
            if (!window->focusWidget() && focused->isVisible())
                focused->setFocus(Qt::OtherFocusReason);
            window->activateWindow();
        });
    return answer;
}

} // namespace

QString ShowMessage(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                    const QString &title)
{
    return showBalloon(dialog1, prompt, flags, title, true,
                       {QStringLiteral("OK"), QStringLiteral("JA"), QStringLiteral("Nein")});
}

QString ShowMessage2(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                     const QString &title)
{
    return showBalloon(dialog1, prompt, flags, title, false,
                       {QStringLiteral("Okay"), QStringLiteral("Abbrechen"), QStringLiteral("Hilfe")});
}

QString brokenIntoLines(const QString &text, qsizetype maxChars)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString &paragraph : text.split(lineEnd))
        lines << brokenParagraph(paragraph, maxChars);
    return lines.join(QStringLiteral("\r\n"));
}

QString brokenPath(const QString &path, qsizetype maxChars)
{
    return cutWord(path, maxChars).join(QStringLiteral("\r\n"));
}

} // namespace kalvento
