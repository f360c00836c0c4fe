#include "app/widgets/main_window.h"

#include "app/widgets/language_dialog.h"
#include "app/widgets/main_window_texts.h"
#include "app/widgets/toolbar_icons.h"
#include "model/document_files.h"
#include "model/language_choice.h"
#include "model/numbered_message.h"
#include "model/shared_texts.h"
#include "platform/resource_paths.h"
#include "platform/widgets/editor_window.h"
#include "platform/widgets/error_guard.h"
#include "platform/widgets/help_viewer.h"
#include "platform/widgets/twips.h"
#include "platform/widgets/ui_text.h"
#include "platform/window_geometry_store.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane::app {

namespace texts = mainwindow;
using platform::qtText;

namespace {

constexpr const char* kChildKindProperty = "corvaneChildKind";
constexpr int kNodeKeyDataRole = Qt::UserRole + 1;

// Layout of the window, in twips.
constexpr int kTreePanelTwips = 3000;
constexpr int kTreePanelMinimumTwips = 300;

QString stripAccessKeys(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<ChildKind> childKindOf(const QMdiSubWindow* window)
{
    if (!window) {
        return std::nullopt;
    }
    const QVariant kind = window->property(kChildKindProperty);
    if (!kind.isValid()) {
        return std::nullopt;
    }
    return static_cast<ChildKind>(kind.toInt());
}

std::optional<ChildKind> childKindForItem(std::string_view name)
{
    if (name == "mnuChannelInfo")
        return ChildKind::ChannelGrid;
    if (name == "mnuOptFeature")
        return ChildKind::OptionalFeatures;
    if (name == "mnuKeyAssignm")
        return ChildKind::KeyAssignment;
    if (name == "mnuScanInfo")
        return ChildKind::ScanInformation;
    if (name == "mnuDTMF")
        return ChildKind::Dtmf;
    if (name == "mnuEmbeddedMsg")
        return ChildKind::EmbeddedMessage;
    return std::nullopt;
}

std::optional<DialogKind> dialogKindForItem(std::string_view name)
{
    if (name == "mnuModelInfo")
        return DialogKind::ModelInformation;
    if (name == "mnuFilePrint")
        return DialogKind::PrintSelection;
    if (name == "mnuTestData")
        return DialogKind::TestData;
    return std::nullopt;
}

std::optional<RadioCommand> radioCommandForItem(std::string_view name)
{
    if (name == "mnuReadFromRadio")
        return RadioCommand::Read;
    if (name == "mnuWriteToRadio")
        return RadioCommand::Write;
    if (name == "mnuEMG")
        return RadioCommand::RadioInfoRead;
    if (name == "MnuProPassWord")
        return RadioCommand::Password;
    if (name == "mnuComm")
        return RadioCommand::PortDialog;
    return std::nullopt;
}

std::optional<char> channelEditLetter(std::string_view name)
{
    if (name == "MnuCHCut")
        return 'X';
    if (name == "MnuCHCopy")
        return 'C';
    if (name == "MnuCHPaste")
        return 'V';
    if (name == "MnuCHDelete")
        return 'D';
    return std::nullopt;
}

// Separator lines show only between visible items: none leading, trailing or doubled.
void tidySeparators(QMenu* menu)
{
    QAction* pending = nullptr;
    bool itemBefore = false;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            action->setVisible(false);
            if (itemBefore && !pending) {
                pending = action;
            }
        } else if (action->isVisible()) {
            if (pending) {
                pending->setVisible(true);
                pending = nullptr;
            }
            itemBefore = true;
        }
    }
}

bool isAllDigits(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The name part of a document's path: everything after its last separator.
QString fileNamePart(const std::string& path)
{
    const QString full = platform::toQString(std::filesystem::path(path));
    const qsizetype cut = std::max(full.lastIndexOf(QLatin1Char('/')), full.lastIndexOf(QLatin1Char('\\')));
    return full.mid(cut + 1);
}

} // namespace

QString mainWindowTitle(const AppState& state)
{
    const model::Language language = state.language.language;
    const model::CurrentModel& current = state.model.currentModel;
    return qtText(texts::kProgramTitle) + QLatin1Char('[') + qtText(current.currentModelName) +
           QLatin1Char(':') + qtText(current.currentBand) + QStringLiteral("][") +
           qtText(model::texts::kFileNameLabel, language) + QLatin1Char(':') +
           fileNamePart(state.model.documentFileName) + QLatin1Char(']');
}

