// Feeds arbitrary bytes to the help-file reader: it must read them whole or
// refuse them with a reason, never crash, hang or read past its input.

#include "platform/help/HelpFile.h"

#include <cstdint>
#include <cstdlib>
#include <functional>

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
    return 0;
}
