// corvane-cli: reads, writes and inspects ZT740-16 radios and data files from the command line.
// No window and no keyboard: see cli/cli_commands.h for the commands and cli/exit_codes.h for
// what the exit code says.

#include "cli/cli_commands.h"
#include "cli/cli_prompts.h"
#include "platform/process_launcher.h"
#include "platform/programming_port.h"
#include "platform/resource_paths.h"
#include "platform/serial_port_lister.h"
#include "platform/system_locale.h"

#include <QCoreApplication>
#include <cstdio>

using namespace corvane;

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    // The same names as Corvane: the virtual radio's memory and the folders are shared with it.
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));

    const platform::SystemPortLister ports;
    cli::CliEnvironment environment;
    environment.resourceFolder = platform::resourceFolder();
    environment.virtualRadioMemory = platform::virtualRadioMemoryFile();
    environment.thisProgramFile = platform::thisProgramFile();
    environment.systemLocaleIsChinesePrc = platform::systemLocaleIsChinesePrc();
    environment.ports = &ports;
    environment.out = stdout;
    environment.err = stderr;
    environment.errIsTerminal = cli::CliPrompts::isTerminal(stderr);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return cli::runCli(arguments, environment);
}
