// Corvane as it starts, with the radio commands over the programming link, against the
// in-process virtual radio ("virtual") on the event loop: whole reads and writes through the
// menu with their real message boxes and the modal progress window, the radio-information
// window, the port dialog and the status bar, one operation at a time, and the identity bits that
// "Setting.ini" keeps at exit. The virtual radio keeps its memory in the test's own folder.

#include "app/widgets/link_radio_commands.h"
#include "app/widgets/startup.h"
#include "features/embedded_information_view.h"
#include "link/widgets/password_dialog.h"
#include "link/widgets/port_dialog.h"
#include "model/document_files.h"
#include "model/new_document.h"
#include "model/profile_file.h"
#include "platform/resource_paths.h"
#include "platform/widgets/help_viewer.h"
#include "platform/window_geometry_store.h"
#include "testsupport/qt/isolated_user_folders.h"
#include "testsupport/qt/modal_script.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

using namespace corvane;
using features::emg::InfoField;
using testing::ModalAnswerer;
using testing::ModalScript;

namespace {

constexpr int kOperationTimeoutMs = 30000;
constexpr const char* kProgressWindow = "corvane::link::ProgressWindow";

// The save dialog answered with prepared paths; the presets it was opened with are kept.
class SaveAnswers : public platform::FileChooser
{
public:
    std::deque<QString> toSave;
    QStringList presets;

    std::optional<QString> chooseFileToOpen(QWidget*, const platform::FileDialogTexts&, const QString&) override
    {
        QTest::qFail("unexpected open dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    std::optional<QString> chooseFileToSave(QWidget*, const platform::FileDialogTexts&, const QString& preset) override
    {
        presets << QFileInfo(preset).fileName();
        if (toSave.empty()) {
            QTest::qFail("unexpected save dialog", __FILE__, __LINE__);
            return std::nullopt;
        }
        const QString answer = toSave.front();
        toSave.pop_front();
        return answer;
    }
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A run of Corvane over a temporary user folder, its main window shown, its port as configured
// in "mysetup.ini" (none: the resource folder's default).
struct Corvane
{
    explicit Corvane(const char* comPort = "virtual")
    {
        paths = {platform::resourceFolder(), platform::toPath(user.path())};
        memoryFile = platform::toPath(user.filePath(QStringLiteral("virtual-radio.bin")));
        if (comPort) {
            QDir(user.path()).mkpath(QStringLiteral("language"));
            model::writeIniString(paths.setupFile(), "language", "comPort", comPort);
        }
        app::StartupSeams seams;
        seams.portCheck = [](const std::string& configured) { return configured; };
        seams.editors.children[app::ChildKind::ChannelGrid] = [](app::MainWindow&) {
            auto* grid = new QWidget;
            grid->setWindowTitle(QStringLiteral("Channel Information"));
            return grid;
        };
        auto answers = std::make_unique<SaveAnswers>();
        files = answers.get();
        seams.files = std::move(answers);
        seams.radioCommands = [this](app::AppState& state) {
            auto made = std::make_unique<app::LinkRadioCommands>(state, paths, memoryFile);
            commands = made.get();
            return made;
        };
        seams.splashMilliseconds = 60000;
        run = app::startup(paths, false, std::move(seams));
        run->splash->close();
        window().show();
        window().activateWindow();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window());
    }

    app::MainWindow& window() { return *run->mainWindow; }
    app::AppState& state() { return run->state; }
    sim::VirtualRadio& radio() { return commands->port().virtualRadio(); }
    void trigger(std::string_view item) { window().menuAction(item)->trigger(); }
    QString userFile(const QString& name) const { return user.filePath(name); }

    QTemporaryDir user;
    app::SettingsPaths paths;
    std::filesystem::path memoryFile;
    SaveAnswers* files = nullptr;
    app::LinkRadioCommands* commands = nullptr;
    std::unique_ptr<app::CorvaneRun> run;
};

QString fileTitle(const QString& name)
{
    return QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:%1]").arg(name);
}

} // namespace

class LinkRadioCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { platform::writeMainWindowGeometry({}); }

    void aReadThroughTheMenuGivesANewUntitledDocument();
    void aWriteThroughTheMenuPutsTheDocumentIntoTheRadio();
    void localMessageShowsTheRadioInformationWhileOtherCommandsWait();
    void aNewDocumentEndsARunningInformationRead();
    void setComChangesThePortPanel();
    void passwordEnteredThroughTheMenuOpensAProtectedRadio();
};

