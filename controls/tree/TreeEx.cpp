#include "controls/tree/TreeEx.h"

#include "controls/display/MousePointer.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/frmAbout.h"
#include "controls/tree/TreeNode.h"
#include "controls/tree/TreeView.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"

using namespace com;

namespace ostrevo
{

TreeEx::TreeEx()
    : m_tree(new TreeView(this)), m_dir([this] { propertyChanged(QStringLiteral("pPath")); }),
      m_font(std::make_shared<StdFont>())
{
    m_tree->move(0, 0);
    m_tree->setFont(m_font->toQFont());
    m_tree->inputObserver = [this](QEvent *event) { onInput(event); };
    m_tree->beforeLabelEdit = [this](QTreeWidgetItem *item) { return onBeforeLabelEdit(item); };
    m_tree->afterLabelEdit = [this](QTreeWidgetItem *item, QString &text) {
        return onAfterLabelEdit(item, text);
    };
    m_tree->setAutomaticLabelEdit(m_labelEdit == 0);
    m_tree->setHideSelection(m_hideSelection);
    m_tree->setHotTracking(m_hotTracking);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &TreeEx::onExpanded);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &TreeEx::onCollapsed);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { onNodeClick(item); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *now, QTreeWidgetItem *before) {
                if (before)
                    showImage(before);
                if (now)
                    showImage(now);
            });
    applyFrame();
    loadDrives();
    // The first root stands for the platform's "c:\"; a missing one leaves no current folder.
    if (!m_drives.isEmpty()) {
        try {
            m_dir.setPath(m_drives.first().root);
        } catch (const AutomationError &) {
        }
    }
}

TreeEx::~TreeEx() = default;

