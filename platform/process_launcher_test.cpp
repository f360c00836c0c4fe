#include "platform/process_launcher.h"
#include "platform/resource_paths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace corvane;

class ProcessLauncherTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    // A program that leaves a mark in its working folder.
    QString writeScript(const QString& name, QFileDevice::Permissions permissions)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return {};
        }
        file.write("#!/bin/sh\ntouch started-here\n");
        file.close();
        file.setPermissions(permissions);
        return path;
    }

private slots:
    void recognisesStartablePrograms()
    {
        QVERIFY(m_folder.isValid());
        const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const QString runnable = writeScript(QStringLiteral("Corvane"), owner | QFileDevice::ExeOwner);
        const QString plain = writeScript(QStringLiteral("notes"), owner);
        platform::ProcessLauncher launcher;
        QVERIFY(launcher.isProgram(platform::toPath(runnable)));
        QVERIFY(!launcher.isProgram(platform::toPath(plain)));
        QVERIFY(!launcher.isProgram(platform::toPath(m_folder.filePath(QStringLiteral("missing")))));
        QVERIFY(!launcher.isProgram(platform::toPath(m_folder.path())));
    }

    void startsTheProgramInItsOwnFolder()
    {
        platform::ProcessLauncher launcher;
        const QString program = m_folder.filePath(QStringLiteral("Corvane"));
        QVERIFY(launcher.startProgram(platform::toPath(program)));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_folder.filePath(QStringLiteral("started-here"))), 10000);
        QVERIFY(!launcher.startProgram(platform::toPath(m_folder.filePath(QStringLiteral("missing")))));
    }

    // Runs last: once this program is ending, no event loop runs any more, modal ones included.
    void endingStopsEveryEventLoop()
    {
        platform::ProcessLauncher launcher;
        QEventLoop modal;
        QTimer::singleShot(0, &modal, [&] { launcher.endThisProgram(); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &modal, [&] { modal.exit(1); });
        guard.start(10000);
        QCOMPARE(modal.exec(), 0);
        QEventLoop later;
        QCOMPARE(later.exec(), -1); // returns at once
    }
};

QTEST_GUILESS_MAIN(ProcessLauncherTest)
#include "process_launcher_test.moc"
