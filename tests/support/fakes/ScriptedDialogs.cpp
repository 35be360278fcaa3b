#include "tests/support/fakes/ScriptedDialogs.h"

namespace comdlg
{

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
    if (answer.cancel)
        return std::nullopt;
    return answer.fileName;
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
    if (answer.cancel)
        return std::nullopt;
    return answer.color;
}

std::optional<FontChoice> ScriptedDialogs::font(QWidget *parent, const FontChoice &initial, int flags)
{
    Q_UNUSED(parent)
    Shown shown;
    shown.kind = QStringLiteral("font");
    shown.flags = flags;
    shown.font = initial;
    const Answer answer = record(std::move(shown));
    if (answer.cancel)
        return std::nullopt;
    return answer.font;
}

std::optional<QString> ScriptedDialogs::folder(QWidget *parent, const QString &title)
{
    Q_UNUSED(parent)
    Shown shown;
    shown.kind = QStringLiteral("folder");
    shown.title = title;
    const Answer answer = record(std::move(shown));
    if (answer.cancel)
        return std::nullopt;
    return answer.fileName;
}

} // namespace comdlg
