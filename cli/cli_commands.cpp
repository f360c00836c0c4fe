#include "cli/cli_commands.h"

#include "app/core/app_state.h"
#include "app/core/startup_settings.h"
#include "cli/cli_prompts.h"
#include "cli/cli_texts.h"
#include "cli/document_dump.h"
#include "cli/exit_codes.h"
#include "link/operations.h"
#include "link/password.h"
#include "link/protocol.h"
#include "model/document_files.h"
#include "model/new_document.h"
#include "model/number_text.h"
#include "model/numbered_message.h"
#include "model/shared_texts.h"
#include "model/version_table.h"
#include "platform/programming_port.h"
#include "platform/qt_clock.h"
#include "platform/system_locale.h"

#include <QAbstractEventDispatcher>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QJsonDocument>
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0"
#endif

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;
using model::Language;

constexpr int kMaxRetries = 1000;

// ---- the command line ---------------------------------------------------------------------------

enum class Command { Ports, Read, Write, Info, Dump };

struct CommandInfo
{
    Command command;
    const char* name;
    const char* summary;
    const char* fileArgument; // the positional data file, or nullptr
};

constexpr CommandInfo kCommands[] = {
    {Command::Ports, "ports", "List the serial ports (name, tab, description) and the virtual radio.",
     nullptr},
    {Command::Read, "read", "Read the whole radio and save it as a data file with its flags file.", nullptr},
    {Command::Write, "write", "Open a data file as Corvane does and write it to the radio.", "FILE.dat"},
    {Command::Info, "info", "Read the radio's information block and print its values.", nullptr},
    {Command::Dump, "dump", "Print a data file and its flags file: every record and field.", "FILE.dat"},
};

const CommandInfo* findCommand(const QString& name)
{
    for (const CommandInfo& info : kCommands) {
        if (name == QLatin1String(info.name)) {
            return &info;
        }
    }
    return nullptr;
}

struct Options
{
    QCommandLineOption lang{QStringLiteral("lang"),
                            QStringLiteral("Language of the messages: en or zh (default: the system's)."),
                            QStringLiteral("en|zh")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the program's version.")};
    QCommandLineOption port{
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("The port: a device path (/dev/ttyUSB0), a name as \"ports\" lists it, "
                       "or \"virtual\" for the built-in virtual radio."),
        QStringLiteral("PORT")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("The data file to save (its flags file is written beside it)."),
                              QStringLiteral("FILE.dat")};
    QCommandLineOption force{QStringLiteral("force"),
                             QStringLiteral("Replace an existing output file (otherwise it is left alone).")};
    QCommandLineOption password{QStringLiteral("password"),
                                QStringLiteral("The radio's programming password (up to 4 characters)."),
                                QStringLiteral("PW")};
    QCommandLineOption retries{
        QStringLiteral("retries"),
        QStringLiteral("Answer \"Check Connection. Retry or Cancel?\" with Retry up to N "
                       "times, then Cancel (default 0)."),
        QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("Print JSON instead of text.")};
};

// The options a command takes besides --lang, --help and --version.
std::vector<const QCommandLineOption*> commandOptions(const Options& o, Command command)
{
    switch (command) {
    case Command::Ports:
        return {};
    case Command::Read:
        return {&o.port, &o.output, &o.force, &o.password, &o.retries};
    case Command::Write:
        return {&o.port, &o.password, &o.retries};
    case Command::Info:
        return {&o.port, &o.retries, &o.json};
    case Command::Dump:
        return {&o.json};
    }
    return {};
}

void setUpParser(QCommandLineParser& parser, const Options& o,
                 const std::vector<const QCommandLineOption*>& extra)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(o.lang);
    parser.addOption(o.help);
    parser.addOption(o.version);
    for (const QCommandLineOption* option : extra) {
        parser.addOption(*option);
    }
}

