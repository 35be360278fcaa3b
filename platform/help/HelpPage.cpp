#include "platform/help/HelpPage.h"

#include "platform/help/HelpFile.h"
#include "platform/help/HelpStyle.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <libxml/HTMLparser.h>
#include <memory>

namespace help
{

namespace
{

constexpr int MaxAttributeLength = 2048;
// Far beyond the parser's own bound on nesting; the walk never goes deeper.
constexpr int MaxWalkDepth = 1024;
const QChar BreakHere(0x200b);
// List items the text engine numbers for one unit of work each.
constexpr qint64 ItemsPerUnit = 8;

// A space the layout may not break a line at.
bool isNoBreakSpace(QChar c)
{
    return c == QChar(0x00a0) || c == QChar(0x2007) || c == QChar(0x202f);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Where the first start tag longer than HelpPage::MaxTagBytes begins, read
// as the parser reads tags: up to the first '>' outside a quoted attribute
// value; -1 when there is none.
qsizetype longTagAt(const QByteArray &html)
{
    const qsizetype size = html.size();
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (html.at(i) != '<' || !std::isalpha(static_cast<unsigned char>(html.at(i + 1))))
            continue;
        qsizetype end = i + 1;
        char quote = 0;
        bool value = false; // after '=', where a quote opens a value
        for (; end < size; ++end) {
            const char c = html.at(end);
            if (quote) {
                quote = c == quote ? 0 : quote;
                continue;
            }
            if (c == '>')
                break;
            if (value && (c == '"' || c == '\'')) {
                quote = c;
                value = false;
                continue;
            }
            value = c == '=' || (value && isBlank(c));
        }
        if (end - i > HelpPage::MaxTagBytes)
            return i;
        i = end;
    }
    return -1;
}

enum class Role {
    Drop,   // left out with all it holds
    Unwrap, // left out, what it holds kept
    Inline, // character formats
    Block,  // paragraphs, headings, lists
    Void,   // br, hr
    Table,
    Section, // thead, tbody, tfoot
    Row,
    Cell,
    Link,
    Picture,
};

Role roleOf(const QString &name)
{
    static const QHash<QString, Role> roles = [] {
        QHash<QString, Role> known;
        for (const char *name :
             {"script", "object",   "embed", "iframe", "frame",  "frameset", "noframes", "applet",   "svg",
              "math",   "template", "audio", "video",  "canvas", "select",   "textarea", "input",    "button",
              "meta",   "base",     "map",   "area",   "param",  "source",   "track",    "noscript", "head"})
            known.insert(QLatin1String(name), Role::Drop);
        for (const char *name : {"b", "i", "u", "s", "strike", "em", "strong", "span", "font", "big", "small",
                                 "sub", "sup", "code", "tt", "kbd", "samp", "var", "cite"})
            known.insert(QLatin1String(name), Role::Inline);
        for (const char *name : {"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "blockquote", "center", "ul",
                                 "ol", "li", "dl", "dt", "dd", "pre"})
            known.insert(QLatin1String(name), Role::Block);
        for (const char *name : {"thead", "tbody", "tfoot"})
            known.insert(QLatin1String(name), Role::Section);
        known.insert(QStringLiteral("br"), Role::Void);
        known.insert(QStringLiteral("hr"), Role::Void);
        known.insert(QStringLiteral("table"), Role::Table);
        known.insert(QStringLiteral("tr"), Role::Row);
        known.insert(QStringLiteral("td"), Role::Cell);
        known.insert(QStringLiteral("th"), Role::Cell);
        known.insert(QStringLiteral("a"), Role::Link);
        known.insert(QStringLiteral("img"), Role::Picture);
        return known;
    }();
    return roles.value(name, Role::Unwrap);
}

QString fromXml(const xmlChar *text)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(text));
}

// The text of a list of nodes, not of what they hold.
QString textOf(const xmlNode *first)
{
    QString text;
    for (const xmlNode *node = first; node; node = node->next)
        if ((node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) && node->content)
            text += fromXml(node->content);
    return text;
}

QString attribute(const xmlNode *node, const char *name)
{
    const xmlAttr *found = xmlHasProp(node, reinterpret_cast<const xmlChar *>(name));
    return found ? textOf(found->children).trimmed().left(MaxAttributeLength) : QString();
}

QString keyword(const QString &value, std::initializer_list<const char *> known)
{
    const QString lower = value.toLower();
    for (const char *word : known)
        if (lower == QLatin1String(word))
            return lower;
    return {};
}

// A whole number at the start of `value`, bounded; -1 when it starts with none.
int number(const QString &value, int min, int max)
{
    static const QRegularExpression form(QStringLiteral("^\\d+"));
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return -1;
    const QString digits = match.captured();
    return digits.size() > 9 ? max : std::clamp(digits.toInt(), min, max);
}

