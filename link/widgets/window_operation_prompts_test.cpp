// Whole operations in the windows: the step machine with the real modal progress window, message
// boxes and password dialog, against the virtual radio on the event loop's clock (answering at
// once, so a full read takes a fraction of a second). Proves that the operation runs inside the
// progress window's modal loop and that the window closes before the completion message.

#include "link/operations.h"
#include "link/widgets/password_dialog.h"
#include "link/widgets/progress_window.h"
#include "link/widgets/window_operation_prompts.h"
#include "model/new_document.h"
#include "platform/qt_clock.h"
#include "simulator/simulated_port.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace corvane;

namespace {

class FakeLauncher : public model::ProgramLauncher
{
public:
    bool isProgram(const std::filesystem::path&) const override { return false; }
    bool startProgram(const std::filesystem::path&) override { return false; }
    void endThisProgram() override {}
};

class Shell : public link::OperationShell
{
public:
    explicit Shell(model::Prompts& prompts) : m_prompts(prompts) { m_versions.firmPairs = {{"Z300", "Z300"}}; }
    std::string portId() override { return "virtual"; }
    void showReadDocument() override { ++documentsShown; }
    model::HandOverContext handOverContext() override
    {
        return {m_prompts, model::Language::English, m_versions, [](int) { return std::string(); }, m_launcher, {}, {},
                {}};
    }
    int documentsShown = 0;

private:
    model::Prompts& m_prompts;
    model::VersionTable m_versions;
    FakeLauncher m_launcher;
};

// Answers every modal window that comes up: message boxes with the next scripted caption, the
// password dialog with the next scripted entry; the progress window is only watched.
class Answerer : public QObject
{
public:
    Answerer(QStringList buttons, QStringList passwords, link::WindowOperationPrompts& prompts)
        : m_buttons(std::move(buttons)), m_passwords(std::move(passwords)), m_prompts(prompts)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
        m_timer.start();
    }

    QStringList boxes;
    bool progressOpenDuringCompletion = false;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        if (qobject_cast<link::ProgressWindow*>(modal) != nullptr) {
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->text();
            if (box->text().contains(QStringLiteral("Completed"))) {
                progressOpenDuringCompletion = m_prompts.progressWindow() != nullptr &&
                                               m_prompts.progressWindow()->isVisible();
            }
            const QString caption = m_buttons.isEmpty() ? QStringLiteral("&OK") : m_buttons.takeFirst();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == caption) {
                    button->click();
                    return;
                }
            }
            box->reject();
            return;
        }
        if (auto* dialog = qobject_cast<link::PasswordDialog*>(modal)) {
            boxes << QStringLiteral("[password]");
            dialog->field()->setText(m_passwords.isEmpty() ? QString() : m_passwords.takeFirst());
            dialog->okButton()->click();
        }
    }

    QStringList m_buttons;
    QStringList m_passwords;
    link::WindowOperationPrompts& m_prompts;
    QTimer m_timer;
};

// The simulated port, noting for every frame the PC sends whether the progress window was the
// modal window at that moment.
class WatchedPort : public link::SerialPort
{
public:
    explicit WatchedPort(sim::SimulatedPort& inner) : m_inner(inner) {}

    bool open(const link::LinkSettings& settings) override { return m_inner.open(settings); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void write(std::span<const std::uint8_t> bytes) override
    {
        const bool underProgress = qobject_cast<link::ProgressWindow*>(QApplication::activeModalWidget()) != nullptr;
        ++(underProgress ? framesUnderProgress : framesElsewhere);
        m_inner.write(bytes);
    }
    void clearInput() override { m_inner.clearInput(); }
    void clearOutput() override { m_inner.clearOutput(); }
    std::size_t bytesWaiting() const override { return m_inner.bytesWaiting(); }
    link::Bytes readAll() override { return m_inner.readAll(); }
    void setReceiveThreshold(std::size_t threshold) override { m_inner.setReceiveThreshold(threshold); }
    std::size_t receiveThreshold() const override { return m_inner.receiveThreshold(); }
    void setListener(link::SerialPortListener* listener) override { m_inner.setListener(listener); }

    int framesUnderProgress = 0;
    int framesElsewhere = 0;

private:
    sim::SimulatedPort& m_inner;
};

const model::FixedDateSource kNewDocumentDate({2026, 1, 1});

model::ModelState documentWithAChannel()
{
    model::ModelState state;
    model::newDocument(state, {kNewDocumentDate, model::Language::English, {}});
    model::refreshRadioType(state.document.radioType, state.currentModel);
    model::appendChannelEntry(state.document, 4, "43700000", "43700000");
    return state;
}

// Everything an operation needs, on the event loop.
struct WindowBench
{
    WindowBench() : radio({}, {}, instantRadio()) {}
    static sim::RadioTiming instantRadio()
    {
        sim::RadioTiming timing;
        timing.turnaround = link::Milliseconds(0);
        timing.perByte = link::Milliseconds(0);
        return timing;
    }

