#include "platform/help/HelpPopup.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace help
{

HelpPopup::HelpPopup(std::unique_ptr<HelpFile> file, const QString &page)
    : QFrame(nullptr, Qt::Popup), m_file(std::move(file))
{
    setObjectName(QStringLiteral("HelpPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFrameShape(QFrame::Box);
    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("page"));
    m_browser->setFile(m_file.get());
    m_browser->setOpenExternalLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->setSource(m_file->url(page));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_browser);
    resize(420, 260);
    setFocusProxy(m_browser);
}

void HelpPopup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace help
