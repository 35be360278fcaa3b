#pragma once

#include "platform/com/Collection.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"
#include "platform/com/StdFont.h"

#include <QImage>
#include <QList>
#include <array>
#include <functional>
#include <memory>

namespace ostrevo
{

// The universal dialog control: the host sets its properties, calls a dialog
// or message method and reads the results back from its properties. At run
// time it is invisible; in the designer it shows its symbol in a raised frame
// of a fixed 38 × 38 pixels.
class Dialog : public com::Dispatched<Dialog, com::Control>
{
    Q_OBJECT
public:
    Dialog();
    ~Dialog() override;

    static void describe(com::Dispatcher<Dialog> &d);

    void initProperties() override {}
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // State read by the dialog and message services.
    QString dialogTitle() const { return m_dialogTitle; }
    QString dialogPrompt() const { return m_dialogPrompt; }
    int32_t flags() const { return m_flags; }
    uint32_t color() const { return m_color; }
    bool noPointer() const { return m_noPointer; }
    bool sound() const { return m_sound; }
    bool focusRect() const { return m_focusRect; }
    int16_t intensity() const { return m_intensity; }
    int16_t mTime() const { return m_mTime; }
    float x() const { return m_x; }
    float y() const { return m_y; }
    QString checkboxCaption() const { return m_checkboxCaption; }
    std::array<QString, 3> buttonCaptions() const
    {
        return {m_btnCaption[0], m_btnCaption[1], m_btnCaption[2]};
    }
    bool isWinNT() const { return m_isNT; }

    const QImage &surface() const { return m_surface; }

    // The modal balloon message with this control's message settings; the
    // chosen button's code, as the shared message state records it.
    int32_t ShowMsg();
    // The modal balloon input box; the accepted text, "" when cancelled.
    QString ShowInput();
    // The self-closing balloon; returns 0 while it still shows.
    int16_t ShowAutoMsg();

    // The common dialogs: each reads its settings from the properties and
    // leaves its results and failures there; none raises for a dialog that
    // was cancelled or failed.
    void ShowOpen() { showFileDialog(false); }
    void ShowSave() { showFileDialog(true); }
    void ShowColor();
    void ShowFont();
    void ShowPrinter();
    // True or False as the properties dialog ended; empty when none was shown.
    com::Variant ShowPrinterProp();
    void ShowHelp();
    void Clear();
    // Runs a dialog by its number.
    void runAction(int32_t action);

    // The shell and system services. None reports a refusal or a cancel but
    // through its result; ShowFolder alone uses the failure step.
    void LogOff() { exitWindowsPriv(0); }
    void Reboot() { exitWindowsPriv(2); }
    void ShutDown() { exitWindowsPriv(1); }
    void ShowShutDown();
    void ShowRestart();
    void ShowRun();
    int32_t ShowFormat(int32_t drive, int32_t capacity, int32_t formatType);
    void ShowIcon();
    // The chosen folder followed by NUL characters up to 260 characters.
    QString ShowFolder();
    void ShowObjectProp();
    void ShowAbout();
    // files: a text of names, each ended by a NUL, or a collection of names;
    // a trailing "\" is removed from a text, in the caller's variable too.
    bool ShowDelete(com::Variant &files);
    bool GetWinXP() const;
    bool GetWinVista() const;
    bool FileExists(const QString &path);
    bool SetPrinterDefault(const QString &printer);
    QString GetDefaultPrinterName() const;
    static QString ClipNullChar(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static void addProperties(com::Dispatcher<Dialog> &d);
    static void addMethods(com::Dispatcher<Dialog> &d);

    void setPrinterDeviceName(const QString &name);
    void setPrinterExist(bool exists);
    void setCopies(int16_t copies);
    void setOrientation(int32_t orientation);
    QString printerMetric(const QString &which);
    void updatePrinterMetrics();
    void setPrinterDevMode(int16_t &duplex, int16_t &orientation);
    com::Variant customColor() const;
    void setCustomColor(uint32_t color);
    int32_t fontStyle() const;
    void drawFace();
    static bool detectWinNT();

    void showFileDialog(bool save);
    void takeSelection(const QStringList &paths, com::Collection &list);
    bool failureStep(uint32_t code, bool colour);
    void reportingErrors(const std::function<bool()> &step);
    QWidget *ownerWindow() const;
    bool exitWindowsPriv(int32_t flags);
    QList<QImage> iconsOf(const QString &path, int size) const;

    // Font dialog values.
    std::shared_ptr<com::StdFont> m_font;
    QString m_fontName;
    int32_t m_fontSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_strikeThru = false;
    bool m_underline = false;
    // Colour dialog values.
    uint32_t m_color = 0;
    int16_t m_colorNr = 0;
    std::array<uint32_t, 16> m_customColors{};
    // Common values of the dialogs.
    int32_t m_hOwner = 0;
    int32_t m_flags = 0;
    QString m_dialogTitle;
    QString m_dialogPrompt;
    QString m_appName;
    int32_t m_hIcon = 0;
    bool m_default = false;
    QString m_defaultExt;
    QString m_fileName;
    QString m_fileTitle;
    QString m_filter;
    int32_t m_filterIndex = 0;
    QString m_initDir;
    QString m_selDir;
    bool m_icon = false;
    int32_t m_iconIdx = 0;
    int32_t m_iconSize = 0;
    int32_t m_helpCommand = 0;
    QString m_helpFile;
    int32_t m_helpKey = 0;
    bool m_cancelError = false;
    bool m_cancel = false;
    int32_t m_number = 0;
    QString m_description;
    int32_t m_lastDllError = 0;
    bool m_multiSelect = false;
    QString m_filePath;
    com::Variant m_fileList = com::Variant::fromObject(nullptr);
    QString m_lastFolder; // where the last file dialog ended; the next starts there
    QString m_findFile;
    // Printer values.
    bool m_printerExist = false;
    int16_t m_copies = 0;
    int32_t m_orientation = 0;
    int16_t m_devModeOrientation = 0;
    QString m_horizSize;
    QString m_vertiSize;
    QString m_physicOffsetX;
    QString m_physicOffsetY;
    // Message values.
    bool m_noPointer = false;
    bool m_sound = true;
    QString m_checkboxCaption;
    std::array<QString, 3> m_btnCaption;
    bool m_focusRect = false;
    float m_x = 0;
    float m_y = 0;
    int16_t m_intensity = 0;
    int16_t m_mTime = 0;
    bool m_isNT = false;

    QImage m_surface; // the control's persistent drawing
};

} // namespace ostrevo
