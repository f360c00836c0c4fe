#pragma once
// The command-line tool's own texts, English / Chinese. Everything the radio operations and the
// data-file code say comes from their own tables; these are only what the tool adds: how a
// question was answered, why a command line is refused, what it could not do with a file.
// "{}" stands for the one value a text names (a path, an option, a number).

#include "model/text_pair.h"

#include <string>
#include <string_view>

namespace corvane::cli::texts {

using model::TextPair;

// How the tool answered a question of the operations, after the question's text.
inline constexpr TextPair kAnsweredOk{"[answered OK]", "[回答：确定]"};
inline constexpr TextPair kAnsweredRetry{"[answered OK: retry {}]", "[回答：确定，重试 {}]"};
inline constexpr TextPair kAnsweredCancel{"[answered Cancel]", "[回答：取消]"};
inline constexpr TextPair kAnsweredNo{"[answered No]", "[回答：否]"};

// The radio's password was refused; without --password nothing was tried.
inline constexpr TextPair kPasswordNeeded{"The radio has a programming password: give it with --password.",
                                          "对讲机设有编程密码：请用 --password 给出。"};

// Command line.
inline constexpr TextPair kUnknownCommand{"unknown command \"{}\" (see --help)", "未知命令“{}”（见 --help）"};
inline constexpr TextPair kNoCommand{"no command given (see --help)", "未给出命令（见 --help）"};
inline constexpr TextPair kOptionNeeded{"{} is required (see --help)", "需要 {}（见 --help）"};
inline constexpr TextPair kOneFileNeeded{"give exactly one data file (see --help)",
                                         "请给出一个数据文件（见 --help）"};
inline constexpr TextPair kUnexpectedArgument{"unexpected argument \"{}\" (see --help)",
                                              "多余的参数“{}”（见 --help）"};
inline constexpr TextPair kBadLanguage{"--lang takes en or zh", "--lang 只能是 en 或 zh"};
inline constexpr TextPair kBadRetries{"--retries takes a whole number from 0 to 1000",
                                      "--retries 须为 0 到 1000 的整数"};
inline constexpr TextPair kBadPassword{"--password takes at most 4 ASCII characters",
                                       "--password 最多 4 个 ASCII 字符"};

// Files.
inline constexpr TextPair kOutputExists{"{} exists: give --force to replace it",
                                        "{} 已存在：用 --force 覆盖"};
inline constexpr TextPair kOutputFolderMissing{"the folder of {} does not exist", "{} 所在的文件夹不存在"};

// The text with "{}" replaced by `value`.
inline std::string withValue(std::string_view text, std::string_view value)
{
    std::string out(text);
    if (const auto at = out.find("{}"); at != std::string::npos) {
        out.replace(at, 2, value);
    }
    return out;
}

} // namespace corvane::cli::texts