QString numberText(const QString &value, int min, int max)
{
    const int n = number(value, min, max);
    return n < 0 ? QString() : QString::number(n);
}

// A width in pixels or per cent.
QString width(const QString &value, int max)
{
    const int n = number(value, 0, max);
    if (n < 0)
        return {};
    return value.contains(QLatin1Char('%')) ? QString::number(std::min(n, 100)) + QLatin1Char('%')
                                            : QString::number(n);
}

QString anchor(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_.:-]{1,64}$"));
    return form.match(value).hasMatch() ? value : QString();
}

QString classes(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z_][A-Za-z0-9_-]{0,63}$"));
    QStringList kept;
    for (const QString &name : value.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (form.match(name).hasMatch() && kept.size() < 8)
            kept << name;
    return kept.join(QLatin1Char(' '));
}

// <font size>: 1 to 7, or a step from the normal 3.
QString fontSize(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^([+-]?)(\\d{1,3})$"));
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return {};
    const int n = match.captured(2).toInt();
    const int size = match.captured(1).isEmpty()               ? n
                     : match.captured(1) == QLatin1String("+") ? 3 + n
                                                               : 3 - n;
    return QString::number(std::clamp(size, 1, 7));
}

bool isCell(const QString &name)
{
    return name == QLatin1String("td") || name == QLatin1String("th");
}

struct FreeDocument {
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};
struct FreeContext {
    void operator()(htmlParserCtxt *context) const { htmlFreeParserCtxt(context); }
};

} // namespace

QString HelpPage::build(const HelpFile &file, const QString &page)
{
    // Decoded as the text browser decoded pages: by a byte-order mark or the
    // page's own <meta> charset, else as UTF-8. The parser then reads UTF-8.
    const QByteArray whole = file.content(page);
    const QByteArray bytes = whole.left(MaxPageBytes);
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    QByteArray utf8 = QString(decoder(bytes)).toUtf8();
    HelpPage rebuilt(file, page);
    rebuilt.m_unfinished = whole.size() > bytes.size();
    const qsizetype longTag = longTagAt(utf8);
    if (longTag >= 0) {
        utf8.truncate(longTag);
        rebuilt.m_unfinished = true;
    }
    const std::unique_ptr<htmlParserCtxt, FreeContext> context(htmlNewParserCtxt());
    if (!context)
        return rebuilt.result();
    const std::unique_ptr<xmlDoc, FreeDocument> document(htmlCtxtReadMemory(
        context.get(), utf8.constData(), int(utf8.size()), nullptr, "UTF-8",
        HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_RECOVER));
    // The parser stops for good where the nesting passes its own bound; the
    // rest of the page is then missing, which the note says.
    rebuilt.m_unfinished = rebuilt.m_unfinished || context->disableSAX != 0;
    if (document)
        rebuilt.walk(reinterpret_cast<const xmlNode *>(document.get()), 0);
    return rebuilt.result();
}

void HelpPage::walk(const xmlNode *node, int level)
{
    if (level > MaxWalkDepth)
        return;
    for (const xmlNode *child = node->children; child && !m_cut; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            if (child->content)
                text(fromXml(child->content));
        } else if (child->type == XML_ELEMENT_NODE) {
            element(child, level + 1);
        }
    }
}