    platform::QtClock clock;
    sim::VirtualRadio radio;
    sim::SimulatedPort simulated{radio, clock};
    WatchedPort port{simulated};
    model::ModelState model = documentWithAChannel();
    model::LanguageState language;
    link::RadioLinkState link;
    link::WindowOperationPrompts prompts{[this] { return language.language; }, [] { return nullptr; }};
    link::LinkSession session{port, clock, model.radioImage, prompts};
    Shell shell{prompts};
    link::RadioOperations ops{model, language, link, session, clock, prompts, shell};
};

} // namespace

class WindowOperationPromptsTest : public QObject
{
    Q_OBJECT

private slots:
    void aReadRunsInsideTheModalProgressWindow();
    void aWriteWithThePasswordDialogRestartsAndCompletes();
};

void WindowOperationPromptsTest::aReadRunsInsideTheModalProgressWindow()
{
    WindowBench bench;
    bench.radio.memory()[0x160] = 'H'; // embedded message line 1
    Answerer answerer({}, {}, bench.prompts);
    QVERIFY(bench.ops.startRead()); // returns once the progress window has closed again
    QCOMPARE(answerer.boxes,
             (QStringList{QStringLiteral("Read data from radio.\nDo you wish continue?"),
                          QStringLiteral("Read Data Completed.")}));
    // Every frame went out while the progress window was the modal window: 5 + 2 x 58 + 1.
    QCOMPARE(bench.port.framesUnderProgress, 122);
    QCOMPARE(bench.port.framesElsewhere, 0);
    QVERIFY(!answerer.progressOpenDuringCompletion);
    QCOMPARE(bench.ops.lastResult(), link::OperationResult::Succeeded);
    QCOMPARE(bench.shell.documentsShown, 1);
    QCOMPARE(bench.model.document.settings.embeddedMessage1.value().substr(0, 1), std::string("H"));
    QVERIFY(!bench.port.isOpen());
    QVERIFY(!bench.ops.isBusy());
    QVERIFY(bench.prompts.progressWindow() == nullptr);
}

void WindowOperationPromptsTest::aWriteWithThePasswordDialogRestartsAndCompletes()
{
    WindowBench bench;
    bench.radio.setPassword("12");
    Answerer answerer({}, {QStringLiteral("12")}, bench.prompts);
    QVERIFY(bench.ops.startWrite()); // the write itself starts 100 ms later
    QVERIFY(bench.ops.isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!bench.ops.isBusy() && answerer.boxes.size() == 3, 20000);
    QCOMPARE(answerer.boxes, (QStringList{QStringLiteral("Write data to radio.\nDo you wish continue?"),
                                          QStringLiteral("[password]"), QStringLiteral("Write Data Completed.")}));
    QCOMPARE(bench.ops.lastResult(), link::OperationResult::Succeeded);
    QCOMPARE(bench.port.framesElsewhere, 0);
    QVERIFY(!answerer.progressOpenDuringCompletion);
    QCOMPARE(bench.link.enteredPassword, std::string("12"));
    // Channel 4 in its slot: 437 MHz in hertz, big-endian 1A 0C 17 40.
    QCOMPARE(bench.radio.memory()[0x40], 0x1A);
    QCOMPARE(bench.radio.memory()[0x43], 0x40);
    QVERIFY(!bench.port.isOpen());
}

QTEST_MAIN(WindowOperationPromptsTest)
#include "window_operation_prompts_test.moc"
