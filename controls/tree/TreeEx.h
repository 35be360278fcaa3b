#pragma once

#include "controls/tree/FolderList.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <map>
#include <memory>

class QTreeWidgetItem;

namespace com
{
class StdFont;
class StdPicture;
} // namespace com

namespace ostrevo
{

class TreeNode;
class TreeView;

// A folder picker: a tree whose roots are the machine's roots (drives) and
// whose levels are read from disk only when opened. pPath is the current
// folder, with "/" separators.
class TreeEx : public com::Dispatched<TreeEx, com::Control>
{
    Q_OBJECT
public:
    enum EnumIcon : int32_t { Gray = 0, Yellow = 1, xp = 2 };

    // Data roles of the tree items.
    enum Role : int { KeyRole = Qt::UserRole, ImageRole, ExpandedImageRole, SelectedImageRole, NodeIdRole };

    TreeEx();
    ~TreeEx() override;

    static void describe(com::Dispatcher<TreeEx> &d);

    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    void SetPath(const QString &myPath);
    void CreateNewDirectory(const QString &newDirectory);

    TreeView &tree() const { return *m_tree; }
    // The item with the key, or null.
    QTreeWidgetItem *node(const QString &key) const;
    static QString keyOf(const QTreeWidgetItem &item);

    // What the host's node objects reach: an item by its number (null once
    // it has left the tree), the object for an item, the item's place in the
    // order the nodes were added (from 1), and the host's own value on it.
    QTreeWidgetItem *nodeById(qint64 id) const;
    std::shared_ptr<TreeNode> nodeObject(QTreeWidgetItem &item);
    int32_t indexOf(const QTreeWidgetItem &item) const;
    com::Variant tagOf(const QTreeWidgetItem &item) const;
    void setTag(const QTreeWidgetItem &item, const com::Variant &tag);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The folder a new tree shows: the first drive's root.
    QString firstRoot() const;
    void loadDrives();
    void setIconShow(int32_t value);
    void setPPath(const QString &path);
    void setFont(const com::Variant &font);
    void setMousePointer(int32_t pointer);
    void setMouseIcon(const com::Variant &picture);
    void setBorderStyle(int32_t style);
    void setAppearance(int32_t appearance);
    void setLabelEdit(int32_t mode);
    void setHideSelection(bool hide);
    void setHotTracking(bool on);
    void applyFrame();

    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, int image);
    void addPlaceholder(QTreeWidgetItem *parent);
    // A new item, numbered for the node objects.
    QTreeWidgetItem *newItem(const QString &text);
    void forget(QTreeWidgetItem &item);
    QTreeWidgetItem *nodeForFolder(const QString &path) const;
    void showImage(QTreeWidgetItem *item);

    void onExpanded(QTreeWidgetItem *item);
    void onCollapsed(QTreeWidgetItem *item);
    void onNodeClick(QTreeWidgetItem *item);
    void onInput(QEvent *event);
    bool onBeforeLabelEdit(QTreeWidgetItem *item);
    bool onAfterLabelEdit(QTreeWidgetItem *item, QString &text);
    // Events raised from inside the tree's notifications: a failing handler of
    // the host must not unwind through Qt's event handling.
    void raiseSafely(const QString &name, com::Args &args);
    void raiseSafely(const QString &name, com::Args &&args = {});
    void raiseNodeEvent(const QString &name, QTreeWidgetItem *item);

    TreeView *m_tree;           // owned by this widget
    FolderList m_dir;           // Dir1: the current folder
    FolderList m_dummyDir;      // lists the node being opened
    FolderList m_checkForChild; // tells whether a listed folder has subfolders
    QList<DriveEntry> m_drives;
    qint64 m_nextId = 1;
    std::map<qint64, com::Variant> m_tags; // by node number
    bool m_releaseOfDoubleClick = false;   // that release is no second Click
    int32_t m_iconShow = Gray;
    int32_t m_labelEdit = 1;
    bool m_hideSelection = true;
    bool m_hotTracking = false;
    int32_t m_borderStyle = 0;
    int32_t m_appearance = 1;
    int16_t m_mousePointer = 0;
    std::shared_ptr<com::StdFont> m_font;
    std::shared_ptr<com::StdPicture> m_mouseIcon;
};

} // namespace ostrevo
