// corvane-cli as a script runs it: the program in its own process against radiosim on a
// pseudo-terminal (the real serial path through QSerialPort), checked by its exit code, stdout,
// stderr and the files it leaves. Data files are made with the program's own save code. Every
// wait is bounded; nothing sleeps.

#include "model/data_file.h"
#include "model/document_files.h"
#include "model/new_document.h"
#include "testsupport/qt/scripted_prompts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

using namespace corvane;

namespace {

constexpr int kStartMs = 5000;
constexpr int kRunMs = 60000;

// radiosim with the given options; its pseudo-terminal path read from its first line. Its
// stderr (the frame log with --verbose) is kept for the test.
class Radiosim
{
public:
    explicit Radiosim(QStringList arguments, bool fast = true)
    {
        if (fast) {
            arguments << QStringLiteral("--turnaround") << QStringLiteral("0") << QStringLiteral("--per-byte")
                      << QStringLiteral("0");
        }
        m_process.setProgram(QStringLiteral(CORVANE_RADIOSIM_PATH));
        m_process.setArguments(arguments);
        m_process.start();
        if (!m_process.waitForStarted(kStartMs)) {
            return;
        }
        QDeadlineTimer deadline(kStartMs);
        while (!m_process.canReadLine() && !deadline.hasExpired()) {
            m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        path = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~Radiosim() { stop(); }

    // Stops the radio and returns everything it wrote on stderr.
    QString stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(kStartMs)) {
                m_process.kill();
                m_process.waitForFinished(kStartMs);
            }
        }
        m_log += QString::fromUtf8(m_process.readAllStandardError());
        return m_log;
    }

    QString path;

private:
    QProcess m_process;
    QString m_log;
};

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
    qint64 elapsedMs = 0;
};

// The folders the program may write besides the test's own files (the virtual radio's memory).
class Sandbox
{
public:
    Sandbox()
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), m_folder.filePath(QStringLiteral("data")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config")));
        m_environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        m_environment.remove(QStringLiteral("LC_ALL"));
    }

    QString file(const QString& name) const { return m_folder.filePath(name); }

    Result run(const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setProgram(QStringLiteral(CORVANE_CLI_PATH));
        process.setArguments(arguments);
        QElapsedTimer timer;
        timer.start();
        process.start();
        Result result;
        if (!process.waitForStarted(kStartMs) || !process.waitForFinished(kRunMs)) {
            process.kill();
            process.waitForFinished(kStartMs);
            result.err = QStringLiteral("did not finish");
            return result;
        }
        result.elapsedMs = timer.elapsed();
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private:
    QTemporaryDir m_folder;
    QProcessEnvironment m_environment;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const model::FixedDateSource kNewDocumentDate({2026, 1, 1});

// A document as File New makes it, with values that differ from the defaults: three channels out
// of order, tones of every kind, a DTMF memory, a spare and a fleet entry, both message lines.
model::ModelState distinctiveDocument()
{
    model::ModelState state;
    model::newDocument(state, {kNewDocumentDate, model::Language::English, {}});
    model::refreshRadioType(state.document.radioType, state.currentModel);
    model::RadioSettings& s = state.document.settings;
    struct Channel
    {
        int number;
        const char* rx;
        const char* tx;
        const char* rxTone;
        const char* txTone;
        int power;
    };
    const Channel channels[] = {
        {7, "43512500", "44012500", "0108", "FFFF", 0},
        {1, "40000000", "FFFFFFFF", "FFFF", "0201", 1},
        {16, "47999000", "47000000", "82A3", "0301", 1},
    };
    for (const Channel& c : channels) {
        const int position =
            model::appendChannelEntry(state.document, static_cast<model::Integer>(c.number), c.rx, c.tx);
        model::ChannelRecord& record = model::channelAt(state.document, position);
        record.rxTone = c.rxTone;
        record.txTone = c.txTone;
        record.txPower = static_cast<model::Integer>(c.power);
    }
    s.options.squelchLevel = 7;
    s.keys = {3, 12, 255, 7};
    s.dtmf.stunCode = "12E4";
    s.dtmfMemoryCount = 1;
    s.dtmfMemory[0].number = 5;
    s.dtmfMemory[0].digits = "5551212";
    s.spareListCount = 1;
    s.spareList[0].number = 3;
    s.spareList[0].text1 = "SPARE-A";
    s.spareList[0].text2 = "SPARE-B";
    s.spareList[0].value1 = 11;
    s.spareList[0].value2 = -2;
    s.fleetListCount = 1;
    s.fleetList[0].row = 1;
    s.fleetList[0].fleet = 0;
    s.fleetList[0].id = 255;
    s.fleetSig.ownId = 123456;
    s.embeddedMessage1 = "CORVANE CLI";
    s.embeddedMessage2 = "Line two";
    state.flags.bandExtension = 1;
    state.flags.alertEnabled = 1;
    model::takeSnapshot(state);
    return state;
}

bool saveDocument(model::ModelState state, const QString& path)
{
    testing::ScriptedPrompts prompts;
    return model::saveDocumentFile(state, path.toStdString(), prompts, model::Language::English);
}

std::set<QString> keysOf(const QJsonObject& object)
{
    const QStringList keys = object.keys();
    return {keys.begin(), keys.end()};
}

std::set<QString> names(std::initializer_list<const char*> list)
{
    std::set<QString> out;
    for (const char* name : list) {
        out.insert(QString::fromLatin1(name));
    }
    return out;
}

int greetingsIn(const QString& radioLog)
{
    return static_cast<int>(radioLog.count(QStringLiteral("pc>    50 52 4F 47 52 41 4D")));
}

} // namespace

