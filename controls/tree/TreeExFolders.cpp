// The folder tree of TreeEx: the roots, the filling of a level when it is
// opened, the emptying when it is closed, node clicks, SetPath and
// CreateNewDirectory.
#include "controls/tree/TreeEx.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/tree/TreeNode.h"
#include "controls/tree/TreeView.h"
#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/runtime/KeyCodes.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

using namespace com;
using rt::KeyCodes;

namespace ostrevo
{

namespace
{

constexpr int MaxLevels = 20; // SetPath opens at most this many levels below a root
constexpr int CreatedFolderImage = 4;

QString rootKey(const DriveEntry &drive)
{
    const QString root = FolderList::normalized(drive.root);
    return root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
}

int driveImage(int type, int32_t iconShow)
{
    if (type == 2)
        return iconShow + 1;
    if (type == 1 || type == 3)
        return iconShow + 4;
    return iconShow + 7;
}

// The pictures of the image list, 1 to 18: three drive kinds and three folder
// states, each in the three themes, which share the platform's pictures.
QIcon imageIcon(const QStyle &style, int index)
{
    if (index < 1 || index > 18)
        return {};
    if (index <= 9) {
        static constexpr QStyle::StandardPixmap drives[] = {QStyle::SP_DriveFDIcon, QStyle::SP_DriveHDIcon,
                                                            QStyle::SP_DriveNetIcon};
        return style.standardIcon(drives[(index - 1) / 3]);
    }
    static constexpr QStyle::StandardPixmap folders[] = {QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon,
                                                         QStyle::SP_DirIcon};
    return style.standardIcon(folders[(index - 10) % 3]);
}

bool isPlaceholder(const QTreeWidgetItem *item)
{
    return item && item->text(0).isEmpty();
}

} // namespace

QString TreeEx::keyOf(const QTreeWidgetItem &item)
{
    return item.data(0, KeyRole).toString();
}

QTreeWidgetItem *TreeEx::node(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (keyOf(**it) == key)
            return *it;
    return nullptr;
}

// A folder's node; a root's node for a root's path.
QTreeWidgetItem *TreeEx::nodeForFolder(const QString &path) const
{
    for (const DriveEntry &drive : m_drives)
        if (FolderList::normalized(drive.root) == path)
            return node(rootKey(drive));
    return node(path);
}

QTreeWidgetItem *TreeEx::addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, int image)
{
    if (node(key))
        raiseError(35602, QStringLiteral("Schlüssel ist in der Auflistung nicht eindeutig"));
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, KeyRole, key);
    item->setData(0, ImageRole, image);
    if (parent)
        parent->addChild(item);
    else
        m_tree->addTopLevelItem(item);
    showImage(item);
    return item;
}

void TreeEx::addPlaceholder(QTreeWidgetItem *parent)
{
    parent->addChild(new QTreeWidgetItem(QStringList{QString()}));
}

void TreeEx::showImage(QTreeWidgetItem *item)
{
    int image = item->data(0, ImageRole).toInt();
    const int expanded = item->data(0, ExpandedImageRole).toInt();
    const int selected = item->data(0, SelectedImageRole).toInt();
    if (selected && item == m_tree->currentItem())
        image = selected;
    else if (expanded && item->isExpanded())
        image = expanded;
    item->setIcon(0, imageIcon(*m_tree->style(), image));
}

void TreeEx::loadDrives()
{
    m_tree->clear();
    m_drives = rt::ServiceSlot<DriveSource>::current().drives();
    for (const DriveEntry &drive : m_drives) {
        QTreeWidgetItem *root =
            addNode(nullptr, rootKey(drive), drive.entry, driveImage(drive.type, m_iconShow));
        addPlaceholder(root);
    }
}

// --- opening, closing, clicking ----------------------------------------------------

void TreeEx::onExpanded(QTreeWidgetItem *item)
{
    int error = 0;
    try {
        const QString key = keyOf(*item);
        m_dummyDir.setPath(key);
        m_dummyDir.refresh();
        m_tree->scrollToItem(item);
        if (item->childCount() > 0 && isPlaceholder(item->child(0))) {
            const std::unique_ptr<QTreeWidgetItem> placeholder(
                item->takeChild(0)); // out of the tree: ours to drop
            const int image = m_iconShow * 3 + 10;
            for (const QString &folder : m_dummyDir.list()) {
                QTreeWidgetItem *child = addNode(item, folder, QFileInfo(folder).fileName(), image);
                m_checkForChild.setPath(folder);
                if (m_checkForChild.listCount() > 0) {
                    addPlaceholder(child);
                    child->setData(0, ExpandedImageRole, m_iconShow * 3 + 11);
                }
            }
        }
    } catch (const AutomationError &e) {
        error = e.number(); // any other error ends the filling where it stood
    }
    if (error == 68) {
        // Closing it again is no Collapse of the user's.
        const QSignalBlocker blocker(m_tree);
        item->setExpanded(false);
        raiseSafely(QStringLiteral("DriveNotReadyError"));
    }
    showImage(item);
    raiseNodeEvent(QStringLiteral("Expand"), item);
}

void TreeEx::onCollapsed(QTreeWidgetItem *item)
{
    // Nothing is cached: opening it again reads the disk afresh.
    qDeleteAll(item->takeChildren());
    addPlaceholder(item);
    showImage(item);
    raiseNodeEvent(QStringLiteral("Collapse"), item);
}

