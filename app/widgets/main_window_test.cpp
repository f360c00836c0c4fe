// The main window driven offscreen over an in-memory document: its menus, toolbar, tree, title
// and status bar; the document commands with their questions; the channel-edit visibility; the
// language switch; the splitter; the stored geometry; the radio-command seam; the error guard;
// the about boxes and the help. Child editors are small stand-ins registered like the real ones.

#include "app/core/startup_settings.h"
#include "app/widgets/main_window.h"
#include "model/document_files.h"
#include "model/language_choice.h"
#include "model/new_document.h"
#include "model/shared_texts.h"
#include "platform/resource_paths.h"
#include "platform/widgets/editor_window.h"
#include "platform/widgets/help_viewer.h"
#include "platform/widgets/twips.h"
#include "platform/window_geometry_store.h"
#include "testsupport/qt/isolated_user_folders.h"
#include "testsupport/qt/modal_answerer.h"
#include "testsupport/qt/scripted_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <deque>
#include <stdexcept>

using namespace corvane;
using model::MessageAnswer;

namespace {

// Stand-in for the channel grid: counts commits and channel-edit commands.
class FakeGrid : public QWidget, public platform::EditorWindow, public platform::ChannelEditTarget
{
public:
    FakeGrid()
    {
        setWindowTitle(QStringLiteral("Channel Information"));
        field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("gridField"));
        platform::setHelpContext(field, 3108);
        (new QVBoxLayout(this))->addWidget(field);
    }
    void commitFocusedControl() override { ++commits; }
    void SetCHEdit(char command) override { commands += command; }

    QLineEdit* field;
    int commits = 0;
    std::string commands;
};

// Stand-in for a feature editor that commits its field when the field is left.
QWidget* makeFeatureEditor(app::AppState& state)
{
    auto* editor = new QWidget;
    editor->setWindowTitle(QStringLiteral("Function Setup"));
    auto* field = new QLineEdit(editor);
    field->setObjectName(QStringLiteral("beepField"));
    QObject::connect(field, &QLineEdit::editingFinished, editor, [field, &state] {
        state.model.document.settings.options.beep = static_cast<model::Integer>(field->text().toInt());
    });
    (new QVBoxLayout(editor))->addWidget(field);
    return editor;
}

class ScriptedFiles : public platform::FileChooser
{
public:
    // The answers in order; a null QString is a cancelled dialog.
    std::deque<QString> toOpen;
    std::deque<QString> toSave;
    std::vector<platform::FileDialogTexts> asked;
    QString lastPreset;

    std::optional<QString> chooseFileToOpen(QWidget*, const platform::FileDialogTexts& texts,
                                            const QString&) override
    {
        return next(toOpen, texts);
    }
    std::optional<QString> chooseFileToSave(QWidget*, const platform::FileDialogTexts& texts,
                                            const QString& preset) override
    {
        lastPreset = preset;
        return next(toSave, texts);
    }

private:
    std::optional<QString> next(std::deque<QString>& answers, const platform::FileDialogTexts& texts)
    {
        asked.push_back(texts);
        if (answers.empty()) {
            QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
            return std::nullopt;
        }
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isNull()) {
            return std::nullopt;
        }
        return answer;
    }
};

class FakeRadio : public app::RadioCommands
{
public:
    explicit FakeRadio(app::AppState& state) : m_state(state) {}

    bool offers(app::RadioCommand) const override { return true; }
    bool isBusy() const override { return busy; }
    void startRead(app::RadioShell& shell) override
    {
        calls.push_back("read");
        // As a completed read does: a new untitled document that differs from its saved copy.
        shell.CloseCurAllWindows();
        m_state.model.document.settings.options.beep = 0;
        model::appendChannelEntry(m_state.model.document, 1, "43612500", "43612500");
        model::markUntitled(m_state.model);
        shell.showReadDocument();
    }
    void startWrite(app::RadioShell&) override
    {
        calls.push_back("write");
        beepAtWrite = m_state.model.document.settings.options.beep;
    }
    void startRadioInfoRead(app::RadioShell&) override { calls.push_back("radioInfo"); }
    void showPasswordDialog(app::RadioShell&) override { calls.push_back("password"); }
    void showPortDialog(app::RadioShell&) override
    {
        calls.push_back("port");
        m_state.comPort = portAfterDialog;
    }
    void resetToIdle() override { calls.push_back("reset"); }
    void closePort() override {}
    app::IdentityStatus lastIdentityStatus() const override { return identity; }

    std::vector<std::string> calls;
    bool busy = false;
    int beepAtWrite = -1;
    std::string portAfterDialog = "virtual";
    app::IdentityStatus identity;

private:
    app::AppState& m_state;
};

class NoLauncher : public model::ProgramLauncher
{
public:
    bool isProgram(const std::filesystem::path&) const override { return false; }
    bool startProgram(const std::filesystem::path&) override { return false; }
    void endThisProgram() override {}
};

QStringList visibleCaptions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible()) {
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return captions;
}

QStringList treeTexts(const QTreeWidget* tree)
{
    QStringList texts;
    const QTreeWidgetItem* root = tree->topLevelItem(0);
    texts << root->text(0);
    for (int i = 0; i < root->childCount(); ++i) {
        texts << root->child(i)->text(0);
    }
    return texts;
}

QTreeWidgetItem* treeNode(const QTreeWidget* tree, const QString& key)
{
    QTreeWidgetItem* root = tree->topLevelItem(0);
    if (key == QLatin1String("N0")) {
        return root;
    }
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->data(0, Qt::UserRole + 1).toString() == key) {
            return root->child(i);
        }
    }
    return nullptr;
}