std::string generalHelp()
{
    std::string text =
        "Usage: corvane-cli [--lang en|zh] COMMAND [options]\n"
        "Reads, writes and inspects ZT740-16 radios and data files from the command line, with the\n"
        "same checks and messages as Corvane.\n"
        "\n"
        "Commands:\n"
        "  ports\n"
        "      List the serial ports, one a line (name, a tab, description), then the virtual radio.\n"
        "  read --port PORT --output FILE.dat [--force] [--password PW] [--retries N]\n"
        "      Read the whole radio and save it as Corvane's Save As does (the flags file beside it).\n"
        "      An existing FILE.dat is left alone unless --force is given; it is then replaced\n"
        "      in one step (never half-written).\n"
        "  write --port PORT FILE.dat [--password PW] [--retries N]\n"
        "      Open the data file as Corvane does (same checks and messages) and write it to the radio.\n"
        "  info --port PORT [--json] [--retries N]\n"
        "      Read the radio's information block and print its values.\n"
        "  dump FILE.dat [--json]\n"
        "      Print the whole document and its flags file, as text or as JSON named like the records.\n"
        "\n"
        "PORT is a device path (/dev/ttyUSB0, a pseudo-terminal), a name as \"ports\" lists it, or\n"
        "\"virtual\" for the built-in virtual radio (the one Corvane offers, with the same memory).\n"
        "\n"
        "Nothing is asked on the keyboard: the read or write confirmation is answered OK; \"Check\n"
        "Connection. Retry or Cancel?\" is answered Retry up to N times (--retries, default 0), then\n"
        "Cancel; the version question is answered No (no other program is started); a radio whose\n"
        "password is not given or wrong fails. Messages, answers and the progress go to stderr,\n"
        "data to stdout.\n"
        "\n"
        "Options:\n"
        "  --lang en|zh   Language of the messages (default: the system's, as Corvane).\n"
        "  -h, --help     Show this help; \"corvane-cli COMMAND --help\" shows a command's options.\n"
        "  --version      Show the program's version.\n"
        "\n"
        "Exit codes:\n";
    return text + exitCodeHelp();
}

std::string commandHelp(const CommandInfo& info, const Options& o)
{
    QCommandLineParser parser;
    setUpParser(parser, o, commandOptions(o, info.command));
    parser.setApplicationDescription(QString::fromUtf8(info.summary));
    parser.addPositionalArgument(QString::fromUtf8(info.name), QStringLiteral("The command."));
    if (info.fileArgument != nullptr) {
        parser.addPositionalArgument(QString::fromUtf8(info.fileArgument), QStringLiteral("The data file."));
    }
    // The usage line names the program as a user types it, not by the path it was started from.
    std::string text = parser.helpText().toStdString();
    const std::string usage = "Usage: ";
    if (const auto end = text.find(" [options]"); text.starts_with(usage) && end != std::string::npos) {
        text.replace(usage.size(), end - usage.size(), "corvane-cli");
    }
    return text + "\nExit codes:\n" + exitCodeHelp();
}

// ---- running the radio operations ---------------------------------------------------------------

// The tool never hands over to another program version: the version question is answered No,
// and should a hand-over still be asked for, there is no program to start.
class NoHandOver : public model::ProgramLauncher
{
public:
    bool isProgram(const fs::path&) const override { return false; }
    bool startProgram(const fs::path&) override { return false; }
    void endThisProgram() override {}
};

// What every command of one run shares: the application state as Corvane sets it at start, the
// version table, the prompts.
struct CliRun
{
    CliRun(const CliEnvironment& environment, bool chinese, int retries)
        : env(environment), prompts(state.language, environment.err, environment.errIsTerminal, retries)
    {
        app::initialiseStartupValues(state, chinese);
        versions = model::loadVersionTable(model::versionTableFile(env.resourceFolder));
    }

    Language language() const { return state.language.language; }
    model::HandOverContext handOverContext()
    {
        return model::HandOverContext{
            prompts,
            language(),
            versions,
            [this](int number) {
                return model::numberedMessage(env.resourceFolder / "language", state.language.languageFile,
                                              number);
            },
            launcher,
            env.thisProgramFile,
            {},
            {},
        };
    }
    void say(const model::TextPair& text, std::string_view value = {})
    {
        prompts.say(texts::withValue(model::pick(text, language()), value));
    }
    void print(std::string_view data) const { std::fwrite(data.data(), 1, data.size(), env.out); }

