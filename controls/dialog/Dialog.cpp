#include "controls/dialog/Dialog.h"

#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "controls/display/MousePointer.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "platform/kernel/PlatformVersion.h"
#include "platform/runtime/Twips.h"
#include "platform/spooler/PrinterSystem.h"

#include <QLocale>
#include <QPainter>
#include <QResizeEvent>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int FaceSize = 38; // pixels, whatever the host asks for

// A property that only stores and reads its field. The declared type is
// checked against the field's when the library is built.
template <VarType Declared, class Field>
Dispatcher<Dialog> &stored(Dispatcher<Dialog> &d, const QString &name, int32_t dispid, Field Dialog::*field,
                           const QString &typeName = {})
{
    static_assert(Automation<Field>::type == Declared, "the declared type does not fit the field");
    return d.property<Field>(
        name, dispid, [field](Dialog &self) { return self.*field; },
        [field](Dialog &self, const Field &value) { self.*field = value; }, typeName);
}

// A property reading and writing the module state shared with the message form.
template <VarType Declared, class Field>
void shared(Dispatcher<Dialog> &d, const QString &name, int32_t dispid, Field MessageState::*field)
{
    static_assert(Automation<Field>::type == Declared, "the declared type does not fit the field");
    d.property<Field>(
        name, dispid, [field](Dialog &) { return messageState().*field; },
        [field](Dialog &, const Field &value) { messageState().*field = value; });
}

// A method without arguments whose result is always empty.
template <void (Dialog::*Run)()> Variant runs(Dialog &self, Args &)
{
    (self.*Run)();
    return Variant();
}

} // namespace

Dialog::Dialog() : m_font(std::make_shared<StdFont>()), m_isNT(detectWinNT())
{
    setFixedSize(FaceSize, FaceSize);
    drawFace();
}

Dialog::~Dialog() = default;

bool Dialog::detectWinNT()
{
    return kernel::platformVersion().platformId == 2;
}

void Dialog::describe(Dispatcher<Dialog> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Dialog"), QStringLiteral("Quiv_Tools.Dialog"),
                                  QStringLiteral("{195ABF25-79F0-4ED5-A092-84E8D53A26BD}"),
                                  QStringLiteral("{321A0FCB-59DD-44FB-9907-F213153FE8A5}"),
                                  QStringLiteral("{279030A0-5656-41CB-843A-8A4071D819CE}")));
    addProperties(d);
    addMethods(d);
}