void clickNode(QTreeWidget* tree, const QString& key)
{
    QTreeWidgetItem* item = treeNode(tree, key);
    QVERIFY2(item, qPrintable(key));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

std::string bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// One main window with its services, over a temporary user folder.
struct Harness
{
    explicit Harness(bool chinese = false, bool withFeatureEditor = true)
    {
        app::initialiseStartupValues(state, chinese);
        state.comPort = "1";
        paths = {platform::resourceFolder(), platform::toPath(userFolder.path())};
        versions = model::loadVersionTable(model::versionTableFile(paths.resourceFolder));
        editors.children[app::ChildKind::ChannelGrid] = [this](app::MainWindow&) {
            ++gridsMade;
            lastGrid = new FakeGrid;
            return lastGrid;
        };
        if (withFeatureEditor) {
            editors.children[app::ChildKind::OptionalFeatures] = [this](app::MainWindow&) {
                return makeFeatureEditor(state);
            };
        }
        editors.children[app::ChildKind::KeyAssignment] = [](app::MainWindow&) -> QWidget* {
            throw std::runtime_error("editor failed to load");
        };
    }

    app::MainWindow& open(app::RadioCommands* radioCommands = nullptr)
    {
        window =
            std::make_unique<app::MainWindow>(app::MainWindowServices{state,
                                                                      paths,
                                                                      prompts,
                                                                      versions,
                                                                      launcher,
                                                                      {},
                                                                      dates,
                                                                      radioCommands ? *radioCommands : radio,
                                                                      files,
                                                                      editors,
                                                                      [this] { return systemInfoStarts; }});
        window->show();
        window->activateWindow();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(window.get());
        return *window;
    }

    void trigger(std::string_view name) { window->menuAction(name)->trigger(); }
    QString titleNow() const { return window->windowTitle(); }

    QTemporaryDir userFolder;
    app::AppState state;
    app::SettingsPaths paths;
    testing::ScriptedPrompts prompts;
    model::VersionTable versions;
    NoLauncher launcher;
    model::FixedDateSource dates{{2026, 3, 4}};
    FakeRadio radio{state};
    ScriptedFiles files;
    app::EditorRegistry editors;
    bool systemInfoStarts = false;
    FakeGrid* lastGrid = nullptr;
    int gridsMade = 0;
    std::unique_ptr<app::MainWindow> window;
};

// Cascade with the grid and the features window open: one title bar apart, each inside the
// client area, sizes kept.
void checkCascade(Harness& h, app::MainWindow& window)
{
    window.childWindow(app::ChildKind::OptionalFeatures)->resize(300, 200);
    h.trigger("mnuWindowCascade");
    const QRect grid = window.childWindow(app::ChildKind::ChannelGrid)->geometry();
    const QRect features = window.childWindow(app::ChildKind::OptionalFeatures)->geometry();
    QCOMPARE(features.topLeft(), QPoint(0, 0)); // behind, at the start of the cascade
    QVERIFY(grid.x() > 0 && grid.x() == grid.y());
    QCOMPARE(features.size(), QSize(300, 200));
    QVERIFY(window.mdiArea()->viewport()->rect().contains(grid.topLeft()));
}

const QString kEnglishTitle = QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:new.dat]");
const QString kChineseTitle = QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][文件名:new.dat]");

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { platform::writeMainWindowGeometry({}); }

    void startShowsANewDocumentWithTheChannelGrid();
    void menusAreBuiltAsListed();
    void unbuiltEditorsAndRadioCommandsAreDisabled();
    void channelEditFollowsTheActiveChild();
    void editorsOpenOnce();
    void newAsksAndResets();
    void toolbarNewAsksOnlyWithUnsavedChanges();
    void openWithUnsavedChangesAndCancelChangesNothing();
    void openLoadsTheChosenFile();
    void saveOnADocumentReadFromTheRadioAsksForAName();
    void saveOnANamedDocumentAsksToOverwrite();
    void exitAsksAboutUnsavedChanges_data();
    void exitAsksAboutUnsavedChanges();
    void languageSwitchRebuildsTheWindow();
    void activationAppliesALanguageChangedElsewhere();
    void testModeShowsTestData();
    void viewTogglesAndTreePanelClose();
    void splitterRefusesWidthsUnder300Twips();
    void geometrySurvivesARestart();
    void minimisedWindowLeavesTheStoredGeometry();
    void radioCommandsGoThroughTheSeam();
    void writeCommitsTheFocusedControlsFirst();
    void shortcutsReachTheirCommands();
    void busyRadioBlocksCommandsAndExit();
    void shutdownWritesTheSettingRecord();
    void errorGuardKeepsTheWindowUsable();
    void portPanelText_data();
    void portPanelText();
    void windowMenuListsTheOpenChildren();
    void aboutBoxes();
    void chineseAboutBoxSystemInformation();
    void helpFollowsTheFocusedControl();
};

