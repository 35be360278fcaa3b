#pragma once

#include "platform/comdlg/DialogBackend.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace comdlg
{

// A dialog backend for tests: each dialog shown takes the next scripted
// answer (or cancels when none is left) and is recorded with what it was
// shown with, so a test can check both sides.
class ScriptedDialogs : public DialogBackend
{
public:
    struct Shown {
        QString kind; // "open", "save", "color", "font" or "folder"
        QString filter;
        int flags = 0;
        QString fileName;   // open and save: the preset file name
        uint32_t color = 0; // colour: the starting colour
        FontChoice font;    // font: what it was prefilled with
        QString title;      // folder: the title above the tree
    };
    // An answer: a cancel, or the value the dialog of its kind returns.
    struct Answer {
        bool cancel = true;
        QString fileName;
        uint32_t color = 0;
        FontChoice font;
        static Answer cancelled() { return {}; }
        static Answer file(const QString &name) { return {false, name, 0, {}}; }
        static Answer colour(uint32_t c) { return {false, {}, c, {}}; }
        static Answer chosenFont(const FontChoice &f) { return {false, {}, 0, f}; }
    };

    void push(Answer answer) { m_answers.push_back(std::move(answer)); }
    const QList<Shown> &shown() const { return m_shown; }

    std::optional<QString> openFile(QWidget *parent, const QString &title, const QString &filter,
                                    int filterIndex, const QString &fileName, int flags) override;
    std::optional<QString> saveFile(QWidget *parent, const QString &title, const QString &filter,
                                    int filterIndex, const QString &fileName, int flags) override;
    std::optional<uint32_t> color(QWidget *parent, uint32_t initial, int flags) override;
    std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial, int flags) override;
    // Answers with the path of the next Answer::file.
    std::optional<QString> folder(QWidget *parent, const QString &title) override;

private:
    Answer next();
    Answer record(Shown shown);
    std::optional<QString> file(const QString &kind, const QString &filter, const QString &fileName,
                                int flags);
    std::deque<Answer> m_answers;
    QList<Shown> m_shown;
};

} // namespace comdlg
