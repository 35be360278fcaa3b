#include "platform/help/HelpBrowser.h"

#include "platform/help/HelpFile.h"

namespace help
{

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

QVariant HelpBrowser::loadResource(int /*type*/, const QUrl &name)
{
    if (!m_file)
        return {};
    // The file's names all sit in one folder, so a relative name is one of
    // that folder whichever page asks for it.
    const QUrl url = name.isRelative() ? m_file->url(QString()).resolved(name) : name;
    const QString page = m_file->pageOf(url);
    if (!m_file->hasPage(page))
        return {};
    return m_file->content(page);
}

} // namespace help