void MainWindowTest::startShowsANewDocumentWithTheChannelGrid()
{
    Harness h;
    app::MainWindow& window = h.open();

    QCOMPARE(window.windowTitle(), kEnglishTitle);
    QCOMPARE(window.modelPanel()->text(), QStringLiteral("ZT740-16[400 - 480 MHz]"));
    QCOMPARE(window.portPanel()->text(), QStringLiteral("COM1"));
    QVERIFY(h.state.model.isUntitled);
    QCOMPARE(h.radio.calls, std::vector<std::string>{"reset"});

    // The channel grid is open and active: its menu and toolbar buttons show.
    QCOMPARE(h.gridsMade, 1);
    QCOMPARE(window.mdiArea()->activeSubWindow(), window.childWindow(app::ChildKind::ChannelGrid));
    QVERIFY(window.menuAction("mnuCHEdit")->isVisible());
    for (const char* key : {"CHCut", "CHCopy", "CHPaste", "CHDelete"}) {
        QVERIFY2(window.toolbarAction(key)->isVisible(), key);
    }

    // English: Help offers only About; no test data without the test mode.
    QCOMPARE(visibleCaptions(window.menu("mnuHelp")), QStringList{QStringLiteral("&About Corvane")});
    QVERIFY(!window.menuAction("mnuTestData")->isVisible());

    QCOMPARE(treeTexts(window.tree()),
             (QStringList{"ZT740", "Channel Information", "Function Setup", "Key Setting", "Scan Information",
                          "DTMF", "Embedded Message", "Local Message"}));
    QVERIFY(treeNode(window.tree(), "N0")->isExpanded());
    QVERIFY(treeNode(window.tree(), "N9"));
    QVERIFY(!treeNode(window.tree(), "N10"));

    // Tooltips are the menu captions, "&" included.
    QCOMPARE(window.toolbarAction("新建")->toolTip(), QStringLiteral("&New"));
    QCOMPARE(window.toolbarAction("CommSet")->toolTip(), QStringLiteral("Set &COM"));
    QCOMPARE(window.toolbarAction("CHPaste")->toolTip(), QStringLiteral("Paste(&V)"));
    QCOMPARE(window.toolbarAction("About")->toolTip(), QStringLiteral("&About Corvane"));

    // Clicking the root does nothing.
    clickNode(window.tree(), "N0");
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::menusAreBuiltAsListed()
{
    Harness h(true);
    app::MainWindow& window = h.open();
    const QStringList bar = [&] {
        QStringList titles;
        for (QAction* action : window.menuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }();
    QCOMPARE(bar, (QStringList{"文件&F", "机型(&M)", "信道编辑(&C)", "编辑(E)", "编程(&P)", "设置(&S)",
                               "视图(&V)", "窗口(&W)", "帮助(&H)"}));
    QCOMPARE(
        visibleCaptions(window.menu("mnuFile")),
        (QStringList{"新建(&N)", "打开(&O)", "保存(&S)", "另存为(&A)", "-", "打印(&P)", "-", "退出(&X)"}));
    QCOMPARE(visibleCaptions(window.menu("mnuEdit")),
             (QStringList{"信道信息(&C)", "-", "功能设定(&O)", "键设置(&K)", "扫描信息(&S)", "-",
                          "DTMF(双音多频)(&D)", "-", "嵌入信息(&M)", "本机信息(&L)"}));
    QCOMPARE(visibleCaptions(window.menu("mnuCHEdit")),
             (QStringList{"剪切(&X)", "复制(&C)", "粘帖(&V)", "删除(&D)"}));
    QCOMPARE(visibleCaptions(window.menu("mnuProgram")),
             (QStringList{"从对讲机读取数据(&R)", "向对讲机写入数据(&W)", "-", "密码(&P)"}));
    QCOMPARE(visibleCaptions(window.menu("mnuView")),
             (QStringList{"树视图(&V)", "-", "工具栏(&T)", "状态栏(&S)"}));
    QCOMPARE(visibleCaptions(window.menu("mnuHelp")), (QStringList{"帮助主题(&H)", "-", "关于 Corvane(&A)"}));

    struct Key
    {
        const char* item;
        const char* shortcut;
        int help;
    };
    for (const Key& key :
         {Key{"mnuFileNew", "Ctrl+N", 101}, Key{"mnuFileOpen", "Ctrl+O", 102},
          Key{"mnuFileSave", "Ctrl+S", 103}, Key{"mnuFileSaveAs", "", 104}, Key{"mnuFilePrint", "", 0},
          Key{"MnuCHCut", "Ctrl+X", 0}, Key{"MnuCHDelete", "Del", 0}, Key{"mnuChannelInfo", "", 3100},
          Key{"mnuEMG", "", 3800}, Key{"mnuReadFromRadio", "Ctrl+R", 401},
          Key{"mnuWriteToRadio", "Ctrl+W", 402}, Key{"mnuLanguage", "", 502}, Key{"mnuCloseAll", "", 702},
          Key{"mnuHelpAbout", "", 802}, Key{"mnuFile", "", 100}, Key{"mnuCHEdit", "", 0}}) {
        QAction* action = window.menuAction(key.item);
        QVERIFY2(action, key.item);
        QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(key.shortcut)));
        QCOMPARE(platform::helpContext(action), key.help);
    }
    for (const char* toggle : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"}) {
        QVERIFY2(window.menuAction(toggle)->isChecked(), toggle);
    }
}

void MainWindowTest::unbuiltEditorsAndRadioCommandsAreDisabled()
{
    Harness h;
    app::UnavailableRadioCommands none;
    app::MainWindow& window = h.open(&none);
    for (const char* item : {"mnuScanInfo", "mnuDTMF", "mnuEmbeddedMsg", "mnuModelInfo", "mnuFilePrint",
                             "mnuReadFromRadio", "mnuWriteToRadio", "mnuEMG", "MnuProPassWord", "mnuComm"}) {
        QVERIFY2(!window.menuAction(item)->isEnabled(), item);
    }
    for (const char* item :
         {"mnuChannelInfo", "mnuOptFeature", "mnuFileOpen", "mnuLanguage", "mnuHelpAbout"}) {
        QVERIFY2(window.menuAction(item)->isEnabled(), item);
    }
    for (const char* key : {"打印", "ReadRadio", "CommSet", "WriteRadio"}) {
        QVERIFY2(!window.toolbarAction(key)->isEnabled(), key);
    }
    for (const char* key : {"N4", "N5", "N8", "N9"}) {
        QVERIFY2(!(treeNode(window.tree(), key)->flags() & Qt::ItemIsEnabled), key);
    }
    clickNode(window.tree(), "N5");
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
}

