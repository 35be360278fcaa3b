#include "controls/dialog/Dialog.h"
#include "controls/foundation/OstrevoServer.h"
#include "platform/com/ClassFactory.h"
#include "tests/support/TestMain.h"

#include <QRegularExpression>

using namespace com;

namespace
{

using Constants = std::vector<std::pair<QString, int32_t>>;

// "cBold 0, cItalic 1": the constants as the interface documentation lists them.
Constants parseConstants(const QString &text)
{
    Constants constants;
    for (const QString &item : text.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(u' ');
        constants.emplace_back(parts[0], parts[1].toInt());
    }
    return constants;
}

QString describeParams(const std::vector<ParamInfo> &params)
{
    QStringList parts;
    for (const ParamInfo &param : params) {
        QString text = param.name + u' ' + QString::number(int(param.type));
        if (param.byRef)
            text += QStringLiteral(" byref");
        if (param.optional)
            text += QStringLiteral(" optional");
        parts << text;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

// The type information every class of the library gives its hosts.
class TestTypeLibrary : public QObject
{
    Q_OBJECT
private slots:
    // A host looks up the constants of a member's or argument's type among
    // the class's enumerations; every such type must be declared there.
    void namedEnumerationsAreDeclared_data()
    {
        QTest::addColumn<const ClassFactory *>("factory");
        for (const auto &factory : ostrevo::server().factories())
            QTest::newRow(qPrintable(factory->typeInfo().className))
                << static_cast<const ClassFactory *>(factory.get());
    }

    void namedEnumerationsAreDeclared()
    {
        QFETCH(const ClassFactory *, factory);
        const TypeInfo &info = factory->typeInfo();
        // Objects name their classes; a colour is no enumeration either.
        const auto check = [&](const QString &owner, VarType type, const QString &typeName) {
            if (typeName.isEmpty() || type == VarType::Object || typeName == QLatin1String("OLE_COLOR"))
                return;
            QVERIFY2(info.enumeration(typeName), qPrintable(owner + QStringLiteral(": ") + typeName));
            QVERIFY2(!info.enumeration(typeName)->constants.empty(), qPrintable(typeName));
        };
        for (const MemberInfo &member : info.members) {
            check(member.name, member.type, member.typeName);
            for (const ParamInfo &param : member.params)
                check(member.name + u'.' + param.name, param.type, param.typeName);
        }
        for (const EventInfo &event : info.events)
            for (const ParamInfo &param : event.params)
                check(event.name + u'.' + param.name, param.type, param.typeName);
    }

    void dialogEnumerations_data()
    {
        // Each row names its place among the declared enumerations, so it
        // runs alone as well as in order.
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("constants");
        QTest::newRow("CdlgExt_Actions")
            << 0
            << "cdlgOpen 1, cdlgSave 2, cdlgColor 3, cdlgFont 4, cdlgPrinter 5, cdlgPrinterProp 6, cdlgHelp "
               "7, "
               "cdlgAbout 8, cdlgFolder 9, cdlgFormat 10, cdlgIcon 11, cdlgObjectProp 12, cdlgRestart 13, "
               "cdlgRun 14, cdlgShutDown 15, cdlgDelete 16";
        QTest::newRow("CdlgEx_IconSize") << 1 << "IconSizeSmall 16, IconSizeLarge 32";
        QTest::newRow("CdlgExt_HelpCommand")
            << 2
            << "HelpCommandHelp 258, HelpContents 3, HelpContext 1, HelpContextPOPUP 8, HelpForceFile 9, "
               "HelpHelpOnHelp 4, HelpIndex 3, HelpKeyHelp 257, HelpPartialKey 261, HelpQuit 2, "
               "HelpSetContents 5, HelpSetIndex 5, HelpMultiKey 513, HelpSetWinPos 515";
        QTest::newRow("cFontStyle") << 3 << "cBold 0, cItalic 1, cRegular 2, cStrikeout 3, cUnderline 4";
        QTest::newRow("EnOrientation") << 4 << "Portrait 1, Landscape 2";
        QTest::newRow("MousePointerConst")
            << 5
            << "Voreinstellung 0, Pfeil 1, Kreuz 2, Icursor 3, Symbol 4, Größenänderung 5, "
               "Größenänderung_No_Sw 6, Größenänderung_N_O 7, Größenänderung_Nw_So 8, Größenänderung_W_O 9, "
               "Aufwärtspfeil 10, Sanduhr 11, Nicht_ablegen 12, Pfeil_Sanduhr 13, Pfeil_Fragezeichen 14, "
               "Größenänderung_Alle 15, bMouseIcon 99";
        QTest::newRow("CdlgExt_Flags")
            << 6
            << "cdlOFNAllowMultiselect 512, cdlOFNCreatePrompt 8192, cdlOFNExplorer 524288, "
               "cdlOFNExtensionDifferent 1024, cdlOFNFileMustExist 4096, cdlOFNHelpButton 16, "
               "cdlOFNHideReadOnly 4, cdlOFNLongNames 2097152, cdlOFNNoChangeDir 8, "
               "cdlOFNNoDereferenceLinks 1048576, cdlOFNNoLongNames 262144, cdlOFNNoReadOnlyReturn -32768, "
               "cdlOFNNoValidate 256, cdlOFNOverwritePrompt 2, cdlOFNPathMustExist 2048, cdlOFNReadOnly 1, "
               "cdlOFNShareAware 16384, "
               "cdlCCFullOpen 2, cdlCCHelpButton 8, cdlCCPreventFullOpen 4, cdlCCRGBInit 1, "
               "cdlPDAllPages 0, cdlPDCollate 16, cdlPDDisablePrintToFile 524288, cdlPDHelpButton 2048, "
               "cdlPDHidePrintToFile 1048576, cdlPDNoPageNums 8, cdlPDNoSelection 4, cdlPDNoWarning 128, "
               "cdlPDPageNums 2, cdlPDPrintSetup 64, cdlPDPrintToFile 32, cdlPDReturnDC 256, "
               "cdlPDReturnDefault 1024, cdlPDReturnIC 512, cdlPDSelection 1, cdlPDUseDevModeCopies 262144, "
               "cdlCFANSIOnly 1024, cdlCFApply 512, cdlCFBoth 3, cdlCFEffects 256, cdlCFFixedPitchOnly "
               "16384, "
               "cdlCFForceFontExist 65536, cdlCFHelpButton 4, cdlCFLimitSize 8192, cdlCFNoFaceSel 524288, "
               "cdlCFNoSimulations 4096, cdlCFNoSizeSel 2097152, cdlCFNoStyleSel 1048576, "
               "cdlCFNoVectorFonts 2048, cdlCFPrinterFonts 2, cdlCFScalableOnly 131072, cdlCFScreenFonts 1, "
               "cdlCFTTOnly 262144, cdlCFWYSIWYG -32768, "
               "Restart_Logoff 0, Restart_ShutDown 1, Restart_Reboot 2, Restart_Force 4, EWX_LOGOFF 0, "
               "EWX_SHUTDOWN 1, EWX_REBOOT 2, "
               "Run_NoBrowse 19, Run_NoDefault 32, Run_CalcDir 64, Run_NoLable 128, "
               "ObjProp_System 0, ObjProp_Printer 256, ObjProp_File 512, ObjProp_Mouse 768, ObjProp_Locale "
               "1024, "
               "ObjProp_MMedia 1280, ObjProp_TimeDate 1536, ObjProp_Network 1792, ObjProp_Screen 2048, "
               "ObjProp_Internet 2304, "
               "BIF_RETURNONLYFSDIRS 1, BIF_DONTGOBELOWDOMAIN 2, BIF_STATUSTEXT 4, BIF_RETURNFSANCESTORS 8, "
               "BIF_EDITBOX 16, BIF_VALIDATE 32, BIF_NEWDIALOGSTYLE 64, BIF_BROWSEINCLUDEURLS 128, "
               "BIF_BROWSEFORCOMPUTER 4096, BIF_BROWSEFORPRINTER 8192, BIF_BROWSEINCLUDEFILES 16385, "
               "BIF_SHAREABLE -32768, "
               "vbOKOnly 0, vbOKCancel 1, vbAbortRetryIgnore 2, vbYesNoCancel 3, vbYesNo 4, vbRetryCancel 5, "
               "vbCustomButtons 6, vbCritical 16, vbQuestion 32, vbExclamation 48, vbInformation 64, "
               "vbUserIcon 80, vbSecurityIcon 96, vbFindIcon 112, vbDefaultButton1 0, vbDefaultButton2 256, "
               "vbDefaultButton3 512";
    }

    // Names, values and order, and no enumeration beyond these.
    void dialogEnumerations()
    {
        QFETCH(int, position);
        QFETCH(QString, constants);
        const TypeInfo &info = ostrevo::Dialog::staticTypeInfo();
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const EnumInfo *declared = info.enumeration(name);
        QVERIFY(declared);
        QCOMPARE(declared->constants, parseConstants(constants));
        // Declared in the order of the rows above, and no others.
        QCOMPARE(info.enums.size(), size_t(7));
        QCOMPARE(declared - info.enums.data(), std::ptrdiff_t(position));
    }

    void dialogMethodParameters_data()
    {
        QTest::addColumn<QString>("params");
        const QString L = QString::number(int(VarType::Long)), S = QString::number(int(VarType::String)),
                      V = QString::number(int(VarType::Variant));
        QTest::newRow("ShowFormat") << QStringLiteral("iDrive %1 optional, iCapacity %1 optional, "
                                                      "iFormatType %1 optional")
                                           .arg(L);
        QTest::newRow("ShowDelete") << QStringLiteral("files %1 byref").arg(V);
        QTest::newRow("FileExists") << QStringLiteral("sPath %1").arg(S);
        QTest::newRow("SetPrinterDefault") << QStringLiteral("sPrinter %1").arg(S);
        QTest::newRow("GetDefaultPrinterName") << QStringLiteral("hwnd %1 byref optional").arg(L);
        QTest::newRow("ClipNullChar") << QStringLiteral("Text %1").arg(S);
    }

    void dialogMethodParameters()
    {
        QFETCH(QString, params);
        const MemberInfo *method =
            ostrevo::Dialog::staticTypeInfo().member(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(method);
        QCOMPARE(describeParams(method->params), params);
    }
};

KV_TEST_MAIN(TestTypeLibrary)
#include "tst_TypeLibrary.moc"
