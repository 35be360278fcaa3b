#pragma once

// What both RTF fuzz targets share: an offscreen application (one with
// widgets, for the box), and the input read as the box reads a stored entry.
// Included by one file of each target.

#include "platform/richtext/RtfReader.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt's input devices, registered after it, would be
    // gone before it deletes them at exit.
    static const QApplication *app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    return 0;
}

inline void readFuzzedRtf(const uint8_t *data, size_t size, QTextDocument &doc)
{
    QTextCursor cursor(&doc);
    richtext::RtfReader::read(
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), cursor);
}