void LinkRadioCommandsTest::aReadThroughTheMenuGivesANewUntitledDocument()
{
    Corvane corvane;
    app::MainWindow& window = corvane.window();
    // The document has a name of its own before the read.
    corvane.files->toSave.push_back(corvane.userFile(QStringLiteral("before.dat")));
    corvane.trigger("mnuFileSaveAs");
    QCOMPARE(window.windowTitle(), fileTitle(QStringLiteral("before.dat")));

    corvane.radio().identity().stunned = true; // a read does not mind; "Setting.ini" keeps it
    ModalScript script;
    script.message(QStringLiteral("Read data from radio.")).watch(kProgressWindow);
    script.message(QStringLiteral("Read Data Completed."));
    corvane.trigger("mnuReadFromRadio"); // returns once the read is over: the progress window is modal
    QTRY_VERIFY_WITH_TIMEOUT(script.done() && !corvane.commands->isBusy(), kOperationTimeoutMs);
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(script.seen(), (QStringList{QStringLiteral("Read data from radio.\nDo you wish continue?"),
                                         QString::fromLatin1(kProgressWindow),
                                         QStringLiteral("Read Data Completed.")}));
    QCOMPARE(corvane.commands->operations().lastResult(), link::OperationResult::Succeeded);

    // The radio's one channel, in a new untitled document shown in the channel grid.
    const model::ConfigDocument& document = corvane.state().model.document;
    QCOMPARE(document.channelCount, model::Integer(1));
    QCOMPARE(document.channels[0].rxFreq.value(), std::string("43500000"));
    QVERIFY(corvane.state().model.isUntitled);
    QCOMPARE(window.windowTitle(), fileTitle(QStringLiteral("new.dat")));
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));
    QVERIFY(!corvane.commands->port().isOpen());

    // Save asks for a name rather than overwriting "before.dat".
    corvane.files->toSave.push_back(corvane.userFile(QStringLiteral("read.dat")));
    corvane.trigger("mnuFileSave");
    QCOMPARE(corvane.files->presets.last(), QStringLiteral("new.dat"));
    QCOMPARE(window.windowTitle(), fileTitle(QStringLiteral("read.dat")));
    QCOMPARE(readFile(corvane.userFile(QStringLiteral("read.dat"))).size(), 2019);

    // Exit: the status bits of the radio's identity reply go into "Setting.ini".
    window.close();
    QVERIFY(!window.isVisible());
    const QByteArray record = readFile(corvane.userFile(QStringLiteral("Setting.ini")));
    QCOMPARE(record.size(), 16);
    QCOMPARE(record.mid(12), QByteArray("\x01\x00\x00\x00", 4)); // stunned, not killed
}

void LinkRadioCommandsTest::aWriteThroughTheMenuPutsTheDocumentIntoTheRadio()
{
    Corvane corvane;
    model::appendChannelEntry(corvane.state().model.document, 5, "43700000", "43712500");
    ModalScript script;
    script.message(QStringLiteral("Write data to radio.")).watch(kProgressWindow);
    script.message(QStringLiteral("Write Data Completed."));
    corvane.trigger("mnuWriteToRadio"); // the write starts 100 ms later
    QVERIFY(corvane.commands->isBusy());
    corvane.trigger("mnuReadFromRadio"); // refused: one operation at a time
    QTRY_VERIFY_WITH_TIMEOUT(script.done() && !corvane.commands->isBusy(), kOperationTimeoutMs);
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(script.seen().size(), 3);
    QCOMPARE(corvane.commands->operations().lastResult(), link::OperationResult::Succeeded);

    // Channel 5 in its slot, big-endian hertz: 437.00000 MHz receive, 437.12500 MHz transmit.
    const sim::RadioMemory& memory = corvane.radio().memory();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(memory.data() + 0x50), 8),
             QByteArray("\x1A\x0C\x17\x40\x1A\x0D\xFF\x88", 8));
    // ... and in the virtual radio's memory file of this run, nowhere else.
    const QByteArray stored = readFile(platform::toQString(corvane.memoryFile));
    QCOMPARE(stored.size(), 1024);
    QCOMPARE(stored.mid(0x50, 8), QByteArray("\x1A\x0C\x17\x40\x1A\x0D\xFF\x88", 8));
    // A write leaves the document's name alone.
    QCOMPARE(corvane.window().windowTitle(), fileTitle(QStringLiteral("new.dat")));
}