void TreeEx::describe(Dispatcher<TreeEx> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("TreeEx"), QStringLiteral("Quiv_Tools.TreeEx"),
                                  QStringLiteral("{D2F04F68-7757-408E-8AAA-590A7DC9809F}"),
                                  QStringLiteral("{E744A276-26E3-4F25-AA5C-682060977B85}"),
                                  QStringLiteral("{290999D6-2A09-4C98-9D1B-0D0AAB7FB9C0}")));
    const VarType B = VarType::Boolean, S = VarType::String;
    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](TreeEx &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.method(QStringLiteral("CreateNewDirectory"), 0x6003000E, VarType::Empty,
             {{QStringLiteral("NewDirectory"), S, true}}, [](TreeEx &self, Args &args) {
                 self.CreateNewDirectory(args[0].toString());
                 return Variant();
             });
    d.method(QStringLiteral("SetPath"), 0x60030017, VarType::Variant, {{QStringLiteral("MyPath"), S, true}},
             [](TreeEx &self, Args &args) {
                 self.SetPath(args[0].toString());
                 return Variant();
             });
    d.property<int32_t>(
         QStringLiteral("LabelEdit"), 0x6803000B, [](TreeEx &self) { return self.m_labelEdit; },
         [](TreeEx &self, int32_t value) { self.setLabelEdit(value); }, QStringLiteral("LabelEditConstants"))
        .notifies()
        .persist({.rank = 3, .read = Variant::fromLong(1), .writeRank = 4});
    d.property<bool>(
         QStringLiteral("HideSelection"), 0x6803000A, [](TreeEx &self) { return self.m_hideSelection; },
         [](TreeEx &self, bool value) { self.setHideSelection(value); })
        .notifies()
        .persist({.rank = 6,
                  .read = Variant::fromBool(true),
                  .store = [](TreeEx &self, const Variant &v) { self.setHideSelection(v.toBool()); },
                  .writeRank = 5});
    d.property<bool>(
         QStringLiteral("HotTracking"), 0x68030009, [](TreeEx &self) { return self.m_hotTracking; },
         [](TreeEx &self, bool value) { self.setHotTracking(value); })
        .notifies()
        .persist({.rank = 4,
                  .read = Variant::fromBool(false),
                  .store = [](TreeEx &self, const Variant &v) { self.setHotTracking(v.toBool()); },
                  .writeRank = 6});
    d.property<int32_t>(
         QStringLiteral("BorderStyle"), 0x68030008, [](TreeEx &self) { return self.m_borderStyle; },
         [](TreeEx &self, int32_t value) { self.setBorderStyle(value); }, QStringLiteral("BorderStyleOwnCS"))
        .notifies()
        .persist({.rank = 7, .read = Variant::fromLong(0), .store = [](TreeEx &self, const Variant &v) {
                      self.setBorderStyle(v.toLong());
                  }});
    d.property<int32_t>(
         QStringLiteral("Appearance"), 0x68030007, [](TreeEx &self) { return self.m_appearance; },
         [](TreeEx &self, int32_t value) { self.setAppearance(value); },
         QStringLiteral("AppearanceConstants"))
        .notifies()
        .persist({.rank = 5,
                  .read = Variant::fromLong(1),
                  .store = [](TreeEx &self, const Variant &v) { self.setAppearance(v.toLong()); },
                  .writeRank = 8});
    d.property<int32_t>(
         QStringLiteral("MousePointer"), 0x68030006, [](TreeEx &self) { return self.m_mousePointer; },
         [](TreeEx &self, int32_t value) { self.setMousePointer(value); },
         QStringLiteral("tMousePointerConst"))
        .notifies()
        .persist({.rank = 2,
                  .read = Variant::fromLong(0),
                  .store = [](TreeEx &self, const Variant &v) { self.setMousePointer(v.toLong()); },
                  .writeRank = 3});
    d.objectProperty(
         QStringLiteral("Font"), 0x68030005, QStringLiteral("StdFont"),
         [](TreeEx &self) { return Variant::fromObject(self.m_font); },
         [](TreeEx &self, const Variant &v) { self.setFont(v); })
        .notifies()
        .persist({.rank = 1, .read = &com::Control::ambientFontObject});
    d.property<bool>(
         QStringLiteral("EnabledT"), 0x68030004, [](TreeEx &self) { return self.m_tree->isEnabled(); },
         [](TreeEx &self, bool value) { self.m_tree->setEnabled(value); })
        .notifies()
        .persist({.rank = 0, .read = Variant::fromBool(true), .store = [](TreeEx &self, const Variant &v) {
                      self.m_tree->setEnabled(v.toBool());
                  }});
    d.objectProperty(
         QStringLiteral("MouseIcon"), 0x68030003, QStringLiteral("Picture"),
         [](TreeEx &self) { return Variant::fromObject(self.m_mouseIcon); },
         [](TreeEx &self, const Variant &v) { self.setMouseIcon(v); })
        .notifies()
        .persist({.rank = 10,
                  .read = Variant::fromObject(nullptr),
                  .store = [](TreeEx &self, const Variant &v) { self.setMouseIcon(v); },
                  .writeRank = 2});
    d.property<QString>(
         QStringLiteral("pPath"), 0x68030002, [](TreeEx &self) { return self.m_dir.path(); },
         [](TreeEx &self, const QString &value) { self.setPPath(value); })
        .notifies()
        // A stored folder that has gone since (or one from another system)
        // keeps the current folder rather than failing the whole form.
        .persist({.rank = 8,
                  .read = [](TreeEx &self) { return Variant(self.firstRoot()); },
                  .store =
                      [](TreeEx &self, const Variant &v) {
                          try {
                              self.m_dir.setPath(v.toString());
                          } catch (const AutomationError &) {
                          }
                      },
                  .writeRank = 9});
    d.property<int32_t>(
         QStringLiteral("IconShow"), 0x68030001, [](TreeEx &self) { return self.m_iconShow; },
         [](TreeEx &self, int32_t value) { self.setIconShow(value); }, QStringLiteral("EnumIcon"))
        .notifies()
        .persist({.rank = 9,
                  .read = Variant::fromLong(Gray),
                  .store = [](TreeEx &self, const Variant &v) { self.setIconShow(v.toLong()); },
                  .writeRank = 10});

    const ParamInfo node{QStringLiteral("Node"), VarType::Object, false, false, QStringLiteral("Node")};
    const ParamInfo cancel{QStringLiteral("Cancel"), VarType::Integer, true};
    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("DblClick"), 2);
    d.event(QStringLiteral("KeyDown"), 3, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 4, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 5, keyEventParams());
    d.event(QStringLiteral("MouseDown"), 6, mouseEventParams());
    d.event(QStringLiteral("MouseMove"), 7, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 8, mouseEventParams());
    d.event(QStringLiteral("NodeCheck"), 9, {node});
    d.event(QStringLiteral("Collapse"), 10, {node});
    d.event(QStringLiteral("Expand"), 11, {node});
    d.event(QStringLiteral("NodeClick"), 12, {node});
    d.event(QStringLiteral("PathChanged"), 13);
    d.event(QStringLiteral("AfterLabelEdit"), 14, {cancel, {QStringLiteral("NewString"), S, true}});
    d.event(QStringLiteral("BeforeLabelEdit"), 15, {cancel});
    d.event(QStringLiteral("DriveNotReadyError"), 16);
    d.event(QStringLiteral("Focus"), 17, {{QStringLiteral("bFocus"), B, true}});

    d.enumeration(QStringLiteral("EnumIcon"),
                  {{QStringLiteral("Gray"), 0}, {QStringLiteral("Yellow"), 1}, {QStringLiteral("xp"), 2}});
    d.enumeration(QStringLiteral("BorderStyleOwnCS"),
                  {{QStringLiteral("Kein"), 0}, {QStringLiteral("Einfach"), 1}});
    d.enumeration(QStringLiteral("AppearanceConstants"),
                  {{QStringLiteral("vbFlat"), 0}, {QStringLiteral("vb3D"), 1}});
    d.enumeration(QStringLiteral("tMousePointerConst"),
                  mousePointerConstants(QStringLiteral("t"), QStringLiteral("tMouseIcon")));
    d.enumeration(QStringLiteral("LabelEditConstants"),
                  {{QStringLiteral("tvwAutomatic"), 0}, {QStringLiteral("tvwManual"), 1}});
}

