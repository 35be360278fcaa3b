#include "platform/help/HelpBrowser.h"

#include "platform/help/HelpFile.h"
#include "platform/help/HelpPage.h"

namespace help
{

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

void HelpBrowser::setFile(const HelpFile *file)
{
    m_file = file;
    m_pictures.setFile(file);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QString page = m_file ? m_file->nameOf(name) : QString();
    // Nothing may come back empty: the document would then read the name
    // from the disk itself, a device such as /dev/zero without end.
    if (type == QTextDocument::ImageResource)
        return m_pictures.picture(page);
    if (type == QTextDocument::HtmlResource && !page.isEmpty()) {
        m_pictures.newPage();
        return HelpPage::build(*m_file, page);
    }
    return QString(QLatin1String(""));
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType)
{
    if (!name.isEmpty() && (!m_file || m_file->nameOf(name).isEmpty()))
        return;
    QTextBrowser::doSetSource(name, QTextDocument::HtmlResource);
}

} // namespace help