QString modelPanelText(const AppState& state)
{
    const model::CurrentModel& current = state.model.currentModel;
    return qtText(current.currentModelName) + QLatin1Char('[') + qtText(current.currentBand) +
           QLatin1Char(']');
}

QString portPanelText(const std::string& comPort, model::Language language)
{
    const QString label = qtText(model::texts::kPortLabel, language);
    if (comPort.empty()) {
        return label + QLatin1Char('0');
    }
    if (isAllDigits(comPort)) {
        return label + QString::number(QString::fromStdString(comPort).toInt());
    }
    if (comPort == texts::kVirtualPort) {
        return label + QLatin1Char(' ') + qtText(texts::kVirtualPortName, language);
    }
    return label + QLatin1Char(' ') + QString::fromStdString(comPort);
}

QString dataFileFilter(model::Language language)
{
    return qtText(model::texts::kDataFileLabel, language) + QStringLiteral(" (*.dat)");
}

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(toolbarIcon(QStringLiteral("About")));
    buildMenus();
    buildToolbar();
    buildTreePanel();
    buildStatusBar();
    connectCommands();
    updateCommandStates();

    auto* help = new platform::F1Help([this] { return m_services.state.language.helpFileAttached; },
                                      [this](int contextId, QWidget* from) {
                                          platform::showHelp(m_services.paths.resourceFolder,
                                                             m_services.state.language.language, contextId,
                                                             from ? from : this);
                                      },
                                      this);
    qApp->installEventFilter(help);

    // The opening of the window.
    restoreStoredGeometry();
    ShowCHInfo(false);
    applyVisibility();
    Change_Language();
    LoadNewDoc();
}

MainWindow::~MainWindow()
{
    // The children go after this object's own parts: nothing of theirs may call back into it.
    disconnect(m_mdi, nullptr, this, nullptr);
    if (m_qtTranslatorInstalled) {
        QCoreApplication::removeTranslator(&m_qtTranslator);
    }
}

void MainWindow::buildMenus()
{
    for (const texts::MenuEntry& entry : texts::kMenuTable) {
        const QString name = nameOf(entry.name);
        if (entry.parent.empty()) {
            QMenu* menu = menuBar()->addMenu(QString());
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            platform::setHelpContext(menu->menuAction(), entry.helpContext);
            m_menus.insert(name, menu);
            m_actions.insert(name, menu->menuAction());
            continue;
        }
        QMenu* menu = m_menus.value(nameOf(entry.parent));
        if (entry.name == texts::kSeparator) {
            menu->addSeparator();
            continue;
        }
        if (entry.name == texts::kWindowList) {
            continue; // filled each time the menu opens
        }
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        if (!entry.shortcut.empty()) {
            action->setShortcut(QKeySequence(nameOf(entry.shortcut)));
        }
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checkable);
        platform::setHelpContext(action, entry.helpContext);
        m_actions.insert(name, action);
    }
    connect(m_menus.value(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this,
            &MainWindow::refreshWindowList);
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QString());
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const texts::ToolbarEntry& entry : texts::kToolbarTable) {
        QAction* action = nullptr;
        if (entry.key.empty()) {
            action = m_toolbar->addSeparator();
        } else {
            const QString key = nameOf(entry.key);
            action = m_toolbar->addAction(toolbarIcon(key), QString());
            action->setObjectName(key);
            m_toolbarActions.insert(key, action);
        }
        if (entry.withChannelEdit) {
            m_channelEditToolbar.push_back(action);
        }
    }
}