class CorvaneCliTest : public QObject
{
    Q_OBJECT

private slots:
    void usageErrorsExitWithTheUsageCode_data();
    void usageErrorsExitWithTheUsageCode();
    void helpDocumentsTheExitCodes();
    void portsListsTheVirtualRadioLast();
    void readWriteReadLeavesIdenticalDataFiles();
    void theVirtualRadioKeepsCorvanesMemory();
    void aSilentRadioGetsThreeGreetingsThenNoAnswer();
    void retriesAnswerTheRetryQuestion();
    void thePasswordComesFromTheCommandLine_data();
    void thePasswordComesFromTheCommandLine();
    void identityChecksRefuseTheWrite_data();
    void identityChecksRefuseTheWrite();
    void refusalsBeforeTheRadioIsReached_data();
    void refusalsBeforeTheRadioIsReached();
    void infoPrintsTheInformationBlock();
    void dumpJsonListsEveryField();
    void dumpTextShowsWhatTheWindowsShow();
    void badDataFilesExitWithTheFileCode_data();
    void badDataFilesExitWithTheFileCode();
};

void CorvaneCliTest::usageErrorsExitWithTheUsageCode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "no command given";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command \"frobnicate\"";
    QTest::newRow("read without port") << QStringList{"read", "--output", "x.dat"} << "--port is required";
    QTest::newRow("read without output")
        << QStringList{"read", "--port", "virtual"} << "--output is required";
    QTest::newRow("dump without file") << QStringList{"dump"} << "exactly one data file";
    QTest::newRow("write with two files")
        << QStringList{"write", "--port", "virtual", "a.dat", "b.dat"} << "exactly one data file";
    QTest::newRow("option of another command") << QStringList{"dump", "a.dat", "--port", "virtual"} << "port";
    QTest::newRow("ports with an argument")
        << QStringList{"ports", "extra"} << "unexpected argument \"extra\"";
    QTest::newRow("retries not a number")
        << QStringList{"info", "--port", "virtual", "--retries", "x"} << "--retries";
    QTest::newRow("negative retries")
        << QStringList{"info", "--port", "virtual", "--retries", "-1"} << "--retries";
    QTest::newRow("password too long")
        << QStringList{"read", "--port", "virtual", "--output", "x.dat", "--password", "12345"}
        << "--password";
    QTest::newRow("unknown language") << QStringList{"--lang", "fr", "ports"} << "--lang takes en or zh";
    QTest::newRow("in Chinese") << QStringList{"--lang", "zh", "frobnicate"} << "未知命令";
}

