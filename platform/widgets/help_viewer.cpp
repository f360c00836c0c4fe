#include "platform/widgets/help_viewer.h"

#include "platform/resource_paths.h"
#include "platform/widgets/ui_text.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::platform {

namespace {

constexpr const char* kHelpContextProperty = "helpContextId";
constexpr model::TextPair kHelpWindowTitle{"Corvane Help", "Corvane 帮助"};

QWidget* rootWindow(QWidget* from)
{
    QWidget* window = from ? from->window() : nullptr;
    while (window && window->parentWidget()) {
        window = window->parentWidget()->window();
    }
    return window;
}

} // namespace

std::filesystem::path helpPage(const std::filesystem::path& resourceFolder, model::Language language)
{
    return resourceFolder / "help" / (language == model::Language::Chinese ? "zh" : "en") / "index.html";
}

QSet<int> helpAnchors(const QString& html)
{
    static const QRegularExpression anchor(QStringLiteral("<a\\s+name\\s*=\\s*\"(\\d+)\""),
                                           QRegularExpression::CaseInsensitiveOption);
    QSet<int> ids;
    for (auto it = anchor.globalMatch(html); it.hasNext();) {
        ids.insert(it.next().captured(1).toInt());
    }
    return ids;
}

int helpTopic(const QSet<int>& anchors, int contextId)
{
    // Ids are grouped by hundreds: 3100 the channel grid, 3102..3109 its columns; 300 the Edit
    // menu that opens it; 401 Read in the Program menu 400.
    int candidates[] = {contextId, contextId / 100 * 100, contextId >= 1000 ? contextId / 1000 * 100 : 0};
    for (int candidate : candidates) {
        if (candidate > 0 && anchors.contains(candidate)) {
            return candidate;
        }
    }
    return kDefaultHelpTopic;
}

void setHelpContext(QObject* widgetOrAction, int contextId)
{
    if (widgetOrAction) {
        widgetOrAction->setProperty(kHelpContextProperty, contextId);
    }
}

int helpContext(const QObject* widgetOrAction)
{
    return widgetOrAction ? widgetOrAction->property(kHelpContextProperty).toInt() : 0;
}

int helpContextOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const int id = helpContext(w)) {
            return id;
        }
    }
    return 0;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(14);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(680, 560);
}

void HelpWindow::showTopic(const std::filesystem::path& page, model::Language language, int contextId)
{
    setWindowTitle(qtText(kHelpWindowTitle, language));
    const QString file = toQString(page);
    if (file != m_page) {
        m_page = file;
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            m_anchors.clear();
            m_browser->setPlainText(file + QStringLiteral("\n\n") +
                                    (language == model::Language::Chinese
                                         ? QStringLiteral("找不到帮助文件。")
                                         : QStringLiteral("The help file is missing.")));
            m_topic = kDefaultHelpTopic;
            return;
        }
        m_anchors = helpAnchors(QString::fromUtf8(in.readAll()));
        m_browser->setSource(QUrl::fromLocalFile(file));
    }
    m_topic = helpTopic(m_anchors, contextId);
    m_browser->scrollToAnchor(QString::number(m_topic));
}

HelpWindow* showHelp(const std::filesystem::path& resourceFolder, model::Language language, int contextId,
                     QWidget* from)
{
    // Under a running modal dialog only its own windows take input: the help window then
    // belongs to the dialog.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) {
        owner = rootWindow(from);
    }
    HelpWindow* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* help = qobject_cast<HelpWindow*>(top);
        if (help && !help->isHidden()) {
            if (help->parentWidget() == owner) {
                window = help;
            } else {
                help->close();
            }
        }
    }
    if (!window) {
        window = new HelpWindow(owner);
    }
    window->showTopic(helpPage(resourceFolder, language), language, contextId);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

F1Help::F1Help(Attached attached, Show show, QObject* parent)
    : QObject(parent), m_attached(std::move(attached)), m_show(std::move(show))
{
}

bool F1Help::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !m_attached || !m_attached()) {
        return false;
    }
    int contextId = 0;
    QWidget* from = QApplication::focusWidget();
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        // A highlighted menu item has its own topic; the menu's own topic otherwise.
        contextId = helpContext(menu->activeAction());
        if (!contextId) {
            contextId = helpContext(menu->menuAction());
        }
        from = menu;
        for (int open = 0; open < 8 && QApplication::activePopupWidget(); ++open) {
            QApplication::activePopupWidget()->close();
        }
    } else {
        contextId = helpContextOf(from);
    }
    if (m_show) {
        m_show(contextId, from);
    }
    return true;
}

} // namespace corvane::platform