void LinkRadioCommandsTest::localMessageShowsTheRadioInformationWhileOtherCommandsWait()
{
    Corvane corvane;
    sim::RadioMemory& memory = corvane.radio().memory();
    const char serial[16] = {'8', '7', '6', '5', '4', '3', '2', '1', 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    std::copy(serial, serial + 16, memory.begin() + 0x1C0);
    memory[0x1B6] = 0; // the information block's band

    QMap<InfoField, QString> shown;
    QString title;
    bool helpAt3800 = false;
    ModalScript script;
    script.window("corvane::features::FrmEMG", [&](QWidget* modal) {
        auto* view = static_cast<features::FrmEMG*>(modal);
        title = view->windowTitle();
        for (const auto& row : features::emg::kFieldTable) {
            shown[row.field] = view->fieldText(row.field);
        }
        QTest::mouseClick(view->helpButton(), Qt::LeftButton);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* help = qobject_cast<platform::HelpWindow*>(top); help && help->isVisible()) {
                helpAt3800 = help->topic() == 3800;
                help->close();
            }
        }
        view->closeButton()->click();
    });
    corvane.trigger("mnuEMG");
    // No modal window holds the main window during the information read: its commands wait.
    QVERIFY(corvane.commands->isBusy());
    corvane.trigger("mnuReadFromRadio");
    corvane.trigger("mnuWriteToRadio");
    corvane.trigger("mnuComm");
    corvane.trigger("MnuProPassWord");
    QTRY_VERIFY_WITH_TIMEOUT(script.done() && !corvane.commands->isBusy(), kOperationTimeoutMs);
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(script.seen(), QStringList{QStringLiteral("corvane::features::FrmEMG")});
    QCOMPARE(corvane.commands->operations().lastResult(), link::OperationResult::Succeeded);

    QCOMPARE(title, QStringLiteral("Embedded Message"));
    QCOMPARE(shown[InfoField::SerialNumber], QStringLiteral("87654321"));
    QCOMPARE(shown[InfoField::Band], QStringLiteral("136 - 174 MHz"));
    QCOMPARE(shown[InfoField::RadioType], QStringLiteral("ZT740-16"));
    QCOMPARE(shown[InfoField::BatchCode], QStringLiteral("01-1-E-1"));
    QCOMPARE(shown[InfoField::ProductionDate], QStringLiteral("2024-01-01"));
    QVERIFY(helpAt3800);
    // The information read changes nothing of the document.
    QCOMPARE(corvane.state().model.document.channelCount, model::Integer(0));
    QVERIFY(!model::documentChanged(corvane.state().model));
}

void LinkRadioCommandsTest::aNewDocumentEndsARunningInformationRead()
{
    Corvane corvane;
    ModalScript script;
    corvane.trigger("mnuEMG");
    QVERIFY(corvane.commands->isBusy());
    QVERIFY(corvane.commands->port().isOpen());
    // The toolbar's New on an unchanged document asks nothing: the link goes back to idle at once.
    corvane.window().toolbarAction("新建")->trigger();
    QVERIFY(!corvane.commands->isBusy());
    QVERIFY(!corvane.commands->port().isOpen());
    // Nothing of the abandoned read turns up later; the next one runs from the start.
    script.window("corvane::features::FrmEMG", ModalAnswerer::accept());
    corvane.trigger("mnuEMG");
    QTRY_VERIFY_WITH_TIMEOUT(script.done() && !corvane.commands->isBusy(), kOperationTimeoutMs);
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(script.seen().size(), 1);
}

void LinkRadioCommandsTest::setComChangesThePortPanel()
{
    Corvane corvane(nullptr);
    const QString before = corvane.window().portPanel()->text();
    QVERIFY(before != QStringLiteral("COM virtual radio"));
    ModalScript script;
    script.window("corvane::link::PortDialog", [](QWidget* modal) {
        auto* dialog = static_cast<link::PortDialog*>(modal);
        QComboBox* list = dialog->portList();
        list->setCurrentIndex(list->findData(QStringLiteral("virtual")));
        ModalAnswerer::clickButton(QStringLiteral("OK"))(dialog);
    });
    corvane.trigger("mnuComm");
    QVERIFY(script.done());
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(corvane.state().comPort, std::string("virtual"));
    QCOMPARE(corvane.window().portPanel()->text(), QStringLiteral("COM virtual radio"));
    QCOMPARE(model::readIniString(corvane.paths.setupFile(), "language", "comPort"), std::string("virtual"));
}

void LinkRadioCommandsTest::passwordEnteredThroughTheMenuOpensAProtectedRadio()
{
    Corvane corvane;
    corvane.radio().setPassword("7a");
    ModalScript script;
    script.window("corvane::link::PasswordDialog", [](QWidget* modal) {
        static_cast<link::PasswordDialog*>(modal)->field()->setText(QStringLiteral("7a"));
        ModalAnswerer::clickButton(QStringLiteral("OK"))(modal);
    });
    corvane.trigger("MnuProPassWord");
    QCOMPARE(corvane.state().link.enteredPassword, std::string("7a"));
    // The read then goes through without the dialog.
    script.message(QStringLiteral("Read data from radio.")).watch(kProgressWindow);
    script.message(QStringLiteral("Read Data Completed."));
    corvane.trigger("mnuReadFromRadio");
    QTRY_VERIFY_WITH_TIMEOUT(script.done() && !corvane.commands->isBusy(), kOperationTimeoutMs);
    QCOMPARE(script.errors(), QStringList());
    QCOMPARE(corvane.commands->operations().lastResult(), link::OperationResult::Succeeded);
}

int main(int argc, char* argv[])
{
    const testing::IsolatedUserFolders userFolders;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    LinkRadioCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "link_radio_commands_test.moc"