void Dialog::addProperties(Dispatcher<Dialog> &d)
{
    constexpr VarType S = VarType::String, B = VarType::Boolean, I = VarType::Integer, L = VarType::Long;
    stored<S>(d, QStringLiteral("FindFile"), 0x40030043, &Dialog::m_findFile);
    d.method(QStringLiteral("ShowAboutBox"), 0x60030042, VarType::Empty, {}, [](Dialog &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    shared<I>(d, QStringLiteral("sKey"), 0x68030041, &MessageState::sKey);
    shared<I>(d, QStringLiteral("sKeyShift"), 0x68030040, &MessageState::sKeyShift);
    shared<B>(d, QStringLiteral("sKeyDown"), 0x6803003F, &MessageState::sKeyDown);
    shared<I>(d, QStringLiteral("sButton"), 0x6803003E, &MessageState::sButton);
    d.writeOnly(QStringLiteral("Sound"), 0x6803003D, B,
                [](Dialog &self, const Variant &v) { self.m_sound = v.toBool(); });
    // Bag order: Copies and Orientation (only where there is a printer, with
    // the printer's own values as defaults), Cancel, FocusRect.
    stored<B>(d, QStringLiteral("Cancel"), 0x6803003C, &Dialog::m_cancel)
        .persist({.rank = 2, .read = Variant::fromBool(false)});
    d.property(
        QStringLiteral("Printer_DeviceName"), 0x6803003B, S,
        [](Dialog &) {
            spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
            return Variant(printers.deviceName(printers.currentIndex()));
        },
        [](Dialog &self, const Variant &v) { self.setPrinterDeviceName(v.toString()); });
    const auto withPrinter = [](Dialog &self) { return self.m_printerExist; };
    d.property<int16_t>(
         QStringLiteral("Copies"), 0x6803003A,
         [](Dialog &self) { return self.m_printerExist ? self.m_copies : int16_t(0); },
         [](Dialog &self, int16_t value) { self.setCopies(value); })
        .persist({.rank = 0,
                  .read =
                      [](Dialog &) {
                          return Variant::fromInteger(
                              rt::ServiceSlot<spooler::PrinterSystem>::current().copies());
                      },
                  .when = withPrinter});
    d.property<int32_t>(
         QStringLiteral("Orientation"), 0x68030039,
         [](Dialog &self) { return self.m_printerExist ? self.m_orientation : 0; },
         [](Dialog &self, int32_t value) { self.setOrientation(value); }, QStringLiteral("EnOrientation"))
        .persist({.rank = 1,
                  .read =
                      [](Dialog &) {
                          return Variant::fromLong(
                              rt::ServiceSlot<spooler::PrinterSystem>::current().orientation());
                      },
                  .when = withPrinter});
    d.objectProperty(
        QStringLiteral("Font"), 0x68030038, QStringLiteral("StdFont"),
        [](Dialog &self) { return Variant::fromObject(self.m_font); },
        [](Dialog &self, const Variant &v) { self.m_font = StdFont::fromVariant(v); });
    stored<L>(d, QStringLiteral("FontColor"), 0x68030037, &Dialog::m_color, QStringLiteral("OLE_COLOR"));
    d.readOnly(
        QStringLiteral("FontStyle"), 0x68030036, L,
        [](Dialog &self) { return Variant::fromLong(self.fontStyle()); }, QStringLiteral("cFontStyle"));
    stored<S>(d, QStringLiteral("FontName"), 0x68030035, &Dialog::m_fontName);
    stored<L>(d, QStringLiteral("FontSize"), 0x68030034, &Dialog::m_fontSize);
    stored<B>(d, QStringLiteral("Bold"), 0x68030033, &Dialog::m_bold);
    stored<B>(d, QStringLiteral("Italic"), 0x68030032, &Dialog::m_italic);
    stored<B>(d, QStringLiteral("StrikeThru"), 0x68030031, &Dialog::m_strikeThru);
    stored<B>(d, QStringLiteral("Underline"), 0x68030030, &Dialog::m_underline);
    const std::pair<const char *, QString Dialog::*> metrics[] = {
        {"HorizSize", &Dialog::m_horizSize},
        {"VertiSize", &Dialog::m_vertiSize},
        {"PhysicOffsetX", &Dialog::m_physicOffsetX},
        {"PhysicOffsetY", &Dialog::m_physicOffsetY}};
    int32_t metricId = 0x6803002F;
    for (const auto &[metricName, field] : metrics) {
        const QString name = QString::fromLatin1(metricName);
        d.property<QString>(
            name, metricId--, [name](Dialog &self) { return self.printerMetric(name); },
            [field](Dialog &self, const QString &value) { self.*field = value; });
    }
    d.writeOnly(
        QStringLiteral("Action"), 0x6803002B, L,
        [](Dialog &self, const Variant &v) { self.runAction(v.toLong()); },
        QStringLiteral("CdlgExt_Actions"));
    stored<B>(d, QStringLiteral("CancelError"), 0x6803002A, &Dialog::m_cancelError);
    stored<L>(d, QStringLiteral("hOwner"), 0x68030029, &Dialog::m_hOwner);
    stored<L>(d, QStringLiteral("Flags"), 0x68030028, &Dialog::m_flags, QStringLiteral("CdlgExt_Flags"));
    stored<S>(d, QStringLiteral("DialogTitle"), 0x68030027, &Dialog::m_dialogTitle);
    stored<S>(d, QStringLiteral("DialogPrompt"), 0x68030026, &Dialog::m_dialogPrompt);
    stored<S>(d, QStringLiteral("AppName"), 0x68030025, &Dialog::m_appName);
    stored<L>(d, QStringLiteral("hIcon"), 0x68030024, &Dialog::m_hIcon);
    stored<B>(d, QStringLiteral("Default"), 0x68030023, &Dialog::m_default);
    stored<S>(d, QStringLiteral("DefaultExt"), 0x68030022, &Dialog::m_defaultExt);
    stored<S>(d, QStringLiteral("FileName"), 0x68030021, &Dialog::m_fileName);
    stored<S>(d, QStringLiteral("FileTitle"), 0x68030020, &Dialog::m_fileTitle);
    stored<S>(d, QStringLiteral("Filter"), 0x6803001F, &Dialog::m_filter);
    stored<L>(d, QStringLiteral("FilterIndex"), 0x6803001E, &Dialog::m_filterIndex);
    stored<S>(d, QStringLiteral("InitDir"), 0x6803001D, &Dialog::m_initDir);
    stored<S>(d, QStringLiteral("SelDir"), 0x6803001C, &Dialog::m_selDir);
    stored<B>(d, QStringLiteral("Icon"), 0x6803001B, &Dialog::m_icon);
    stored<L>(d, QStringLiteral("IconIdx"), 0x6803001A, &Dialog::m_iconIdx);
    d.property(
        QStringLiteral("IconSize"), 0x68030019, L,
        [](Dialog &self) {
            if (self.m_iconSize != 16 && self.m_iconSize != 32)
                self.m_iconSize = 32;
            return Variant::fromLong(self.m_iconSize);
        },
        [](Dialog &self, const Variant &v) {
            const int32_t size = v.toLong();
            self.m_iconSize = size == 16 || size == 32 ? size : 32;
        },
        QStringLiteral("CdlgEx_IconSize"));
    stored<L>(d, QStringLiteral("HelpCommand"), 0x68030018, &Dialog::m_helpCommand,
              QStringLiteral("CdlgExt_HelpCommand"));
    stored<S>(d, QStringLiteral("HelpFile"), 0x68030017, &Dialog::m_helpFile);
    stored<L>(d, QStringLiteral("HelpKey"), 0x68030016, &Dialog::m_helpKey);
    stored<L>(d, QStringLiteral("color"), 0x68030015, &Dialog::m_color, QStringLiteral("OLE_COLOR"));
    stored<I>(d, QStringLiteral("ColorNr"), 0x68030014, &Dialog::m_colorNr);
    d.property(
        QStringLiteral("CustomColors"), 0x68030013, L, [](Dialog &self) { return self.customColor(); },
        [](Dialog &self, const Variant &v) { self.setCustomColor(v.toColor()); },
        QStringLiteral("OLE_COLOR"));
    stored<L>(d, QStringLiteral("Number"), 0x68030012, &Dialog::m_number);
    stored<S>(d, QStringLiteral("Description"), 0x68030011, &Dialog::m_description);
    stored<L>(d, QStringLiteral("LastDllError"), 0x68030010, &Dialog::m_lastDllError);
    d.readOnly(QStringLiteral("MultiSelect"), 0x6803000F, B,
               [](Dialog &self) { return Variant::fromBool(self.m_multiSelect); });
    d.readOnly(QStringLiteral("FilePath"), 0x6803000E, S,
               [](Dialog &self) { return Variant(self.m_filePath); });
    d.member({QStringLiteral("FileList"), 0x6803000D, Get, VarType::Object, QStringLiteral("Collection")},
             [](Dialog &self, Args &) { return self.m_fileList; }, {});
    d.property<bool>(
        QStringLiteral("PrinterExist"), 0x6803000C, [](Dialog &self) { return self.m_printerExist; },
        [](Dialog &self, bool value) { self.setPrinterExist(value); });
    d.property<bool>(
        QStringLiteral("Pointer"), 0x6803000B, [](Dialog &self) { return !self.m_noPointer; },
        [](Dialog &self, bool value) { self.m_noPointer = !value; });
    stored<S>(d, QStringLiteral("CheckboxCaption"), 0x6803000A, &Dialog::m_checkboxCaption);
    for (int i = 0; i < 3; ++i) {
        d.property<QString>(
            QStringLiteral("Btn%1Caption").arg(i + 1), 0x68030009 - i,
            [i](Dialog &self) { return self.m_btnCaption[size_t(i)]; },
            [i](Dialog &self, const QString &value) { self.m_btnCaption[size_t(i)] = value; });
    }
    d.property<bool>(
         QStringLiteral("FocusRect"), 0x68030006, [](Dialog &self) { return self.m_focusRect; },
         [](Dialog &self, bool value) { self.m_focusRect = value; })
        .notifies()
        .persist({.rank = 3, .read = Variant::fromBool(false)});
    stored<VarType::Single>(d, QStringLiteral("x"), 0x68030005, &Dialog::m_x);
    stored<VarType::Single>(d, QStringLiteral("y"), 0x68030004, &Dialog::m_y);
    stored<I>(d, QStringLiteral("Intensity"), 0x68030003, &Dialog::m_intensity);
    stored<I>(d, QStringLiteral("mTime"), 0x68030002, &Dialog::m_mTime);
    shared<S>(d, QStringLiteral("InitMsg"), 0x68030001, &MessageState::InitMsg);
}

void Dialog::addMethods(Dispatcher<Dialog> &d)
{
    constexpr VarType V = VarType::Variant, L = VarType::Long, S = VarType::String, B = VarType::Boolean,
                      None = VarType::Empty;
    // A missing optional argument counts as 0.
    const auto longArg = [](const Args &args, size_t i) {
        return i < args.size() && !args[i].isMissing() ? args[i].toLong() : 0;
    };
    const auto textArg = [](const Args &args) { return args.empty() ? QString() : args[0].toString(); };
    d.method(QStringLiteral("LogOff"), 0x60030044, V, {}, runs<&Dialog::LogOff>);
    d.method(QStringLiteral("Reboot"), 0x60030045, V, {}, runs<&Dialog::Reboot>);
    d.method(QStringLiteral("ShutDown"), 0x60030046, V, {}, runs<&Dialog::ShutDown>);
    d.method(QStringLiteral("ShowShutDown"), 0x60030047, V, {}, runs<&Dialog::ShowShutDown>);
    d.method(QStringLiteral("ShowRestart"), 0x60030048, V, {}, runs<&Dialog::ShowRestart>);
    d.method(QStringLiteral("ShowRun"), 0x60030049, V, {}, runs<&Dialog::ShowRun>);
    d.method(QStringLiteral("ShowFormat"), 0x6003004A, L,
             {{QStringLiteral("iDrive"), L, false, true},
              {QStringLiteral("iCapacity"), L, false, true},
              {QStringLiteral("iFormatType"), L, false, true}},
             [longArg](Dialog &self, Args &args) {
                 return Variant::fromLong(
                     self.ShowFormat(longArg(args, 0), longArg(args, 1), longArg(args, 2)));
             });
    d.method(QStringLiteral("ShowIcon"), 0x6003004B, V, {}, runs<&Dialog::ShowIcon>);
    d.method(QStringLiteral("ShowFolder"), 0x6003004D, S, {},
             [](Dialog &self, Args &) { return Variant(self.ShowFolder()); });
    d.method(QStringLiteral("ShowObjectProp"), 0x6003004E, None, {}, runs<&Dialog::ShowObjectProp>);
    d.method(QStringLiteral("ShowAbout"), 0x6003004F, V, {}, runs<&Dialog::ShowAbout>);
    d.method(QStringLiteral("ShowOpen"), 0x60030050, None, {}, runs<&Dialog::ShowOpen>);
    d.method(QStringLiteral("ShowSave"), 0x60030051, None, {}, runs<&Dialog::ShowSave>);
    d.method(QStringLiteral("Clear"), 0x60030053, None, {}, runs<&Dialog::Clear>);
    d.method(QStringLiteral("ShowHelp"), 0x60030055, None, {}, runs<&Dialog::ShowHelp>);
    d.method(QStringLiteral("ShowColor"), 0x60030056, None, {}, runs<&Dialog::ShowColor>);
    d.method(QStringLiteral("ShowFont"), 0x60030057, None, {}, runs<&Dialog::ShowFont>);
    d.method(QStringLiteral("ShowPrinter"), 0x60030058, None, {}, runs<&Dialog::ShowPrinter>);
    d.method(QStringLiteral("ShowPrinterProp"), 0x60030059, V, {},
             [](Dialog &self, Args &) { return self.ShowPrinterProp(); });
    // By reference: a trailing "\" removed from a text reaches the caller's variable.
    d.method(QStringLiteral("ShowDelete"), 0x6003005B, B, {{QStringLiteral("files"), V, true}},
             [](Dialog &self, Args &args) {
                 if (args.empty())
                     raiseError(ErrArgumentNotOptional);
                 return Variant::fromBool(self.ShowDelete(args[0]));
             });
    d.method(QStringLiteral("ShowMsg"), 0x6003005C, L, {},
             [](Dialog &self, Args &) { return Variant::fromLong(self.ShowMsg()); });
    d.method(QStringLiteral("ShowInput"), 0x6003005D, S, {},
             [](Dialog &self, Args &) { return Variant(self.ShowInput()); });
    d.method(QStringLiteral("ShowAutoMsg"), 0x6003005E, VarType::Integer, {},
             [](Dialog &self, Args &) { return Variant::fromInteger(self.ShowAutoMsg()); });
    d.method(QStringLiteral("GetWinXP"), 0x6003005F, B, {},
             [](Dialog &self, Args &) { return Variant::fromBool(self.GetWinXP()); });
    d.method(
        QStringLiteral("FileExists"), 0x60030060, B, {{QStringLiteral("sPath"), S}},
        [textArg](Dialog &self, Args &args) { return Variant::fromBool(self.FileExists(textArg(args))); });
    d.method(QStringLiteral("SetPrinterDefault"), 0x60030064, B, {{QStringLiteral("sPrinter"), S}},
             [textArg](Dialog &self, Args &args) {
                 return Variant::fromBool(self.SetPrinterDefault(textArg(args)));
             });
    d.method(QStringLiteral("GetDefaultPrinterName"), 0x60030065, S,
             {{QStringLiteral("hwnd"), L, true, true}},
             [](Dialog &self, Args &) { return Variant(self.GetDefaultPrinterName()); });
    d.method(QStringLiteral("ClipNullChar"), 0x60030066, S, {{QStringLiteral("Text"), S}},
             [textArg](Dialog &, Args &args) { return Variant(Dialog::ClipNullChar(textArg(args))); });
    d.method(QStringLiteral("GetWinVista"), 0x6003006C, B, {},
             [](Dialog &self, Args &) { return Variant::fromBool(self.GetWinVista()); });
    d.enumeration(QStringLiteral("CdlgExt_Actions"), {{QStringLiteral("cdlgOpen"), 1},
                                                      {QStringLiteral("cdlgSave"), 2},
                                                      {QStringLiteral("cdlgColor"), 3},
                                                      {QStringLiteral("cdlgFont"), 4},
                                                      {QStringLiteral("cdlgPrinter"), 5},
                                                      {QStringLiteral("cdlgPrinterProp"), 6},
                                                      {QStringLiteral("cdlgHelp"), 7},
                                                      {QStringLiteral("cdlgAbout"), 8},
                                                      {QStringLiteral("cdlgFolder"), 9},
                                                      {QStringLiteral("cdlgFormat"), 10},
                                                      {QStringLiteral("cdlgIcon"), 11},
                                                      {QStringLiteral("cdlgObjectProp"), 12},
                                                      {QStringLiteral("cdlgRestart"), 13},
                                                      {QStringLiteral("cdlgRun"), 14},
                                                      {QStringLiteral("cdlgShutDown"), 15},
                                                      {QStringLiteral("cdlgDelete"), 16}});
    d.enumeration(QStringLiteral("CdlgEx_IconSize"),
                  {{QStringLiteral("IconSizeSmall"), 16}, {QStringLiteral("IconSizeLarge"), 32}});
    d.enumeration(QStringLiteral("CdlgExt_HelpCommand"), {{QStringLiteral("HelpCommandHelp"), 258},
                                                          {QStringLiteral("HelpContents"), 3},
                                                          {QStringLiteral("HelpContext"), 1},
                                                          {QStringLiteral("HelpContextPOPUP"), 8},
                                                          {QStringLiteral("HelpForceFile"), 9},
                                                          {QStringLiteral("HelpHelpOnHelp"), 4},
                                                          {QStringLiteral("HelpIndex"), 3},
                                                          {QStringLiteral("HelpKeyHelp"), 257},
                                                          {QStringLiteral("HelpPartialKey"), 261},
                                                          {QStringLiteral("HelpQuit"), 2},
                                                          {QStringLiteral("HelpSetContents"), 5},
                                                          {QStringLiteral("HelpSetIndex"), 5},
                                                          {QStringLiteral("HelpMultiKey"), 513},
                                                          {QStringLiteral("HelpSetWinPos"), 515}});
    d.enumeration(QStringLiteral("cFontStyle"), {{QStringLiteral("cBold"), 0},
                                                 {QStringLiteral("cItalic"), 1},
                                                 {QStringLiteral("cRegular"), 2},
                                                 {QStringLiteral("cStrikeout"), 3},
                                                 {QStringLiteral("cUnderline"), 4}});
    d.enumeration(QStringLiteral("EnOrientation"),
                  {{QStringLiteral("Portrait"), 1}, {QStringLiteral("Landscape"), 2}});
    // Declared for hosts that look it up; no member of the Dialog uses it.
    d.enumeration(QStringLiteral("MousePointerConst"),
                  mousePointerConstants(QString(), QStringLiteral("bMouseIcon")));
    // The three constants of -32768 are &H8000 read as a 16-bit value, as hosts know them.
    d.enumeration(QStringLiteral("CdlgExt_Flags"), {
                                                       // file dialogs
                                                       {QStringLiteral("cdlOFNAllowMultiselect"), 512},
                                                       {QStringLiteral("cdlOFNCreatePrompt"), 8192},
                                                       {QStringLiteral("cdlOFNExplorer"), 524288},
                                                       {QStringLiteral("cdlOFNExtensionDifferent"), 1024},
                                                       {QStringLiteral("cdlOFNFileMustExist"), 4096},
                                                       {QStringLiteral("cdlOFNHelpButton"), 16},
                                                       {QStringLiteral("cdlOFNHideReadOnly"), 4},
                                                       {QStringLiteral("cdlOFNLongNames"), 2097152},
                                                       {QStringLiteral("cdlOFNNoChangeDir"), 8},
                                                       {QStringLiteral("cdlOFNNoDereferenceLinks"), 1048576},
                                                       {QStringLiteral("cdlOFNNoLongNames"), 262144},
                                                       {QStringLiteral("cdlOFNNoReadOnlyReturn"), -32768},
                                                       {QStringLiteral("cdlOFNNoValidate"), 256},
                                                       {QStringLiteral("cdlOFNOverwritePrompt"), 2},
                                                       {QStringLiteral("cdlOFNPathMustExist"), 2048},
                                                       {QStringLiteral("cdlOFNReadOnly"), 1},
                                                       {QStringLiteral("cdlOFNShareAware"), 16384},
                                                       // colour dialog
                                                       {QStringLiteral("cdlCCFullOpen"), 2},
                                                       {QStringLiteral("cdlCCHelpButton"), 8},
                                                       {QStringLiteral("cdlCCPreventFullOpen"), 4},
                                                       {QStringLiteral("cdlCCRGBInit"), 1},
                                                       // printer dialog
                                                       {QStringLiteral("cdlPDAllPages"), 0},
                                                       {QStringLiteral("cdlPDCollate"), 16},
                                                       {QStringLiteral("cdlPDDisablePrintToFile"), 524288},
                                                       {QStringLiteral("cdlPDHelpButton"), 2048},
                                                       {QStringLiteral("cdlPDHidePrintToFile"), 1048576},
                                                       {QStringLiteral("cdlPDNoPageNums"), 8},
                                                       {QStringLiteral("cdlPDNoSelection"), 4},
                                                       {QStringLiteral("cdlPDNoWarning"), 128},
                                                       {QStringLiteral("cdlPDPageNums"), 2},
                                                       {QStringLiteral("cdlPDPrintSetup"), 64},
                                                       {QStringLiteral("cdlPDPrintToFile"), 32},
                                                       {QStringLiteral("cdlPDReturnDC"), 256},
                                                       {QStringLiteral("cdlPDReturnDefault"), 1024},
                                                       {QStringLiteral("cdlPDReturnIC"), 512},
                                                       {QStringLiteral("cdlPDSelection"), 1},
                                                       {QStringLiteral("cdlPDUseDevModeCopies"), 262144},
                                                       // font dialog
                                                       {QStringLiteral("cdlCFANSIOnly"), 1024},
                                                       {QStringLiteral("cdlCFApply"), 512},
                                                       {QStringLiteral("cdlCFBoth"), 3},
                                                       {QStringLiteral("cdlCFEffects"), 256},
                                                       {QStringLiteral("cdlCFFixedPitchOnly"), 16384},
                                                       {QStringLiteral("cdlCFForceFontExist"), 65536},
                                                       {QStringLiteral("cdlCFHelpButton"), 4},
                                                       {QStringLiteral("cdlCFLimitSize"), 8192},
                                                       {QStringLiteral("cdlCFNoFaceSel"), 524288},
                                                       {QStringLiteral("cdlCFNoSimulations"), 4096},
                                                       {QStringLiteral("cdlCFNoSizeSel"), 2097152},
                                                       {QStringLiteral("cdlCFNoStyleSel"), 1048576},
                                                       {QStringLiteral("cdlCFNoVectorFonts"), 2048},
                                                       {QStringLiteral("cdlCFPrinterFonts"), 2},
                                                       {QStringLiteral("cdlCFScalableOnly"), 131072},
                                                       {QStringLiteral("cdlCFScreenFonts"), 1},
                                                       {QStringLiteral("cdlCFTTOnly"), 262144},
                                                       {QStringLiteral("cdlCFWYSIWYG"), -32768},
                                                       // restart and exit
                                                       {QStringLiteral("Restart_Logoff"), 0},
                                                       {QStringLiteral("Restart_ShutDown"), 1},
                                                       {QStringLiteral("Restart_Reboot"), 2},
                                                       {QStringLiteral("Restart_Force"), 4},
                                                       {QStringLiteral("EWX_LOGOFF"), 0},
                                                       {QStringLiteral("EWX_SHUTDOWN"), 1},
                                                       {QStringLiteral("EWX_REBOOT"), 2},
                                                       // run dialog
                                                       {QStringLiteral("Run_NoBrowse"), 19},
                                                       {QStringLiteral("Run_NoDefault"), 32},
                                                       {QStringLiteral("Run_CalcDir"), 64},
                                                       {QStringLiteral("Run_NoLable"), 128},
                                                       // object properties
                                                       {QStringLiteral("ObjProp_System"), 0},
                                                       {QStringLiteral("ObjProp_Printer"), 256},
                                                       {QStringLiteral("ObjProp_File"), 512},
                                                       {QStringLiteral("ObjProp_Mouse"), 768},
                                                       {QStringLiteral("ObjProp_Locale"), 1024},
                                                       {QStringLiteral("ObjProp_MMedia"), 1280},
                                                       {QStringLiteral("ObjProp_TimeDate"), 1536},
                                                       {QStringLiteral("ObjProp_Network"), 1792},
                                                       {QStringLiteral("ObjProp_Screen"), 2048},
                                                       {QStringLiteral("ObjProp_Internet"), 2304},
                                                       // folder dialog
                                                       {QStringLiteral("BIF_RETURNONLYFSDIRS"), 1},
                                                       {QStringLiteral("BIF_DONTGOBELOWDOMAIN"), 2},
                                                       {QStringLiteral("BIF_STATUSTEXT"), 4},
                                                       {QStringLiteral("BIF_RETURNFSANCESTORS"), 8},
                                                       {QStringLiteral("BIF_EDITBOX"), 16},
                                                       {QStringLiteral("BIF_VALIDATE"), 32},
                                                       {QStringLiteral("BIF_NEWDIALOGSTYLE"), 64},
                                                       {QStringLiteral("BIF_BROWSEINCLUDEURLS"), 128},
                                                       {QStringLiteral("BIF_BROWSEFORCOMPUTER"), 4096},
                                                       {QStringLiteral("BIF_BROWSEFORPRINTER"), 8192},
                                                       {QStringLiteral("BIF_BROWSEINCLUDEFILES"), 16385},
                                                       {QStringLiteral("BIF_SHAREABLE"), -32768},
                                                       // message services
                                                       {QStringLiteral("vbOKOnly"), 0},
                                                       {QStringLiteral("vbOKCancel"), 1},
                                                       {QStringLiteral("vbAbortRetryIgnore"), 2},
                                                       {QStringLiteral("vbYesNoCancel"), 3},
                                                       {QStringLiteral("vbYesNo"), 4},
                                                       {QStringLiteral("vbRetryCancel"), 5},
                                                       {QStringLiteral("vbCustomButtons"), 6},
                                                       {QStringLiteral("vbCritical"), 16},
                                                       {QStringLiteral("vbQuestion"), 32},
                                                       {QStringLiteral("vbExclamation"), 48},
                                                       {QStringLiteral("vbInformation"), 64},
                                                       {QStringLiteral("vbUserIcon"), 80},
                                                       {QStringLiteral("vbSecurityIcon"), 96},
                                                       {QStringLiteral("vbFindIcon"), 112},
                                                       {QStringLiteral("vbDefaultButton1"), 0},
                                                       {QStringLiteral("vbDefaultButton2"), 256},
                                                       {QStringLiteral("vbDefaultButton3"), 512},
                                                       //

                                                   });
}

int32_t Dialog::ShowMsg()
{
    MessageState &state = messageState();
    state.sKeyDown = false;
    state.sKeyShift = 0;
    state.sKey = 0;
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::msg_Box(m_dialogPrompt, m_flags, m_dialogTitle, m_sound, m_noPointer, m_checkboxCaption,
                           m_focusRect, m_btnCaption[0], m_btnCaption[1], m_btnCaption[2], colour, m_x, m_y,
                           m_intensity);
}

QString Dialog::ShowInput()
{
    MessageState &state = messageState();
    state.sKeyDown = false;
    state.sKeyShift = 0;
    state.sKey = 0;
    // A copy: the box writes its answer into InitMsg.
    const QString initMsg = state.InitMsg;
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::input_box(m_dialogPrompt, m_flags, m_dialogTitle, initMsg, m_sound, m_noPointer,
                             m_checkboxCaption, m_focusRect, m_btnCaption[0], m_btnCaption[1], colour, m_x,
                             m_y, m_intensity);
}

int16_t Dialog::ShowAutoMsg()
{
    // The host goes on while it shows, so the key state is left alone.
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::MsgAuto_box(m_dialogPrompt, m_flags, m_dialogTitle, m_mTime, m_sound, m_noPointer, colour,
                               m_x, m_y, m_intensity);
}

void Dialog::runAction(int32_t action)
{
    switch (action) {
    case 1:
        ShowOpen();
        break;
    case 2:
        ShowSave();
        break;
    case 3:
        ShowColor();
        break;
    case 4:
        ShowFont();
        break;
    case 5:
        ShowPrinter(); // does nothing without a printer
        break;
    case 6:
        ShowPrinterProp();
        break;
    case 7:
        ShowHelp();
        break;
    case 8:
        ShowAbout();
        break;
    case 9:
        ShowFolder();
        break;
    case 10:
        ShowFormat(0, 0, 0);
        break;
    case 11:
        ShowIcon();
        break;
    case 12:
        ShowObjectProp();
        break;
    case 13:
        ShowRestart();
        break;
    case 14:
        ShowRun();
        break;
    case 15:
        ShowShutDown();
        break;
    default:
        break; // 16 and anything unknown do nothing
    }
}

// --- printer ---------------------------------------------------------------

void Dialog::setPrinterDeviceName(const QString &name)
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    for (int i = 0; i < printers.count(); ++i)
        if (printers.deviceName(i) == name)
            printers.setCurrentIndex(i); // the last match wins
}

void Dialog::setPrinterExist(bool exists)
{
    m_printerExist = exists;
    if (exists) {
        spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
        m_orientation = printers.orientation();
        m_copies = printers.copies();
    }
}

void Dialog::setCopies(int16_t copies)
{
    m_copies = copies;
    if (m_printerExist)
        rt::ServiceSlot<spooler::PrinterSystem>::current().setCopies(copies);
}

void Dialog::setOrientation(int32_t orientation)
{
    if (!m_printerExist)
        return;
    m_orientation = orientation;
    rt::ServiceSlot<spooler::PrinterSystem>::current().setOrientation(orientation);
    m_devModeOrientation = orientation == 2 ? 2 : 1;
    int16_t duplex = 1;
    setPrinterDevMode(duplex, m_devModeOrientation);
}

// Writes orientation and duplex into the printer's stored settings. Every
// step is checked: a failure stops there, changes nothing more and closes
// what was opened.
void Dialog::setPrinterDevMode(int16_t &duplex, int16_t &orientation)
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    const QString name = printers.deviceName(printers.currentIndex());
    if (name.isEmpty())
        return;
    {
        std::unique_ptr<spooler::PrinterConnection> printer = printers.open(name);
        if (!printer)
            return;
        std::optional<spooler::DeviceMode> mode = printer->readDeviceMode();
        if (!mode)
            return;
        mode->fields = 0x1001;
        mode->orientation = orientation;
        mode->duplex = duplex;
        if (!printer->documentProperties(*mode) || !printer->writeDeviceMode(*mode))
            return;
    }
    for (int i = 0; i < printers.count(); ++i) {
        if (printers.deviceName(i) == name) {
            printers.setCurrentIndex(i);
            break;
        }
    }
    printers.setDuplex(duplex);
}