void HelpPage::element(const xmlNode *node, int level)
{
    const QString name = fromXml(node->name).toLower();
    if (name == QLatin1String("title")) {
        if (m_title.isEmpty())
            m_title = HelpFile::shortTitle(textOf(node->children).simplified());
        return;
    }
    if (name == QLatin1String("style")) {
        addStyle(textOf(node->children));
        return;
    }
    if (name == QLatin1String("link")) {
        const QString sheet = nameAt(QUrl(attribute(node, "href")));
        if (attribute(node, "rel").toLower().split(QLatin1Char(' ')).contains(QLatin1String("stylesheet")) &&
            !sheet.isEmpty())
            addStyle(QString::fromUtf8(m_file.content(sheet)));
        return;
    }
    // The parser puts the page's <title> and style sheets into <head>.
    if (name == QLatin1String("head")) {
        for (const xmlNode *child = node->children; child; child = child->next)
            if (child->type == XML_ELEMENT_NODE)
                element(child, level + 1);
        return;
    }
    const Role role = roleOf(name);
    if (role == Role::Drop)
        return;
    const QString kept = attributes(name, node);
    if (role == Role::Picture) {
        if (kept.contains(QLatin1String(" src=")) && m_pictures < MaxPictures && spendElement(20)) {
            m_body += QStringLiteral("<img") + kept + QLatin1Char('>');
            ++m_pictures;
            m_line = true;
        }
        return;
    }
    if (role == Role::Void) {
        if (spendElement(20)) {
            m_body += QLatin1Char('<') + name + kept + QLatin1Char('>');
            m_run = 0;
            m_line = false;
        }
        return;
    }
    // Table parts stand only where the text engine expects them; elsewhere
    // (a table too deep) they are flattened into what holds them.
    const QString inside = m_open.isEmpty() ? QString() : m_open.last();
    bool fits = m_open.size() < MaxDepth && role != Role::Unwrap && !(role == Role::Link && kept.isEmpty());
    qint64 cost = 20;
    switch (role) {
    case Role::Table:
        fits = fits && m_tables < MaxTableDepth && m_open.size() + 3 <= MaxDepth;
        break;
    case Role::Section:
        fits = fits && inside == QLatin1String("table");
        break;
    case Role::Row:
        fits = fits && (inside == QLatin1String("table") || roleOf(inside) == Role::Section);
        break;
    case Role::Block:
        if (name == QLatin1String("li") && !m_lists.isEmpty())
            cost += m_lists.last() / ItemsPerUnit;
        break;
    case Role::Cell:
        fits = fits && inside == QLatin1String("tr");
        cost = 40 + 8 * qint64(std::max(1, number(attribute(node, "colspan"), 1, 16))) *
                        std::max(1, number(attribute(node, "rowspan"), 1, 16));
        break;
    default:
        break;
    }
    // Preformatted lines still wrap: a line of any length must not make the
    // layout measure it whole.
    const QString shown =
        name == QLatin1String("pre") ? QStringLiteral(" style=\"white-space: pre-wrap\"") : kept;
    if (fits && open(name, shown, cost)) {
        const bool list = name == QLatin1String("ul") || name == QLatin1String("ol");
        if (name == QLatin1String("li") && !m_lists.isEmpty())
            ++m_lists.last();
        if (list)
            m_lists << 0;
        m_tables += role == Role::Table;
        walk(node, level);
        m_tables -= role == Role::Table;
        if (list)
            m_lists.removeLast();
        close();
    } else {
        separate(name);
        walk(node, level);
        separate(name);
    }
}

QString HelpPage::attributes(const QString &element, const xmlNode *node) const
{
    const bool table = element == QLatin1String("table");
    const bool cell = isCell(element);
    const bool row = element == QLatin1String("tr");
    const bool font = element == QLatin1String("font");
    const bool link = element == QLatin1String("a");
    const bool picture = element == QLatin1String("img");
    QString kept;
    const auto keep = [&](const QString &name, const QString &value) {
        if (!value.isEmpty())
            kept +=
                QLatin1Char(' ') + name + QStringLiteral("=\"") + value.toHtmlEscaped() + QLatin1Char('"');
    };
    for (const xmlAttr *attr = node->properties; attr; attr = attr->next) {
        const QString name = fromXml(attr->name).toLower();
        const QString value = textOf(attr->children).trimmed().left(MaxAttributeLength);
        if (name == QLatin1String("id"))
            keep(name, anchor(value));
        else if (name == QLatin1String("class"))
            keep(name, classes(value));
        else if (name == QLatin1String("style"))
            keep(name, HelpStyle::declarations(value));
        else if (name == QLatin1String("align"))
            keep(name, picture ? keyword(value, {"left", "right", "middle", "top", "bottom"})
                               : keyword(value, {"left", "right", "center", "justify"}));
        else if (name == QLatin1String("valign") && (cell || row))
            keep(name, keyword(value, {"top", "middle", "bottom", "baseline"}));
        else if (name == QLatin1String("bgcolor") && (table || cell || row))
            keep(name, HelpStyle::color(value));
        else if (name == QLatin1String("color") && font)
            keep(name, HelpStyle::color(value));
        else if (name == QLatin1String("face") && font)
            keep(name, HelpStyle::fontNames(value).join(QStringLiteral(", ")));
        else if (name == QLatin1String("size") && font)
            keep(name, fontSize(value));
        else if (name == QLatin1String("href") && link)
            keep(name, address(value));
        else if (name == QLatin1String("name") && link)
            keep(name, anchor(value));
        else if (name == QLatin1String("src") && picture)
            keep(name, address(value));
        else if (name == QLatin1String("width") && (table || cell))
            keep(name, width(value, 4096));
        else if ((name == QLatin1String("width") || name == QLatin1String("height")) && picture)
            keep(name, numberText(value, 1, 2048));
        else if (name == QLatin1String("height") && cell)
            keep(name, numberText(value, 0, 2048));
        else if ((name == QLatin1String("cellpadding") || name == QLatin1String("cellspacing")) && table)
            keep(name, numberText(value, 0, 32));
        else if (name == QLatin1String("border") && table)
            keep(name, numberText(value, 0, 8));
        else if ((name == QLatin1String("colspan") || name == QLatin1String("rowspan")) && cell)
            keep(name, numberText(value, 1, 16));
    }
    return kept;
}

