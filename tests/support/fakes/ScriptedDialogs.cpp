#include "tests/support/fakes/ScriptedDialogs.h"

#include <QPrinter>

namespace comdlg
{

namespace
{

// What the dialog hands back for the answer: nothing when it cancels, else
// the value chosen.
template <class T> std::optional<T> unlessCancelled(const ScriptedDialogs::Answer &answer, const T &chosen)
{
    return answer.cancel ? std::nullopt : std::optional<T>(chosen);
}

template <class T> Outcome<T> outcomeOf(const ScriptedDialogs::Answer &answer, const T &chosen)
{
    return answer.cancel ? Outcome<T>::failed(answer.error) : Outcome<T>::accepted(chosen);
}

} // namespace

ScriptedDialogs::Answer ScriptedDialogs::next()
{
    if (m_answers.empty())
        return Answer::cancelled();
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

ScriptedDialogs::Answer ScriptedDialogs::record(Shown shown)
{
    m_shown.append(std::move(shown));
    return next();
}

std::optional<QString> ScriptedDialogs::file(const QString &kind, const QString &filter,
                                             const QString &fileName, int flags)
{
    Shown shown;
    shown.kind = kind;
    shown.filter = filter;
    shown.flags = flags;
    shown.fileName = fileName;
    const Answer answer = record(std::move(shown));
    return unlessCancelled(answer, answer.fileName);
}

std::optional<QString> ScriptedDialogs::openFile(QWidget *, const QString &, const QString &filter, int,
                                                 const QString &fileName, int flags)
{
    return file(QStringLiteral("open"), filter, fileName, flags);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget *, const QString &, const QString &filter, int,
                                                 const QString &fileName, int flags)
{
    return file(QStringLiteral("save"), filter, fileName, flags);
}

std::optional<uint32_t> ScriptedDialogs::color(QWidget *parent, uint32_t initial, int flags)
{
    Q_UNUSED(parent)
    Shown shown;
    shown.kind = QStringLiteral("color");
    shown.flags = flags;
    shown.color = initial;
    const Answer answer = record(std::move(shown));
    return unlessCancelled(answer, answer.color);
}

std::optional<FontChoice> ScriptedDialogs::font(QWidget *parent, const FontChoice &initial, int flags)
{
    Q_UNUSED(parent)
    Shown shown;
    shown.kind = QStringLiteral("font");
    shown.flags = flags;
    shown.font = initial;
    const Answer answer = record(std::move(shown));
    return unlessCancelled(answer, answer.font);
}

std::optional<QString> ScriptedDialogs::folder(QWidget *parent, const QString &title)
{
    Q_UNUSED(parent)
    Shown shown;
    shown.kind = QStringLiteral("folder");
    shown.title = title;
    const Answer answer = record(std::move(shown));
    return unlessCancelled(answer, answer.fileName);
}

std::optional<QString> ScriptedDialogs::browseFolder(QWidget *, const FolderRequest &request)
{
    Shown shown;
    shown.kind = QStringLiteral("browse");
    shown.title = request.prompt;
    shown.flags = request.flags;
    shown.browse = request;
    const Answer answer = record(std::move(shown));
    return unlessCancelled(answer, answer.fileName);
}

Outcome<QStringList> ScriptedDialogs::files(QWidget *, const FileRequest &request)
{
    Shown shown;
    shown.kind = request.save ? QStringLiteral("save") : QStringLiteral("open");
    shown.filter = request.filter;
    shown.flags = request.flags;
    shown.fileName = request.fileName;
    shown.file = request;
    shown.placement = request.placement;
    const Answer answer = record(std::move(shown));
    return outcomeOf(answer, answer.files.isEmpty() ? QStringList{answer.fileName} : answer.files);
}

Outcome<ColorChoice> ScriptedDialogs::chooseColor(QWidget *, const ColorChoice &initial, int flags,
                                                  const Placement &placement)
{
    Shown shown;
    shown.kind = QStringLiteral("color");
    shown.flags = flags;
    shown.color = initial.color;
    shown.colours = initial;
    shown.placement = placement;
    const Answer answer = record(std::move(shown));
    ColorChoice chosen = initial;
    chosen.color = answer.color;
    if (answer.custom)
        chosen.custom = *answer.custom;
    return outcomeOf(answer, chosen);
}

Outcome<FontChoice> ScriptedDialogs::chooseFont(QWidget *, const FontChoice &initial, int flags)
{
    Shown shown;
    shown.kind = QStringLiteral("font");
    shown.flags = flags;
    shown.font = initial;
    const Answer answer = record(std::move(shown));
    return outcomeOf(answer, answer.font);
}

Outcome<spooler::DeviceMode> ScriptedDialogs::printSetup(QWidget *, const spooler::DeviceMode &initial,
                                                         int flags)
{
    Shown shown;
    shown.kind = QStringLiteral("printer");
    shown.flags = flags;
    shown.printer = initial;
    const Answer answer = record(std::move(shown));
    return outcomeOf(answer, answer.printer);
}

Outcome<spooler::DeviceMode> ScriptedDialogs::printerProperties(QWidget *, const spooler::DeviceMode &initial)
{
    Shown shown;
    shown.kind = QStringLiteral("printerprop");
    shown.printer = initial;
    const Answer answer = record(std::move(shown));
    return outcomeOf(answer, answer.printer);
}

Outcome<std::shared_ptr<QPrinter>> ScriptedDialogs::print(QWidget *, const QString &title, int flags)
{
    Shown shown;
    shown.kind = QStringLiteral("print");
    shown.title = title;
    shown.flags = flags;
    const Answer answer = record(std::move(shown));
    if (answer.cancel)
        return Outcome<std::shared_ptr<QPrinter>>::failed(answer.error);
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(answer.fileName);
    return Outcome<std::shared_ptr<QPrinter>>::accepted(std::move(printer));
}

} // namespace comdlg
