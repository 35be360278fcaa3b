// Feeds arbitrary bytes to the help-file reader: it must read them whole or
// refuse them with a reason, never crash, hang or read past its input. What
// it reads is then shown as the page view shows it: a few pages rebuilt, laid
// out at a fixed width and painted offscreen with their pictures.

#include "platform/help/HelpFile.h"
#include "platform/help/HelpPage.h"
#include "platform/help/HelpPictures.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

namespace
{

constexpr int MaxPagesShown = 4;

void show(const help::HelpFile &file, const QString &page)
{
    help::HelpPictures pictures;
    pictures.setFile(&file);
    QTextDocument document;
    document.setBaseUrl(file.url(page));
    document.setResourceProvider(
        [&](const QUrl &url) { return QVariant(pictures.picture(file.nameOf(url))); });
    document.setHtml(help::HelpPage::build(file, page));
    document.setTextWidth(480);
    document.documentLayout()->documentSize();
    QImage image(480, 640, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    document.drawContents(&painter, QRectF(0, 0, 480, 640));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString error;
    const std::unique_ptr<help::HelpFile> file =
        help::HelpFile::read(bytes, QStringLiteral("fuzz.chm"), &error);
    if (!file) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (!file->hasPage(file->startPage()))
        std::abort();
    size_t total = 0;
    for (const QString &name : file->names())
        total += size_t(file->content(name).size());
    std::function<void(const QList<help::HelpFile::Topic> &)> walk = [&](const auto &topics) {
        for (const help::HelpFile::Topic &topic : topics) {
            total += size_t(file->hasPage(topic.page));
            walk(topic.children);
        }
    };
    walk(file->contents());
    [[maybe_unused]] static volatile size_t seen;
    seen = total;

    show(*file, file->startPage());
    int shown = 1;
    for (const QString &name : file->names())
        if (name != file->startPage() && name.endsWith(QLatin1String(".html")) && shown++ < MaxPagesShown)
            show(*file, name);
    return 0;
}
