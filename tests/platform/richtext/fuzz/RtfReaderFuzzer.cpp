// Feeds arbitrary bytes to the RTF reader, then writes what it read and reads
// that again: neither step may crash, hang or read past its input, and the
// second reading must give the same text.

#include "platform/richtext/RtfWriter.h"
#include "tests/platform/richtext/fuzz/FuzzedRtf.h"

#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument first;
    readFuzzedRtf(data, size, first);

    const QByteArray written = richtext::RtfWriter::write(first);
    QTextDocument second;
    QTextCursor again(&second);
    richtext::RtfReader::read(QString::fromLatin1(written), again);
    if (second.toRawText() != first.toRawText())
        std::abort();
    return 0;
}
