#pragma once
// The texts shared by several windows and subsystems, English / Chinese, exactly as the users
// and the stored files know them (odd spellings included: "writed", "modify", "Overwrite").
// Window-specific texts live in a table next to their window.

#include "model/text_pair.h"

#include <array>

namespace corvane::model::texts {

// Buttons and labels.
inline constexpr TextPair kOkButton{"&OK", "确定(&O)"};
inline constexpr TextPair kCancelButton{"&Cancel", "取消(&C)"};
inline constexpr TextPair kCloseButton{"&Close", "关闭(&C)"};
inline constexpr TextPair kHelpButton{"&Help", "帮助(&H)"};
inline constexpr TextPair kPrintButton{"&Print", "打印(&P)"};
inline constexpr TextPair kDataFileLabel{"Data File", "数据文件"};
inline constexpr TextPair kFileNameLabel{"File Name", "文件名"};
inline constexpr TextPair kPortLabel{"COM", "通信口"};
inline constexpr TextPair kModelInformationTitle{"Model Information", "机型信息"};
inline constexpr TextPair kModelLabel{"Model", "机型"};
inline constexpr TextPair kFrequencyLabel{"Frequency", "频率"};
inline constexpr TextPair kLanguageDialogTitle{"Set Language", "语言设置"};
inline constexpr TextPair kLanguageDialogLabel{"Language Select", "语言选择"};
inline constexpr TextPair kEnglishName{"English", "英语"};  // the name of English, in each language
inline constexpr TextPair kChineseName{"Chinese", "中文"};  // the name of Chinese, in each language
inline constexpr TextPair kPasswordDialogTitle{"Program PassWord", "编程密码"};
inline constexpr TextPair kPasswordLabel{"PassWord", "密码"};

// Messages.
inline constexpr TextPair kWriteNeedsChannel{"Only when it at least has data of one channel,  can it be writed.",
                                             "至少需要存在一个信道数据，才能写入！"};
inline constexpr TextPair kNewDocumentQuestion{"All data will be cleared.", "所有数据将被清空。"};
inline constexpr TextPair kFileError{"file error.", "文件错误。"};
inline constexpr TextPair kFileVersionError{"file version error.", "文件版本错误。"};
inline constexpr TextPair kCannotOpenPort{"Cannot Open Communication Port.", "无法打开通信端口。"};
inline constexpr TextPair kReadConfirmation{"Read data from radio.\r\nDo you wish continue?",
                                            "从对讲机读取数据。\r\n是否继续？"};
inline constexpr TextPair kWriteConfirmation{"Write data to radio.\r\nDo you wish continue?",
                                             "向对讲机写入数据。\r\n是否继续？"};
inline constexpr TextPair kUnsavedChanges{"File has been modify,save it now?", "当前文件已被修改，是否现在保存？"};
inline constexpr TextPair kOverwrite{"file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"};
inline constexpr TextPair kRetry{"Check Connection. Retry or Cancel?", "检测连接。重试或取消？"};
inline constexpr TextPair kReadCompleted{"Read Data Completed.", "读取数据完成。"};
inline constexpr TextPair kWriteCompleted{"Write Data Completed.", "写入数据完成。"};
inline constexpr TextPair kModelMismatch{"Model type is wrong.", "机型类型错误。"};
inline constexpr TextPair kBandMismatch{"Frequency band is different,Overwrite?", "与机器频段不同，是否覆盖？"};
inline constexpr TextPair kFrequencyDataCleared{"Frequency data will be cleared.", "频率数据将被清除。"};
inline constexpr TextPair kWarningTitle{"Warning", "警告"};
inline constexpr TextPair kInvalidData{"Invalid Data", "无效数据"};
inline constexpr TextPair kFrequencyOutOfRange{"Frequency is out of range.", "频率超出范围。"};
inline constexpr TextPair kProgressCaptionRead{"Read data from radio", "从对讲机读取数据"};
inline constexpr TextPair kProgressCaptionWrite{"Write data to radio", "向对讲机写入数据"};
inline constexpr TextPair kProgressLabel{"Completion percentage:", "完成进度:"};
inline constexpr TextPair kRadioKilled{"Radio is killed,can't be written!", "对讲机被遥毙，不能写入！"};
inline constexpr TextPair kRadioStunned{"Radio is fainted,can't be written!", "对讲机被遥晕，不能写入！"};

// Shown in English whatever the language.
inline constexpr std::string_view kModelError = "Model Error!";
inline constexpr std::string_view kPasswordFailure = "PassWord Failure!";
inline constexpr std::string_view kNotNumeric = "Not IsNumeric";

struct NamedText
{
    std::string_view name;
    TextPair pair;
};

// Every shared pair by name, for checks over the whole table.
inline constexpr std::array kSharedTexts = {
    NamedText{"OK button", kOkButton},
    NamedText{"Cancel button", kCancelButton},
    NamedText{"Close button", kCloseButton},
    NamedText{"Help button", kHelpButton},
    NamedText{"Print button", kPrintButton},
    NamedText{"data-file label", kDataFileLabel},
    NamedText{"file-name label", kFileNameLabel},
    NamedText{"port label", kPortLabel},
    NamedText{"model information title", kModelInformationTitle},
    NamedText{"model label", kModelLabel},
    NamedText{"frequency label", kFrequencyLabel},
    NamedText{"language dialog title", kLanguageDialogTitle},
    NamedText{"language dialog label", kLanguageDialogLabel},
    NamedText{"English name", kEnglishName},
    NamedText{"Chinese name", kChineseName},
    NamedText{"password dialog title", kPasswordDialogTitle},
    NamedText{"password label", kPasswordLabel},
    NamedText{"write refused, no channel", kWriteNeedsChannel},
    NamedText{"new document", kNewDocumentQuestion},
    NamedText{"file error", kFileError},
    NamedText{"file version error", kFileVersionError},
    NamedText{"port", kCannotOpenPort},
    NamedText{"read confirmation", kReadConfirmation},
    NamedText{"write confirmation", kWriteConfirmation},
    NamedText{"unsaved changes", kUnsavedChanges},
    NamedText{"overwrite", kOverwrite},
    NamedText{"retry", kRetry},
    NamedText{"read completed", kReadCompleted},
    NamedText{"write completed", kWriteCompleted},
    NamedText{"model mismatch", kModelMismatch},
    NamedText{"band mismatch", kBandMismatch},
    NamedText{"frequency data cleared", kFrequencyDataCleared},
    NamedText{"warning title", kWarningTitle},
    NamedText{"invalid data", kInvalidData},
    NamedText{"frequency out of range", kFrequencyOutOfRange},
    NamedText{"progress caption, read", kProgressCaptionRead},
    NamedText{"progress caption, write", kProgressCaptionWrite},
    NamedText{"progress label", kProgressLabel},
    NamedText{"radio killed", kRadioKilled},
    NamedText{"radio stunned", kRadioStunned},
};

} // namespace corvane::model::texts
