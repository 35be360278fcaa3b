#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

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
    uint32_t color = 0; // OLE colour 0x00BBGGRR; only with the effects flag
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
};

} // namespace comdlg

// The process-wide backend: Qt's dialogs unless a test installed a scripted one.
KV_DECLARE_SERVICE_SLOT(comdlg::DialogBackend)