void CorvaneCliTest::usageErrorsExitWithTheUsageCode()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Sandbox sandbox;
    const Result result = sandbox.run(arguments);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.startsWith(QStringLiteral("corvane-cli: ")), qPrintable(result.err));
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFile::exists(sandbox.file(QStringLiteral("data/Corvane/virtual-radio.bin"))));
}

void CorvaneCliTest::helpDocumentsTheExitCodes()
{
    Sandbox sandbox;
    const Result general = sandbox.run({"--help"});
    QCOMPARE(general.exitCode, 0);
    for (const char* line :
         {"\nExit codes:\n", "\n   0  success", "\n   2  bad usage", "\n   3  file error",
          "\n   4  the port cannot be opened", "\n   5  no answer from the radio",
          "\n   6  programming password refused", "\n   7  model, band (write) or firmware version mismatch",
          "\n   8  radio killed or stunned", "\n   9  document not writable"}) {
        QVERIFY2(general.out.contains(QString::fromUtf8(line)), line);
    }
    const Result read = sandbox.run({"read", "--help"});
    QCOMPARE(read.exitCode, 0);
    QVERIFY2(read.out.startsWith(QStringLiteral("Usage: corvane-cli [options] read\n")),
             qPrintable(read.out));
    QVERIFY(read.out.contains(QStringLiteral("--output")));
    QVERIFY(read.out.contains(QStringLiteral("--force")));
    QVERIFY(read.out.contains(QStringLiteral("Exit codes:")));
    QVERIFY(!read.out.contains(QStringLiteral("--json")));
}

void CorvaneCliTest::portsListsTheVirtualRadioLast()
{
    Sandbox sandbox;
    for (const auto& [lang, name] : {std::pair{"en", "virtual radio"}, std::pair{"zh", "虚拟对讲机"}}) {
        const Result result = sandbox.run({"--lang", lang, "ports"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.err.isEmpty());
        const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.last(), QStringLiteral("virtual\t") + QString::fromUtf8(name));
    }
}

void CorvaneCliTest::readWriteReadLeavesIdenticalDataFiles()
{
    Sandbox sandbox;
    const QString source = sandbox.file(QStringLiteral("source.dat"));
    QVERIFY(saveDocument(distinctiveDocument(), source));
    Radiosim radio({"--memory", sandbox.file(QStringLiteral("radio.bin"))});
    QVERIFY2(radio.path.startsWith(QStringLiteral("/dev/")), qPrintable(radio.path));

    const Result first = sandbox.run({"write", "--port", radio.path, source, "--lang", "en"});
    QCOMPARE(first.exitCode, 0);
    QVERIFY2(first.err.contains(QStringLiteral("corvane-cli: Write data to radio. / Do you wish continue? "
                                               "[answered OK]")),
             qPrintable(first.err));
    QVERIFY(first.err.endsWith(QStringLiteral("corvane-cli: Write Data Completed.\n")));
    // Not a terminal: one line per percentage, none on stdout.
    QVERIFY(
        first.err.contains(QStringLiteral("corvane-cli: Completion percentage: 45%\ncorvane-cli: Completion "
                                          "percentage: 55%\n")));
    QVERIFY(first.out.isEmpty());

    const QString a = sandbox.file(QStringLiteral("a.dat"));
    const QString b = sandbox.file(QStringLiteral("b.dat"));
    const Result readA = sandbox.run({"read", "--port", radio.path, "--output", a, "--lang", "en"});
    QCOMPARE(readA.exitCode, 0);
    QVERIFY(readA.err.contains(QStringLiteral("corvane-cli: Read Data Completed.")));
    QCOMPARE(sandbox.run({"write", "--port", radio.path, a, "--lang", "en"}).exitCode, 0);
    QCOMPARE(sandbox.run({"read", "--port", radio.path, "--output", b, "--lang", "en"}).exitCode, 0);

    QCOMPARE(contents(a).size(), 2019);
    QCOMPARE(contents(a), contents(b));
    QCOMPARE(contents(sandbox.file(QStringLiteral("a.NVD"))).size(), 6);
    QCOMPARE(contents(sandbox.file(QStringLiteral("a.NVD"))),
             contents(sandbox.file(QStringLiteral("b.NVD"))));

    // What came back is the source's radio data: channels, flags, messages.
    const auto parsed = model::parseDocument(contents(a).toStdString());
    QVERIFY(parsed.ok());
    const model::ModelState expected = distinctiveDocument();
    QCOMPARE(parsed.document.channelCount, 3);
    for (int i = 0; i < 3; ++i) {
        const model::ChannelRecord& back = parsed.document.channels[static_cast<std::size_t>(i)];
        const int position = model::findChannel(expected.document, back.number);
        QVERIFY(position > 0);
        const model::ChannelRecord& sent = model::channelAt(expected.document, position);
        QCOMPARE(back.rxFreq.value(), sent.rxFreq.value());
        QCOMPARE(back.txFreq.value(), sent.txFreq.value());
        QCOMPARE(back.rxTone.value(), sent.rxTone.value());
        QCOMPARE(back.txTone.value(), sent.txTone.value());
        QCOMPARE(back.txPower, sent.txPower);
    }
    QCOMPARE(parsed.document.settings.embeddedMessage1.value(), std::string("CORVANE CLI"));
    QCOMPARE(contents(sandbox.file(QStringLiteral("a.NVD"))), QByteArray::fromHex("010000000100"));

    // An existing output is left alone (the radio is not even asked) unless --force is given.
    const QByteArray before = contents(a);
    writeBytes(a, "keep me");
    const Result refused = sandbox.run({"read", "--port", radio.path, "--output", a, "--lang", "en"});
    QCOMPARE(refused.exitCode, 3);
    QVERIFY2(refused.err.contains(QStringLiteral("a.dat exists: give --force to replace it")),
             qPrintable(refused.err));
    QVERIFY(!refused.err.contains(QStringLiteral("Read data from radio")));
    QCOMPARE(contents(a), QByteArray("keep me"));
    QCOMPARE(sandbox.run({"read", "--port", radio.path, "--output", a, "--force"}).exitCode, 0);
    QCOMPARE(contents(a), before);
}

