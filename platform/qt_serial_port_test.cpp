// The programming link through the real QSerialPort adapter, against radiosim on a
// pseudo-terminal, and against the in-process virtual radio on the Qt clock. Waits are bounded
// (QTRY_*), never fixed sleeps.

#include "link/port_list.h"
#include "link/protocol.h"
#include "platform/programming_port.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace corvane;

namespace {

constexpr int kWaitMs = 5000;

class NotedPrompts : public model::Prompts
{
public:
    model::MessageAnswer showMessage(const std::string& text, model::MessageButtons, model::MessageIcon icon,
                                     const std::string&) override
    {
        texts.push_back(text);
        icons.push_back(icon);
        return model::MessageAnswer::Ok;
    }
    std::vector<std::string> texts;
    std::vector<model::MessageIcon> icons;
};

class Recorder : public link::LinkListener
{
public:
    void frameReceived(link::FrameKind kind, const link::Frame& frame) override
    {
        kinds.push_back(kind);
        frames.push_back(frame);
    }
    void replyTimeout() override { ++timeouts; }
    void portFailed(link::PortFailure failure) override { failures.push_back(failure); }

    std::vector<link::FrameKind> kinds;
    std::vector<link::Frame> frames;
    int timeouts = 0;
    std::vector<link::PortFailure> failures;
};

// radiosim started with the given options; its pseudo-terminal path read from its first line.
class Radiosim
{
public:
    explicit Radiosim(const QStringList& arguments)
    {
        m_process.setProgram(QStringLiteral(CORVANE_RADIOSIM_PATH));
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(kWaitMs)) {
            return;
        }
        QDeadlineTimer deadline(kWaitMs);
        while (!m_process.canReadLine() && !deadline.hasExpired()) {
            m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        path = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~Radiosim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(kWaitMs)) {
                m_process.kill();
                m_process.waitForFinished(kWaitMs);
            }
        }
    }
    bool running() const { return m_process.state() == QProcess::Running; }

    QString path;

private:
    QProcess m_process;
};

link::Frame identityOf(std::string_view model, std::uint8_t band, std::string_view firmware, std::uint8_t status)
{
    link::Frame frame{0x50};
    frame.insert(frame.end(), model.begin(), model.end());
    frame.push_back(band);
    frame.push_back(0x00);
    frame.insert(frame.end(), firmware.begin(), firmware.end());
    frame.push_back(status);
    frame.push_back(0x00);
    return frame;
}

} // namespace

class QtSerialPortTest : public QObject
{
    Q_OBJECT

private slots:
    void portIdsNameDevices();
    void greetingIdentityAndBlockReadThroughAPseudoTerminal();
    void aPulledCableIsReportedAndTheOperationStillTimesOut();
    void aMissingDeviceCannotBeOpened();
    void theVirtualRadioAnswersInProcessAndKeepsItsMemory();
};

void QtSerialPortTest::portIdsNameDevices()
{
    QCOMPARE(platform::QtSerialPort::deviceNameFor("3"), QStringLiteral("COM3"));
    QCOMPARE(platform::QtSerialPort::deviceNameFor("12"), QStringLiteral("COM12"));
    QCOMPARE(platform::QtSerialPort::deviceNameFor("ttyUSB0"), QStringLiteral("ttyUSB0"));
    QCOMPARE(platform::QtSerialPort::deviceNameFor("/dev/pts/7"), QStringLiteral("/dev/pts/7"));
}

void QtSerialPortTest::greetingIdentityAndBlockReadThroughAPseudoTerminal()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString memoryFile = folder.filePath(QStringLiteral("radio.bin"));
    std::string memory(1024, '\0');
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<char>(i * 3 + 1);
    }
    {
        QFile file(memoryFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(memory.data(), static_cast<qint64>(memory.size()));
    }
    Radiosim radiosim({"--memory", memoryFile, "--model", "Z740F", "--band", "1", "--firmware", "V200", "--stunned",
                       "--chunk", "5"});
    QVERIFY2(radiosim.path.startsWith(QStringLiteral("/dev/")), qPrintable(radiosim.path));

    platform::QtClock clock;
    platform::QtSerialPort port;
    model::RadioImage image{};
    NotedPrompts prompts;
    Recorder recorder;
    link::LinkSession session(port, clock, image, prompts);
    session.setListener(&recorder);

    QVERIFY(session.openLink(radiosim.path.toStdString(), model::Language::English));
    session.sendGreeting();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{1}, kWaitMs);
    QCOMPARE(recorder.kinds[0], link::FrameKind::Ack);

    session.sendIdentityRequest();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{2}, kWaitMs);
    QCOMPARE(recorder.kinds[1], link::FrameKind::Identity);
    QCOMPARE(recorder.frames[1], identityOf("Z740F", 1, "V200", 0x40));

    session.sendAck();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{3}, kWaitMs);

    // One block of a full read: the last one, 0x390.
    session.operationState() = {link::LinkOperation::Read, link::step::Transfer, 0};
    session.cursor().currentAddress = 0x380;
    session.cursor().endAddress = link::kFullTransferEndAddress;
    QCOMPARE(session.sendNextReadRequest(), link::ReadStepResult::RequestSent);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{4}, kWaitMs);
    QCOMPARE(recorder.kinds[3], link::FrameKind::Data);
    session.storeDataReply(recorder.frames[3]);
    for (std::size_t a = 0x390; a < 0x3A0; ++a) {
        QCOMPARE(image[a], static_cast<std::uint8_t>(memory[a]));
    }

    session.sendEndFrame();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{5}, kWaitMs);
    QCOMPARE(recorder.kinds[4], link::FrameKind::Ack);
    session.stopReplyTimer();
    session.closeLink();
    // No check on the reply timer here: on a loaded machine a reply through the pseudo-terminal
    // may take longer than 1500 ms of real time; the frames above are what this test is about.
    QVERIFY(prompts.texts.empty());
}

