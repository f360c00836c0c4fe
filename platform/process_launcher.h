#pragma once
// Starting another installed program version and ending this one, for the hand-over of
// model/version_table.h. The other program runs on its own (detached, its own window, its own
// folder as working folder); ending this one stops every event loop, modal ones included, so
// nothing more runs: no question, no saving.

#include "model/version_table.h"

#include <filesystem>

namespace corvane::platform {

class ProcessLauncher : public model::ProgramLauncher
{
public:
    bool isProgram(const std::filesystem::path& file) const override;
    bool startProgram(const std::filesystem::path& file) override;
    void endThisProgram() override;
};

// The executable of this run.
std::filesystem::path thisProgramFile();

} // namespace corvane::platform
