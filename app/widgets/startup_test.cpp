// The start of Corvane over a temporary user folder: the settings files read and written in
// their order, the new document, the splash that shows the main window exactly once, and what
// closing the main window leaves behind.

#include "app/widgets/startup.h"
#include "model/profile_file.h"
#include "platform/resource_paths.h"
#include "platform/window_geometry_store.h"
#include "testsupport/qt/isolated_user_folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Start
{
    explicit Start(bool chineseStart = false, int splashMs = 60000)
    {
        paths = {platform::resourceFolder(), platform::toPath(user.path())};
        seams.portCheck = [](const std::string& configured) {
            return configured == "7" ? std::string("1") : configured; // COM7 is gone; COM1 is listed
        };
        seams.editors.children[app::ChildKind::ChannelGrid] = [](app::MainWindow&) {
            auto* grid = new QWidget;
            grid->setWindowTitle(QStringLiteral("Channel Information"));
            return grid;
        };
        seams.splashMilliseconds = splashMs;
        chinese = chineseStart;
    }
    void run() { corvane = app::startup(paths, chinese, std::move(seams)); }
    QString userFile(const char* name) const { return user.filePath(QString::fromUtf8(name)); }

    QTemporaryDir user;
    app::SettingsPaths paths;
    app::StartupSeams seams;
    bool chinese = false;
    std::unique_ptr<app::CorvaneRun> corvane;
};

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { platform::writeMainWindowGeometry({}); }

    void startsInItsOrderAndShowsTheMainWindowOnce()
    {
        Start start;
        QVERIFY(QDir(start.user.path()).mkpath(QStringLiteral("language")));
        writeFile(start.userFile("language/mysetup.ini"), "[language]\r\nIsFirstRun=True\r\ncomPort=7\r\n");
        writeFile(start.userFile("Setting.ini"),
                  QByteArray("\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x01\x00", 16));
        start.run();
        app::CorvaneRun& run = *start.corvane;

        const auto setup = start.paths.setupFile();
        QCOMPARE(model::readIniString(setup, "language", "IsFirstRun"), std::string("0"));
        QCOMPARE(model::readIniString(setup, "language", "comPort"), std::string("1"));
        QCOMPARE(run.state.comPort, std::string("1"));
        QCOMPARE(run.state.model.radioInfo.infoFlags, (std::array<model::Integer, 3>{1, 1, 0}));
        QVERIFY(run.state.model.isUntitled);
        QVERIFY(!run.state.model.suppressRangeWarnings);
        QVERIFY(!run.versions.firmPairs.empty());

        QVERIFY(run.splash->isVisible());
        QVERIFY(!run.mainWindow->isVisible());
        QCOMPARE(run.mainWindow->windowTitle(),
                 QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:new.dat]"));
        QVERIFY(run.mainWindow->childWindow(app::ChildKind::ChannelGrid));

        QTest::mouseClick(run.splash.get(), Qt::LeftButton);
        QVERIFY(!run.splash->isVisible());
        QVERIFY(run.mainWindow->isVisible());
        QCOMPARE(run.mainWindowShown, 1);

        // Closing stores the window and the record: the flags, three zeros, the identity bits.
        run.mainWindow->move(150, 90);
        run.mainWindow->close();
        QCOMPARE(readFile(start.userFile("Setting.ini")),
                 QByteArray("\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16));
        QCOMPARE(platform::readMainWindowGeometry().left, 150 * 1440 / run.mainWindow->logicalDpiX());
    }

    void timerOrClickWhicheverComesFirst()
    {
        Start start(false, 1);
        start.run();
        app::CorvaneRun& run = *start.corvane;
        QTRY_VERIFY(run.mainWindow->isVisible());
        QVERIFY(!run.splash->isVisible());
        QTest::mouseClick(run.splash.get(), Qt::LeftButton); // too late: nothing more happens
        QCOMPARE(run.mainWindowShown, 1);
    }

    void missingSettingsFilesStartWithDefaults()
    {
        Start start;
        start.run();
        app::CorvaneRun& run = *start.corvane;
        QCOMPARE(run.state.comPort, std::string());
        QCOMPARE(model::readIniString(start.paths.setupFile(), "language", "comPort"), std::string("0"));
        QCOMPARE(model::readIniString(start.paths.setupFile(), "language", "IsFirstRun"), std::string("0"));
        QCOMPARE(run.state.model.radioInfo.infoFlags, (std::array<model::Integer, 3>{0, 0, 0}));
        QCOMPARE(run.mainWindow->portPanel()->text(), QStringLiteral("COM0"));
    }

    void chineseStart()
    {
        Start start(true);
        start.run();
        app::CorvaneRun& run = *start.corvane;
        QCOMPARE(run.state.language.language, model::Language::Chinese);
        QVERIFY(run.state.language.helpFileAttached);
        QCOMPARE(app::splashPicture(start.paths.resourceFolder, model::Language::Chinese).filename().string(),
                 std::string("StartC.jpg"));
        QVERIFY(!run.splash->pixmap().isNull()); // the picture drawn at build time
        QCOMPARE(run.mainWindow->windowTitle(),
                 QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][文件名:new.dat]"));
    }
};

int main(int argc, char* argv[])
{
    const testing::IsolatedUserFolders userFolders;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
