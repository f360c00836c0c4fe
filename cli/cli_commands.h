#pragma once
// corvane-cli: the commands of the command-line tool over the same core as Corvane (the step
// machine of the radio operations, the data-file code, the version table), with CliPrompts in
// place of the windows.
//
//   ports                                    the serial ports, then the virtual radio
//   read  --port PORT --output FILE.dat      the whole radio into a data file and its flags file
//   write --port PORT FILE.dat               a data file into the radio
//   info  --port PORT [--json]               the radio-information values
//   dump  FILE.dat [--json]                  the whole document and its flags file
//
// stdout carries only what a command prints as data (ports, info, dump); messages, answered
// questions and the progress go to stderr. The result is an exit code of exit_codes.h. The tool
// reads no settings file of Corvane and writes none: the port is always given.

#include "link/port_list.h"

#include <QStringList>
#include <cstdio>
#include <filesystem>

namespace corvane::cli {

// What a run of the tool is given by its program (or a test).
struct CliEnvironment
{
    std::filesystem::path resourceFolder;     // language files, templates, Version.ini
    std::filesystem::path virtualRadioMemory; // the built-in virtual radio's memory file
    std::filesystem::path thisProgramFile;
    bool systemLocaleIsChinesePrc = false; // the language unless --lang says otherwise
    const link::PortLister* ports = nullptr;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool errIsTerminal = false;
};

// Runs the command line (arguments without the program name) and returns the exit code. Radio
// commands run the Qt event loop until their operation has ended: a QCoreApplication must exist.
int runCli(const QStringList& arguments, const CliEnvironment& environment);

// The port id an operation opens for a PORT argument: "virtual" for the virtual radio, a device
// path as it is, a name the system lists (its device name or id) as that port's id, any other
// name as a device of that name.
std::string portIdForArgument(const std::string& port, const link::PortList& listed);

} // namespace corvane::cli
