#pragma once

#include <QApplication>
#include <QTest>

namespace testsupport
{

// Fixes what every test relies on: German locale, 15 twips per pixel, the
// offscreen platform, a registry file of its own in a temporary folder.
void prepareTestEnvironment();

} // namespace testsupport

// A test's main on the application object of class Application: the diary's
// own (rt::Application) where a test needs what it does to every event.
#define KV_TEST_MAIN_ON(TestClass, Application)                                                              \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        testsupport::prepareTestEnvironment();                                                               \
        Application app(argc, argv);                                                                         \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

#define KV_TEST_MAIN(TestClass) KV_TEST_MAIN_ON(TestClass, QApplication)