void MainWindowTest::channelEditFollowsTheActiveChild()
{
    Harness h;
    app::MainWindow& window = h.open();
    FakeGrid* grid = h.lastGrid;
    h.trigger("MnuCHCut");
    window.toolbarAction("CHDelete")->trigger();
    QCOMPARE(grid->commands, std::string("XD"));

    h.trigger("mnuOptFeature");
    QVERIFY(!window.menuAction("mnuCHEdit")->isVisible());
    for (const char* key : {"CHCut", "CHCopy", "CHPaste", "CHDelete"}) {
        QVERIFY2(!window.toolbarAction(key)->isVisible(), key);
    }
    h.trigger("MnuCHPaste"); // the grid is not the active child: nothing happens
    QCOMPARE(grid->commands, std::string("XD"));

    window.mdiArea()->setActiveSubWindow(window.childWindow(app::ChildKind::ChannelGrid));
    QVERIFY(window.menuAction("mnuCHEdit")->isVisible());
    h.trigger("MnuCHCopy");
    window.toolbarAction("CHPaste")->trigger();
    QCOMPARE(grid->commands, std::string("XDCV"));

    window.childWindow(app::ChildKind::ChannelGrid)->close();
    QTRY_VERIFY(!window.menuAction("mnuCHEdit")->isVisible());
}

void MainWindowTest::editorsOpenOnce()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.trigger("mnuOptFeature");
    clickNode(window.tree(), "N2");
    h.trigger("mnuChannelInfo");
    clickNode(window.tree(), "N1");
    QCOMPARE(window.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(h.gridsMade, 1);
    QCOMPARE(window.mdiArea()->activeSubWindow(), window.childWindow(app::ChildKind::ChannelGrid));

    checkCascade(h, window);
    if (QTest::currentTestFailed()) {
        return;
    }

    h.trigger("mnuCloseAll");
    QVERIFY(!window.childWindow(app::ChildKind::ChannelGrid));
    QVERIFY(!window.childWindow(app::ChildKind::OptionalFeatures));
    clickNode(window.tree(), "N1");
    QCOMPARE(h.gridsMade, 2);
}

void MainWindowTest::newAsksAndResets()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.trigger("mnuOptFeature");
    h.state.model.document.settings.options.beep = 0;
    const model::ConfigDocument edited = h.state.model.document;

    h.prompts.expect("All data will be cleared.", MessageAnswer::Cancel);
    h.trigger("mnuFileNew");
    QVERIFY(h.state.model.document == edited);
    QVERIFY(window.childWindow(app::ChildKind::OptionalFeatures));

    h.prompts.expect("All data will be cleared.", MessageAnswer::Ok);
    h.trigger("mnuFileNew");
    QVERIFY(h.prompts.allAnswered());
    QCOMPARE(h.prompts.shown().back().icon, model::MessageIcon::Exclamation);
    QCOMPARE(h.prompts.shown().back().buttons, model::MessageButtons::OkCancel);
    QVERIFY(!model::documentChanged(h.state.model));
    QCOMPARE(h.state.model.document.settings.options.beep, model::Integer(1));
    QVERIFY(!window.childWindow(app::ChildKind::OptionalFeatures));
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));
    QCOMPARE(h.gridsMade, 2);
    QCOMPARE(window.windowTitle(), kEnglishTitle);
}