    const CliEnvironment& env;
    app::AppState state;
    model::VersionTable versions;
    CliPrompts prompts;
    NoHandOver launcher;
};

class CliShell : public link::OperationShell
{
public:
    CliShell(CliRun& run, std::string portId) : m_run(run), m_portId(std::move(portId)) {}
    std::string portId() override { return m_portId; }
    model::HandOverContext handOverContext() override { return m_run.handOverContext(); }

private:
    CliRun& m_run;
    std::string m_portId;
};

// The link of one radio command: the port (a real one or the virtual radio), the session and the
// step machine, on the event loop's clock.
class RadioLink
{
public:
    RadioLink(CliRun& run, std::string portId)
        : m_port(m_clock, run.env.virtualRadioMemory),
          m_session(m_port, m_clock, run.state.model.radioImage, run.prompts),
          m_shell(run, std::move(portId)), m_operations(run.state.model, run.state.language, run.state.link,
                                                        m_session, m_clock, run.prompts, m_shell)
    {
    }

    // Starts the operation and runs the event loop until it has ended; its exit code.
    ExitCode run(bool (link::RadioOperations::*start)())
    {
        if (!(m_operations.*start)()) {
            return ExitCode::Failure; // refused: nothing else runs in this process
        }
        if (m_operations.isBusy()) {
            QEventLoop loop;
            // Checked each time the loop has nothing left to do: the operation has ended once no
            // timer of it runs and no step awaits a frame.
            const auto connection = QObject::connect(QAbstractEventDispatcher::instance(),
                                                     &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                                                         if (!m_operations.isBusy()) {
                                                             loop.quit();
                                                         }
                                                     });
            loop.exec();
            QObject::disconnect(connection);
        }
        return exitCodeFor(m_operations.lastResult(), m_operations.lastFailure());
    }

private:
    platform::QtClock m_clock;
    platform::ProgrammingPort m_port;
    link::LinkSession m_session;
    CliShell m_shell;
    link::RadioOperations m_operations;
};

// ---- the commands -------------------------------------------------------------------------------

struct Request
{
    Command command = Command::Ports;
    std::string portId;
    std::string file; // write, dump: the data file; read: the output
    bool force = false;
    bool json = false;
    std::optional<std::string> password;
};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

void printJson(CliRun& run, const QJsonObject& object)
{
    run.print(QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString());
}

ExitCode runPorts(CliRun& run)
{
    if (run.env.ports == nullptr) {
        return ExitCode::Failure;
    }
    for (const link::PortEntry& entry : run.env.ports->listPorts()) {
        const std::string name = entry.isVirtual() ? entry.id : entry.deviceName;
        const std::string description = entry.isVirtual()
                                            ? std::string(model::pick(link::kVirtualPortName, run.language()))
                                            : entry.description;
        run.print(description.empty() ? name + "\n" : name + "\t" + description + "\n");
    }
    return ExitCode::Success;
}

// The data file opened as Corvane's File Open does; false when it was refused (the message is out).
bool openDataFile(CliRun& run, const std::string& path)
{
    model::HandOverContext context = run.handOverContext();
    return model::openDocumentFile(run.state.model, path, context) == model::OpenResult::Opened;
}