void CorvaneCliTest::theVirtualRadioKeepsCorvanesMemory()
{
    Sandbox sandbox;
    const QString file = sandbox.file(QStringLiteral("virtual.dat"));
    QCOMPARE(sandbox.run({"read", "--port", "virtual", "--output", file}).exitCode, 0);
    QCOMPARE(contents(file).size(), 2019);
    QCOMPARE(sandbox.run({"write", "--port", "virtual", file}).exitCode, 0);
    // Corvane's own place for the virtual radio's memory.
    QCOMPARE(contents(sandbox.file(QStringLiteral("data/Corvane/virtual-radio.bin"))).size(), 1024);
}

void CorvaneCliTest::aSilentRadioGetsThreeGreetingsThenNoAnswer()
{
    Sandbox sandbox;
    Radiosim radio({"--silent", "--verbose"});
    const QString output = sandbox.file(QStringLiteral("never.dat"));
    const Result result = sandbox.run({"read", "--port", radio.path, "--output", output, "--lang", "en"});
    QCOMPARE(result.exitCode, 5);
    QVERIFY2(result.err.contains(
                 QStringLiteral("corvane-cli: Check Connection. Retry or Cancel? [answered Cancel]")),
             qPrintable(result.err));
    QVERIFY2(result.elapsedMs >= 4400, qPrintable(QString::number(result.elapsedMs)));
    QVERIFY(!result.err.contains(QStringLiteral("Completed")));
    QVERIFY(!QFile::exists(output));
    QCOMPARE(greetingsIn(radio.stop()), 3);
}