void MainWindowTest::toolbarNewAsksOnlyWithUnsavedChanges()
{
    Harness h;
    app::MainWindow& window = h.open();
    QAction* button = window.toolbarAction("新建");

    button->trigger(); // nothing to lose: one click
    QCOMPARE(h.gridsMade, 2);

    h.state.model.document.settings.keys[1] = 3;
    h.prompts.expect("All data will be cleared.", MessageAnswer::Cancel);
    button->trigger();
    QCOMPARE(h.state.model.document.settings.keys[1], model::Integer(3));
    QCOMPARE(h.gridsMade, 2);

    h.prompts.expect("All data will be cleared.", MessageAnswer::Ok);
    button->trigger();
    QVERIFY(!model::documentChanged(h.state.model));
    QCOMPARE(h.gridsMade, 3);
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::openWithUnsavedChangesAndCancelChangesNothing()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.state.model.document.settings.options.beep = 0;
    const model::ModelState before = h.state.model;
    FakeGrid* grid = h.lastGrid;

    h.prompts.expect("File has been modify,save it now?", MessageAnswer::Cancel);
    h.trigger("mnuFileOpen");
    QCOMPARE(h.prompts.shown().back().buttons, model::MessageButtons::YesNoCancel);
    QCOMPARE(h.prompts.shown().back().icon, model::MessageIcon::Exclamation);
    QVERIFY(h.files.asked.empty());

    // No, then a cancelled file dialog: still nothing changes.
    h.prompts.expect("File has been modify,save it now?", MessageAnswer::No);
    h.files.toOpen.push_back(QString());
    h.trigger("mnuFileOpen");
    QCOMPARE(h.files.asked.size(), std::size_t(1));
    QCOMPARE(h.files.asked.back().filter, QStringLiteral("Data File (*.dat)"));

    QVERIFY(h.state.model.document == before.document);
    QVERIFY(h.state.model.savedDocument == before.savedDocument);
    QCOMPARE(h.state.model.documentFileName, before.documentFileName);
    QCOMPARE(h.state.model.isUntitled, before.isUntitled);
    QCOMPARE(window.childWindow(app::ChildKind::ChannelGrid)->widget(), static_cast<QWidget*>(grid));
    QCOMPARE(window.windowTitle(), kEnglishTitle);
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::openLoadsTheChosenFile()
{
    Harness h;
    app::MainWindow& window = h.open();
    const QString path = h.userFolder.filePath(QStringLiteral("radio1.dat"));
    h.state.model.document.settings.options.beep = 0;
    h.files.toSave.push_back(path);
    QVERIFY(h.window->saveAsCommand());
    const model::ConfigDocument saved = h.state.model.document;

    h.prompts.expect("All data will be cleared.", MessageAnswer::Ok);
    h.trigger("mnuFileNew");
    QCOMPARE(h.state.model.document.settings.options.beep, model::Integer(1));

    h.files.toOpen.push_back(path);
    h.trigger("mnuFileOpen"); // no unsaved changes: no question
    QVERIFY(h.state.model.document == saved);
    QVERIFY(!h.state.model.isUntitled);
    QCOMPARE(window.windowTitle(), QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:radio1.dat]"));
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));

    // A file that is refused leaves the document and reopens its grid.
    const QString broken = h.userFolder.filePath(QStringLiteral("short.dat"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2018, '\0'));
    file.close();
    h.files.toOpen.push_back(broken);
    h.prompts.expect("file version error.");
    h.trigger("mnuFileOpen");
    QVERIFY(h.state.model.document == saved);
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));
    QCOMPARE(window.windowTitle(), QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:radio1.dat]"));
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::saveOnADocumentReadFromTheRadioAsksForAName()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.trigger("mnuReadFromRadio");
    QVERIFY(h.state.model.isUntitled);
    QVERIFY(model::documentChanged(h.state.model));
    QCOMPARE(h.gridsMade, 2); // the read reopened the grid

    h.files.toSave.push_back(QString()); // cancelled: nothing happens
    h.trigger("mnuFileSave");
    QVERIFY(h.state.model.isUntitled);
    QVERIFY(h.files.lastPreset.endsWith(QStringLiteral("/new.dat")));
    QCOMPARE(h.files.asked.back().filter, QStringLiteral("Data File (*.dat)"));
    QCOMPARE(h.files.asked.back().title, QStringLiteral("Save As"));

    const QString path = h.userFolder.filePath(QStringLiteral("fleet.dat"));
    h.files.toSave.push_back(path);
    h.trigger("mnuFileSave");
    QVERIFY(!h.state.model.isUntitled);
    QVERIFY(!model::documentChanged(h.state.model));
    QCOMPARE(bytesOf(path).size(), std::size_t(2019));
    QVERIFY(QFile::exists(h.userFolder.filePath(QStringLiteral("fleet.NVD"))));
    QCOMPARE(window.windowTitle(), QStringLiteral("Corvane[ZT740-16:400 - 480 MHz][File Name:fleet.dat]"));
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::saveOnANamedDocumentAsksToOverwrite()
{
    Harness h;
    h.open();
    const QString path = h.userFolder.filePath(QStringLiteral("radio1.dat"));
    h.files.toSave.push_back(path);
    h.trigger("mnuFileSaveAs");
    QCOMPARE(h.state.model.documentFileName, platform::toPath(path).string());
    const std::string first = bytesOf(path);

    h.state.model.document.settings.options.beep = 0;
    h.prompts.expect("\"radio1.dat\"file will be Overwrite,Continue?", MessageAnswer::Cancel);
    h.trigger("mnuFileSave");
    QCOMPARE(h.prompts.shown().back().icon, model::MessageIcon::Question);
    QCOMPARE(h.prompts.shown().back().buttons, model::MessageButtons::OkCancel);
    QCOMPARE(bytesOf(path), first);

    h.prompts.expect("\"radio1.dat\"file will be Overwrite,Continue?", MessageAnswer::Ok);
    h.trigger("mnuFileSave");
    QVERIFY(bytesOf(path) != first);
    QVERIFY(!model::documentChanged(h.state.model));

    // Save As offers the document's own path.
    h.files.toSave.push_back(QString());
    h.trigger("mnuFileSaveAs");
    QCOMPARE(h.files.lastPreset, path);
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::exitAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveDialogAnswered"); // Yes goes through Save As: the name or a cancel
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cancel stays") << int(MessageAnswer::Cancel) << false << false << false;
    QTest::newRow("No leaves without saving") << int(MessageAnswer::No) << false << true << false;
    QTest::newRow("Yes saves, then leaves") << int(MessageAnswer::Yes) << true << true << true;
    QTest::newRow("Yes, save cancelled: stays") << int(MessageAnswer::Yes) << false << false << false;
}

void MainWindowTest::exitAsksAboutUnsavedChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, saveDialogAnswered);
    QFETCH(bool, closes);
    QFETCH(bool, saved);

    Harness h;
    app::MainWindow& window = h.open();
    const QString path = h.userFolder.filePath(QStringLiteral("kept.dat"));
    h.state.model.document.settings.options.beep = 0;
    h.prompts.expect("File has been modify,save it now?", static_cast<MessageAnswer>(answer));
    if (static_cast<MessageAnswer>(answer) == MessageAnswer::Yes) {
        h.files.toSave.push_back(saveDialogAnswered ? path : QString());
    }
    h.trigger("mnuFileExit");
    QCOMPARE(!window.isVisible(), closes);
    QCOMPARE(QFile::exists(path), saved);
    QVERIFY(h.prompts.allAnswered());

    // Without changes Exit asks nothing.
    if (!closes) {
        h.prompts.expect("All data will be cleared.", MessageAnswer::Ok);
        h.trigger("mnuFileNew");
        h.trigger("mnuFileExit");
        QVERIFY(!window.isVisible());
    }
}