ExitCode runRead(CliRun& run, const Request& request)
{
    // Checked before the radio is read, so a long read is not wasted on a file that cannot be saved.
    std::error_code ec;
    const fs::path output = fs::absolute(fs::path(request.file), ec);
    if (ec) {
        run.prompts.say(model::pick(model::texts::kFileError, run.language()));
        return ExitCode::FileError;
    }
    if (fs::exists(output, ec) && !request.force) {
        run.say(texts::kOutputExists, request.file);
        return ExitCode::FileError;
    }
    if (!fs::is_directory(output.parent_path(), ec)) {
        run.say(texts::kOutputFolderMissing, request.file);
        return ExitCode::FileError;
    }

    // As at Corvane's start: the new document from the template of the resource folder, whose
    // fields without a place in the radio's memory the read leaves as they are.
    platform::SystemDateSource dates;
    model::newDocument(run.state.model,
                       {dates, run.state.language.startupLanguage,
                        model::makeTemplateLoader(run.env.resourceFolder, run.prompts, run.state.language)});

    RadioLink link(run, request.portId);
    const ExitCode code = link.run(&link::RadioOperations::startRead);
    if (code != ExitCode::Success) {
        return code;
    }
    if (!model::saveDocumentFile(run.state.model, output.string(), run.prompts, run.language())) {
        return ExitCode::FileError;
    }
    return ExitCode::Success;
}

ExitCode runWrite(CliRun& run, const Request& request)
{
    if (!openDataFile(run, request.file)) {
        return ExitCode::FileError;
    }
    RadioLink link(run, request.portId);
    return link.run(&link::RadioOperations::startWrite);
}

ExitCode runInfo(CliRun& run, const Request& request)
{
    RadioLink link(run, request.portId);
    const ExitCode code = link.run(&link::RadioOperations::startRadioInfoRead);
    if (code != ExitCode::Success) {
        return code;
    }
    const DumpValue info = describeRadioInfo(run.state.model.radioInfo);
    request.json ? printJson(run, renderJson(info)) : run.print(renderText(info));
    return ExitCode::Success;
}

ExitCode runDump(CliRun& run, const Request& request)
{
    if (!openDataFile(run, request.file)) {
        return ExitCode::FileError;
    }
    const DumpValue document = describeDocument(run.state.model, request.file, run.language());
    request.json ? printJson(run, renderJson(document)) : run.print(renderText(document));
    return ExitCode::Success;
}

// ---- parsing ------------------------------------------------------------------------------------

bool isPasswordText(std::string_view text)
{
    return text.size() <= link::kPasswordMaxLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

void usageLine(const CliEnvironment& env, const std::string& message)
{
    const std::string out = "corvane-cli: " + message + "\n";
    std::fwrite(out.data(), 1, out.size(), env.err);
}

} // namespace

std::string portIdForArgument(const std::string& port, const link::PortList& listed)
{
    if (port == link::kVirtualPortId || port.find('/') != std::string::npos) {
        return port;
    }
    for (const link::PortEntry& entry : listed) {
        if (!entry.isVirtual() && (entry.deviceName == port || entry.id == port)) {
            return entry.id;
        }
    }
    return link::entryForDevice(port).id;
}

