#include "testmain.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTest>

#include <utility>
#include <vector>

namespace kalvo::testing {

namespace {

std::vector<std::pair<const char *, TestFactory>> &registry()
{
    static std::vector<std::pair<const char *, TestFactory>> tests;
    return tests;
}

} // namespace

int registerTest(const char *name, TestFactory factory)
{
    registry().emplace_back(name, std::move(factory));
    return static_cast<int>(registry().size());
}

} // namespace kalvo::testing

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    // The program's locale, not the machine's.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // KALVO_TEST_CLASS=TestName runs that class alone, so that the options
    // after it (a function, a row) are its own.
    const QByteArray only = qgetenv("KALVO_TEST_CLASS");
    int failures = 0;
    for (auto &[name, factory] : kalvo::testing::registry()) {
        if (!only.isEmpty() && only != name)
            continue;
        auto test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
