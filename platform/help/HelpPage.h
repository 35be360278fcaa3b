#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

typedef struct _xmlNode xmlNode;

namespace help
{

class HelpFile;

// A help page as the page view hands it to the text engine: the author's HTML
// read by a real HTML parser (libxml2's) and rebuilt from known elements and
// attributes only. Links and pictures name only what the file holds; style
// comes only from the file's style sheets and the page's own style, rebuilt
// by HelpStyle; numbers are bounded; nesting is bounded to what the layout
// takes in milliseconds; very long words get places to break. A page that
// would take the parser, the style matching or the layout longer than about
// a second is cut, with a note.
class HelpPage
{
public:
    // The page `page` of `file` rebuilt.
    static QString build(const HelpFile &file, const QString &page);

    // Elements open inside one another, and tables inside one another (each
    // doubles the layout's work for what it holds).
    static constexpr int MaxDepth = 32;
    static constexpr int MaxTableDepth = 6;
    // The layout's work a page may take, in units of about a microsecond:
    // a character costs one, an element or a table cell more, each times two
    // for every table it sits in beyond the first; every element also one
    // for each style rule it is matched against, and a list item one for
    // every eight items before it in its list (the text engine numbers
    // each item anew, counting those before it).
    static constexpr qint64 MaxWork = 500'000;
    // Characters without a space after which a word may break.
    static constexpr int MaxWordLength = 80;
    // What the parser is given of a page at most.
    static constexpr qsizetype MaxPageBytes = 2 * 1024 * 1024;
    // A tag's length at most: the parser compares each of a tag's attributes
    // with every one before it. The page ends before a longer one.
    static constexpr qsizetype MaxTagBytes = 16 * 1024;
    static constexpr int MaxPictures = 256;
    static constexpr int MaxStyleSheets = 8;

private:
    HelpPage(const HelpFile &file, const QString &page) : m_file(file), m_page(page) {}

    void walk(const xmlNode *node, int level);
    void element(const xmlNode *node, int level);
    void text(const QString &content);
    // Opens an element, false when the page has no room left for it.
    bool open(const QString &name, const QString &attributes, qint64 cost);
    void close();
    // A block element begins or ends: what follows starts a new line.
    void startLine(const QString &name);
    // A flattened element keeps its content apart from what follows.
    void separate(const QString &name);
    // The layout's work of `units`, doubled for every table it sits in beyond the first.
    qint64 tableWeight(qint64 units) const;
    // Spends `units` of the layout's work, weighed by tableWeight().
    bool spend(qint64 units);
    // Spends what an element takes: its layout's `units` and its matching
    // against every style rule.
    bool spendElement(qint64 units);
    // Spends work that does not grow with tables.
    bool charge(qint64 work);
    QString attributes(const QString &name, const xmlNode *node) const;
    // How the page names what the file holds at `address`; empty when the
    // file holds nothing there.
    QString address(const QString &address) const;
    // The name of what the file holds at an address as the page names it.
    QString nameAt(const QUrl &url) const;
    void addStyle(const QString &css);
    QString result() const;

    const HelpFile &m_file;
    const QString m_page;
    int m_sheets = 0;
    qint64 m_rules = 0;    // style rules the page's elements are matched against
    qint64 m_elements = 0; // elements on the page
    QList<qint64> m_lists; // items so far in each open list
    QString m_title;
    QString m_style;
    QString m_body;
    QStringList m_open;
    int m_tables = 0;
    int m_pictures = 0;
    int m_run = 0;       // characters since the last place a line may break
    bool m_line = false; // something shown since the line began
    qint64 m_work = 0;
    bool m_cut = false;
    bool m_unfinished = false; // the parser stopped before the page's end
};

} // namespace help