void MainWindow::buildTreePanel()
{
    m_treePanel = new QFrame;
    m_treePanel->setObjectName(QStringLiteral("treePanel"));
    auto* panelLayout = new QVBoxLayout(m_treePanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);

    auto* panelBar = new QToolBar(m_treePanel);
    panelBar->setObjectName(QStringLiteral("treeToolbar"));
    panelBar->setIconSize(QSize(14, 14));
    panelBar->setMovable(false);
    auto* spacer = new QWidget(panelBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    panelBar->addWidget(spacer);
    m_treeClose = panelBar->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    m_treeClose->setObjectName(nameOf(texts::kTreeCloseKey));
    panelLayout->addWidget(panelBar);

    m_tree = new QTreeWidget(m_treePanel);
    m_tree->setObjectName(QStringLiteral("navigationTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(18);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->installEventFilter(this);
    panelLayout->addWidget(m_tree, 1);
    platform::setHelpContext(m_tree, 300);

    m_mdi = new QMdiArea;
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setBackground(QColor(0x9a, 0xa6, 0xb6));

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(5);
    m_splitter->addWidget(m_treePanel);
    m_splitter->addWidget(m_mdi);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_treePanel->setMinimumWidth(platform::pixelsFromTwipsX(kTreePanelMinimumTwips, this));
    m_mdi->setMinimumWidth(0);
    setCentralWidget(m_splitter);
    const int panel = platform::pixelsFromTwipsX(kTreePanelTwips, this);
    m_splitter->setSizes({panel, std::max(1, width() - panel)});

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { treeNodeClicked(item); });
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_messagePanel = new QLabel(bar);
    m_messagePanel->setObjectName(QStringLiteral("statusPanel1"));
    m_modelPanel = new QLabel(bar);
    m_modelPanel->setObjectName(QStringLiteral("statusPanel2"));
    m_portPanel = new QLabel(bar);
    m_portPanel->setObjectName(QStringLiteral("statusPanel3"));
    for (QLabel* panel : {m_modelPanel, m_portPanel}) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        panel->setMinimumWidth(platform::pixelsFromTwipsX(1800, this));
    }
    m_modelPanel->setMinimumWidth(platform::pixelsFromTwipsX(3000, this));
    bar->addWidget(m_messagePanel, 1);
    bar->addPermanentWidget(m_modelPanel);
    bar->addPermanentWidget(m_portPanel);
}

std::function<void()> MainWindow::command(std::string_view name)
{
    MainWindow* self = this;
    if (const auto kind = childKindForItem(name)) {
        return [self, k = *kind] { self->openChild(k); };
    }
    if (const auto kind = dialogKindForItem(name)) {
        return [self, k = *kind] { self->runDialog(k); };
    }
    if (const auto letter = channelEditLetter(name)) {
        return [self, l = *letter] { self->channelEdit(l); };
    }
    RadioCommands& radio = m_services.radio;
    if (name == "mnuFileNew")
        return [self] { self->newDocumentCommand(); };
    if (name == "mnuFileOpen")
        return [self] { self->openCommand(); };
    if (name == "mnuFileSave")
        return [self] { self->saveCommand(); };
    if (name == "mnuFileSaveAs")
        return [self] { self->saveAsCommand(); };
    if (name == "mnuFileExit")
        return [self] { self->close(); };
    if (name == "mnuEMG")
        return [self] { self->ReadRMGDataFromRadio(); };
    if (name == "mnuReadFromRadio")
        return [self] { self->readCommand(); };
    if (name == "mnuWriteToRadio")
        return [self] { self->writeCommand(); };
    if (name == "MnuProPassWord") {
        return [self, &radio] {
            if (!radio.isBusy()) {
                radio.showPasswordDialog(*self);
            }
        };
    }
    if (name == "mnuComm") {
        return [self, &radio] {
            if (!radio.isBusy()) {
                radio.showPortDialog(*self);
                self->refreshStatusBar();
            }
        };
    }
    if (name == "mnuLanguage")
        return [self] { self->languageCommand(); };
    if (name == "mnuWindowCascade")
        return [self] { self->cascade(); };
    if (name == "mnuCloseAll")
        return [self] { self->CloseCurAllWindows(); };
    if (name == "mnuHelpTopic")
        return [self] { self->showHelpTopic(platform::kDefaultHelpTopic); };
    if (name == "mnuHelpAbout") {
        return [self] {
            showAboutBox(self->state().language.language, self->prompts(), self,
                         self->m_services.startSystemInfo);
        };
    }
    return {};
}

void MainWindow::connectCommands()
{
    for (const texts::MenuEntry& entry : texts::kMenuTable) {
        QAction* action = m_actions.value(nameOf(entry.name));
        if (!action || entry.parent.empty()) {
            continue;
        }
        const std::string label = "frmMain_" + std::string(entry.name) + "_Click";
        if (entry.name == "mnuTreeView") {
            connect(action, &QAction::triggered, this,
                    [this, label](bool checked) { guarded(label, [&] { setTreeVisible(checked); }); });
        } else if (entry.name == "mnuViewToolbar") {
            connect(action, &QAction::triggered, this,
                    [this, label](bool checked) { guarded(label, [&] { m_toolbar->setVisible(checked); }); });
        } else if (entry.name == "mnuViewStatusBar") {
            connect(action, &QAction::triggered, this, [this, label](bool checked) {
                guarded(label, [&] { statusBar()->setVisible(checked); });
            });
        } else if (auto run = command(entry.name)) {
            connect(action, &QAction::triggered, this, [this, label, run] { guarded(label, run); });
        }
    }
    for (const texts::ToolbarEntry& entry : texts::kToolbarTable) {
        QAction* action = m_toolbarActions.value(nameOf(entry.key));
        if (!action) {
            continue;
        }
        // The toolbar's New asks only when there is something to lose.
        auto run = entry.key == "新建" ? std::function<void()>([this] { newDocumentButton(); })
                                       : command(entry.menuItem);
        connect(action, &QAction::triggered, this,
                [this, run] { guarded("frmMain_Toolbar1_ButtonClick", run); });
    }
    connect(m_treeClose, &QAction::triggered, this,
            [this] { guarded("frmMain_TreeToolbar_ButtonClick", [this] { setTreeVisible(false); }); });
}

void MainWindow::updateCommandStates()
{
    const EditorRegistry& editors = m_services.editors;
    for (const texts::MenuEntry& entry : texts::kMenuTable) {
        QAction* action = m_actions.value(nameOf(entry.name));
        if (!action || entry.parent.empty()) {
            continue;
        }
        bool enabled = true;
        if (const auto kind = childKindForItem(entry.name)) {
            enabled = editors.has(*kind);
        } else if (const auto dialog = dialogKindForItem(entry.name)) {
            enabled = editors.has(*dialog);
        } else if (const auto radio = radioCommandForItem(entry.name)) {
            enabled = m_services.radio.offers(*radio);
        } else if (channelEditLetter(entry.name)) {
            enabled = editors.has(ChildKind::ChannelGrid);
        }
        action->setEnabled(enabled);
    }
    for (const texts::ToolbarEntry& entry : texts::kToolbarTable) {
        if (QAction* action = m_toolbarActions.value(nameOf(entry.key))) {
            const QAction* item = m_actions.value(nameOf(entry.menuItem));
            action->setEnabled(item && item->isEnabled());
        }
    }
}

void MainWindow::buildTree()
{
    m_tree->clear();
    const model::Language language = m_services.state.language.language;
    auto* root = new QTreeWidgetItem(m_tree, {qtText(texts::kTreeRootText)});
    root->setData(0, kNodeKeyDataRole, nameOf(texts::kTreeRootKey));
    root->setIcon(0, toolbarIcon(QStringLiteral("ReadRadio")));
    for (const texts::TreeNode& node : texts::kTreeTable) {
        if (node.shown == texts::Shown::InTestMode && !m_services.state.model.testModeOn) {
            continue;
        }
        const texts::MenuEntry* entry = texts::menuEntry(node.menuItem);
        auto* item = new QTreeWidgetItem(root, {stripAccessKeys(qtText(entry->caption, language))});
        item->setData(0, kNodeKeyDataRole, nameOf(node.key));
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        const QAction* action = m_actions.value(nameOf(node.menuItem));
        if (action && !action->isEnabled()) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
    }
    root->setExpanded(true);
}

void MainWindow::applyVisibility()
{
    m_actions.value(QStringLiteral("mnuTestData"))->setVisible(m_services.state.model.testModeOn);
    m_actions.value(QStringLiteral("mnuHelpTopic"))
        ->setVisible(model::helpTopicsVisible(m_services.state.language));
    for (QMenu* menu : std::as_const(m_menus)) {
        tidySeparators(menu);
    }
}

void MainWindow::rebuildTexts(bool withTree)
{
    const model::Language language = m_services.state.language.language;
    setTitle();
    refreshStatusBar();
    for (const texts::MenuEntry& entry : texts::kMenuTable) {
        if (entry.name == texts::kSeparator || entry.name == texts::kWindowList) {
            continue;
        }
        const QString caption = qtText(entry.caption, language);
        if (entry.parent.empty()) {
            m_menus.value(nameOf(entry.name))->setTitle(caption);
        } else {
            m_actions.value(nameOf(entry.name))->setText(caption);
        }
    }
    for (const texts::ToolbarEntry& entry : texts::kToolbarTable) {
        if (QAction* action = m_toolbarActions.value(nameOf(entry.key))) {
            const QString caption = qtText(texts::menuEntry(entry.menuItem)->caption, language);
            action->setText(stripAccessKeys(caption));
            action->setToolTip(caption);
        }
    }
    m_toolbar->setWindowTitle(stripAccessKeys(qtText(texts::menuEntry("mnuViewToolbar")->caption, language)));
    m_treeClose->setToolTip(qtText(texts::kTreeCloseTip, language));
    if (withTree) {
        buildTree();
    }
}

void MainWindow::setTitle()
{
    setWindowTitle(mainWindowTitle(m_services.state));
}

void MainWindow::refreshStatusBar()
{
    m_modelPanel->setText(modelPanelText(m_services.state));
    m_portPanel->setText(portPanelText(m_services.state.comPort, m_services.state.language.language));
}

void MainWindow::Change_Language()
{
    rebuildTexts(true);
    // Qt's own dialogs (the file dialog, the standard context menus) follow the language too.
    if (m_services.state.language.language == model::Language::Chinese) {
        if (!m_qtTranslatorInstalled &&
            m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            m_qtTranslatorInstalled = QCoreApplication::installTranslator(&m_qtTranslator);
        }
    } else if (m_qtTranslatorInstalled) {
        QCoreApplication::removeTranslator(&m_qtTranslator);
        m_qtTranslatorInstalled = false;
    }
    applyVisibility();
}

void MainWindow::ShowCHInfo(bool show)
{
    m_actions.value(QStringLiteral("mnuCHEdit"))->setVisible(show);
    for (QAction* action : m_channelEditToolbar) {
        action->setVisible(show);
    }
}

std::vector<QWidget*> MainWindow::openEditorWindows() const
{
    std::vector<QWidget*> windows;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isHidden() && sub->widget()) {
            windows.push_back(sub->widget());
        }
    }
    // Modeless editor windows of their own (the channel dialog) belong to the main window too.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && !child->isHidden() && !qobject_cast<QMenu*>(child) &&
            !qobject_cast<platform::HelpWindow*>(child) && child->windowModality() == Qt::NonModal) {
            windows.push_back(child);
        }
    }
    return windows;
}

