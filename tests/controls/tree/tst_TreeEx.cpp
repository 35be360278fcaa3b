#include "controls/tree/FolderList.h"
#include "controls/tree/TreeEx.h"
#include "controls/tree/TreeView.h"
#include "platform/com/AutomationError.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QDir>
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

    TreeEx *newTree(const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<TreeEx *>(testsupport::createRecorded(QStringLiteral("Quiv_Tools.TreeEx"),
                                                                  m_form.get(), QStringLiteral("TreeEx1"),
                                                                  m_events, QSize(300, 400), bag));
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
    }

    void cleanup()
    {
        m_form.reset();
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

        tree->CreateNewDirectory(QStringLiteral("relative"));
        QVERIFY(!QFileInfo(QDir::current().filePath(QStringLiteral("relative"))).exists());
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
