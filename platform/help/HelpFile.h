#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <memory>

namespace help
{

// A program's help file: HTML pages packed with a table of contents, a map
// from context numbers to pages and a start page. The file is a Qt binary
// resource (built with rcc --binary); "contents.json" inside it names the
// rest:
//
//   {"title": "...", "start": "page.html",
//    "contents": [{"title": "...", "page": "page.html", "children": [...]}],
//    "contexts": {"310": "page.html"}}
//
// While the object lives its pages are readable under url(); the pages link
// to one another by relative names.
class HelpFile
{
public:
    struct Topic {
        QString title;
        QString page;
        QList<Topic> children;
    };

    // Null, with the reason in `error`, when the file is missing or no help file.
    static std::unique_ptr<HelpFile> open(const QString &path, QString *error = nullptr);
    ~HelpFile();
    HelpFile(const HelpFile &) = delete;
    HelpFile &operator=(const HelpFile &) = delete;

    QString path() const { return m_path; }
    QString title() const { return m_title; }
    QString startPage() const { return m_start; }
    const QList<Topic> &contents() const { return m_contents; }
    // The page of a context number; empty when the file maps none to it.
    QString pageForContext(int32_t context) const { return m_contexts.value(context); }
    bool hasPage(const QString &page) const;
    // Where a page of the file can be read (qrc:), for a text browser.
    QUrl url(const QString &page) const;
    // The page a url() of this file shows; empty for any other address.
    QString pageOf(const QUrl &url) const;

private:
    HelpFile(QString path, QString root);
    bool readContents(QString *error);

    QString m_path;
    QString m_root; // where the file's resources are mapped, "/kvhelp/N"
    QString m_title;
    QString m_start;
    QList<Topic> m_contents;
    QMap<int32_t, QString> m_contexts;
};

} // namespace help