void MainWindowTest::languageSwitchRebuildsTheWindow()
{
    Harness h(true);
    app::MainWindow& window = h.open();
    QCOMPARE(window.windowTitle(), kChineseTitle);
    QCOMPARE(window.portPanel()->text(), QStringLiteral("通信口1"));
    QCOMPARE(treeTexts(window.tree()),
             (QStringList{"ZT740", "信道信息(C)", "功能设定(O)", "键设置(K)", "扫描信息(S)",
                          "DTMF(双音多频)(D)", "嵌入信息(M)", "本机信息(L)"}));
    QVERIFY(window.menuAction("mnuHelpTopic")->isVisible());
    h.trigger("mnuOptFeature");

    auto choose = [&](int index) {
        testing::ModalAnswerer answer([index](QWidget* modal) {
            modal->findChild<QComboBox*>(QStringLiteral("languageList"))->setCurrentIndex(index);
            modal->findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
        });
        h.trigger("mnuLanguage");
        QVERIFY(answer.answered());
    };

    choose(0); // English
    QCOMPARE(window.windowTitle(), kEnglishTitle);
    QCOMPARE(window.portPanel()->text(), QStringLiteral("COM1"));
    QCOMPARE(window.menuAction("mnuFile")->text(), QStringLiteral("&File"));
    QCOMPARE(window.menuAction("mnuDTMF")->text(), QStringLiteral("&DTMF"));
    QCOMPARE(window.toolbarAction("保存")->toolTip(), QStringLiteral("&Save"));
    QCOMPARE(treeTexts(window.tree()).at(5), QStringLiteral("DTMF"));
    QCOMPARE(visibleCaptions(window.menu("mnuHelp")), QStringList{QStringLiteral("&About Corvane")});
    QVERIFY(!window.childWindow(app::ChildKind::OptionalFeatures));
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));
    QCOMPARE(h.gridsMade, 2);
    QCOMPARE(h.state.language.appliedLanguage, model::Language::English);

    // Choosing the language in use changes nothing and closes nothing.
    h.trigger("mnuOptFeature");
    choose(0);
    QVERIFY(window.childWindow(app::ChildKind::OptionalFeatures));
    QCOMPARE(h.gridsMade, 2);

    choose(1); // back to Chinese
    QCOMPARE(window.windowTitle(), kChineseTitle);
    QCOMPARE(window.menuAction("mnuFile")->text(), QStringLiteral("文件&F"));
    QCOMPARE(window.portPanel()->text(), QStringLiteral("通信口1"));
    QCOMPARE(treeTexts(window.tree()).at(1), QStringLiteral("信道信息(C)"));
    QVERIFY(window.menuAction("mnuHelpTopic")->isVisible());
    QCOMPARE(h.gridsMade, 3);
}

void MainWindowTest::activationAppliesALanguageChangedElsewhere()
{
    Harness h(true);
    app::MainWindow& window = h.open();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(model::applyLanguageChoice(h.state.language, model::Language::English));
    QCOMPARE(window.windowTitle(), kChineseTitle); // not before the window becomes active again

    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&window, &activation);
    QCOMPARE(window.windowTitle(), kEnglishTitle);
    QCOMPARE(h.gridsMade, 2);
    QApplication::sendEvent(&window, &activation); // nothing left to apply
    QCOMPARE(h.gridsMade, 2);
}

void MainWindowTest::testModeShowsTestData()
{
    Harness h;
    h.state.model.testModeOn = true;
    bool shown = false;
    h.editors.dialogs[app::DialogKind::TestData] = [&shown](app::MainWindow&) { shown = true; };
    app::MainWindow& window = h.open();
    QVERIFY(window.menuAction("mnuTestData")->isVisible());
    QCOMPARE(window.menuAction("mnuTestData")->text(), QStringLiteral("Test Data &Information"));
    QCOMPARE(treeTexts(window.tree()).mid(6),
             (QStringList{"Embedded Message", "Test Data Information", "Local Message"}));
    clickNode(window.tree(), "N10");
    QVERIFY(shown);
}

void MainWindowTest::viewTogglesAndTreePanelClose()
{
    Harness h;
    app::MainWindow& window = h.open();
    QAction* treeView = window.menuAction("mnuTreeView");
    treeView->trigger();
    QVERIFY(!window.treePanel()->isVisible());
    QVERIFY(!treeView->isChecked());
    treeView->trigger();
    QVERIFY(window.treePanel()->isVisible());

    window.treePanel()->findChild<QToolBar*>(QStringLiteral("treeToolbar"))->actions().last()->trigger();
    QVERIFY(!window.treePanel()->isVisible());
    QVERIFY(!treeView->isChecked());

    window.menuAction("mnuViewToolbar")->trigger();
    QVERIFY(!window.toolbar()->isVisible());
    QVERIFY(!window.menuAction("mnuViewToolbar")->isChecked());
    window.menuAction("mnuViewStatusBar")->trigger();
    QVERIFY(!window.statusBar()->isVisible());
    window.menuAction("mnuViewStatusBar")->trigger();
    QVERIFY(window.statusBar()->isVisible());
    QVERIFY(window.menuAction("mnuViewStatusBar")->isChecked());
}

void MainWindowTest::splitterRefusesWidthsUnder300Twips()
{
    Harness h;
    app::MainWindow& window = h.open();
    QWidget* handle = window.splitter()->handle(1);
    const int minimum = platform::pixelsFromTwipsX(300, &window);
    auto drag = [&](int dx) {
        const QPoint start(handle->width() / 2, handle->height() / 2);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(dx, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(dx, 0));
    };
    drag(-2000);
    QCOMPARE(window.treePanel()->width(), minimum);
    drag(60);
    QCOMPARE(window.treePanel()->width(), minimum + 60);
    drag(-59);
    QCOMPARE(window.treePanel()->width(), minimum + 1);
    drag(-1);
    QCOMPARE(window.treePanel()->width(), minimum);
    drag(-1);
    QCOMPARE(window.treePanel()->width(), minimum);
    // Nor wider than the client area.
    drag(5000);
    QVERIFY(window.treePanel()->width() + window.splitter()->handleWidth() <= window.splitter()->width());
}