void CorvaneCliTest::retriesAnswerTheRetryQuestion()
{
    Sandbox sandbox;
    Radiosim radio({"--unanswered-greetings", "3", "--verbose"});
    const QString output = sandbox.file(QStringLiteral("second-try.dat"));
    const Result result =
        sandbox.run({"read", "--port", radio.path, "--output", output, "--retries", "2", "--lang", "en"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.contains(QStringLiteral("Check Connection. Retry or Cancel? [answered OK: retry 1]")),
             qPrintable(result.err));
    QCOMPARE(result.err.count(QStringLiteral("Check Connection")), 1);
    QCOMPARE(contents(output).size(), 2019);
    QCOMPARE(greetingsIn(radio.stop()), 4);
}

void CorvaneCliTest::thePasswordComesFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("password");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("none given") << QStringList{} << 6
                                << "The radio has a programming password: give it with --password.";
    QTest::newRow("wrong") << QStringList{"--password", "9999"} << 6 << "corvane-cli: PassWord Failure!";
    QTest::newRow("case counts") << QStringList{"--password", "ab12"} << 6 << "PassWord Failure!";
    QTest::newRow("right") << QStringList{"--password", "AB12"} << 0 << "Read Data Completed.";
}

void CorvaneCliTest::thePasswordComesFromTheCommandLine()
{
    QFETCH(QStringList, password);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    Sandbox sandbox;
    Radiosim radio({"--password", "AB12"});
    const QString output = sandbox.file(QStringLiteral("locked.dat"));
    const Result result =
        sandbox.run(QStringList{"read", "--port", radio.path, "--output", output, "--lang", "en"} + password);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(QFile::exists(output), exitCode == 0);
}

void CorvaneCliTest::identityChecksRefuseTheWrite_data()
{
    QTest::addColumn<QStringList>("radio");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("other band") << QStringList{"--band", "0"} << 7
                                << "corvane-cli: Frequency band is different,Overwrite?";
    QTest::newRow("other model") << QStringList{"--model", "AB123"} << 7
                                 << "Model type is wrong. / PC is ZT740-16 / Radio is AB123";
    QTest::newRow("other version") << QStringList{"--firmware", "V200"} << 7 << "[answered No]";
    QTest::newRow("killed") << QStringList{"--killed", "--stunned"} << 8
                            << "Radio is killed,can't be written!";
    QTest::newRow("stunned") << QStringList{"--stunned"} << 8 << "Radio is fainted,can't be written!";
}

void CorvaneCliTest::identityChecksRefuseTheWrite()
{
    QFETCH(QStringList, radio);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    Sandbox sandbox;
    const QString source = sandbox.file(QStringLiteral("source.dat"));
    QVERIFY(saveDocument(distinctiveDocument(), source));
    const QString memory = sandbox.file(QStringLiteral("radio.bin"));
    Radiosim simulator(QStringList{"--memory", memory} + radio);
    const Result result = sandbox.run({"write", "--port", simulator.path, source, "--lang", "en"});
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(!result.err.contains(QStringLiteral("Completed")));
    simulator.stop();
    QVERIFY2(!QFile::exists(memory), "nothing was written into the radio");
}

void CorvaneCliTest::refusalsBeforeTheRadioIsReached_data()
{
    QTest::addColumn<QStringList>("arguments"); // "FILE" stands for the prepared data file
    QTest::addColumn<QString>("document");      // which one
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString missing = QStringLiteral("/dev/corvane-no-such-port");
    QTest::newRow("read, no such port") << QStringList{"read", "--port", missing, "--output", "OUT"} << ""
                                        << 4 << "corvane-cli: Cannot Open Communication Port.";
    QTest::newRow("write, no such port") << QStringList{"write", "--port", missing, "FILE"} << "channels" << 4
                                         << "Cannot Open Communication Port.";
    QTest::newRow("info, no such port, Chinese")
        << QStringList{"--lang", "zh", "info", "--port", missing} << "" << 4 << "无法打开通信端口。";
    QTest::newRow("read into a missing folder")
        << QStringList{"read", "--port", "virtual", "--output", "/nonexistent-folder/x.dat"} << "" << 3
        << "the folder of /nonexistent-folder/x.dat does not exist";
    QTest::newRow("write without a channel")
        << QStringList{"write", "--port", "virtual", "FILE"} << "empty" << 9
        << "Only when it at least has data of one channel,  can it be writed.";
    QTest::newRow("write of a value that does not pack")
        << QStringList{"write", "--port", "virtual", "FILE"} << "bad tone" << 9 << "88.5";
}