// --- properties ------------------------------------------------------------------

void TreeEx::setIconShow(int32_t value)
{
    // Outside the three themes the image numbers would leave the image list.
    if (value < Gray || value > xp)
        raiseError(ErrInvalidPropertyValue);
    m_iconShow = value;
    loadDrives();
}

void TreeEx::setPPath(const QString &path)
{
    m_dir.setPath(path);
}

void TreeEx::setFont(const Variant &font)
{
    m_font = StdFont::fromVariant(font);
    m_tree->setFont(m_font->toQFont());
}

void TreeEx::setMousePointer(int32_t pointer)
{
    m_mousePointer = checkedMousePointer(pointer);
    applyMousePointer(*m_tree, m_mousePointer, m_mouseIcon);
}

void TreeEx::setMouseIcon(const Variant &picture)
{
    m_mouseIcon = StdPicture::fromPictureOrNothing(picture);
    applyMousePointer(*m_tree, m_mousePointer, m_mouseIcon);
}

void TreeEx::setBorderStyle(int32_t style)
{
    if (style != 0 && style != 1)
        raiseError(ErrInvalidPropertyValue);
    m_borderStyle = style;
    applyFrame();
}

void TreeEx::setAppearance(int32_t appearance)
{
    if (appearance != 0 && appearance != 1)
        raiseError(ErrInvalidPropertyValue);
    m_appearance = appearance;
    applyFrame();
}

void TreeEx::setLabelEdit(int32_t mode)
{
    if (mode != 0 && mode != 1)
        raiseError(ErrInvalidPropertyValue);
    m_labelEdit = mode;
    m_tree->setAutomaticLabelEdit(mode == 0);
}

void TreeEx::setHideSelection(bool hide)
{
    m_hideSelection = hide;
    m_tree->setHideSelection(hide);
}

void TreeEx::setHotTracking(bool on)
{
    m_hotTracking = on;
    m_tree->setHotTracking(on);
}

void TreeEx::applyFrame()
{
    m_tree->setFrameShape(m_borderStyle ? QFrame::StyledPanel : QFrame::NoFrame);
    m_tree->setFrameShadow(m_appearance ? QFrame::Sunken : QFrame::Plain);
}

// --- persistence -----------------------------------------------------------------

void TreeEx::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void TreeEx::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

QString TreeEx::firstRoot() const
{
    return m_drives.isEmpty() ? QString() : FolderList::normalized(m_drives.first().root);
}

void TreeEx::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tree->setGeometry(0, 0, width(), height());
}

} // namespace ostrevo
