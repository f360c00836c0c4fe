#pragma once
// Corvane's main window: the multiple-document frame with its menu bar, toolbar, navigation tree
// (in a panel with a close button, beside a splitter), the client area of the child editors and
// the status bar. It owns the document's lifecycle (New, Open, Save, Save As, Exit), routes the
// radio commands to RadioCommands, opens the editors of the EditorRegistry, re-labels itself when
// the language changes and keeps its position and size in the per-user store.
//
// Every command runs under the error guard: an unexpected failure shows the procedure's label
// ("frmMain_mnuFileOpen_Click") and the window stays usable. The window never shows a document
// but the one in AppState, and never opens a second instance of an editor.

#include "app/core/app_state.h"
#include "app/core/startup_settings.h"
#include "app/widgets/about_box.h"
#include "app/widgets/editor_registry.h"
#include "app/widgets/radio_commands.h"
#include "model/calendar.h"
#include "model/version_table.h"
#include "platform/widgets/file_chooser.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTranslator>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvane::app {

// What the main window works with; all of it outlives the window.
struct MainWindowServices
{
    AppState& state;
    SettingsPaths paths;
    model::Prompts& prompts;
    const model::VersionTable& versions;
    model::ProgramLauncher& launcher;
    std::filesystem::path thisProgramFile;
    const model::DateSource& dates;
    RadioCommands& radio;
    platform::FileChooser& files;
    EditorRegistry editors;
    SystemInfoStarter startSystemInfo = startSystemInformationProgram;
};

// "Corvane[ZT740-16:400 - 480 MHz][File Name:new.dat]".
QString mainWindowTitle(const AppState& state);
// Status bar panel 2, "ZT740-16[400 - 480 MHz]", and panel 3: the port label and the port,
// "COM3" / "通信口3" ("COM0" for none), "COM ttyUSB0" for a device, "COM virtual radio".
QString modelPanelText(const AppState& state);
QString portPanelText(const std::string& comPort, model::Language language);
// "Data File (*.dat)" / "数据文件 (*.dat)".
QString dataFileFilter(model::Language language);

class MainWindow : public QMainWindow, public RadioShell
{
    Q_OBJECT

public:
    // Opens the window (hidden): restores its position and size, applies the visibility rules,
    // builds its texts and starts a new document with the channel grid open.
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Public operations of the main window, used by the editors and the radio commands.
    void ShowCHInfo(bool show);
    void Change_Language();
    void CloseCurAllWindows() override;
    void LoadNewDoc();
    void ReadRMGDataFromRadio();
    // Gives an open editor of that kind the focus, or opens it and cascades the child windows.
    void openChild(ChildKind kind);
    // The open child window of that kind, or null.
    QMdiSubWindow* childWindow(ChildKind kind) const;
    void cascade();
    // The help window at the topic of `contextId` in the current language (the editors' Help).
    void showHelpTopic(int contextId) override;

    AppState& state() { return m_services.state; }
    const SettingsPaths& paths() const { return m_services.paths; }

    // RadioShell
    QWidget* dialogParent() override;
    model::Prompts& prompts() override { return m_services.prompts; }
    void showReadDocument() override;
    void refreshStatusBar() override;
    model::HandOverContext handOverContext() override;

    // The document commands (menu items and toolbar buttons run these).
    void newDocumentCommand(); // asks "All data will be cleared." first
    void newDocumentButton();  // asks only when the document has unsaved changes
    void openCommand();
    bool saveCommand();
    bool saveAsCommand();
    void readCommand();
    void writeCommand();
    void languageCommand();

    // Applies a language changed in the language dialog (the activation rule): texts rebuilt,
    // child windows closed, channel grid reopened, cascade. False when nothing had changed.
    bool applyLanguageIfChanged();

    // The menu item, menu or toolbar button by name ("mnuFileOpen", "mnuHelp", "ReadRadio").
    QAction* menuAction(std::string_view name) const;
    QMenu* menu(std::string_view name) const;
    QAction* toolbarAction(std::string_view key) const;
    QToolBar* toolbar() const { return m_toolbar; }
    QTreeWidget* tree() const { return m_tree; }
    QWidget* treePanel() const { return m_treePanel; }
    QSplitter* splitter() const { return m_splitter; }
    QMdiArea* mdiArea() const { return m_mdi; }
    QLabel* modelPanel() const { return m_modelPanel; }
    QLabel* portPanel() const { return m_portPanel; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void buildMenus();
    void buildToolbar();
    void buildTreePanel();
    void buildStatusBar();
    void buildTree();
    void connectCommands();
    void updateCommandStates();
    void applyVisibility();
    void rebuildTexts(bool withTree);
    void setTitle();
    void restoreStoredGeometry();
    void shutdownSettings();
    void refreshWindowList();
    void subWindowActivated(QMdiSubWindow* window);
    void treeNodeClicked(QTreeWidgetItem* item);
    void channelEdit(char command);
    void runDialog(DialogKind kind);
    void setTreeVisible(bool visible);
    void commitOpenEditors();
    // Yes to "save it now?": Save As for an untitled document, else a save to its file.
    bool saveForQuestion();
    bool saveTo(const QString& path);
    bool confirmUnsavedChanges();
    std::vector<QWidget*> openEditorWindows() const;
    void guarded(std::string_view label, const std::function<void()>& procedure);
    std::function<void()> command(std::string_view name);

    MainWindowServices m_services;
    QHash<QString, QAction*> m_actions; // menu items and menus' own actions, by name
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_toolbarActions;
    std::vector<QAction*> m_channelEditToolbar; // positions 10-14
    std::vector<QAction*> m_windowListActions;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_treePanel = nullptr;
    QAction* m_treeClose = nullptr;
    QTreeWidget* m_tree = nullptr;
    QSplitter* m_splitter = nullptr;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_messagePanel = nullptr;
    QLabel* m_modelPanel = nullptr;
    QLabel* m_portPanel = nullptr;
    QTranslator m_qtTranslator;
    bool m_qtTranslatorInstalled = false;
    bool m_closing = false;
};

} // namespace corvane::app