void CorvaneCliTest::refusalsBeforeTheRadioIsReached()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, document);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    Sandbox sandbox;
    const QString file = sandbox.file(QStringLiteral("document.dat"));
    if (!document.isEmpty()) {
        model::ModelState state = distinctiveDocument();
        if (document == QLatin1String("empty")) {
            state.document.channelCount = 0;
        } else if (document == QLatin1String("bad tone")) {
            state.document.channels[0].rxTone = "88.5";
        }
        QVERIFY(saveDocument(state, file));
    }
    arguments.replaceInStrings(QStringLiteral("FILE"), file);
    arguments.replaceInStrings(QStringLiteral("OUT"), sandbox.file(QStringLiteral("out.dat")));
    const Result result = sandbox.run(QStringList{"--lang", "en"} + arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFile::exists(sandbox.file(QStringLiteral("out.dat"))));
    QVERIFY2(!QFile::exists(sandbox.file(QStringLiteral("data/Corvane/virtual-radio.bin"))),
             "the virtual radio was not written");
}

void CorvaneCliTest::infoPrintsTheInformationBlock()
{
    Sandbox sandbox;
    Radiosim radio({"--password", "77"}); // the information read asks for none
    const Result text = sandbox.run({"info", "--port", radio.path});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains(QRegularExpression(QStringLiteral("^infoSerialNumber +\"2024010100000001\"$"),
                                                  QRegularExpression::MultilineOption)),
             qPrintable(text.out));
    QVERIFY(text.out.contains(QRegularExpression(QStringLiteral("^infoBandIndex +2 +400 - 480 MHz$"),
                                                 QRegularExpression::MultilineOption)));
    QVERIFY(text.err.isEmpty());

    const Result json = sandbox.run({"info", "--port", radio.path, "--json"});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject info = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(keysOf(info), names({"infoFlags", "infoModelCode", "infoModelName", "infoBandIndex",
                                  "infoBandText", "infoSalesArea", "infoSerialNumber", "infoProductionDate",
                                  "infoBatchCode", "infoCustomerCode"}));
    QCOMPARE(info.value(QStringLiteral("infoModelCode")).toString(), QStringLiteral("Z740E"));
    QCOMPARE(info.value(QStringLiteral("infoProductionDate")).toString(), QStringLiteral("2024-01-01"));
    QCOMPARE(info.value(QStringLiteral("infoFlags")).toArray().size(), 3);
}