int runCli(const QStringList& arguments, const CliEnvironment& environment)
{
    const Options o;
    auto fail = [&](Language language, const model::TextPair& text, std::string_view value = {}) {
        usageLine(environment, texts::withValue(model::pick(text, language), value));
        return static_cast<int>(ExitCode::Usage);
    };
    const Language systemLanguage =
        environment.systemLocaleIsChinesePrc ? Language::Chinese : Language::English;

    // First pass over every option of every command, so that an option's value is never taken for
    // the command; the second pass knows only the command's own options.
    QCommandLineParser all;
    {
        std::vector<const QCommandLineOption*> every;
        for (const CommandInfo& info : kCommands) {
            for (const QCommandLineOption* option : commandOptions(o, info.command)) {
                if (std::find(every.begin(), every.end(), option) == every.end()) {
                    every.push_back(option);
                }
            }
        }
        setUpParser(all, o, every);
    }
    QStringList withProgram = arguments;
    withProgram.prepend(QStringLiteral("corvane-cli"));
    const bool parsed = all.parse(withProgram);

    Language language = systemLanguage;
    if (all.isSet(o.lang)) {
        const QString lang = all.value(o.lang);
        if (lang == QLatin1String("en")) {
            language = Language::English;
        } else if (lang == QLatin1String("zh")) {
            language = Language::Chinese;
        } else {
            return fail(systemLanguage, texts::kBadLanguage);
        }
    }
    if (!parsed) {
        usageLine(environment, utf8(all.errorText()));
        return static_cast<int>(ExitCode::Usage);
    }

    const QStringList positional = all.positionalArguments();
    const CommandInfo* info = positional.isEmpty() ? nullptr : findCommand(positional.first());
    if (all.isSet(o.version)) {
        app::AppState started;
        app::initialiseStartupValues(started, false);
        const std::string text = std::string("corvane-cli ") + CORVANE_VERSION + " (program version " +
                                 started.model.currentModel.programVersion + ")\n";
        std::fwrite(text.data(), 1, text.size(), environment.out);
        return static_cast<int>(ExitCode::Success);
    }
    if (all.isSet(o.help)) {
        const std::string text = info != nullptr ? commandHelp(*info, o) : generalHelp();
        std::fwrite(text.data(), 1, text.size(), environment.out);
        return static_cast<int>(ExitCode::Success);
    }
    if (positional.isEmpty()) {
        return fail(language, texts::kNoCommand);
    }
    if (info == nullptr) {
        return fail(language, texts::kUnknownCommand, utf8(positional.first()));
    }

    QCommandLineParser parser;
    setUpParser(parser, o, commandOptions(o, info->command));
    if (!parser.parse(withProgram)) {
        usageLine(environment, utf8(parser.errorText()));
        return static_cast<int>(ExitCode::Usage);
    }
    const QStringList rest = parser.positionalArguments().mid(1);

    Request request;
    request.command = info->command;
    if (info->fileArgument != nullptr) {
        if (rest.size() != 1) {
            return fail(language, texts::kOneFileNeeded);
        }
        request.file = utf8(rest.first());
    } else if (!rest.isEmpty()) {
        return fail(language, texts::kUnexpectedArgument, utf8(rest.first()));
    }
    const auto commandTakes = [&](const QCommandLineOption& option) {
        const auto options = commandOptions(o, info->command);
        return std::find(options.begin(), options.end(), &option) != options.end();
    };
    if (commandTakes(o.port)) {
        const std::string port = utf8(parser.value(o.port));
        if (port.empty()) {
            return fail(language, texts::kOptionNeeded, "--port");
        }
        request.portId = portIdForArgument(port, environment.ports != nullptr ? environment.ports->listPorts()
                                                                              : link::PortList{});
    }
    if (commandTakes(o.output)) {
        request.file = utf8(parser.value(o.output));
        if (request.file.empty()) {
            return fail(language, texts::kOptionNeeded, "--output");
        }
    }
    int retries = 0;
    if (commandTakes(o.retries)) {
        const auto value = model::parseInteger(utf8(parser.value(o.retries)));
        if (!value || *value < 0 || *value > kMaxRetries) {
            return fail(language, texts::kBadRetries);
        }
        retries = static_cast<int>(*value);
    }
    if (commandTakes(o.password) && parser.isSet(o.password)) {
        const std::string password = utf8(parser.value(o.password));
        if (!isPasswordText(password)) {
            return fail(language, texts::kBadPassword);
        }
        request.password = password;
    }
    request.force = commandTakes(o.force) && parser.isSet(o.force);
    request.json = commandTakes(o.json) && parser.isSet(o.json);

    CliRun run(environment, language == Language::Chinese, retries);
    if (request.password) {
        // As if typed into the password dialog before the operation.
        run.state.link.enteredPassword = link::passwordFromEntry(*request.password);
    }
    ExitCode code = ExitCode::Failure;
    switch (request.command) {
    case Command::Ports:
        code = runPorts(run);
        break;
    case Command::Read:
        code = runRead(run, request);
        break;
    case Command::Write:
        code = runWrite(run, request);
        break;
    case Command::Info:
        code = runInfo(run, request);
        break;
    case Command::Dump:
        code = runDump(run, request);
        break;
    }
    std::fflush(environment.out);
    return static_cast<int>(code);
}

} // namespace corvane::cli