void QtSerialPortTest::aPulledCableIsReportedAndTheOperationStillTimesOut()
{
    Radiosim radiosim({"--pull-cable", "3"});
    QVERIFY2(radiosim.path.startsWith(QStringLiteral("/dev/")), qPrintable(radiosim.path));

    platform::QtClock clock;
    platform::QtSerialPort port;
    model::RadioImage image{};
    NotedPrompts prompts;
    Recorder recorder;
    link::LinkSession session(port, clock, image, prompts);
    session.setListener(&recorder);
    QVERIFY(session.openLink(radiosim.path.toStdString(), model::Language::English));
    session.sendGreeting();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{1}, kWaitMs);
    session.sendIdentityRequest();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{2}, kWaitMs);

    session.sendAck(); // frame 3: the cable comes out
    QTRY_COMPARE_WITH_TIMEOUT(recorder.failures.size(), std::size_t{1}, kWaitMs);
    QCOMPARE(recorder.failures[0], link::PortFailure::DeviceVanished);
    QVERIFY(!session.isLinkOpen());
    QTRY_COMPARE_WITH_TIMEOUT(recorder.timeouts, 1, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!radiosim.running(), kWaitMs);

    // The operation's retry greets on a device that is gone: nothing opens, nothing hangs.
    session.sendGreeting();
    QVERIFY(!session.isLinkOpen());
    QTRY_COMPARE_WITH_TIMEOUT(recorder.timeouts, 2, kWaitMs);
    QCOMPARE(recorder.kinds.size(), std::size_t{2});
}

void QtSerialPortTest::aMissingDeviceCannotBeOpened()
{
    platform::QtClock clock;
    platform::QtSerialPort port;
    model::RadioImage image{};
    NotedPrompts prompts;
    link::LinkSession session(port, clock, image, prompts);
    QVERIFY(!session.openLink("ttyCorvaneNoSuchDevice", model::Language::Chinese));
    QCOMPARE(prompts.texts, std::vector<std::string>{"无法打开通信端口。"});
    QCOMPARE(prompts.icons[0], model::MessageIcon::Error);
}

void QtSerialPortTest::theVirtualRadioAnswersInProcessAndKeepsItsMemory()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path memoryFile = folder.filePath(QStringLiteral("virtual-radio.bin")).toStdString();

    platform::QtClock clock;
    model::RadioImage image{};
    image.fill(0x3C);
    NotedPrompts prompts;
    Recorder recorder;
    {
        platform::ProgrammingPort port(clock, memoryFile);
        link::LinkSession session(port, clock, image, prompts);
        session.setListener(&recorder);
        QVERIFY(session.openLink(std::string(link::kVirtualPortId), model::Language::English));
        session.sendGreeting();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{1}, kWaitMs);
        session.sendIdentityRequest();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{2}, kWaitMs);
        QCOMPARE(recorder.kinds[1], link::FrameKind::Identity);

        session.operationState() = {link::LinkOperation::Write, 0, link::step::Transfer};
        session.setFullTransferPlan();
        QCOMPARE(session.sendNextWriteStep(), link::WriteStepResult::WriteFrameSent); // block 0x000
        QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{3}, kWaitMs);
        session.sendEndFrame();
        QTRY_COMPARE_WITH_TIMEOUT(recorder.kinds.size(), std::size_t{4}, kWaitMs);
        session.closeLink();
    }
    QVERIFY(std::filesystem::exists(memoryFile));
    sim::VirtualRadio reloaded;
    QVERIFY(reloaded.loadMemory(memoryFile));
    QCOMPARE(reloaded.memory()[0x000], std::uint8_t{0x3C});
    QCOMPARE(reloaded.memory()[0x00F], std::uint8_t{0x3C});
    QCOMPARE(recorder.timeouts, 0);
    QVERIFY(prompts.texts.empty());
}

QTEST_GUILESS_MAIN(QtSerialPortTest)
#include "qt_serial_port_test.moc"