void MainWindow::CloseCurAllWindows()
{
    for (QWidget* window : openEditorWindows()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
            sub->close();
        } else {
            window->close();
        }
    }
}

QMdiSubWindow* MainWindow::childWindow(ChildKind kind) const
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isHidden() && childKindOf(sub) == kind) {
            return sub;
        }
    }
    return nullptr;
}

void MainWindow::openChild(ChildKind kind)
{
    if (QMdiSubWindow* open = childWindow(kind)) {
        m_mdi->setActiveSubWindow(open);
        if (open->widget()) {
            open->widget()->setFocus();
        }
        return;
    }
    const auto factory = m_services.editors.children.find(kind);
    if (factory == m_services.editors.children.end()) {
        return;
    }
    QWidget* editor = factory->second(*this);
    if (!editor) {
        return;
    }
    // An editor that gave itself a size keeps it; others take their layout's size.
    const QSize designed = editor->testAttribute(Qt::WA_Resized) ? editor->size() : QSize();
    QMdiSubWindow* sub = m_mdi->addSubWindow(editor);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty(kChildKindProperty, static_cast<int>(kind));
    sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    // Ctrl+W is "Write to Radio" here, not the child frame's Close.
    for (QAction* action : sub->systemMenu() ? sub->systemMenu()->actions() : QList<QAction*>{}) {
        QList<QKeySequence> keys = action->shortcuts();
        keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W));
        action->setShortcuts(keys);
    }
    sub->show();
    if (designed.isValid()) {
        sub->resize(sub->size() + (designed - editor->size()));
    }
    m_mdi->setActiveSubWindow(sub);
    cascade();
}

