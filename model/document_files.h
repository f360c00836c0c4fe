#pragma once
// Opening and saving the document as a data file with its companion files, the document
// templates of a new document, and the unsaved-change test.
//
// Every operation leaves the document, its saved copies and documentFileName exactly as they
// were when it fails: a file is read and checked completely before anything is replaced, and the
// saved copies change only after the record reached the disk. Messages (OK button, no icon):
//   wrong length       "file version error." / "文件版本错误。"
//   unknown model code "Model Error!" (English only)
//   anything else      "file error." / "文件错误。" (missing, unreadable, inconsistent lists,
//                      failed write)
// Windows are the shell's: after a successful open it shows the document (channel grid, title,
// cascade) through the callback given, while frequency corrections stay silent.

#include "model/model_state.h"
#include "model/new_document.h"
#include "model/prompts.h"
#include "model/text_pair.h"
#include "model/version_table.h"

#include <filesystem>
#include <functional>
#include <string>

namespace corvane::model {

// Template used when the one of the current model and band is missing; only its settings count.
inline constexpr std::string_view kFallbackTemplateName = "Z740E_2.dat";

enum class OpenResult {
    Opened,     // the file is the document now; documentFileName = the path, isUntitled cleared
    Refused,    // a message was shown; nothing changed
    HandedOver, // another program version was started and this one is ending; nothing changed
};

// Opens the data file at `path` (a full path, UTF-8). The model code gives the data version;
// an incompatible one is asked about (the version question and hand-over of version_table.h).
// `showDocument` runs after the document was replaced, with suppressRangeWarnings set.
OpenResult openDocumentFile(ModelState& state, const std::string& path, HandOverContext& context,
                            const std::function<void()>& showDocument = {});

// Saves the document to `path` with its flags file and, in test mode, its test-data file. On
// success the saved copies are taken, documentFileName = path and isUntitled is cleared; the
// caller then sets the window title. A failed companion file is ignored; a failed record shows
// "file error." and leaves the previous file as it was.
bool saveDocumentFile(ModelState& state, const std::string& path, Prompts& prompts, Language language);

// "<currentModelCode>_<band code>.dat", such as "Z740E_2.dat".
std::string templateFileName(const CurrentModel& model);

// Loads the template of the current model and band from `folder` into the document and its
// saved copies, else the settings of "Z740E_2.dat" (with the current model's radio type and no
// channels), else takes the saved copies from the document as it stands. A missing template is
// skipped silently; one of the wrong length shows "file version error.", an inconsistent one
// "file error.". Templates get no model or version check.
void loadTemplate(ModelState& state, const std::filesystem::path& folder, Prompts& prompts,
                  Language language);

// The templates shipped in the resource folder, "Z740E_0.dat" .. "Z740E_2.dat", written at build
// time by corvane-make-templates: the new-document defaults for the band and no channels (a
// channel's frequencies come from the customer's licence, never from a guess of ours).
ConfigDocument shippedTemplate(Integer bandIndex);

// The template loader of newDocument for templates in `folder` (the resource folder). Messages
// use the language current when the loader runs.
TemplateLoader makeTemplateLoader(std::filesystem::path folder, Prompts& prompts,
                                  const LanguageState& language);

// True when the document differs from its saved copies. Lists are compared entry by entry,
// looked up by number (fleet list: by row), so a list whose order alone changed is unchanged;
// the DTMF codes botCode and eotCode compare by their trimmed value, every other text as stored.
// In test mode the test-data table counts too.
bool documentChanged(const ModelState& state);

// After a read from a radio: the document has no file yet.
void markUntitled(ModelState& state);

} // namespace corvane::model