QString HelpPage::address(const QString &value) const
{
    if (value.startsWith(QLatin1Char('#'))) {
        const QString name = anchor(value.mid(1));
        return name.isEmpty() ? QString() : QLatin1Char('#') + name;
    }
    const QUrl url(value);
    const QString name = nameAt(url);
    if (name.isEmpty())
        return {};
    // Named from the page's own folder, as the page's author would.
    const QString folder = m_page.left(m_page.lastIndexOf(QLatin1Char('/')) + 1);
    QString named = name.startsWith(folder) ? name.mid(folder.size()) : m_file.url(name).toString();
    const QString fragment = anchor(url.fragment());
    if (!fragment.isEmpty())
        named += QLatin1Char('#') + fragment;
    return named;
}

QString HelpPage::nameAt(const QUrl &url) const
{
    return m_file.nameOf(m_file.url(m_page).resolved(url));
}

void HelpPage::addStyle(const QString &css)
{
    if (m_sheets++ >= MaxStyleSheets)
        return;
    int rules = 0;
    const QString sheet = HelpStyle::sheet(css, &rules);
    // Every element, those before it too, is matched against its rules.
    if (charge(rules * m_elements)) {
        m_style += sheet;
        m_rules += rules;
    }
}

void HelpPage::text(const QString &content)
{
    if (m_cut)
        return;
    const qint64 weight = tableWeight(1);
    qsizetype length = content.size();
    if (m_work + length * weight > MaxWork) {
        length = (MaxWork - m_work) / weight;
        m_cut = true;
    }
    m_work += length * weight;
    m_body.reserve(m_body.size() + length + length / MaxWordLength + 16);
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = content.at(i);
        if (c.isSpace() && !isNoBreakSpace(c)) {
            m_run = 0;
        } else if (++m_run > MaxWordLength && !c.isLowSurrogate()) {
            m_body += BreakHere;
            m_run = 1;
        }
        m_line = m_line || !c.isSpace();
        if (c == QLatin1Char('<'))
            m_body += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            m_body += QStringLiteral("&gt;");
        else if (c == QLatin1Char('&'))
            m_body += QStringLiteral("&amp;");
        else
            m_body += c;
    }
}

qint64 HelpPage::tableWeight(qint64 units) const
{
    return units << std::max(0, m_tables - 1);
}

bool HelpPage::spend(qint64 units)
{
    return charge(tableWeight(units));
}

bool HelpPage::spendElement(qint64 units)
{
    if (!spend(units) || !charge(m_rules))
        return false;
    ++m_elements;
    return true;
}

bool HelpPage::charge(qint64 work)
{
    if (m_cut || m_work + work > MaxWork) {
        m_cut = true;
        return false;
    }
    m_work += work;
    return true;
}

bool HelpPage::open(const QString &name, const QString &attributes, qint64 cost)
{
    if (!spendElement(cost))
        return false;
    m_body += QLatin1Char('<') + name + attributes + QLatin1Char('>');
    m_open << name;
    startLine(name);
    return true;
}

void HelpPage::close()
{
    const QString name = m_open.takeLast();
    m_body += QStringLiteral("</") + name + QLatin1Char('>');
    startLine(name);
}

void HelpPage::startLine(const QString &name)
{
    if (roleOf(name) != Role::Inline && roleOf(name) != Role::Link) {
        m_run = 0;
        m_line = false;
    }
}

void HelpPage::separate(const QString &name)
{
    const Role role = roleOf(name);
    if (role == Role::Cell) {
        m_body += QLatin1Char(' ');
        m_run = 0;
    } else if (role == Role::Block || role == Role::Table || role == Role::Section || role == Role::Row) {
        // One break ends a line however many flattened elements end there.
        if (m_line && spendElement(20)) {
            m_body += QStringLiteral("<br>");
            m_run = 0;
            m_line = false;
        }
    }
}

QString HelpPage::result() const
{
    QString page = QStringLiteral("<html><head>");
    if (!m_title.isEmpty())
        page += QStringLiteral("<title>") + m_title.toHtmlEscaped() + QStringLiteral("</title>");
    if (!m_style.isEmpty())
        page += QStringLiteral("<style>") + m_style + QStringLiteral("</style>");
    page += QStringLiteral("</head><body>") + m_body;
    if (m_cut || m_unfinished)
        page +=
            QStringLiteral("<p><i>Der Rest dieser Seite ist zu umfangreich und wird nicht gezeigt.</i></p>");
    return page + QStringLiteral("</body></html>");
}

} // namespace help
