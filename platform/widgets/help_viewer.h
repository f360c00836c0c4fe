#pragma once
// The program's help: one HTML page per language in the resource folder,
//   help/en/index.html (English), help/zh/index.html (Chinese),
// with one anchor per help-context id (<a name="3100">). A context id without its own anchor
// falls back to its group (3108 -> 3100 -> 300, 401 -> 400), then to the top of the page (0).
// The pages are shown in the help window, a separate window that stays open beside the program
// until it is closed or the main window ends.
//
// Windows mark their controls and menu items with a help-context id; F1 shows the topic of the
// focused control (or of the highlighted menu item) while a help file is attached.

#include "model/text_pair.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>

class QTextBrowser;

namespace corvane::platform {

inline constexpr int kDefaultHelpTopic = 0;

std::filesystem::path helpPage(const std::filesystem::path& resourceFolder, model::Language language);

// The context ids that have an anchor in the page.
QSet<int> helpAnchors(const QString& html);

// The anchor shown for `contextId`: the id itself, else its group, else the top.
int helpTopic(const QSet<int>& anchors, int contextId);

// The help-context id of a widget or menu action (0: none).
void setHelpContext(QObject* widgetOrAction, int contextId);
int helpContext(const QObject* widgetOrAction);
// The id of the widget or of its nearest ancestor that has one; 0 when none has.
int helpContextOf(const QWidget* widget);

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads `page` (when it is not the page shown) and scrolls to the topic of `contextId`.
    void showTopic(const std::filesystem::path& page, model::Language language, int contextId);

    QString page() const { return m_page; }
    int topic() const { return m_topic; }
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    QString m_page;
    QSet<int> m_anchors;
    int m_topic = kDefaultHelpTopic;
};

// Shows the help window at the topic of `contextId`, opening it when needed. There is one help
// window; it belongs to the program's main window (the top of `from`'s window chain), or to the
// modal dialog that is open, so it can be read while that dialog runs.
HelpWindow* showHelp(const std::filesystem::path& resourceFolder, model::Language language, int contextId,
                     QWidget* from);

// F1 for the whole program. Installed once on the application by the main window.
class F1Help : public QObject
{
    Q_OBJECT

public:
    using Attached = std::function<bool()>;
    using Show = std::function<void(int contextId, QWidget* from)>;

    F1Help(Attached attached, Show show, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Attached m_attached;
    Show m_show;
};

} // namespace corvane::platform
