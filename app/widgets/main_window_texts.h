#pragma once
// The main window's own texts and layout tables, in one place so they can be checked against the
// menu, toolbar and tree lists at a glance: menu items in menu order (captions, shortcuts,
// help-context ids, when shown), the toolbar by position, the navigation tree, the about boxes.
// Shared texts (file-name label, port label, data-file label, ...) are in model/shared_texts.h.

#include "model/text_pair.h"

#include <array>
#include <string_view>

namespace corvane::app::mainwindow {

enum class Shown {
    Always,
    WithChannelGrid, // while the channel grid is the active child window
    InTestMode,      // only when the factory test mode is on
    InChinese,       // only while the language is Chinese
};

inline constexpr std::string_view kSeparator = "-";
inline constexpr std::string_view kWindowList = "mnuWindowList"; // the open child windows follow here

struct MenuEntry
{
    std::string_view name;       // the item's name; kSeparator for a separator line
    std::string_view parent;     // the menu it belongs to; empty for a menu of the menu bar
    model::TextPair caption{};   // "&" marks the access key
    std::string_view shortcut{}; // key sequence text, empty for none
    int helpContext = 0;         // 0: none
    Shown shown = Shown::Always;
    bool checkable = false; // view toggles, checked at start
};

// clang-format off
inline constexpr std::array kMenuTable = {
    MenuEntry{"mnuFile",          "",            {"&File", "文件&F"},                              "",       100},
    MenuEntry{"mnuFileNew",       "mnuFile",     {"&New", "新建(&N)"},                             "Ctrl+N", 101},
    MenuEntry{"mnuFileOpen",      "mnuFile",     {"&Open", "打开(&O)"},                            "Ctrl+O", 102},
    MenuEntry{"mnuFileSave",      "mnuFile",     {"&Save", "保存(&S)"},                            "Ctrl+S", 103},
    MenuEntry{"mnuFileSaveAs",    "mnuFile",     {"Save &As", "另存为(&A)"},                        "",       104},
    MenuEntry{kSeparator,         "mnuFile"},
    MenuEntry{"mnuFilePrint",     "mnuFile",     {"&Print", "打印(&P)"},                           "",       0},
    MenuEntry{kSeparator,         "mnuFile"},
    MenuEntry{"mnuFileExit",      "mnuFile",     {"E&xit", "退出(&X)"},                            "",       105},

    MenuEntry{"mnuModel",         "",            {"&Model", "机型(&M)"},                           "",       200},
    MenuEntry{"mnuModelInfo",     "mnuModel",    {"&Model Information", "机型信息(&M)"},            "",       201},

    MenuEntry{"mnuCHEdit",        "",            {"&Channel Edit", "信道编辑(&C)"},                 "",       0, Shown::WithChannelGrid},
    MenuEntry{"MnuCHCut",         "mnuCHEdit",   {"Cut(&X)", "剪切(&X)"},                          "Ctrl+X", 0},
    MenuEntry{"MnuCHCopy",        "mnuCHEdit",   {"Copy(&C)", "复制(&C)"},                         "Ctrl+C", 0},
    MenuEntry{"MnuCHPaste",       "mnuCHEdit",   {"Paste(&V)", "粘帖(&V)"},                        "Ctrl+V", 0},
    MenuEntry{"MnuCHDelete",      "mnuCHEdit",   {"Delete(&D)", "删除(&D)"},                       "Del",    0},

    MenuEntry{"mnuEdit",          "",            {"&Edit", "编辑(E)"},                             "",       300},
    MenuEntry{"mnuChannelInfo",   "mnuEdit",     {"&Channel Information", "信道信息(&C)"},          "",       3100},
    MenuEntry{kSeparator,         "mnuEdit"},
    MenuEntry{"mnuOptFeature",    "mnuEdit",     {"&Function Setup", "功能设定(&O)"},               "",       3200},
    MenuEntry{"mnuKeyAssignm",    "mnuEdit",     {"&Key Setting", "键设置(&K)"},                    "",       3400},
    MenuEntry{"mnuScanInfo",      "mnuEdit",     {"&Scan Information", "扫描信息(&S)"},             "",       3500},
    MenuEntry{kSeparator,         "mnuEdit"},
    // The DTMF item takes the DTMF editor's topic: it is the one editor item without an id of its own.
    MenuEntry{"mnuDTMF",          "mnuEdit",     {"&DTMF", "DTMF(双音多频)(&D)"},                   "",       3600},
    MenuEntry{kSeparator,         "mnuEdit"},
    MenuEntry{"mnuEmbeddedMsg",   "mnuEdit",     {"Embedded &Message", "嵌入信息(&M)"},             "",       3700},
    MenuEntry{"mnuEMG",           "mnuEdit",     {"&Local Message", "本机信息(&L)"},                "",       3800},
    MenuEntry{"mnuTestData",      "mnuEdit",     {"Test Data &Information", "测试数据(&I)"},        "",       0, Shown::InTestMode},

    MenuEntry{"mnuProgram",       "",            {"&Program", "编程(&P)"},                         "",       400},
    MenuEntry{"mnuReadFromRadio", "mnuProgram",  {"&Read from Radio", "从对讲机读取数据(&R)"},      "Ctrl+R", 401},
    MenuEntry{"mnuWriteToRadio",  "mnuProgram",  {"&Write to Radio", "向对讲机写入数据(&W)"},       "Ctrl+W", 402},
    MenuEntry{kSeparator,         "mnuProgram"},
    MenuEntry{"MnuProPassWord",   "mnuProgram",  {"&PassWord", "密码(&P)"},                        "",       403},

    MenuEntry{"mnuSet",           "",            {"&Setting", "设置(&S)"},                         "",       500},
    MenuEntry{"mnuComm",          "mnuSet",      {"Set &COM", "串口设置(&C)"},                      "",       501},
    MenuEntry{"mnuLanguage",      "mnuSet",      {"Set &Language", "语言设置(&L)"},                 "",       502},

    MenuEntry{"mnuView",          "",            {"&View", "视图(&V)"},                            "",       600},
    MenuEntry{"mnuTreeView",      "mnuView",     {"Tree &View", "树视图(&V)"},                      "",       601, Shown::Always, true},
    MenuEntry{kSeparator,         "mnuView"},
    MenuEntry{"mnuViewToolbar",   "mnuView",     {"&Toolbar", "工具栏(&T)"},                       "",       602, Shown::Always, true},
    MenuEntry{"mnuViewStatusBar", "mnuView",     {"&Status Bar", "状态栏(&S)"},                    "",       603, Shown::Always, true},

    MenuEntry{"mnuWindow",        "",            {"&Window", "窗口(&W)"},                          "",       700},
    MenuEntry{"mnuWindowCascade", "mnuWindow",   {"&Cascade", "层叠(&C)"},                         "",       701},
    MenuEntry{kSeparator,         "mnuWindow"},
    MenuEntry{"mnuCloseAll",      "mnuWindow",   {"Close All &Windows", "关闭所有窗口(&W)"},        "",       702},
    MenuEntry{kSeparator,         "mnuWindow"},
    MenuEntry{kWindowList,        "mnuWindow"},

    MenuEntry{"mnuHelp",          "",            {"&Help", "帮助(&H)"},                            "",       800},
    MenuEntry{"mnuHelpTopic",     "mnuHelp",     {"&Help topics", "帮助主题(&H)"},                  "",       801, Shown::InChinese},
    MenuEntry{kSeparator,         "mnuHelp"},
    MenuEntry{"mnuHelpAbout",     "mnuHelp",     {"&About Corvane", "关于 Corvane(&A)"},            "",       802},
};
// clang-format on

constexpr const MenuEntry* menuEntry(std::string_view name)
{
    for (const MenuEntry& entry : kMenuTable) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

// The main toolbar by position. The tooltip of a button is the caption of its menu item, "&"
// included. Positions 15 and 16 hold no button: one separator line stands before "About".
struct ToolbarEntry
{
    int position;
    std::string_view key;         // empty for a separator
    std::string_view menuItem;    // tooltip source
    bool withChannelEdit = false; // shown only while the channel grid is the active child
};

// clang-format off
inline constexpr std::array kToolbarTable = {
    ToolbarEntry{1,  "新建",       "mnuFileNew"},        // New without the menu's question (see the main window)
    ToolbarEntry{2,  "打开",       "mnuFileOpen"},
    ToolbarEntry{3,  "保存",       "mnuFileSave"},
    ToolbarEntry{4,  "",           ""},
    ToolbarEntry{5,  "打印",       "mnuFilePrint"},
    ToolbarEntry{6,  "",           ""},
    ToolbarEntry{7,  "ReadRadio",  "mnuReadFromRadio"},
    ToolbarEntry{8,  "CommSet",    "mnuComm"},
    ToolbarEntry{9,  "WriteRadio", "mnuWriteToRadio"},
    ToolbarEntry{10, "",           "",                   true},
    ToolbarEntry{11, "CHCut",      "MnuCHCut",           true},
    ToolbarEntry{12, "CHCopy",     "MnuCHCopy",          true},
    ToolbarEntry{13, "CHPaste",    "MnuCHPaste",         true},
    ToolbarEntry{14, "CHDelete",   "MnuCHDelete",        true},
    ToolbarEntry{15, "",           ""},
    ToolbarEntry{17, "About",      "mnuHelpAbout"},
};
// clang-format on

// The navigation tree: the root shows the short model name; each child shows the caption of its
// menu item with every "&" removed and does what that item does. Clicking the root does nothing.
struct TreeNode
{
    std::string_view key;
    std::string_view menuItem;
    Shown shown = Shown::Always;
};

inline constexpr std::string_view kTreeRootKey = "N0";
inline constexpr std::string_view kTreeRootText = "ZT740";

// clang-format off
inline constexpr std::array kTreeTable = {
    TreeNode{"N1",  "mnuChannelInfo"},
    TreeNode{"N2",  "mnuOptFeature"},
    TreeNode{"N3",  "mnuKeyAssignm"},
    TreeNode{"N4",  "mnuScanInfo"},
    TreeNode{"N5",  "mnuDTMF"},
    TreeNode{"N8",  "mnuEmbeddedMsg"},
    TreeNode{"N10", "mnuTestData", Shown::InTestMode},
    TreeNode{"N9",  "mnuEMG"},
};
// clang-format on

// The window's title: "Corvane[<model>:<band>][<file-name label>:<name part of the file>]".
inline constexpr std::string_view kProgramTitle = "Corvane";

// The tree panel's close button (key "删除") and the file dialogs' titles.
inline constexpr model::TextPair kTreeCloseTip{"Close", "关闭"};
inline constexpr std::string_view kTreeCloseKey = "删除";
inline constexpr model::TextPair kOpenDialogTitle{"Open", "打开"};
inline constexpr model::TextPair kSaveDialogTitle{"Save As", "另存为"};

// The status bar's port panel for a port that is not a numbered COM port.
inline constexpr std::string_view kVirtualPort = "virtual";
inline constexpr model::TextPair kVirtualPortName{"virtual radio", "虚拟对讲机"};

// About boxes.
inline constexpr model::TextPair kAboutTitle{"About Corvane", "关于 Corvane"};
inline constexpr model::TextPair kVersionLabel{"Version ", "版本 "};
inline constexpr model::TextPair kAboutDescription{"Corvane RADIO PROGRAMMING SOFTWARE",
                                                   "Corvane 对讲机编程软件 "};
inline constexpr std::string_view kAboutForModel = "FOR ZT740"; // English box only
inline constexpr model::TextPair kAboutDisclaimer{
    "Warning: program only radios you are authorised to service, and only with frequencies your "
    "licence allows. Check every setting before you write it to a radio; the maker of this "
    "program accepts no liability for radios programmed with it.",
    "警告：只能为您有权维修的对讲机编程，并且只能使用您的执照所允许的频率。写入对讲机之前请检查每一项设置；"
    "本软件的制作者对用本软件编程的对讲机不承担任何责任。"};
inline constexpr std::string_view kSystemInfoButton = "系统信息(&S)..."; // Chinese box only
inline constexpr std::string_view kSystemInfoUnavailable = "此时系统信息不可用";

} // namespace corvane::app::mainwindow