void MainWindowTest::geometrySurvivesARestart()
{
    QRect placed;
    {
        Harness h;
        app::MainWindow& window = h.open();
        window.move(123, 77);
        window.resize(701, 523);
        placed = QRect(window.pos(), window.size());
        window.close();
        QVERIFY(!window.isVisible());
    }
    const platform::WindowGeometryTwips stored = platform::readMainWindowGeometry();
    QCOMPARE(stored.left, platform::twipsFromPixelsX(placed.x()));
    QCOMPARE(stored.width, platform::twipsFromPixelsX(placed.width()));
    Harness again;
    app::MainWindow& window = again.open();
    QCOMPARE(QRect(window.pos(), window.size()), placed);
}

void MainWindowTest::minimisedWindowLeavesTheStoredGeometry()
{
    const platform::WindowGeometryTwips stored{1500, 1200, 9000, 6000};
    platform::writeMainWindowGeometry(stored);
    Harness h;
    app::MainWindow& window = h.open();
    QCOMPARE(window.size(), QSize(platform::pixelsFromTwipsX(9000), platform::pixelsFromTwipsY(6000)));
    window.move(300, 200);
    window.setWindowState(Qt::WindowMinimized);
    window.close();
    QCOMPARE(platform::readMainWindowGeometry(), stored);
}

void MainWindowTest::radioCommandsGoThroughTheSeam()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.radio.calls.clear();
    h.trigger("mnuEMG");
    clickNode(window.tree(), "N9");
    h.trigger("MnuProPassWord");
    window.toolbarAction("CommSet")->trigger();
    QCOMPARE(window.portPanel()->text(), QStringLiteral("COM virtual radio"));
    window.toolbarAction("WriteRadio")->trigger();
    window.toolbarAction("ReadRadio")->trigger();
    QCOMPARE(h.radio.calls,
             (std::vector<std::string>{"radioInfo", "radioInfo", "password", "port", "write", "read"}));
    h.radio.portAfterDialog = "ttyUSB0";
    h.trigger("mnuComm");
    QCOMPARE(window.portPanel()->text(), QStringLiteral("COM ttyUSB0"));
}

void MainWindowTest::writeCommitsTheFocusedControlsFirst()
{
    Harness h;
    app::MainWindow& window = h.open();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    h.trigger("mnuOptFeature");
    auto* field = window.childWindow(app::ChildKind::OptionalFeatures)
                      ->findChild<QLineEdit*>(QStringLiteral("beepField"));
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("0"));
    QCOMPARE(h.state.model.document.settings.options.beep, model::Integer(1)); // not yet committed

    h.trigger("mnuWriteToRadio");
    QCOMPARE(h.radio.beepAtWrite, 0);
    QCOMPARE(h.lastGrid->commits, 1); // the grid commits its own way
    QVERIFY(field->hasFocus());       // the edit goes on where it was
}

void MainWindowTest::shortcutsReachTheirCommands()
{
    Harness h;
    app::MainWindow& window = h.open();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    FakeGrid* grid = h.lastGrid;
    grid->setFocusPolicy(Qt::StrongFocus);
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    h.radio.calls.clear();
    QTest::keyClick(grid, Qt::Key_W, Qt::ControlModifier); // not the child frame's Close
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(h.radio.calls, std::vector<std::string>{"write"});
    QCOMPARE(grid->commands, std::string("DC"));
    QVERIFY(window.childWindow(app::ChildKind::ChannelGrid));

    h.prompts.expect("All data will be cleared.", MessageAnswer::Cancel);
    QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::busyRadioBlocksCommandsAndExit()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.radio.calls.clear();
    h.radio.busy = true;
    for (const char* item : {"mnuReadFromRadio", "mnuWriteToRadio", "mnuEMG", "MnuProPassWord", "mnuComm"}) {
        h.trigger(item);
    }
    QVERIFY(h.radio.calls.empty());
    window.close();
    QVERIFY(window.isVisible());
    h.radio.busy = false;
    window.close();
    QVERIFY(!window.isVisible());
}

void MainWindowTest::shutdownWritesTheSettingRecord()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.state.model.radioInfo.infoFlags = {1, 0, 1};
    h.radio.identity = {true, false};
    window.close();
    const std::string record = bytesOf(platform::toQString(h.paths.settingRecordFile()));
    QCOMPARE(record, std::string("\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", 16));
}

void MainWindowTest::errorGuardKeepsTheWindowUsable()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.prompts.expect("frmMain_mnuKeyAssignm_Click");
    h.trigger("mnuKeyAssignm");
    QCOMPARE(h.prompts.shown().back().text, std::string("frmMain_mnuKeyAssignm_Click"));
    h.prompts.expect("frmMain_TreeView1_NodeClick");
    clickNode(window.tree(), "N3");
    QCOMPARE(window.mdiArea()->subWindowList().size(), 1);

    h.trigger("mnuOptFeature"); // still working
    QVERIFY(window.childWindow(app::ChildKind::OptionalFeatures));
    QVERIFY(h.prompts.allAnswered());
}

void MainWindowTest::portPanelText_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("text");
    QTest::newRow("COM3") << "3" << false << "COM3";
    QTest::newRow("COM12 in Chinese") << "12" << true << "通信口12";
    QTest::newRow("none") << "" << false << "COM0";
    QTest::newRow("device") << "ttyACM0" << false << "COM ttyACM0";
    QTest::newRow("virtual radio") << "virtual" << false << "COM virtual radio";
    QTest::newRow("virtual radio in Chinese") << "virtual" << true << "通信口 虚拟对讲机";
}