void MainWindow::cascade()
{
    // Each child keeps its own size (the editors have a designed size); they are laid out one
    // title bar apart, the active one in front, and shrunk only where they would leave the area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isHidden() && !sub->isMinimized()) {
            windows.push_back(sub);
        }
    }
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 4;
    const QSize area = m_mdi->viewport()->size();
    int offset = 0;
    for (QMdiSubWindow* sub : windows) {
        if (sub->isMaximized()) {
            sub->showNormal();
        }
        const QSize least = sub->minimumSizeHint().expandedTo(sub->minimumSize());
        QSize size = sub->size();
        size.setWidth(std::max(least.width(), std::min(size.width(), area.width() - offset)));
        size.setHeight(std::max(least.height(), std::min(size.height(), area.height() - offset)));
        sub->setGeometry(QRect(QPoint(offset, offset), size));
        offset += step;
        if (offset + step * 4 > std::min(area.width(), area.height())) {
            offset = 0; // start again at the top left rather than walk out of the area
        }
    }
    if (QMdiSubWindow* active = m_mdi->activeSubWindow()) {
        active->raise();
    }
}

void MainWindow::subWindowActivated(QMdiSubWindow* window)
{
    if (!window) {
        // The main window lost the activation; the child that was active stays current.
        window = m_mdi->currentSubWindow();
        if (window && window->isHidden()) {
            window = nullptr;
        }
    }
    ShowCHInfo(childKindOf(window) == ChildKind::ChannelGrid);
}