void TreeEx::onNodeClick(QTreeWidgetItem *item)
{
    const QString key = keyOf(*item);
    try {
        if (!key.endsWith(QLatin1Char('/'))) {
            item->setData(0, SelectedImageRole, m_iconShow * 3 + 12);
            showImage(item);
        }
        m_dir.setPath(key);
    } catch (const AutomationError &e) {
        if (e.number() == 68)
            raiseSafely(QStringLiteral("DriveNotReadyError"));
        raiseNodeEvent(QStringLiteral("NodeClick"), item);
        return;
    }
    raiseNodeEvent(QStringLiteral("NodeClick"), item);
    raiseSafely(QStringLiteral("PathChanged"));
}

// --- the methods ---------------------------------------------------------------------

void TreeEx::SetPath(const QString &myPath)
{
    try {
        const QString path = FolderList::normalized(myPath);
        const DriveEntry *drive = FolderList::driveOf(m_drives, path);
        if (!drive)
            return;
        const QString root = FolderList::normalized(drive->root);
        const QStringList levels = path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (levels.size() > MaxLevels)
            return;
        // Each opening fills its level at once, so that the next level's node exists.
        QTreeWidgetItem *level = node(rootKey(*drive));
        if (!level)
            return;
        level->setExpanded(true);
        QString prefix = root == QLatin1String("/") ? QString() : root;
        for (qsizetype i = 0; i + 1 < levels.size(); ++i) {
            prefix += QLatin1Char('/') + levels[i];
            level = node(prefix);
            if (!level)
                return;
            level->setExpanded(true);
        }
        m_dir.setPath(path);
        QTreeWidgetItem *target = nodeForFolder(m_dir.path());
        if (!target)
            return;
        m_tree->setCurrentItem(target);
        if (!levels.isEmpty()) {
            target->setData(0, SelectedImageRole, m_iconShow * 3 + 12);
            showImage(target);
        }
        raiseEvent(QStringLiteral("PathChanged"));
    } catch (const AutomationError &e) {
        // Only the host's own PathChanged handler may fail the call.
        if (e.number() == 68 || e.number() == 76 || e.number() == 35602)
            return;
        throw;
    }
}

void TreeEx::CreateNewDirectory(const QString &newDirectory)
{
    QString path = newDirectory;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A relative path would depend on the process's working folder.
    if (!path.startsWith(QLatin1Char('/')))
        return;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    QString parent;
    qsizetype pos = 0;
    while (true) {
        const qsizetype sep = path.indexOf(QLatin1Char('/'), pos);
        if (sep < 0)
            break;
        const qsizetype start = pos;
        QString level = path.left(sep + 1);
        pos = sep + 1;
        const bool created = QDir().mkdir(level);
        level.chop(1);
        if (created) {
            QTreeWidgetItem *parentNode = node(parent);
            // An unfilled parent lists the new folder when it is opened; a node
            // added now would be taken for its contents.
            if (parentNode && !node(level) && !isPlaceholder(parentNode->child(0)))
                addNode(parentNode, level, level.mid(start), CreatedFolderImage);
        }
        parent = level;
    }
}

// --- the tree's input, raised to the host ------------------------------------------

void TreeEx::raiseSafely(const QString &name, Args &&args)
{
    // The host's handler failed; the tree's notification goes on.
    com::ignoringErrors([&] { raiseEvent(name, args); });
}

void TreeEx::raiseNodeEvent(const QString &name, QTreeWidgetItem *item)
{
    raiseSafely(name, {Variant::fromObject(std::make_shared<TreeNode>(keyOf(*item), item->text(0)))});
}

void TreeEx::onInput(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool move = event->type() == QEvent::MouseMove;
        const QPointF pos = m_tree->mapTo(this, mouse->position().toPoint());
        const QString name = move                                        ? QStringLiteral("MouseMove")
                             : event->type() == QEvent::MouseButtonPress ? QStringLiteral("MouseDown")
                                                                         : QStringLiteral("MouseUp");
        raiseSafely(name,
                    mouseEventArgs(*mouse, move, static_cast<float>(pos.x()), static_cast<float>(pos.y())));
        if (event->type() == QEvent::MouseButtonRelease &&
            KeyCodes::mouseButton(mouse->button()) == KeyCodes::LeftButton)
            raiseSafely(QStringLiteral("Click"));
        break;
    }
    case QEvent::MouseButtonDblClick:
        raiseSafely(QStringLiteral("DblClick"));
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (KeyCodes::keyCode(*key))
            raiseSafely(QStringLiteral("KeyDown"), keyEventArgs(*key));
        if (const int ascii = KeyCodes::keyAscii(*key))
            raiseSafely(QStringLiteral("KeyPress"), {Variant::fromInteger(int16_t(ascii))});
        break;
    }
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && KeyCodes::keyCode(*key))
            raiseSafely(QStringLiteral("KeyUp"), keyEventArgs(*key));
        break;
    }
    case QEvent::FocusIn:
        raiseSafely(QStringLiteral("Focus"), {Variant::fromBool(true)});
        break;
    case QEvent::FocusOut:
        raiseSafely(QStringLiteral("Focus"), {Variant::fromBool(false)});
        break;
    default:
        break;
    }
}

} // namespace ostrevo
