#pragma once
// Answers the modal windows of a whole scenario in widget tests, in their order: each step names
// what must come up next (a message box whose text contains a part, or a window of a class) and
// how to answer it. Windows of the classes given to watch() (a progress window that only the
// program closes) are noted and left alone. Anything else that comes up is an error: it is noted
// in errors() and rejected, so the scenario goes on and the test fails where it checks.
//
// It polls QApplication::activeModalWidget() every few milliseconds for as long as it lives, so
// it keeps answering inside nested modal loops.

#include "testsupport/qt/modal_answerer.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>

namespace corvane::testing {

class ModalScript : public QObject
{
    Q_OBJECT

public:
    using Action = ModalAnswerer::Action;

    explicit ModalScript(QObject* parent = nullptr);

    // The next modal window is a message box whose text contains `textPart`; click `button`
    // (its caption without "&").
    ModalScript& message(const QString& textPart, const QString& button = QStringLiteral("OK"));
    // The next modal window inherits `className` ("corvane::link::PortDialog"); run `action`.
    ModalScript& window(const char* className, Action action);
    // Windows of this class are noted in watched() and never answered.
    ModalScript& watch(const char* className);

    // Every step has been answered.
    bool done() const { return m_steps.empty(); }
    // Message-box texts and window class names in the order they came up (watched ones too).
    const QStringList& seen() const { return m_seen; }
    const QStringList& errors() const { return m_errors; }

private:
    struct Step
    {
        QString textPart;   // a message box
        QByteArray className; // or a window of this class
        Action action;
    };

    void poll();

    std::deque<Step> m_steps;
    QList<QByteArray> m_watched;
    QStringList m_seen;
    QStringList m_errors;
    QPointer<QWidget> m_lastAnswered;
    QPointer<QWidget> m_lastWatched;
    QTimer m_timer;
};

} // namespace corvane::testing
