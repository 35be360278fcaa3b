// The folder tree of TreeEx: the roots, the filling of a level when it is
// opened, the emptying when it is closed, node clicks, SetPath and
// CreateNewDirectory.
#include "controls/tree/TreeEx.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/tree/TreeImages.h"
#include "controls/tree/TreeNode.h"
#include "controls/tree/TreeView.h"
#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

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

QTreeWidgetItem *TreeEx::nodeById(qint64 id) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, NodeIdRole).toLongLong() == id)
            return *it;
    return nullptr;
}

std::shared_ptr<TreeNode> TreeEx::nodeObject(QTreeWidgetItem &item)
{
    return std::make_shared<TreeNode>(*this, item.data(0, NodeIdRole).toLongLong());
}

// Nodes are numbered as they are added, so a node's place among those still
// in the tree is its index in the order of adding.
int32_t TreeEx::indexOf(const QTreeWidgetItem &item) const
{
    const qint64 id = item.data(0, NodeIdRole).toLongLong();
    int32_t index = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, NodeIdRole).toLongLong() <= id)
            ++index;
    return index;
}

Variant TreeEx::tagOf(const QTreeWidgetItem &item) const
{
    const auto found = m_tags.find(item.data(0, NodeIdRole).toLongLong());
    return found == m_tags.end() ? Variant() : found->second;
}

void TreeEx::setTag(const QTreeWidgetItem &item, const Variant &tag)
{
    m_tags[item.data(0, NodeIdRole).toLongLong()] = tag;
}

QTreeWidgetItem *TreeEx::newItem(const QString &text)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, NodeIdRole, m_nextId++);
    return item;
}

// An item leaving the tree takes its subtree's tags along.
void TreeEx::forget(QTreeWidgetItem &item)
{
    m_tags.erase(item.data(0, NodeIdRole).toLongLong());
    for (int i = 0; i < item.childCount(); ++i)
        forget(*item.child(i));
}

QTreeWidgetItem *TreeEx::addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, int image)
{
    if (node(key))
        raiseError(35602, QStringLiteral("Schlüssel ist in der Auflistung nicht eindeutig"));
    QTreeWidgetItem *item = newItem(text);
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
    parent->addChild(newItem(QString()));
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
    item->setIcon(0, TreeImages::icon(image));
}

void TreeEx::loadDrives()
{
    m_tree->clear();
    m_tags.clear();
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
            forget(*placeholder);
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
    for (int i = 0; i < item->childCount(); ++i)
        forget(*item->child(i));
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
    // A relative path is created below the working folder; its levels are
    // no keys of the tree, so they get no nodes.
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

void TreeEx::raiseSafely(const QString &name, Args &args)
{
    // The host's handler failed; the tree's notification goes on.
    com::ignoringErrors([&] { raiseEvent(name, args); });
}

void TreeEx::raiseSafely(const QString &name, Args &&args)
{
    raiseSafely(name, args);
}

void TreeEx::raiseNodeEvent(const QString &name, QTreeWidgetItem *item)
{
    raiseSafely(name, {Variant::fromObject(nodeObject(*item))});
}

// The host decides: a Cancel set keeps the label closed.
bool TreeEx::onBeforeLabelEdit(QTreeWidgetItem *item)
{
    if (isPlaceholder(item))
        return false;
    Args args{Variant::fromInteger(0)};
    raiseSafely(QStringLiteral("BeforeLabelEdit"), args);
    return args[0].toInteger() == 0;
}

// Only the label changes: the folder keeps its name (and the node its key)
// unless the host renames it. A Cancel set keeps the old label, a changed
// NewString is taken instead of the typed one.
bool TreeEx::onAfterLabelEdit(QTreeWidgetItem *, QString &text)
{
    Args args{Variant::fromInteger(0), Variant(text)};
    raiseSafely(QStringLiteral("AfterLabelEdit"), args);
    if (args[0].toInteger() != 0)
        return false;
    text = args[1].toString();
    return true;
}

void TreeEx::onInput(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool move = event->type() == QEvent::MouseMove;
        // In twips from the corner of the tree's area, as every control gives positions.
        const QPointF pos = mouse->position();
        const auto x = float(pos.x() * rt::Twips::perPixelX()), y = float(pos.y() * rt::Twips::perPixelY());
        const QString name = move                                        ? QStringLiteral("MouseMove")
                             : event->type() == QEvent::MouseButtonPress ? QStringLiteral("MouseDown")
                                                                         : QStringLiteral("MouseUp");
        raiseSafely(name, mouseEventArgs(*mouse, move, x, y));
        if (event->type() == QEvent::MouseButtonRelease &&
            KeyCodes::mouseButton(mouse->button()) == KeyCodes::LeftButton) {
            // A double click is one Click and one DblClick: its second
            // release only ends it.
            if (!std::exchange(m_releaseOfDoubleClick, false))
                raiseSafely(QStringLiteral("Click"));
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        m_releaseOfDoubleClick =
            KeyCodes::mouseButton(static_cast<QMouseEvent *>(event)->button()) == KeyCodes::LeftButton;
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
