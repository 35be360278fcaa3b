#include "controls/foundation/ResData.h"
#include "platform/com/AutomationError.h"
#include "platform/sound/WaveInfo.h"
#include "tests/support/TestMain.h"

#include <QFile>

using namespace ostrevo;
using com::Variant;

Q_DECLARE_METATYPE(com::Variant)

class TestWaveResources : public QObject
{
    Q_OBJECT
private slots:
    void eachIsACompletePcmFileOfItsFormat_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::newRow("101") << 101 << 890 << 11025 << 8;
        QTest::newRow("102") << 102 << 17132 << 22050 << 16;
        QTest::newRow("103") << 103 << 8864 << 11025 << 8;
        QTest::newRow("104") << 104 << 4566 << 11025 << 8;
        QTest::newRow("105") << 105 << 1758 << 11025 << 8;
        QTest::newRow("106") << 106 << 1576 << 11025 << 8;
    }

    void eachIsACompletePcmFileOfItsFormat()
    {
        QFETCH(int, id);
        QFETCH(int, bytes);
        QFETCH(int, bits);
        const QByteArray data = LoadResData(Variant::fromInteger(int16_t(id)), Variant("WAVE"));
        QCOMPARE(data.size(), bytes);
        const auto info = sound::WaveInfo::parse(data);
        QVERIFY(info);
        QVERIFY(info->isPcm());
        QCOMPARE(int(info->channels), 1);
        QTEST(int(info->sampleRate), "rate");
        QCOMPARE(int(info->bitsPerSample), bits);
        QCOMPARE(int(info->blockAlign), bits / 8);
        QCOMPARE(info->byteRate, info->sampleRate * info->blockAlign);
        QCOMPARE(int(info->riffSize), bytes - 8);
        // The samples fill the file to its end, in whole samples.
        QCOMPARE(int(info->dataOffset + info->dataSize), bytes);
        QCOMPARE(int(info->dataSize % info->blockAlign), 0);
    }

    void eachHoldsAnAudibleSound()
    {
        for (int id = 101; id <= 106; ++id) {
            const QByteArray data = LoadResData(Variant::fromInteger(int16_t(id)), Variant("WAVE"));
            const auto info = sound::WaveInfo::parse(data);
            QVERIFY(info);
            int peak = 0;
            for (uint32_t at = info->dataOffset; at + 1 < info->dataOffset + info->dataSize;
                 at += info->blockAlign) {
                const int sample = info->bitsPerSample == 8
                                       ? (uint8_t(data[at]) - 128) * 256
                                       : int16_t(uint8_t(data[at]) | uint8_t(data[at + 1]) << 8);
                peak = std::max(peak, std::abs(sample));
            }
            QVERIFY2(peak > 8000, qPrintable(QString::number(id)));
        }
    }

    void resourcesAreFoundByNumberOrName_data()
    {
        QTest::addColumn<Variant>("id");
        QTest::addColumn<Variant>("type");
        QTest::newRow("16-bit") << Variant::fromInteger(101) << Variant("WAVE");
        QTest::newRow("32-bit") << Variant::fromLong(101) << Variant("WAVE");
        QTest::newRow("number as name") << Variant("#101") << Variant("WAVE");
        QTest::newRow("type in small letters") << Variant::fromInteger(101) << Variant("wave");
    }

    void resourcesAreFoundByNumberOrName()
    {
        QFETCH(Variant, id);
        QFETCH(Variant, type);
        QCOMPARE(LoadResData(id, type).size(), 890);
    }

    void missingResourcesRaise326_data()
    {
        QTest::addColumn<Variant>("id");
        QTest::addColumn<Variant>("type");
        QTest::newRow("no such id") << Variant::fromInteger(999) << Variant("WAVE");
        QTest::newRow("next to the last") << Variant::fromInteger(107) << Variant("WAVE");
        QTest::newRow("zero") << Variant::fromInteger(0) << Variant("WAVE");
        QTest::newRow("negative") << Variant::fromInteger(-101) << Variant("WAVE");
        QTest::newRow("other type") << Variant::fromInteger(101) << Variant("ICON");
        QTest::newRow("numeric type") << Variant::fromInteger(101) << Variant::fromInteger(10);
        QTest::newRow("unknown name") << Variant("CLICK") << Variant("WAVE");
    }

    void missingResourcesRaise326()
    {
        QFETCH(Variant, id);
        QFETCH(Variant, type);
        try {
            LoadResData(id, type);
            QFAIL("no error");
        } catch (const com::AutomationError &error) {
            QCOMPARE(error.number(), 326);
        }
    }
};

KV_TEST_MAIN(TestWaveResources)
#include "tst_WaveResources.moc"