void MainWindow::channelEdit(char command)
{
    QMdiSubWindow* grid = childWindow(ChildKind::ChannelGrid);
    if (!grid || grid != m_mdi->currentSubWindow()) {
        return;
    }
    if (auto* target = dynamic_cast<platform::ChannelEditTarget*>(grid->widget())) {
        target->SetCHEdit(command);
    }
}

void MainWindow::runDialog(DialogKind kind)
{
    const auto dialog = m_services.editors.dialogs.find(kind);
    if (dialog != m_services.editors.dialogs.end() && !m_services.radio.isBusy()) {
        dialog->second(*this);
    }
}

void MainWindow::refreshWindowList()
{
    QMenu* windowMenu = m_menus.value(QStringLiteral("mnuWindow"));
    for (QAction* action : m_windowListActions) {
        windowMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    int number = 0;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->isHidden()) {
            continue;
        }
        ++number;
        QAction* action = windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(sub->windowTitle()));
        action->setCheckable(true);
        action->setChecked(sub == m_mdi->activeSubWindow());
        QPointer<QMdiSubWindow> target(sub);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target) {
                m_mdi->setActiveSubWindow(target);
            }
        });
        m_windowListActions.push_back(action);
    }
    tidySeparators(windowMenu);
}

void MainWindow::setTreeVisible(bool visible)
{
    m_treePanel->setVisible(visible);
    m_actions.value(QStringLiteral("mnuTreeView"))->setChecked(visible);
}

void MainWindow::treeNodeClicked(QTreeWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) {
        return;
    }
    const std::string key = item->data(0, kNodeKeyDataRole).toString().toStdString();
    guarded("frmMain_TreeView1_NodeClick", [&] {
        for (const texts::TreeNode& node : texts::kTreeTable) {
            if (node.key == key) {
                if (auto run = command(node.menuItem)) {
                    run();
                }
                return;
            }
        }
        // The root does nothing.
    });
}

void MainWindow::showHelpTopic(int contextId)
{
    platform::showHelp(m_services.paths.resourceFolder, m_services.state.language.language, contextId, this);
}

QWidget* MainWindow::dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return this;
}

void MainWindow::guarded(std::string_view label, const std::function<void()>& procedure)
{
    platform::runGuarded(label, procedure, m_services.prompts);
}

// --- document lifecycle -------------------------------------------------------------------------

void MainWindow::LoadNewDoc()
{
    AppState& state = m_services.state;
    CloseCurAllWindows();
    rebuildTexts(false);
    const model::TemplateLoader loader =
        model::makeTemplateLoader(m_services.paths.resourceFolder, m_services.prompts, state.language);
    model::newDocument(state.model, {m_services.dates, state.language.startupLanguage, loader});
    m_services.radio.resetToIdle();
    openChild(ChildKind::ChannelGrid);
    setTitle();
    cascade();
}