QString Dialog::printerMetric(const QString &which)
{
    if (!m_printerExist)
        return QString();
    updatePrinterMetrics();
    if (which == QLatin1String("HorizSize"))
        return m_horizSize;
    if (which == QLatin1String("VertiSize"))
        return m_vertiSize;
    if (which == QLatin1String("PhysicOffsetX"))
        return m_physicOffsetX;
    return m_physicOffsetY;
}

void Dialog::updatePrinterMetrics()
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    const spooler::PrinterMetrics metrics = printers.metrics();
    const QLocale locale;
    m_horizSize = QString::number(metrics.horzSizeMm);
    m_vertiSize = QString::number(metrics.vertSizeMm);
    m_physicOffsetX = Variant::fromSingle(float(metrics.physicalOffsetX / metrics.pixelsPerMmX))
                          .toString()
                          .replace(QLatin1Char('.'), locale.decimalPoint());
    m_physicOffsetY = Variant::fromSingle(float(metrics.physicalOffsetY / metrics.pixelsPerMmY))
                          .toString()
                          .replace(QLatin1Char('.'), locale.decimalPoint());
    // Reading the device context may have opened a document; close it again.
    printers.endDocument();
}

// --- fonts and colours -----------------------------------------------------

int32_t Dialog::fontStyle() const
{
    if (m_bold)
        return 0; // cBold
    if (m_italic)
        return 1; // cItalic
    if (m_strikeThru)
        return 3; // cStrikeout
    if (m_underline)
        return 4; // cUnderline
    return 2;     // cRegular
}

