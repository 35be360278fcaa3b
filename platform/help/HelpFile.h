#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <cstdint>
#include <memory>

namespace help
{

// A program's help file: HTML pages packed with a table of contents, a map
// from context numbers to pages and a start page. The file is an SQLite
// database (built by tools/helppack) with one table, pages(name, content);
// "contents.json" among them names the rest:
//
//   {"title": "...", "start": "page.html",
//    "contents": [{"title": "...", "page": "page.html", "children": [...]}],
//    "contexts": {"310": "page.html"}}
//
// A help file comes from outside and may be damaged or hostile: it is read
// whole into memory and checked before anything of it is used, and any
// fault refuses it with a reason. Its pages are addressed by url(); the pages
// link to one another by relative names.
class HelpFile
{
public:
    struct Topic {
        QString title;
        QString page;
        QList<Topic> children;
    };

    // Null, with the reason in `error` (German), when the file is missing,
    // no help file or damaged.
    static std::unique_ptr<HelpFile> open(const QString &path, QString *error = nullptr);
    // The same from the file's bytes; path only names it.
    static std::unique_ptr<HelpFile> read(const QByteArray &bytes, const QString &path,
                                          QString *error = nullptr);
    ~HelpFile();
    HelpFile(const HelpFile &) = delete;
    HelpFile &operator=(const HelpFile &) = delete;

    // Titles are cut to this many characters, the cut marked with "…".
    static constexpr int MaxTitleLength = 200;
    // Topics in the table of contents at most; those beyond are left out,
    // and a last topic says so.
    static constexpr int MaxTopics = 10'000;
    // The table of contents' size at most (JSON takes ten times as much
    // memory as it is long); a file with a larger one is refused.
    static constexpr qsizetype MaxContentsBytes = 4 * 1024 * 1024;

    // `title` cut to MaxTitleLength.
    static QString shortTitle(const QString &title);

    QString path() const { return m_path; }
    QString title() const { return m_title; }
    QString startPage() const { return m_start; }
    const QList<Topic> &contents() const { return m_contents; }
    // The page of a context number; empty when the file maps none to it.
    QString pageForContext(int32_t context) const { return m_contexts.value(context); }
    bool hasPage(const QString &page) const { return !page.isEmpty() && m_pages.contains(page); }
    // Every name the file holds (pages, style sheets, pictures), sorted.
    QStringList names() const;
    // What the file holds under a name; null when it holds nothing by it.
    QByteArray content(const QString &name) const { return m_pages.value(name); }
    // The address of a page of the file, for a text browser that takes its
    // pages from content().
    QUrl url(const QString &page) const;
    // The page a url() of this file shows; empty for any other address.
    QString pageOf(const QUrl &url) const;
    // The name of what the file holds at an address, relative to its folder
    // or one of its url()s; empty when the file holds nothing there.
    QString nameOf(const QUrl &address) const;

private:
    HelpFile(QString path, QString root);
    bool readPages(const QByteArray &bytes, QString *error);
    bool readContents(QString *error);

    QString m_path;
    QString m_root; // the folder of the file's addresses, "/kvhelp/N"
    QString m_title;
    QString m_start;
    QHash<QString, QByteArray> m_pages;
    QList<Topic> m_contents;
    QMap<int32_t, QString> m_contexts;
};

} // namespace help
