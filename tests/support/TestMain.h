#pragma once

#include <QApplication>
#include <QTest>

namespace testsupport
{

// Fixes what every test relies on: German locale, 15 twips per pixel, the
// offscreen platform, a registry file of its own in a temporary folder.
void prepareTestEnvironment();

} // namespace testsupport

#define KV_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        testsupport::prepareTestEnvironment();                                                               \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
