#pragma once
// Answers modal windows in widget tests. A modal box runs its own event loop, so the test
// schedules the answer before triggering the box: the answerer polls (event-driven, a few
// milliseconds apart, bounded) for QApplication::activeModalWidget() and then acts on it.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace corvane::testing {

class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void(QWidget* modal)>;

    // Runs `action` on the next modal widget that is not `ignore` (the one already open, if any).
    // Gives up after `timeoutMs`; then timedOut() is true.
    explicit ModalAnswerer(Action action, int timeoutMs = 5000, QWidget* ignore = nullptr,
                           QObject* parent = nullptr);

    bool answered() const { return m_answered; }
    bool timedOut() const { return m_timedOut; }
    // Text and title of the message box that was answered (empty for other windows).
    QString text() const { return m_text; }
    QString title() const { return m_title; }

    // Clicks the button whose caption, without "&", equals `caption`.
    static Action clickButton(const QString& caption);
    // Accepts (Enter) or rejects (Escape) the window.
    static Action accept();
    static Action reject();

private:
    void poll();

    Action m_action;
    QWidget* m_ignore;
    int m_remainingPolls;
    bool m_answered = false;
    bool m_timedOut = false;
    QString m_text;
    QString m_title;
};

} // namespace corvane::testing