void MainWindow::newDocumentCommand()
{
    const model::Language language = m_services.state.language.language;
    const model::MessageAnswer answer =
        m_services.prompts.showMessage(std::string(model::pick(model::texts::kNewDocumentQuestion, language)),
                                       model::MessageButtons::OkCancel, model::MessageIcon::Exclamation);
    if (answer == model::MessageAnswer::Ok) {
        LoadNewDoc();
    }
}

void MainWindow::newDocumentButton()
{
    commitOpenEditors();
    if (model::documentChanged(m_services.state.model)) {
        newDocumentCommand();
    } else {
        LoadNewDoc();
    }
}

bool MainWindow::confirmUnsavedChanges()
{
    commitOpenEditors();
    if (!model::documentChanged(m_services.state.model)) {
        return true;
    }
    const model::Language language = m_services.state.language.language;
    const model::MessageAnswer answer =
        m_services.prompts.showMessage(std::string(model::pick(model::texts::kUnsavedChanges, language)),
                                       model::MessageButtons::YesNoCancel, model::MessageIcon::Exclamation);
    if (answer == model::MessageAnswer::Cancel) {
        return false;
    }
    // A Yes whose save did not happen keeps the changes where they are.
    return answer == model::MessageAnswer::No || saveForQuestion();
}

