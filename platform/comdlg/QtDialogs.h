#pragma once

#include "platform/comdlg/DialogBackend.h"

#include <QColor>
#include <QStringList>

namespace comdlg
{

// The dialogs a person sees: Qt's file, folder, colour and font dialogs.
class QtDialogs : public DialogBackend
{
public:
    std::optional<QString> openFile(QWidget *parent, const QString &title, const QString &filter,
                                    int filterIndex, const QString &fileName, int flags) override;
    std::optional<QString> saveFile(QWidget *parent, const QString &title, const QString &filter,
                                    int filterIndex, const QString &fileName, int flags) override;
    std::optional<uint32_t> color(QWidget *parent, uint32_t initial, int flags) override;
    std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial, int flags) override;
    std::optional<QString> folder(QWidget *parent, const QString &title) override;
    std::optional<QString> browseFolder(QWidget *parent, const FolderRequest &request) override;
    Outcome<QStringList> files(QWidget *parent, const FileRequest &request) override;
    Outcome<ColorChoice> chooseColor(QWidget *parent, const ColorChoice &initial, int flags,
                                     const Placement &placement) override;
    Outcome<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial, int flags) override;
    Outcome<spooler::DeviceMode> printSetup(QWidget *parent, const spooler::DeviceMode &initial,
                                            int flags) override;
    Outcome<spooler::DeviceMode> printerProperties(QWidget *parent,
                                                   const spooler::DeviceMode &initial) override;
    Outcome<std::shared_ptr<QPrinter>> print(QWidget *parent, const QString &title, int flags) override;

    // "Bilder (*.JPG)|*.JPG;*.BMP|Alle (*.*)|*.*" as Qt's name filters, one per
    // description and pattern pair, each pattern also in the other letter case.
    // The list ends at the first empty part, as the platform's does.
    static QStringList nameFilters(const QString &platformFilter);
    // OLE colour 0x00BBGGRR (system colours resolved) to QColor and back.
    static QColor toQColor(uint32_t oleColor);
    static uint32_t toOleColor(const QColor &color);
    // Titles and moves a dialog before it shows; centred means on the screen,
    // halves rounded to the even pixel.
    static void place(QWidget &dialog, const Placement &placement);
};

} // namespace comdlg