Variant Dialog::customColor() const
{
    if (m_colorNr < 0 || m_colorNr > 15)
        raiseError(ErrSubscript);
    return Variant::fromColor(m_customColors[size_t(m_colorNr)]);
}

void Dialog::setCustomColor(uint32_t color)
{
    m_colorNr = std::clamp<int16_t>(m_colorNr, 0, 15);
    m_customColors[size_t(m_colorNr)] = color;
}

// --- persistence -------------------------------------------------------------

void Dialog::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Dialog::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- face --------------------------------------------------------------------

void Dialog::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != QSize(FaceSize, FaceSize))
        resize(FaceSize, FaceSize);
}

// The designer's view of the control: its symbol (a small dialog window with a
// speech balloon, our own drawing) in a raised frame.
void Dialog::drawFace()
{
    m_surface = QImage(FaceSize, FaceSize, QImage::Format_RGB32);
    gdi::DeviceContext dc(&m_surface);
    dc.fillRect(gdi::Rect{0, 0, FaceSize, FaceSize}, gdi::getSysColorBrush(gdi::ColorBtnFace));
    const QPoint symbol = rt::Twips::toPixels(QRect(45, 65, 450, 450)).topLeft(); // picTest
    const auto at = [&](int left, int top, int right, int bottom) {
        return gdi::Rect{symbol.x() + left, symbol.y() + top, symbol.x() + right, symbol.y() + bottom};
    };
    const gdi::GdiObject white(gdi::createSolidBrush(gdi::rgb(255, 255, 255)));
    const gdi::GdiObject title(gdi::createSolidBrush(gdi::rgb(0, 0, 128)));
    const gdi::GdiObject balloon(gdi::createSolidBrush(gdi::rgb(255, 255, 204)));
    const gdi::Handle oldBrush = dc.selectObject(white);
    const gdi::Rect window = at(1, 3, 29, 27);
    dc.rectangle(window.left, window.top, window.right, window.bottom);
    dc.fillRect(at(2, 4, 28, 9), title);
    dc.selectObject(balloon);
    dc.roundRect(symbol.x() + 5, symbol.y() + 12, symbol.x() + 25, symbol.y() + 23, 6, 6);
    dc.selectObject(oldBrush);
    gdi::Rect frame{0, 0, FaceSize, FaceSize};
    dc.drawEdge(frame, gdi::EdgeRaised, gdi::BfRect);
}

void Dialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

} // namespace ostrevo