void MainWindow::openCommand()
{
    if (!confirmUnsavedChanges()) {
        return;
    }
    AppState& state = m_services.state;
    const model::Language language = state.language.language;
    QString folder;
    if (!state.model.isUntitled) {
        folder = QFileInfo(platform::toQString(std::filesystem::path(state.model.documentFileName)))
                     .absolutePath();
    } else {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    const auto chosen = m_services.files.chooseFileToOpen(
        this, {qtText(texts::kOpenDialogTitle, language), dataFileFilter(language), {}}, folder);
    if (!chosen) {
        return;
    }
    CloseCurAllWindows();
    model::HandOverContext context = handOverContext();
    const model::OpenResult result =
        model::openDocumentFile(state.model, platform::toPath(*chosen).string(), context, [this] {
            openChild(ChildKind::ChannelGrid);
            rebuildTexts(false);
            cascade();
        });
    if (result == model::OpenResult::Refused) {
        // The document is as it was: show it again.
        openChild(ChildKind::ChannelGrid);
        cascade();
    }
}

model::HandOverContext MainWindow::handOverContext()
{
    return {
        m_services.prompts,
        m_services.state.language.language,
        m_services.versions,
        [this](int number) {
            return model::numberedMessage(m_services.paths.languageFolder(),
                                          m_services.state.language.languageFile, number);
        },
        m_services.launcher,
        m_services.thisProgramFile,
        [this] { m_services.radio.closePort(); },
        [this] { return saveForQuestion(); },
    };
}

bool MainWindow::saveTo(const QString& path)
{
    AppState& state = m_services.state;
    const bool saved = model::saveDocumentFile(state.model, platform::toPath(path).string(),
                                               m_services.prompts, state.language.language);
    setTitle();
    return saved;
}

bool MainWindow::saveCommand()
{
    AppState& state = m_services.state;
    if (state.model.isUntitled) {
        return saveAsCommand();
    }
    const std::string question = "\"" + fileNamePart(state.model.documentFileName).toStdString() + "\"" +
                                 std::string(model::pick(model::texts::kOverwrite, state.language.language));
    if (m_services.prompts.showMessage(question, model::MessageButtons::OkCancel,
                                       model::MessageIcon::Question) != model::MessageAnswer::Ok) {
        return false;
    }
    return saveTo(platform::toQString(std::filesystem::path(state.model.documentFileName)));
}

bool MainWindow::saveAsCommand()
{
    AppState& state = m_services.state;
    const model::Language language = state.language.language;
    QString preset = platform::toQString(std::filesystem::path(state.model.documentFileName));
    if (QFileInfo(preset).isRelative()) {
        // An untitled "new.dat" is offered in the user's documents folder.
        preset = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(preset);
    }
    const auto chosen = m_services.files.chooseFileToSave(
        this, {qtText(texts::kSaveDialogTitle, language), dataFileFilter(language), QStringLiteral("dat")},
        preset);
    if (!chosen) {
        return false;
    }
    return saveTo(*chosen);
}

bool MainWindow::saveForQuestion()
{
    AppState& state = m_services.state;
    if (state.model.isUntitled) {
        return saveAsCommand();
    }
    return saveTo(platform::toQString(std::filesystem::path(state.model.documentFileName)));
}

// --- radio commands ------------------------------------------------------------------------------

void MainWindow::commitOpenEditors()
{
    for (QWidget* editor : openEditorWindows()) {
        platform::commitFocusedControl(editor);
    }
}

void MainWindow::readCommand()
{
    if (!m_services.radio.isBusy()) {
        m_services.radio.startRead(*this);
    }
}

void MainWindow::writeCommand()
{
    if (m_services.radio.isBusy()) {
        return;
    }
    commitOpenEditors();
    m_services.radio.startWrite(*this);
}

void MainWindow::ReadRMGDataFromRadio()
{
    if (!m_services.radio.isBusy()) {
        m_services.radio.startRadioInfoRead(*this);
    }
}

void MainWindow::showReadDocument()
{
    rebuildTexts(false);
    openChild(ChildKind::ChannelGrid);
    setTitle();
    cascade();
}

// --- language ------------------------------------------------------------------------------------

void MainWindow::languageCommand()
{
    if (showLanguageDialog(m_services.state.language, this)) {
        applyVisibility();
        // The window is active again once the dialog has closed: that is when the language applies.
        applyLanguageIfChanged();
    }
}

bool MainWindow::applyLanguageIfChanged()
{
    model::LanguageState& language = m_services.state.language;
    if (language.language == language.appliedLanguage) {
        return false;
    }
    language.appliedLanguage = language.language;
    Change_Language();
    CloseCurAllWindows();
    openChild(ChildKind::ChannelGrid);
    cascade();
    return true;
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        guarded("frmMain_Activate", [this] { applyLanguageIfChanged(); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            treeNodeClicked(m_tree->currentItem());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- window position and shutdown ---------------------------------------------------------------

QAction* MainWindow::menuAction(std::string_view name) const
{
    return m_actions.value(nameOf(name));
}

QMenu* MainWindow::menu(std::string_view name) const
{
    return m_menus.value(nameOf(name));
}

QAction* MainWindow::toolbarAction(std::string_view key) const
{
    return m_toolbarActions.value(nameOf(key));
}

void MainWindow::restoreStoredGeometry()
{
    const platform::WindowGeometryTwips stored = platform::readMainWindowGeometry();
    QRect frame(platform::pixelsFromTwipsX(stored.left, this), platform::pixelsFromTwipsY(stored.top, this),
                std::max(1, platform::pixelsFromTwipsX(stored.width, this)),
                std::max(1, platform::pixelsFromTwipsY(stored.height, this)));
    // A window stored on a screen that is gone comes back at the default place.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool visibleSomewhere = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect common = screen->availableGeometry().intersected(frame);
        return common.width() >= 100 && common.height() >= 50;
    });
    if (!visibleSomewhere && !screens.isEmpty()) {
        const platform::WindowGeometryTwips defaults;
        frame.moveTopLeft({platform::pixelsFromTwipsX(defaults.left, this),
                           platform::pixelsFromTwipsY(defaults.top, this)});
    }
    move(frame.topLeft());
    resize(frame.size());
    const int panel = platform::pixelsFromTwipsX(kTreePanelTwips, this);
    m_splitter->setSizes({panel, std::max(1, frame.width() - panel)});
}

void MainWindow::shutdownSettings()
{
    platform::runSilently([this] {
        if (!isMinimized()) {
            platform::writeMainWindowGeometry(
                {platform::twipsFromPixelsX(pos().x(), this), platform::twipsFromPixelsY(pos().y(), this),
                 platform::twipsFromPixelsX(width(), this), platform::twipsFromPixelsY(height(), this)});
        }
        const IdentityStatus status = m_services.radio.lastIdentityStatus();
        writeSettingRecord(m_services.paths.settingRecordFile(), m_services.state.model.radioInfo.infoFlags,
                           status.radioStunned, status.radioKilled);
    });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    bool leave = false;
    guarded("frmMain_QueryUnload", [&] { leave = !m_services.radio.isBusy() && confirmUnsavedChanges(); });
    if (!leave) {
        event->ignore();
        return;
    }
    m_closing = true;
    CloseCurAllWindows();
    shutdownSettings();
    event->accept();
}

} // namespace corvane::app
