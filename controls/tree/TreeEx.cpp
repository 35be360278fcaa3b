#include "controls/tree/TreeEx.h"

#include "controls/display/MousePointer.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/frmAbout.h"
#include "controls/tree/TreeView.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"


using namespace com;

namespace ostrevo {

namespace {

std::shared_ptr<StdFont> fontOf(const Variant &value)
{
    auto font = std::dynamic_pointer_cast<StdFont>(value.objectRef());
    if (!font)
        raiseError(ErrTypeMismatch);
    return font;
}

} // namespace

TreeEx::TreeEx()
    : m_tree(new TreeView(this)), m_dir([this] { propertyChanged(QStringLiteral("pPath")); }),
      m_font(std::make_shared<StdFont>())
{
    m_tree->move(0, 0);
    m_tree->setFont(m_font->toQFont());
    m_tree->inputObserver = [this](QEvent *event) { onInput(event); };
    connect(m_tree, &QTreeWidget::itemExpanded, this, &TreeEx::onExpanded);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &TreeEx::onCollapsed);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { onNodeClick(item); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *now, QTreeWidgetItem *before) {
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

const Dispatcher<TreeEx> &TreeEx::dispatcher()
{
    static const Dispatcher<TreeEx> table = [] {
        Dispatcher<TreeEx> d(TypeInfo::forClass(QStringLiteral("TreeEx"), QStringLiteral("Quiv_Tools.TreeEx"),
                                                QStringLiteral("{D2F04F68-7757-408E-8AAA-590A7DC9809F}"),
                                                QStringLiteral("{E744A276-26E3-4F25-AA5C-682060977B85}"),
                                                QStringLiteral("{290999D6-2A09-4C98-9D1B-0D0AAB7FB9C0}")));
        addMembers(d);
        return d;
    }();
    return table;
}

const TypeInfo &TreeEx::staticTypeInfo()
{
    return dispatcher().typeInfo();
}

Variant TreeEx::invoke(int32_t dispid, Accessor kind, Args &args)
{
    return dispatcher().invoke(*this, dispid, kind, args);
}

void TreeEx::addMembers(Dispatcher<TreeEx> &d)
{
    const VarType B = VarType::Boolean, L = VarType::Long, S = VarType::String;
    auto let = [](const QString &name, std::function<void(TreeEx &, const Variant &)> body) {
        return [name, body](TreeEx &self, const Variant &v) {
            body(self, v);
            self.propertyChanged(name);
        };
    };

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
    d.property(
        QStringLiteral("LabelEdit"), 0x6803000B, L, [](TreeEx &self) { return Variant::fromLong(self.m_labelEdit); },
        let(QStringLiteral("LabelEdit"),
            [](TreeEx &self, const Variant &v) {
                const int32_t value = v.toLong();
                if (value != 0 && value != 1)
                    raiseError(ErrInvalidPropertyValue);
                self.m_labelEdit = value;
            }),
        QStringLiteral("LabelEditConstants"));
    d.property(
        QStringLiteral("HideSelection"), 0x6803000A, B,
        [](TreeEx &self) { return Variant::fromBool(self.m_hideSelection); },
        let(QStringLiteral("HideSelection"), [](TreeEx &self, const Variant &v) { self.m_hideSelection = v.toBool(); }));
    d.property(
        QStringLiteral("HotTracking"), 0x68030009, B, [](TreeEx &self) { return Variant::fromBool(self.m_hotTracking); },
        let(QStringLiteral("HotTracking"), [](TreeEx &self, const Variant &v) { self.m_hotTracking = v.toBool(); }));
    d.property(
        QStringLiteral("BorderStyle"), 0x68030008, L, [](TreeEx &self) { return Variant::fromLong(self.m_borderStyle); },
        let(QStringLiteral("BorderStyle"), [](TreeEx &self, const Variant &v) { self.setBorderStyle(v.toLong()); }),
        QStringLiteral("BorderStyleOwnCS"));
    d.property(
        QStringLiteral("Appearance"), 0x68030007, L, [](TreeEx &self) { return Variant::fromLong(self.m_appearance); },
        let(QStringLiteral("Appearance"), [](TreeEx &self, const Variant &v) { self.setAppearance(v.toLong()); }),
        QStringLiteral("AppearanceConstants"));
    d.property(
        QStringLiteral("MousePointer"), 0x68030006, L,
        [](TreeEx &self) { return Variant::fromLong(self.m_mousePointer); },
        let(QStringLiteral("MousePointer"), [](TreeEx &self, const Variant &v) { self.setMousePointer(v.toLong()); }),
        QStringLiteral("tMousePointerConst"));
    d.objectProperty(
        QStringLiteral("Font"), 0x68030005, QStringLiteral("StdFont"),
        [](TreeEx &self) { return Variant::fromObject(self.m_font); },
        let(QStringLiteral("Font"), [](TreeEx &self, const Variant &v) { self.setFont(v); }));
    d.property(
        QStringLiteral("EnabledT"), 0x68030004, B,
        [](TreeEx &self) { return Variant::fromBool(self.m_tree->isEnabled()); },
        let(QStringLiteral("EnabledT"), [](TreeEx &self, const Variant &v) { self.m_tree->setEnabled(v.toBool()); }));
    d.objectProperty(
        QStringLiteral("MouseIcon"), 0x68030003, QStringLiteral("Picture"),
        [](TreeEx &self) { return Variant::fromObject(self.m_mouseIcon); },
        let(QStringLiteral("MouseIcon"), [](TreeEx &self, const Variant &v) { self.setMouseIcon(v); }));
    d.property(
        QStringLiteral("pPath"), 0x68030002, S, [](TreeEx &self) { return Variant(self.m_dir.path()); },
        let(QStringLiteral("pPath"), [](TreeEx &self, const Variant &v) { self.setPPath(v.toString()); }));
    d.property(
        QStringLiteral("IconShow"), 0x68030001, L, [](TreeEx &self) { return Variant::fromLong(self.m_iconShow); },
        let(QStringLiteral("IconShow"), [](TreeEx &self, const Variant &v) { self.setIconShow(v.toLong()); }),
        QStringLiteral("EnumIcon"));

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
    d.enumeration(QStringLiteral("BorderStyleOwnCS"), {{QStringLiteral("Kein"), 0}, {QStringLiteral("Einfach"), 1}});
    d.enumeration(QStringLiteral("AppearanceConstants"), {{QStringLiteral("vbFlat"), 0}, {QStringLiteral("vb3D"), 1}});
    d.enumeration(QStringLiteral("tMousePointerConst"), {{QStringLiteral("tVoreinstellung"), 0},
                                                         {QStringLiteral("tPfeil"), 1},
                                                         {QStringLiteral("tKreuz"), 2},
                                                         {QStringLiteral("tIcursor"), 3},
                                                         {QStringLiteral("tSymbol"), 4},
                                                         {QStringLiteral("tGrößenänderung"), 5},
                                                         {QStringLiteral("tGrößenänderung_No_Sw"), 6},
                                                         {QStringLiteral("tGrößenänderung_N_O"), 7},
                                                         {QStringLiteral("tGrößenänderung_Nw_So"), 8},
                                                         {QStringLiteral("tGrößenänderung_W_O"), 9},
                                                         {QStringLiteral("tAufwärtspfeil"), 10},
                                                         {QStringLiteral("tSanduhr"), 11},
                                                         {QStringLiteral("tNicht_ablegen"), 12},
                                                         {QStringLiteral("tPfeil_Sanduhr"), 13},
                                                         {QStringLiteral("tPfeil_Fragezeichen"), 14},
                                                         {QStringLiteral("tGrößenänderung_Alle"), 15},
                                                         {QStringLiteral("tMouseIcon"), 99}});
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
    m_font = fontOf(font);
    m_tree->setFont(m_font->toQFont());
}

void TreeEx::setMousePointer(int32_t pointer)
{
    if (pointer < -32768 || pointer > 32767)
        raiseError(ErrOverflow);
    if (!isMousePointer(pointer))
        raiseError(ErrInvalidPropertyValue);
    m_mousePointer = static_cast<int16_t>(pointer);
    applyMousePointer(*m_tree, m_mousePointer, m_mouseIcon);
}

void TreeEx::setMouseIcon(const Variant &picture)
{
    if (!picture.isNothing() && !StdPicture::from(picture))
        raiseError(ErrTypeMismatch);
    m_mouseIcon = StdPicture::from(picture);
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

void TreeEx::applyFrame()
{
    m_tree->setFrameShape(m_borderStyle ? QFrame::StyledPanel : QFrame::NoFrame);
    m_tree->setFrameShadow(m_appearance ? QFrame::Sunken : QFrame::Plain);
}

// --- persistence -----------------------------------------------------------------

void TreeEx::readProperties(const PropertyBag &bag)
{
    m_tree->setEnabled(bag.readProperty(QStringLiteral("EnabledT"), Variant::fromBool(true)).toBool());
    set(QStringLiteral("Font"),
        bag.readProperty(QStringLiteral("Font"), Variant::fromObject(std::make_shared<StdFont>(ambientFont()))));
    setMousePointer(bag.readProperty(QStringLiteral("MousePointer"), Variant::fromLong(0)).toLong());
    let(QStringLiteral("LabelEdit"), bag.readProperty(QStringLiteral("LabelEdit"), Variant::fromLong(1)));
    m_hotTracking = bag.readProperty(QStringLiteral("HotTracking"), Variant::fromBool(false)).toBool();
    setAppearance(bag.readProperty(QStringLiteral("Appearance"), Variant::fromLong(1)).toLong());
    m_hideSelection = bag.readProperty(QStringLiteral("HideSelection"), Variant::fromBool(true)).toBool();
    setBorderStyle(bag.readProperty(QStringLiteral("BorderStyle"), Variant::fromLong(0)).toLong());
    const QString firstRoot = m_drives.isEmpty() ? QString() : FolderList::normalized(m_drives.first().root);
    // A stored folder that has gone since (or one from another system) keeps
    // the current folder rather than failing the whole form.
    try {
        m_dir.setPath(bag.readProperty(QStringLiteral("pPath"), Variant(firstRoot)).toString());
    } catch (const AutomationError &) {
    }
    setIconShow(bag.readProperty(QStringLiteral("IconShow"), Variant::fromLong(Gray)).toLong());
    setMouseIcon(bag.readProperty(QStringLiteral("MouseIcon"), Variant::fromObject(nullptr)));
}

void TreeEx::writeProperties(PropertyBag &bag)
{
    const QString firstRoot = m_drives.isEmpty() ? QString() : FolderList::normalized(m_drives.first().root);
    bag.writeProperty(QStringLiteral("EnabledT"), Variant::fromBool(m_tree->isEnabled()), Variant::fromBool(true));
    bag.writeProperty(QStringLiteral("Font"), Variant::fromObject(m_font),
                      Variant::fromObject(std::make_shared<StdFont>(ambientFont())));
    bag.writeProperty(QStringLiteral("MouseIcon"), Variant::fromObject(m_mouseIcon), Variant::fromObject(nullptr));
    bag.writeProperty(QStringLiteral("MousePointer"), Variant::fromLong(m_mousePointer), Variant::fromLong(0));
    bag.writeProperty(QStringLiteral("LabelEdit"), Variant::fromLong(m_labelEdit), Variant::fromLong(1));
    bag.writeProperty(QStringLiteral("HideSelection"), Variant::fromBool(m_hideSelection), Variant::fromBool(true));
    bag.writeProperty(QStringLiteral("HotTracking"), Variant::fromBool(m_hotTracking), Variant::fromBool(false));
    bag.writeProperty(QStringLiteral("BorderStyle"), Variant::fromLong(m_borderStyle), Variant::fromLong(0));
    bag.writeProperty(QStringLiteral("Appearance"), Variant::fromLong(m_appearance), Variant::fromLong(1));
    bag.writeProperty(QStringLiteral("pPath"), Variant(m_dir.path()), Variant(firstRoot));
    bag.writeProperty(QStringLiteral("IconShow"), Variant::fromLong(m_iconShow), Variant::fromLong(Gray));
}

void TreeEx::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tree->setGeometry(0, 0, width(), height());
}

} // namespace ostrevo
