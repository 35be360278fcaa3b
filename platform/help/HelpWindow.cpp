#include "platform/help/HelpWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <functional>

namespace help
{

namespace
{

constexpr int PageRole = Qt::UserRole;

QString titleOf(const HelpFile &file)
{
    return file.title().isEmpty() ? QStringLiteral("Hilfe") : file.title();
}

} // namespace

HelpWindow::HelpWindow(std::unique_ptr<HelpFile> file) : m_file(std::move(file))
{
    setObjectName(QStringLiteral("HelpWindow"));
    // Help left open must not keep the program running once its own windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_tree = new QTreeWidget(splitter);
    m_tree->setObjectName(QStringLiteral("contents"));
    m_tree->setHeaderLabel(QStringLiteral("Inhalt"));
    m_tree->header()->setSectionsClickable(false);
    m_browser = new HelpBrowser(splitter);
    m_browser->setFile(m_file.get());
    m_browser->setObjectName(QStringLiteral("page"));
    // Every page is in the file; nothing is handed to the desktop.
    m_browser->setOpenExternalLinks(false);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({320, 640});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(980, 660);

    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const QString page = item->data(0, PageRole).toString();
        if (!page.isEmpty())
            showPage(page);
    });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QString page = item->data(0, PageRole).toString();
        if (!page.isEmpty())
            showPage(page);
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);
    fillContents();
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::setFile(std::unique_ptr<HelpFile> file)
{
    // The browser lets go of the old pages before their file is closed.
    m_browser->clear();
    m_browser->clearHistory();
    m_browser->setFile(file.get());
    m_file = std::move(file);
    fillContents();
}

bool HelpWindow::showPage(const QString &page)
{
    if (!m_file->hasPage(page))
        return false;
    const QUrl url = m_file->url(page);
    if (m_browser->source() == url)
        followPage(url);
    else
        m_browser->setSource(url);
    return true;
}

QString HelpWindow::currentPage() const
{
    return m_file->pageOf(m_browser->source());
}

void HelpWindow::fillContents()
{
    setWindowTitle(titleOf(*m_file));
    m_tree->clear();
    std::function<void(QTreeWidgetItem *, const QList<HelpFile::Topic> &)> add =
        [&](QTreeWidgetItem *parent, const QList<HelpFile::Topic> &topics) {
            for (const HelpFile::Topic &topic : topics) {
                auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
                item->setText(0, topic.title);
                item->setData(0, PageRole, topic.page);
                add(item, topic.children);
            }
        };
    add(nullptr, m_file->contents());
    m_tree->expandAll();
}

void HelpWindow::followPage(const QUrl &url)
{
    // An anchor in the address still names its whole page.
    QTreeWidgetItem *item = itemFor(m_file->pageOf(url));
    const QSignalBlocker blocker(m_tree);
    m_tree->setCurrentItem(item);
    if (item)
        m_tree->scrollToItem(item);
    else
        m_tree->clearSelection();
    const QString page = m_browser->documentTitle();
    setWindowTitle(page.isEmpty() ? titleOf(*m_file) : titleOf(*m_file) + QStringLiteral(" – ") + page);
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the help as it closes the program's own windows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QTreeWidgetItem *HelpWindow::itemFor(const QString &page) const
{
    if (page.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, PageRole).toString() == page)
            return *it;
    return nullptr;
}

} // namespace help
