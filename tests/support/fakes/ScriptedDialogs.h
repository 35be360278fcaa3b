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
        QString kind; // "open", "save", "color", "font", "folder", "printer", "printerprop" or "print"
        QString filter;
        int flags = 0;
        QString fileName;            // open and save: the preset file name
        uint32_t color = 0;          // colour: the starting colour
        FontChoice font;             // font: what it was prefilled with
        QString title;               // folder: the title above the tree; print: the dialog's title
        FileRequest file;            // open and save through files()
        ColorChoice colours;         // chooseColor(): the start, custom colours included
        Placement placement;         // files() and chooseColor()
        spooler::DeviceMode printer; // print set-up and printer properties: the start
        FolderRequest browse;        // browseFolder(): kind "browse"
    };
    // An answer: a cancel or failure, or the value the dialog of its kind returns.
    struct Answer {
        bool cancel = true;
        QString fileName;
        uint32_t color = 0;
        FontChoice font;
        uint32_t error = 0; // why a cancelled answer failed: 0 the user cancelled
        QStringList files;  // files(): the paths chosen (fileName alone when empty)
        std::optional<std::array<uint32_t, 16>> custom; // chooseColor(): edited custom colours
        spooler::DeviceMode printer;
        static Answer cancelled() { return {}; }
        static Answer failed(uint32_t code)
        {
            Answer a;
            a.error = code;
            return a;
        }
        static Answer file(const QString &name)
        {
            Answer a;
            a.cancel = false;
            a.fileName = name;
            return a;
        }
        static Answer several(const QStringList &paths)
        {
            Answer a;
            a.cancel = false;
            a.files = paths;
            return a;
        }
        static Answer colour(uint32_t c)
        {
            Answer a;
            a.cancel = false;
            a.color = c;
            return a;
        }
        static Answer colours(uint32_t c, const std::array<uint32_t, 16> &custom)
        {
            Answer a = colour(c);
            a.custom = custom;
            return a;
        }
        static Answer chosenFont(const FontChoice &f)
        {
            Answer a;
            a.cancel = false;
            a.font = f;
            return a;
        }
        // print(): a PDF printer writing to the file.
        static Answer pdf(const QString &path) { return file(path); }
        static Answer printerSettings(const spooler::DeviceMode &mode)
        {
            Answer a;
            a.cancel = false;
            a.printer = mode;
            return a;
        }
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
    // Answers with the path of the next Answer::file.
    std::optional<QString> browseFolder(QWidget *parent, const FolderRequest &request) override;
    Outcome<QStringList> files(QWidget *parent, const FileRequest &request) override;
    Outcome<ColorChoice> chooseColor(QWidget *parent, const ColorChoice &initial, int flags,
                                     const Placement &placement) override;
    Outcome<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial, int flags) override;
    Outcome<spooler::DeviceMode> printSetup(QWidget *parent, const spooler::DeviceMode &initial,
                                            int flags) override;
    Outcome<spooler::DeviceMode> printerProperties(QWidget *parent,
                                                   const spooler::DeviceMode &initial) override;
    Outcome<std::shared_ptr<QPrinter>> print(QWidget *parent, const QString &title, int flags) override;

private:
    Answer next();
    Answer record(Shown shown);
    std::optional<QString> file(const QString &kind, const QString &filter, const QString &fileName,
                                int flags);
    std::deque<Answer> m_answers;
    QList<Shown> m_shown;
};

} // namespace comdlg