void CorvaneCliTest::dumpJsonListsEveryField()
{
    Sandbox sandbox;
    const QString file = sandbox.file(QStringLiteral("radio1.dat"));
    QVERIFY(saveDocument(distinctiveDocument(), file));
    const Result result = sandbox.run({"dump", file, "--json"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    QJsonParseError error{};
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    QCOMPARE(keysOf(root),
             names({"file", "flagsFile", "channelCount", "channels", "radioType", "settings", "flags"}));
    QCOMPARE(root.value(QStringLiteral("flagsFile")).toString(), sandbox.file(QStringLiteral("radio1.NVD")));
    const QJsonArray channels = root.value(QStringLiteral("channels")).toArray();
    QCOMPARE(root.value(QStringLiteral("channelCount")).toInt(), 3);
    QCOMPARE(channels.size(), 3);
    const std::set<QString> channelFields = names(
        {"number",         "inUse",          "rxFreq",         "txFreq",  "reserved36", "txCleared",
         "rxTone",         "txTone",         "spUnmute",       "txPower", "spacing",    "busyLockout",
         "pttId",          "autodialMemory", "reserved68",     "scanAdd", "reserved72", "reverse",
         "talkAround",     "optSignal",      "signalRelation", "call1",   "call2",      "rxFrequencyMHz",
         "txFrequencyMHz", "rxToneText",     "txToneText"});
    for (const QJsonValue& channel : channels) {
        QCOMPARE(keysOf(channel.toObject()), channelFields);
    }
    const QJsonObject first = channels.at(0).toObject();
    QCOMPARE(first.value(QStringLiteral("number")).toInt(), 7);
    QCOMPARE(first.value(QStringLiteral("rxFreq")).toString(), QStringLiteral("43512500"));
    QCOMPARE(first.value(QStringLiteral("rxFrequencyMHz")).toString(), QStringLiteral("435.12500"));
    QCOMPARE(first.value(QStringLiteral("rxToneText")).toString(), QStringLiteral("88.5"));
    QCOMPARE(first.value(QStringLiteral("txToneText")).toString(), QStringLiteral("None"));
    const QJsonObject second = channels.at(1).toObject();
    QCOMPARE(second.value(QStringLiteral("txFreq")).toString(), QStringLiteral("FFFFFFFF"));
    QVERIFY(second.value(QStringLiteral("txFrequencyMHz")).isNull());
    QCOMPARE(second.value(QStringLiteral("txToneText")).toString(), QStringLiteral("D023N"));
    QCOMPARE(channels.at(2).toObject().value(QStringLiteral("rxToneText")).toString(),
             QStringLiteral("67.5"));
    QCOMPARE(channels.at(2).toObject().value(QStringLiteral("txToneText")).toString(),
             QStringLiteral("D023I"));

    const QJsonObject radioType = root.value(QStringLiteral("radioType")).toObject();
    QCOMPARE(keysOf(radioType), names({"modelCode", "bandIndex", "modelName", "bandText"}));
    QCOMPARE(radioType.value(QStringLiteral("bandText")).toString(), QStringLiteral("400 - 480 MHz"));

    const QJsonObject settings = root.value(QStringLiteral("settings")).toObject();
    QCOMPARE(keysOf(settings), names({"options", "keys", "scan", "dtmf", "fleetSig", "dtmfMemoryCount",
                                      "dtmfMemory", "spareListCount", "spareList", "embeddedMessage1",
                                      "embeddedMessage2", "fleetListCount", "fleetList"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("options")).toObject()),
             names({"totTime",           "totWarning",     "squelchLevel",  "micSensitivity",
                    "voicePrompt",       "batterySave",    "beep",          "scramblerActivation",
                    "scramblerBackup",   "pttIdType",      "pttIdMode",     "pttIdBotCode",
                    "pttIdEotCode",      "voxFunction",    "voxLevel",      "voxDelay",
                    "cancelOperation",   "voxProceedTone", "frequencyShow", "cloneMode",
                    "noSignalTailElim",  "tailElimType",   "callResponse",  "compander",
                    "micNoiseReduction", "resetAllowed"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("dtmf")).toObject()),
             names({"dtmfSpeed", "firstDigitTime", "firstDigitDelay", "starHashTone", "dCodeAssignment",
                    "sideTone", "selfId", "groupCode", "autoResetTimer", "callAlert", "decodingResponse",
                    "clearToTranspond", "inhibitCode", "inhibitType", "dtmfPttId", "botCode", "eotCode",
                    "stunCode", "killCode"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("fleetSig")).toObject()),
             names({"ownFleet", "ownId", "fsBaudRate", "dataTxDelay", "messageModeTimer", "pttIdSideTone"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("dtmfMemory")).toArray().at(0).toObject()),
             names({"number", "digits"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("spareList")).toArray().at(0).toObject()),
             names({"number", "text1", "text2", "value1", "value2"}));
    QCOMPARE(keysOf(settings.value(QStringLiteral("fleetList")).toArray().at(0).toObject()),
             names({"row", "fleet", "id"}));
    QCOMPARE(settings.value(QStringLiteral("keys")).toArray().size(), 4);
    QCOMPARE(settings.value(QStringLiteral("scan")).toArray().size(), 14);
    QCOMPARE(settings.value(QStringLiteral("keys")).toArray().at(2).toInt(), 255);
    QCOMPARE(settings.value(QStringLiteral("fleetSig")).toObject().value(QStringLiteral("ownId")).toInt(),
             123456);
    QCOMPARE(settings.value(QStringLiteral("dtmf")).toObject().value(QStringLiteral("stunCode")).toString(),
             QStringLiteral("12E4"));
    QCOMPARE(settings.value(QStringLiteral("spareList"))
                 .toArray()
                 .at(0)
                 .toObject()
                 .value(QStringLiteral("value2"))
                 .toInt(),
             -2);
    QCOMPARE(settings.value(QStringLiteral("embeddedMessage2")).toString(), QStringLiteral("Line two"));

    const QJsonObject flags = root.value(QStringLiteral("flags")).toObject();
    QCOMPARE(keysOf(flags), names({"alertEnabled", "functionEnabled", "bandExtension"}));
    QCOMPARE(flags.value(QStringLiteral("alertEnabled")).toInt(), 1);
    QCOMPARE(flags.value(QStringLiteral("bandExtension")).toInt(), 1);
}

void CorvaneCliTest::dumpTextShowsWhatTheWindowsShow()
{
    Sandbox sandbox;
    const QString file = sandbox.file(QStringLiteral("radio1.dat"));
    QVERIFY(saveDocument(distinctiveDocument(), file));
    auto line = [](const QString& pattern) {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption);
    };
    const Result english = sandbox.run({"dump", file, "--lang", "en"});
    QCOMPARE(english.exitCode, 0);
    QVERIFY2(english.out.contains(line(QStringLiteral("^channels\\[1\\]\n  number +7$"))),
             qPrintable(english.out));
    QVERIFY(english.out.contains(line(QStringLiteral("^  rxFreq +\"43512500\" +435\\.12500$"))));
    QVERIFY(english.out.contains(line(QStringLiteral("^  txTone +\"FFFF\" +None$"))));
    QVERIFY(english.out.contains(line(QStringLiteral("^  txPower +0 +Low$"))));
    QVERIFY(english.out.contains(line(QStringLiteral("^    stunCode +\"12E4\" +12\\*4$"))));
    QVERIFY(english.out.contains(line(QStringLiteral("^  keys +3, 12, 255, 7$"))));
    QVERIFY(english.out.contains(line(QStringLiteral("^  bandExtension +1$"))));
    const Result chinese = sandbox.run({"dump", file, "--lang", "zh"});
    QCOMPARE(chinese.exitCode, 0);
    QVERIFY(chinese.out.contains(line(QStringLiteral("^  txTone +\"FFFF\" +无$"))));
    QVERIFY(chinese.out.contains(line(QStringLiteral("^  txPower +0 +低$"))));
}

void CorvaneCliTest::badDataFilesExitWithTheFileCode_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    model::ModelState state = distinctiveDocument();
    const QByteArray good = QByteArray::fromStdString(model::serializeDocument(state.document));
    QByteArray otherModel = good;
    otherModel.replace(994, 5, "ABCDE");
    QByteArray tooManyChannels = good;
    tooManyChannels[0] = 17;
    QTest::newRow("2018 bytes") << good.left(2018) << "en"
                                << "corvane-cli: file version error.\n";
    QTest::newRow("2020 bytes") << good + '\0' << "en"
                                << "corvane-cli: file version error.\n";
    QTest::newRow("2018 bytes, Chinese") << good.left(2018) << "zh"
                                         << "corvane-cli: 文件版本错误。\n";
    QTest::newRow("missing") << QByteArray() << "en"
                             << "corvane-cli: file error.\n";
    QTest::newRow("unknown model code") << otherModel << "zh"
                                        << "corvane-cli: Model Error!\n";
    QTest::newRow("count past its list") << tooManyChannels << "en"
                                         << "corvane-cli: file error.\n";
}

void CorvaneCliTest::badDataFilesExitWithTheFileCode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(QString, message);
    Sandbox sandbox;
    const QString file = sandbox.file(QStringLiteral("bad.dat"));
    if (!bytes.isEmpty()) {
        writeBytes(file, bytes);
    }
    for (const bool json : {false, true}) {
        QStringList arguments{"--lang", language, "dump", file};
        if (json) {
            arguments << QStringLiteral("--json");
        }
        const Result result = sandbox.run(arguments);
        QCOMPARE(result.exitCode, 3);
        QCOMPARE(result.err, message);
        QVERIFY(result.out.isEmpty());
    }
    // The write opens the file the same way and never reaches the port.
    const Result write =
        sandbox.run({"--lang", language, "write", "--port", "/dev/corvane-no-such-port", file});
    QCOMPARE(write.exitCode, 3);
    QCOMPARE(write.err, message);
}

QTEST_GUILESS_MAIN(CorvaneCliTest)
#include "corvane_cli_test.moc"