void MainWindowTest::portPanelText()
{
    QFETCH(QString, port);
    QFETCH(bool, chinese);
    QFETCH(QString, text);
    QCOMPARE(
        app::portPanelText(port.toStdString(), chinese ? model::Language::Chinese : model::Language::English),
        text);
}

void MainWindowTest::windowMenuListsTheOpenChildren()
{
    Harness h;
    app::MainWindow& window = h.open();
    h.trigger("mnuOptFeature");
    QMenu* menu = window.menu("mnuWindow");
    emit menu->aboutToShow();
    QCOMPARE(visibleCaptions(menu), (QStringList{"&Cascade", "-", "Close All &Windows", "-",
                                                 "&1 Channel Information", "&2 Function Setup"}));
    QVERIFY(menu->actions().last()->isChecked());
    menu->actions().at(menu->actions().size() - 2)->trigger();
    QCOMPARE(window.mdiArea()->activeSubWindow(), window.childWindow(app::ChildKind::ChannelGrid));

    checkCascade(h, window);
    if (QTest::currentTestFailed()) {
        return;
    }

    h.trigger("mnuCloseAll");
    emit menu->aboutToShow();
    QCOMPARE(visibleCaptions(menu), (QStringList{"&Cascade", "-", "Close All &Windows"}));
}

void MainWindowTest::aboutBoxes()
{
    struct Expected
    {
        bool chinese;
        QString title;
        QString versionLabel;
        QString description;
        bool forModel;
    };
    for (const Expected& expected :
         {Expected{false, "About Corvane", "Version ", "Corvane RADIO PROGRAMMING SOFTWARE", true},
          Expected{true, "关于 Corvane", "版本 ", "Corvane 对讲机编程软件 ", false}}) {
        Harness h(expected.chinese);
        app::MainWindow& window = h.open();
        QString title, version, description, disclaimer;
        bool forModel = false, systemInfo = false;
        testing::ModalAnswerer answer([&](QWidget* box) {
            title = box->windowTitle();
            version = box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
            description = box->findChild<QLabel*>(QStringLiteral("lblDescription"))->text();
            disclaimer = box->findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text();
            const QLabel* model = box->findChild<QLabel*>(QStringLiteral("lblForModel"));
            forModel = model && model->text() == QLatin1String("FOR ZT740");
            systemInfo = box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")) != nullptr;
            box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        window.toolbarAction("About")->trigger();
        QVERIFY(answer.answered());
        QCOMPARE(title, expected.title);
        QVERIFY2(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(expected.versionLabel) +
                                    QStringLiteral("\\d+\\.\\d+\\.\\d+$"))
                     .match(version)
                     .hasMatch(),
                 qPrintable(version));
        QCOMPARE(description, expected.description);
        QCOMPARE(forModel, expected.forModel);
        QCOMPARE(systemInfo, expected.chinese);
        QVERIFY(!disclaimer.isEmpty());
    }
}

void MainWindowTest::chineseAboutBoxSystemInformation()
{
    Harness h(true);
    h.open();
    h.prompts.expect("此时系统信息不可用");
    testing::ModalAnswerer answer([](QWidget* box) {
        box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    h.trigger("mnuHelpAbout");
    QVERIFY(answer.answered());
    QVERIFY(h.prompts.allAnswered());

    h.systemInfoStarts = true; // a system-information program started: no message
    testing::ModalAnswerer again([](QWidget* box) {
        box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    h.trigger("mnuHelpAbout");
    QVERIFY(again.answered());
}

void MainWindowTest::helpFollowsTheFocusedControl()
{
    auto helpWindow = []() -> platform::HelpWindow* {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* help = qobject_cast<platform::HelpWindow*>(top); help && help->isVisible()) {
                return help;
            }
        }
        return nullptr;
    };
    {
        Harness h(true);
        app::MainWindow& window = h.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        h.lastGrid->field->setFocus();
        QTRY_VERIFY(h.lastGrid->field->hasFocus());
        QTest::keyClick(h.lastGrid->field, Qt::Key_F1);
        platform::HelpWindow* help = helpWindow();
        QVERIFY(help);
        QCOMPARE(help->topic(), 3100); // the column's own topic falls back to the grid's
        QVERIFY(help->page().endsWith(QStringLiteral("help/zh/index.html")));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("信道信息")));

        h.trigger("mnuHelpTopic");
        QCOMPARE(helpWindow(), help);
        QCOMPARE(help->topic(), 0);

        // A highlighted menu item has its own topic.
        QMenu* file = window.menu("mnuFile");
        file->popup(window.mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(file->isVisible());
        file->setActiveAction(window.menuAction("mnuFileOpen"));
        QTest::keyClick(file, Qt::Key_F1);
        QCOMPARE(help->topic(), 102);
        QVERIFY(!file->isVisible());
    }
    QVERIFY(!helpWindow()); // it ended with the main window
    {
        Harness h(false);
        app::MainWindow& window = h.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        h.lastGrid->field->setFocus();
        QTRY_VERIFY(h.lastGrid->field->hasFocus());
        QTest::keyClick(h.lastGrid->field, Qt::Key_F1); // English: no help file attached
        QVERIFY(!helpWindow());
        window.showHelpTopic(3600); // an editor's Help button
        QVERIFY(helpWindow());
        QCOMPARE(helpWindow()->topic(), 3600);
        QVERIFY(helpWindow()->page().endsWith(QStringLiteral("help/en/index.html")));
    }
}

int main(int argc, char* argv[])
{
    const testing::IsolatedUserFolders userFolders;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
