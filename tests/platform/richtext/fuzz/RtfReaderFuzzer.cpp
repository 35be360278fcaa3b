// Feeds arbitrary bytes to the RTF reader, then writes what it read and reads
// that again: neither step may crash, hang or read past its input, and the
// second reading must give the same text.

#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString rtf =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QTextDocument first;
    QTextCursor cursor(&first);
    richtext::RtfReader::read(rtf, cursor);

    const QByteArray written = richtext::RtfWriter::write(first);
    QTextDocument second;
    QTextCursor again(&second);
    richtext::RtfReader::read(QString::fromLatin1(written), again);
    if (second.toRawText() != first.toRawText())
        std::abort();
    return 0;
}
