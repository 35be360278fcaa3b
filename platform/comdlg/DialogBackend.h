#pragma once

#include "platform/runtime/ServiceSlot.h"
#include "platform/spooler/PrinterSystem.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QPrinter;

namespace comdlg
{

// What a font dialog shows and returns.
struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    uint32_t color = 0;  // OLE colour 0x00BBGGRR; only with the effects flag
    int16_t charset = 0; // handed back as it came: Qt's fonts have none
};

// Title and place of the one dialog a request shows. Each request carries its
// own, so nothing is left waiting for a later dialog when this one never opens.
struct Placement {
    std::optional<QString> title;   // none: the dialog's own title
    std::optional<QPoint> position; // top-left corner on the screen
    bool centred = false;           // in the middle of the screen
};

// A file dialog to open or save with.
struct FileRequest {
    bool save = false;
    QString filter; // as the platform writes it: "Text|*.txt|Alle|*.*"
    int filterIndex = 0;
    QString fileName;   // preset in the name field
    QString folder;     // where the dialog starts
    QString defaultExt; // ".txt": added to a typed name that has no extension
    int flags = 0;
    Placement placement;
};

// The colour dialog's start and result: the colour and the 16 custom colours.
struct ColorChoice {
    uint32_t color = 0; // OLE colour 0x00BBGGRR
    std::array<uint32_t, 16> custom{};
};

// A folder browser: the prompt above it, the folder it is confined to and
// the one selected at the start, and the caller's option bits.
struct FolderRequest {
    QString prompt;
    QString root;        // empty: the whole file system
    bool noPath = false; // the root is a place without a folder (the printers)
    QString start;
    int flags = 0;
};

// A dialog's answer: the value when the user accepted it; otherwise why not,
// 0 when the user cancelled, else the platform's extended error code.
template <class T> struct Outcome {
    std::optional<T> value;
    uint32_t error = 0;
    static Outcome accepted(T v) { return {std::move(v), 0}; }
    static Outcome failed(uint32_t code = 0) { return {std::nullopt, code}; }
};

// Extended error codes a dialog reports.
enum : uint32_t {
    DialogFailure = 0xFFFF,
    FileBufferTooSmall = 12291, // the selection does not fit the caller's buffer
};

// The dialogs themselves. The real one shows Qt's dialogs; tests install a
// scripted one. An empty result means the user cancelled.
class DialogBackend
{
public:
    virtual ~DialogBackend();
    // filter as the platform writes it: "JPG (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP"
    virtual std::optional<QString> openFile(QWidget *parent, const QString &title, const QString &filter,
                                            int filterIndex, const QString &fileName, int flags) = 0;
    virtual std::optional<QString> saveFile(QWidget *parent, const QString &title, const QString &filter,
                                            int filterIndex, const QString &fileName, int flags) = 0;
    virtual std::optional<uint32_t> color(QWidget *parent, uint32_t initial, int flags) = 0;
    virtual std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial, int flags) = 0;
    // Only existing folders can be chosen; the path uses "/" and has no trailing "/" (except the root).
    virtual std::optional<QString> folder(QWidget *parent, const QString &title) = 0;

    // A folder below the request's root; the path uses "/" and has no
    // trailing "/" (except the root).
    virtual std::optional<QString> browseFolder(QWidget *parent, const FolderRequest &request) = 0;

    // The file dialogs with all their settings. The chosen files come back as
    // full paths; more than one only with the allow-multiple-selection flag.
    virtual Outcome<QStringList> files(QWidget *parent, const FileRequest &request) = 0;
    virtual Outcome<ColorChoice> chooseColor(QWidget *parent, const ColorChoice &initial, int flags,
                                             const Placement &placement) = 0;
    virtual Outcome<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial, int flags) = 0;
    // Print set-up: the printer (by its full name), copies, orientation and
    // duplex chosen.
    virtual Outcome<spooler::DeviceMode> printSetup(QWidget *parent, const spooler::DeviceMode &initial,
                                                    int flags) = 0;
    // The settings of one printer, as its stored defaults.
    virtual Outcome<spooler::DeviceMode> printerProperties(QWidget *parent,
                                                           const spooler::DeviceMode &initial) = 0;
    // The print dialog: the printer chosen, set up to print on (the
    // platform's device context). flags as the platform's print dialog takes them.
    virtual Outcome<std::shared_ptr<QPrinter>> print(QWidget *parent, const QString &title, int flags) = 0;
};

} // namespace comdlg

// The process-wide backend: Qt's dialogs unless a test installed a scripted one.
KV_DECLARE_SERVICE_SLOT(comdlg::DialogBackend)
