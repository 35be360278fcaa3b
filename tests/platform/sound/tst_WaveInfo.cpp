#include "platform/sound/WaveInfo.h"
#include "tests/support/TestMain.h"

#include <QtEndian>

namespace
{

QByteArray le32(uint32_t v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(uint16_t v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk; declared, when given, is the size its header claims.
QByteArray chunk(const char *tag, const QByteArray &body, qint64 declared = -1)
{
    QByteArray c = QByteArray(tag, 4) + le32(uint32_t(declared < 0 ? body.size() : declared)) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    const uint16_t align = uint16_t(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

QByteArray riff(const QByteArray &chunks, int sizeAdjust = 0)
{
    return "RIFF" + le32(uint32_t(chunks.size() + 4 + sizeAdjust)) + "WAVE" + chunks;
}

} // namespace

class TestWaveInfo : public QObject
{
    Q_OBJECT
private slots:
    void parsesFormatAndData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("dataOffset");
        QTest::addColumn<int>("dataSize");

        QTest::newRow("plain 8 bit") << riff(chunk("fmt ", fmt(1, 1, 11025, 8)) +
                                             chunk("data", QByteArray(10, 'x')))
                                     << 11025 << 8 << 44 << 10;
        // An odd chunk before the samples is padded to an even length.
        QTest::newRow("odd chunk skipped with its pad byte")
            << riff(chunk("fmt ", fmt(1, 1, 22050, 16)) + chunk("LIST", QByteArray(3, 'l')) +
                    chunk("data", QByteArray(4, 'x')))
            << 22050 << 16 << 56 << 4;
        QTest::newRow("longer format chunk")
            << riff(chunk("fmt ", fmt(1, 1, 8000, 8) + le16(0)) + chunk("data", QByteArray(2, 'x'))) << 8000
            << 8 << 46 << 2;
        QTest::newRow("trailing bytes beyond the RIFF size are ignored")
            << riff(chunk("fmt ", fmt(1, 1, 11025, 8)) + chunk("data", QByteArray(2, 'x'))) +
                   QByteArray(5, 'z')
            << 11025 << 8 << 44 << 2;
    }

    void parsesFormatAndData()
    {
        QFETCH(QByteArray, bytes);
        const auto info = sound::WaveInfo::parse(bytes);
        QVERIFY(info);
        QVERIFY(info->isPcm());
        QCOMPARE(info->channels, 1);
        QTEST(int(info->sampleRate), "rate");
        QTEST(int(info->bitsPerSample), "bits");
        QTEST(int(info->dataOffset), "dataOffset");
        QTEST(int(info->dataSize), "dataSize");
    }

    void rejectsWhatIsNoWholeWaveFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray format = chunk("fmt ", fmt(1, 1, 11025, 8));
        const QByteArray data = chunk("data", QByteArray(8, 'x'));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("RIFF");
        QTest::newRow("not RIFF") << QByteArray("RIFX") + riff(format + data).mid(4);
        QTest::newRow("not WAVE") << riff(format + data).replace(8, 4, "AVI ");
        QTest::newRow("RIFF size beyond the bytes") << riff(format + data, 2);
        QTest::newRow("data chunk beyond the file") << riff(format + chunk("data", QByteArray(8, 'x'), 9));
        QTest::newRow("chunk size near 4 GiB")
            << riff(format + chunk("data", QByteArray(8, 'x'), 0xFFFFFFFE));
        QTest::newRow("data before format") << riff(data + format);
        QTest::newRow("no data chunk") << riff(format);
        QTest::newRow("format chunk too short") << riff(chunk("fmt ", fmt(1, 1, 11025, 8).left(14)) + data);
        QTest::newRow("no channels") << riff(chunk("fmt ", fmt(1, 0, 11025, 8)) + data);
        QTest::newRow("no sample rate") << riff(chunk("fmt ", fmt(1, 1, 0, 8)) + data);
        QTest::newRow("cut in a chunk header") << riff(format + QByteArray("dat"));
    }

    void rejectsWhatIsNoWholeWaveFile()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!sound::WaveInfo::parse(bytes));
    }
};

KV_TEST_MAIN(TestWaveInfo)
#include "tst_WaveInfo.moc"
