#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

// With KALVO_SEED_FOLDER set (make fuzz), every file a reader's test builds
// is also kept there under its test row's name: the fuzzer's seed corpus.
inline void keepAsSeed(const QByteArray &bytes)
{
    const QString folder = qEnvironmentVariable("KALVO_SEED_FOLDER");
    if (folder.isEmpty())
        return;
    QString name = QStringLiteral("%1-%2").arg(QString::fromLatin1(QTest::currentTestFunction()),
                                               QString::fromLatin1(QTest::currentDataTag()));
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
    QFile seed(QDir(folder).filePath(name));
    QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write(bytes) == bytes.size());
}
