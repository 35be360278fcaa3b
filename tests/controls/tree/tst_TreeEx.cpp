#include "controls/tree/FolderList.h"
#include "controls/tree/TreeEx.h"
#include "controls/tree/TreeView.h"
#include "platform/com/AutomationError.h"
#include "platform/com/EventHandlers.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

using namespace com;
using ostrevo::DriveEntry;
using ostrevo::DriveSource;
using ostrevo::TreeEx;
using testsupport::errorOf;

namespace
{

// The temporary folder as the only ready root, and a second root that is missing.
class TempDrives : public DriveSource
{
public:
    explicit TempDrives(QList<DriveEntry> drives) : m_drives(std::move(drives)) {}
    QList<DriveEntry> drives() const override { return m_drives; }

private:
    QList<DriveEntry> m_drives;
};

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

} // namespace

class TestTreeEx : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_root;    // the temporary folder, the tree's first root
    QString m_missing; // a root that is not there: a drive that is not ready
    QStringList m_events;
    com::EventHandlers m_handlers; // the form's, for handlers that answer
    QString m_workingFolder;

    TreeEx *newTree(const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<TreeEx *>(testsupport::createRecorded(
            QStringLiteral("Quiv_Tools.TreeEx"), m_form.get(), QStringLiteral("TreeEx1"), m_events,
            QSize(300, 400), bag, &m_handlers));
    }

    // The node object the host's handler of that event receives.
    std::shared_ptr<AutomationObject> nodeOf(const QString &event, const std::function<void()> &action)
    {
        std::shared_ptr<AutomationObject> node;
        m_handlers.on(QStringLiteral("TreeEx1_") + event,
                      [&node](Args &args) { node = args[0].objectRef(); });
        action();
        m_handlers.on(QStringLiteral("TreeEx1_") + event, [](Args &) {});
        return node;
    }

    static QImage iconOf(const QTreeWidgetItem *item) { return item->icon(0).pixmap(16).toImage(); }

    // The colour of the item's row beyond its text.
    static QRgb groundOf(TreeEx *tree, const QTreeWidgetItem *item)
    {
        QTreeWidget &view = tree->tree();
        const QRect row = view.visualItemRect(item);
        return view.viewport()->grab().toImage().pixel(row.right() - 2, row.center().y());
    }

    // How many pixels of the item's row show exactly that colour.
    static int pixelsOf(TreeEx *tree, const QTreeWidgetItem *item, QRgb color)
    {
        QTreeWidget &view = tree->tree();
        const QImage shot = view.viewport()->grab().toImage();
        const QRect row = view.visualItemRect(item);
        int count = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                count += (shot.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
        return count;
    }

    void makeDirs(const QStringList &paths)
    {
        for (const QString &p : paths)
            QVERIFY(QDir(m_root).mkpath(p));
    }

    void click(TreeEx *tree, QTreeWidgetItem *item)
    {
        QTreeWidget &view = tree->tree();
        view.scrollToItem(item);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(item).center());
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_root = QDir(m_temp->path()).canonicalPath();
        m_missing = m_root + QStringLiteral("/usb");
        rt::ServiceSlot<DriveSource>::install(std::make_unique<TempDrives>(
            QList<DriveEntry>{{QStringLiteral("Temp"), m_root, 3}, {QStringLiteral("USB"), m_missing, 2}}));
        m_form.open(QSize(400, 500));
        m_events.clear();
        m_workingFolder = QDir::currentPath();
    }

    void cleanup()
    {
        QDir::setCurrent(m_workingFolder);
        m_form.reset();
        m_handlers = com::EventHandlers();
        rt::ServiceSlot<DriveSource>::reset();
        m_temp.reset();
    }

    // The diary binds pPath by its number.
    void typeLibrary()
    {
        QStringList members;
        for (const MemberInfo &m : TreeEx::staticTypeInfo().members)
            members << QStringLiteral("%1=%2").arg(m.name).arg(uint32_t(m.dispid), 0, 16);
        QCOMPARE(members.join(QLatin1Char(' ')),
                 QStringLiteral(
                     "ShowAboutBox=fffffdd8 CreateNewDirectory=6003000e SetPath=60030017 "
                     "LabelEdit=6803000b HideSelection=6803000a HotTracking=68030009 BorderStyle=68030008 "
                     "Appearance=68030007 MousePointer=68030006 Font=68030005 EnabledT=68030004 "
                     "MouseIcon=68030003 pPath=68030002 IconShow=68030001"));
        const TypeInfo &info = TreeEx::staticTypeInfo();
        QCOMPARE(info.progId, QStringLiteral("Quiv_Tools.TreeEx"));
        QCOMPARE(info.events.size(), size_t(17));
        QCOMPARE(info.events[12].name, QStringLiteral("PathChanged"));
        QCOMPARE(info.events[15].name, QStringLiteral("DriveNotReadyError"));
        QCOMPARE(info.enumeration(QStringLiteral("tMousePointerConst"))->constants.size(), size_t(17));
        QCOMPARE(info.enumeration(QStringLiteral("EnumIcon"))->value(QStringLiteral("xp")), 2);
    }

    // The roots come from the drive source, each unfilled; the first is the current folder.
    void newControl()
    {
        TreeEx *tree = newTree();
        QTreeWidget &view = tree->tree();
        QCOMPARE(view.topLevelItemCount(), 2);
        QCOMPARE(TreeEx::keyOf(*view.topLevelItem(0)), m_root + QLatin1Char('/'));
        QCOMPARE(view.topLevelItem(0)->data(0, TreeEx::ImageRole).toInt(), 4); // fixed
        QCOMPARE(view.topLevelItem(1)->data(0, TreeEx::ImageRole).toInt(), 1); // removable
        QCOMPARE(childTexts(view.topLevelItem(0)), QStringList{QString()});
        Args none;
        QCOMPARE(tree->invoke(0x68030002, Get, none).toString(), m_root);
        QCOMPARE(tree->geometry().size(), view.geometry().size());
    }

    // A level is read when opened, and read afresh after closing.
    void lazyFilling()
    {
        makeDirs({"a/inner", "b"});
        TreeEx *tree = newTree();
        QTreeWidgetItem *root = tree->tree().topLevelItem(0);
        root->setExpanded(true);
        QCOMPARE(childTexts(root), (QStringList{"a", "b"}));
        QTreeWidgetItem *a = tree->node(m_root + QStringLiteral("/a"));
        QTreeWidgetItem *b = tree->node(m_root + QStringLiteral("/b"));
        QVERIFY(a && b);
        QCOMPARE(childTexts(a), QStringList{QString()}); // openable, not yet read
        QCOMPARE(a->data(0, TreeEx::ExpandedImageRole).toInt(), 11);
        QCOMPARE(b->childCount(), 0);
        QCOMPARE(b->data(0, TreeEx::ExpandedImageRole).toInt(), 0);
        QVERIFY(!tree->node(m_root + QStringLiteral("/a/inner")));
        QVERIFY(m_events.last().startsWith(QStringLiteral("Expand(")));

        makeDirs({"c"});
        root->setExpanded(false);
        QCOMPARE(childTexts(root), QStringList{QString()});
        QVERIFY(m_events.last().startsWith(QStringLiteral("Collapse(")));
        root->setExpanded(true);
        QCOMPARE(childTexts(root), (QStringList{"a", "b", "c"}));
    }

    // Keys keep their case: two folders differing only in case are both listed.
    void caseKept()
    {
        makeDirs({"Daten", "daten"});
        TreeEx *tree = newTree();
        tree->tree().topLevelItem(0)->setExpanded(true);
        QCOMPARE(childTexts(tree->tree().topLevelItem(0)), (QStringList{"Daten", "daten"}));
        tree->SetPath(m_root + QStringLiteral("/Daten"));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/Daten"));
    }

    // A root that is not there stays closed; the host hears of it before Expand.
    void driveNotReady()
    {
        TreeEx *tree = newTree();
        QTreeWidgetItem *usb = tree->tree().topLevelItem(1);
        usb->setExpanded(true);
        QVERIFY(!usb->isExpanded());
        QCOMPARE(m_events.size(), 2);
        QCOMPARE(m_events[0], QStringLiteral("DriveNotReadyError()"));
        QVERIFY(m_events[1].startsWith(QStringLiteral("Expand(")));
        m_events.clear();
        click(tree, usb);
        QVERIFY(m_events.contains(QStringLiteral("DriveNotReadyError()")));
        QVERIFY(!m_events.contains(QStringLiteral("PathChanged()")));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root);
    }

    // A node click sets the folder before the host's Click reads it.
    void nodeClick()
    {
        makeDirs({"backup"});
        TreeEx *tree = newTree();
        tree->tree().topLevelItem(0)->setExpanded(true);
        QTreeWidgetItem *backup = tree->node(m_root + QStringLiteral("/backup"));
        QVERIFY(backup);
        m_events.clear();
        click(tree, backup);
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/backup"));
        QCOMPARE(backup->data(0, TreeEx::SelectedImageRole).toInt(), 12);
        const qsizetype nodeClick = m_events.indexOf(QStringLiteral("NodeClick(Object)"));
        QVERIFY2(nodeClick >= 0, qPrintable(m_events.join(' ')));
        QCOMPARE(m_events[nodeClick + 1], QStringLiteral("PathChanged()"));
        QVERIFY(m_events.indexOf(QStringLiteral("Click()")) > nodeClick);

        // A click beside every node is still a Click; the folder stays.
        m_events.clear();
        QTest::mouseClick(tree->tree().viewport(), Qt::LeftButton, {}, QPoint(150, 390));
        QVERIFY(m_events.contains(QStringLiteral("Click()")));
        QVERIFY(!m_events.contains(QStringLiteral("PathChanged()")));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/backup"));
    }

    void setPath()
    {
        makeDirs({"x/y/z"});
        TreeEx *tree = newTree();
        tree->SetPath(m_root + QStringLiteral("\\x\\y\\z\\"));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/x/y/z"));
        QTreeWidgetItem *z = tree->node(m_root + QStringLiteral("/x/y/z"));
        QVERIFY(z);
        QCOMPARE(tree->tree().currentItem(), z);
        QCOMPARE(z->data(0, TreeEx::SelectedImageRole).toInt(), 12);
        QCOMPARE(m_events.last(), QStringLiteral("PathChanged()"));

        // The root itself: selected, no selected image.
        tree->SetPath(m_root);
        QCOMPARE(tree->tree().currentItem(), tree->tree().topLevelItem(0));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root);
    }

    // Failures are silent: no error, no PathChanged, the folder stays.
    void setPathFailures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QStringLiteral("/x/gone");
        QTest::newRow("relative") << QStringLiteral("x");
        QTest::newRow("outside the roots") << QStringLiteral("/");
        QTest::newRow("too deep") << QStringLiteral("/x") + QStringLiteral("/d").repeated(20);
    }

    void setPathFailures()
    {
        QFETCH(QString, path);
        makeDirs({"x"});
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("x") + QStringLiteral("/d").repeated(20)));
        TreeEx *tree = newTree();
        const QString full = path.startsWith('/') && path != QLatin1String("/") ? m_root + path : path;
        QCOMPARE(errorOf([&] { tree->call(QStringLiteral("SetPath"), {Variant(full)}); }), 0);
        QVERIFY(!m_events.contains(QStringLiteral("PathChanged()")));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root);
    }

    void pPathLet()
    {
        makeDirs({"p"});
        TreeEx *tree = newTree();
        tree->let(QStringLiteral("pPath"), Variant(m_root + QStringLiteral("\\p")));
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/p"));
        QCOMPARE(
            errorOf([&] { tree->let(QStringLiteral("pPath"), Variant(m_root + QStringLiteral("/nope"))); }),
            76);
        QCOMPARE(
            errorOf([&] { tree->let(QStringLiteral("pPath"), Variant(m_missing + QStringLiteral("/a"))); }),
            68);
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/p"));
    }

    // Creates the missing levels; a node only where the parent is open.
    void createNewDirectory()
    {
        makeDirs({"one"});
        TreeEx *tree = newTree();
        tree->tree().topLevelItem(0)->setExpanded(true);
        QTreeWidgetItem *one = tree->node(m_root + QStringLiteral("/one"));
        one->setExpanded(true); // no subfolders: filled and empty
        tree->call(QStringLiteral("CreateNewDirectory"),
                   {Variant(m_root + QStringLiteral("/one/two/three/"))});
        QVERIFY(QFileInfo(m_root + QStringLiteral("/one/two/three")).isDir());
        QTreeWidgetItem *two = tree->node(m_root + QStringLiteral("/one/two"));
        QVERIFY(two);
        QCOMPARE(two->text(0), QStringLiteral("two"));
        QCOMPARE(two->data(0, TreeEx::ImageRole).toInt(), 4);
        QCOMPARE(tree->node(m_root + QStringLiteral("/one/two/three"))->text(0), QStringLiteral("three"));

        // Under an unread level the folder shows up once, when the level is opened.
        tree->tree().topLevelItem(0)->setExpanded(false);
        tree->CreateNewDirectory(m_root + QStringLiteral("\\new"));
        QVERIFY(QFileInfo(m_root + QStringLiteral("/new")).isDir());
        tree->tree().topLevelItem(0)->setExpanded(true);
        QCOMPARE(childTexts(tree->tree().topLevelItem(0)), (QStringList{"new", "one"}));

        // A relative path is created below the working folder, with no node:
        // its levels are no keys of the tree.
        QVERIFY(QDir::setCurrent(m_root + QStringLiteral("/one")));
        const int nodes =
            int(tree->tree().findItems(QString(), Qt::MatchContains | Qt::MatchRecursive).size());
        tree->CreateNewDirectory(QStringLiteral("relative\\deeper"));
        QVERIFY(QFileInfo(m_root + QStringLiteral("/one/relative/deeper")).isDir());
        QCOMPARE(int(tree->tree().findItems(QString(), Qt::MatchContains | Qt::MatchRecursive).size()),
                 nodes);
    }

    // The folder list takes a relative path from the working folder and
    // gives the full path back.
    void relativePathLet()
    {
        makeDirs({"p/q"});
        TreeEx *tree = newTree();
        QVERIFY(QDir::setCurrent(m_root + QStringLiteral("/p")));
        QCOMPARE(errorOf([&] { tree->let(QStringLiteral("pPath"), Variant(QStringLiteral("q"))); }), 0);
        QCOMPARE(tree->get(QStringLiteral("pPath")).toString(), m_root + QStringLiteral("/p/q"));
        QCOMPARE(errorOf([&] { tree->let(QStringLiteral("pPath"), Variant(QStringLiteral("nope"))); }), 76);
    }

    // The node the events hand over is the tree view's node: a live view
    // of the tree, moving through it and changing it.
    void nodeObject()
    {
        makeDirs({"a/inner", "b", "c"});
        TreeEx *tree = newTree();
        QTreeWidgetItem *root = tree->tree().topLevelItem(0);
        const std::shared_ptr<AutomationObject> rootNode = nodeOf("Expand", [&] { root->setExpanded(true); });
        QVERIFY(rootNode);
        QCOMPARE(rootNode->get(QStringLiteral("Expanded")).toBool(), true);
        QCOMPARE(rootNode->get(QStringLiteral("Children")).toInteger(), int16_t(3));
        QVERIFY(rootNode->get(QStringLiteral("Parent")).isNothing());

        QTreeWidgetItem *b = tree->node(m_root + QStringLiteral("/b"));
        const std::shared_ptr<AutomationObject> node = nodeOf("NodeClick", [&] { click(tree, b); });
        QVERIFY(node);
        QCOMPARE(node->get(QStringLiteral("Key")).toString(), m_root + QStringLiteral("/b"));
        QCOMPARE(node->get(QStringLiteral("Text")).toString(), QStringLiteral("b"));
        QCOMPARE(node->get(QStringLiteral("FullPath")).toString(), QStringLiteral("Temp\\b"));
        QCOMPARE(node->get(QStringLiteral("Selected")).toBool(), true);
        QCOMPARE(node->get(QStringLiteral("Children")).toInteger(), int16_t(0));
        QVERIFY(node->get(QStringLiteral("Child")).isNothing());
        // In the order of adding: the two roots (the second with its placeholder), a, a's placeholder, b.
        QCOMPARE(node->get(QStringLiteral("Index")).toLong(), 6);
        auto keyOf = [](const Variant &v) { return v.objectRef()->get(QStringLiteral("Key")).toString(); };
        QCOMPARE(keyOf(node->get(QStringLiteral("Parent"))), m_root + QLatin1Char('/'));
        QCOMPARE(keyOf(node->get(QStringLiteral("Next"))), m_root + QStringLiteral("/c"));
        QVERIFY(node->get(QStringLiteral("Next")).objectRef()->get(QStringLiteral("Next")).isNothing());
        QCOMPARE(keyOf(rootNode->get(QStringLiteral("Child"))), m_root + QStringLiteral("/a"));

        node->let(QStringLiteral("Tag"), Variant(QStringLiteral("Sicherung")));
        QCOMPARE(node->get(QStringLiteral("Tag")).toString(), QStringLiteral("Sicherung"));
        node->let(QStringLiteral("Selected"), Variant::fromBool(false));
        QVERIFY(tree->tree().currentItem() != b);

        // Opening through the node fills the level, as a click on its mark does.
        const std::shared_ptr<AutomationObject> a = rootNode->get(QStringLiteral("Child")).objectRef();
        a->let(QStringLiteral("Expanded"), Variant::fromBool(true));
        QCOMPARE(childTexts(tree->node(m_root + QStringLiteral("/a"))), QStringList{QStringLiteral("inner")});
        QCOMPARE(a->get(QStringLiteral("Child")).objectRef()->get(QStringLiteral("FullPath")).toString(),
                 QStringLiteral("Temp\\a\\inner"));

        // Closing the root takes its folders out of the tree.
        rootNode->let(QStringLiteral("Expanded"), Variant::fromBool(false));
        QCOMPARE(errorOf([&] { node->get(QStringLiteral("Text")); }), 35605);
        QCOMPARE(rootNode->get(QStringLiteral("Expanded")).toBool(), false);
    }

    // Labels are edited only in automatic mode, and the host decides; the
    // folder on disk and the node's key stay as they were.
    void labelEdit_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cancelBefore");
        QTest::addColumn<int>("cancelAfter");
        QTest::addColumn<QString>("hostString"); // what the host's AfterLabelEdit makes of NewString
        QTest::addColumn<QStringList>("raised");
        QTest::addColumn<QString>("label");
        const QStringList both{QStringLiteral("BeforeLabelEdit(0)"),
                               QStringLiteral("AfterLabelEdit(0, Neu)")};
        QTest::newRow("manual") << 1 << 0 << 0 << QString() << QStringList() << QStringLiteral("alt");
        QTest::newRow("automatic") << 0 << 0 << 0 << QString() << both << QStringLiteral("Neu");
        QTest::newRow("cancelled before")
            << 0 << 1 << 0 << QString() << QStringList{QStringLiteral("BeforeLabelEdit(0)")}
            << QStringLiteral("alt");
        QTest::newRow("cancelled after") << 0 << 0 << 1 << QString() << both << QStringLiteral("alt");
        QTest::newRow("host's string")
            << 0 << 0 << 0 << QStringLiteral("Anders") << both << QStringLiteral("Anders");
    }
    void labelEdit()
    {
        QFETCH(int, mode);
        QFETCH(int, cancelBefore);
        QFETCH(int, cancelAfter);
        QFETCH(QString, hostString);
        QFETCH(QStringList, raised);
        QFETCH(QString, label);
        makeDirs({"alt"});
        TreeEx *tree = newTree();
        tree->let(QStringLiteral("LabelEdit"), Variant::fromLong(mode));
        m_handlers.on(QStringLiteral("TreeEx1_BeforeLabelEdit"),
                      [&](Args &args) { args[0] = Variant::fromInteger(int16_t(cancelBefore)); });
        m_handlers.on(QStringLiteral("TreeEx1_AfterLabelEdit"), [&](Args &args) {
            args[0] = Variant::fromInteger(int16_t(cancelAfter));
            if (!hostString.isEmpty())
                args[1] = Variant(hostString);
        });
        tree->tree().topLevelItem(0)->setExpanded(true);
        QTreeWidgetItem *item = tree->node(m_root + QStringLiteral("/alt"));
        click(tree, item);
        m_events.clear();
        QTest::keyClick(&tree->tree(), Qt::Key_F2);
        auto *editor = tree->tree().viewport()->findChild<QLineEdit *>();
        QCOMPARE(editor != nullptr && editor->isVisible(), raised.size() == 2);
        if (editor && editor->isVisible()) {
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("Neu"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the editor hands its text over from the event loop
        }
        m_events.removeIf([](const QString &e) { return !e.contains(QLatin1String("LabelEdit")); });
        QCOMPARE(m_events, raised);
        QCOMPARE(item->text(0), label);
        QCOMPARE(TreeEx::keyOf(*item), m_root + QStringLiteral("/alt"));
        QVERIFY(QFileInfo(m_root + QStringLiteral("/alt")).isDir());
        QCOMPARE(QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("alt")});
    }

    // A double click is one Click and one DblClick; the backup window lists
    // its files on each Click.
    void doubleClickIsOneClick()
    {
        makeDirs({"a"});
        TreeEx *tree = newTree();
        tree->tree().topLevelItem(0)->setExpanded(true);
        QTreeWidget &view = tree->tree();
        const QPoint at = view.visualItemRect(tree->node(m_root + QStringLiteral("/a"))).center();
        m_events.clear();
        // What the window system delivers: the second press comes before the double click.
        for (const QEvent::Type type :
             {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool down = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view.viewport(), &event);
        }
        QVERIFY2(m_events.count(QStringLiteral("Click()")) == 1, qPrintable(m_events.join(' ')));
        QCOMPARE(m_events.count(QStringLiteral("DblClick()")), 1);
        QVERIFY(m_events.indexOf(QStringLiteral("Click()")) < m_events.indexOf(QStringLiteral("DblClick()")));
        // The next single click is a Click again.
        m_events.clear();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at + QPoint(0, 40));
        QCOMPARE(m_events.count(QStringLiteral("Click()")), 1);
    }

    // Positions are in twips, as every control of the library gives them.
    void mouseInTwips()
    {
        TreeEx *tree = newTree();
        QWidget *area = tree->tree().viewport();
        m_events.clear();
        QTest::mousePress(area, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 10));
        QTest::mouseRelease(area, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(7, 200), area->mapToGlobal(QPointF(7, 200)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &move);
        QVERIFY2(m_events.contains(QStringLiteral("MouseDown(1, 1, 450, 150)")),
                 qPrintable(m_events.join(' ')));
        QVERIFY(m_events.contains(QStringLiteral("MouseUp(1, 1, 450, 150)")));
        QVERIFY(m_events.contains(QStringLiteral("MouseMove(0, 0, 105, 3000)")));
    }

    // The three themes have pictures of their own, for drives and folders alike.
    void themesLookDifferent()
    {
        makeDirs({"a/b"});
        TreeEx *tree = newTree();
        QList<QImage> roots, removable, folders, open;
        for (int theme = 0; theme < 3; ++theme) {
            tree->let(QStringLiteral("IconShow"), Variant::fromLong(theme));
            QTreeWidgetItem *root = tree->tree().topLevelItem(0);
            removable << iconOf(tree->tree().topLevelItem(1));
            root->setExpanded(true);
            roots << iconOf(root);
            QTreeWidgetItem *a = tree->node(m_root + QStringLiteral("/a"));
            folders << iconOf(a);
            a->setExpanded(true);
            open << iconOf(a);
        }
        for (const QList<QImage> *pictures : {&roots, &removable, &folders, &open}) {
            for (const QImage &picture : *pictures)
                QCOMPARE(picture.size(), QSize(16, 16));
            QVERIFY((*pictures)[0] != (*pictures)[1]);
            QVERIFY((*pictures)[1] != (*pictures)[2]);
            QVERIFY((*pictures)[0] != (*pictures)[2]);
        }
        QVERIFY(folders[0] != open[0]); // the open folder is no closed one
        QVERIFY(roots[0] != removable[0]);
    }

    // A hidden selection shows only while the tree has the focus.
    void hideSelection_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::newRow("hidden") << true;
        QTest::newRow("shown") << false;
    }
    void hideSelection()
    {
        QFETCH(bool, hide);
        TreeEx *tree = newTree();
        auto *other = new QLineEdit(m_form.get());
        other->show();
        tree->let(QStringLiteral("HideSelection"), Variant::fromBool(hide));
        QTreeWidgetItem *root = tree->tree().topLevelItem(0);
        tree->tree().setCurrentItem(root);
        const QRgb base = QApplication::palette().color(QPalette::Base).rgb();
        QVERIFY(!tree->tree().hasFocus());
        QCOMPARE(groundOf(tree, root) == base, hide);
        QCOMPARE(groundOf(tree, tree->tree().topLevelItem(1)), base);
        // With the focus the selection shows either way.
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        tree->tree().setFocus();
        QVERIFY(tree->tree().hasFocus());
        QVERIFY(groundOf(tree, root) != base);
        other->setFocus();
        QCOMPARE(groundOf(tree, root) == base, hide);
    }

    // With hot tracking the node under the pointer is drawn as a link.
    void hotTracking_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void hotTracking()
    {
        QFETCH(bool, on);
        TreeEx *tree = newTree();
        tree->let(QStringLiteral("HotTracking"), Variant::fromBool(on));
        QWidget *area = tree->tree().viewport();
        QTreeWidgetItem *root = tree->tree().topLevelItem(0);
        const gdi::ColorRef c = gdi::sysColor(gdi::ColorHotLight);
        const QRgb hot = qRgb(gdi::redOf(c), gdi::greenOf(c), gdi::blueOf(c));
        QCOMPARE(pixelsOf(tree, root, hot), 0);
        const QPointF over = tree->tree().visualItemRect(root).center();
        QMouseEvent move(QEvent::MouseMove, over, area->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(area, &move);
        QCOMPARE(pixelsOf(tree, root, hot) > 10, on);
        QCOMPARE(pixelsOf(tree, tree->tree().topLevelItem(1), hot), 0);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(area, &leave);
        QCOMPARE(pixelsOf(tree, root, hot), 0);
    }

    void iconShowRebuildsRoots()
    {
        makeDirs({"a"});
        TreeEx *tree = newTree();
        tree->tree().topLevelItem(0)->setExpanded(true);
        tree->let(QStringLiteral("IconShow"), Variant::fromLong(2));
        QTreeWidgetItem *root = tree->tree().topLevelItem(0);
        QVERIFY(!root->isExpanded());
        QCOMPARE(childTexts(root), QStringList{QString()});
        QCOMPARE(root->data(0, TreeEx::ImageRole).toInt(), 6);
        root->setExpanded(true);
        QCOMPARE(tree->node(m_root + QStringLiteral("/a"))->data(0, TreeEx::ImageRole).toInt(), 16);
        QCOMPARE(errorOf([&] { tree->let(QStringLiteral("IconShow"), Variant::fromLong(3)); }), 380);
    }

    void bagRoundTrip()
    {
        makeDirs({"saved"});
        TreeEx *tree = newTree();
        PropertyBag empty;
        tree->writeProperties(empty);
        // Defaults are not stored; the first root is the default folder.
        for (const char *name :
             {"pPath", "IconShow", "LabelEdit", "EnabledT", "HideSelection", "BorderStyle"})
            QVERIFY2(!empty.contains(QString::fromLatin1(name)), name);
        tree->let(QStringLiteral("pPath"), Variant(m_root + QStringLiteral("/saved")));
        tree->let(QStringLiteral("IconShow"), Variant::fromLong(1));
        tree->let(QStringLiteral("HotTracking"), Variant::fromBool(true));
        tree->let(QStringLiteral("BorderStyle"), Variant::fromLong(1));
        tree->let(QStringLiteral("LabelEdit"), Variant::fromLong(0));
        tree->let(QStringLiteral("EnabledT"), Variant::fromBool(false));
        PropertyBag bag;
        tree->writeProperties(bag);
        TreeEx *copy = newTree(&bag);
        for (const char *name : {"pPath", "IconShow", "HotTracking", "BorderStyle", "LabelEdit", "EnabledT",
                                 "HideSelection", "Appearance", "MousePointer"})
            QCOMPARE(copy->get(QString::fromLatin1(name)).display(),
                     tree->get(QString::fromLatin1(name)).display());

        // A stored folder that is gone keeps the first root.
        PropertyBag stale;
        stale.writeProperty(QStringLiteral("pPath"), Variant(QStringLiteral("c:\\Tagebuch")));
        QCOMPARE(newTree(&stale)->get(QStringLiteral("pPath")).toString(), m_root);
    }
};

KV_TEST_MAIN(TestTreeEx)
#include "tst_TreeEx.moc"
