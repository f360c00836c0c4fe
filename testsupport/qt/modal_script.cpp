#include "testsupport/qt/modal_script.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace corvane::testing {

namespace {
constexpr int kPollIntervalMs = 5;
}

ModalScript::ModalScript(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kPollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
    m_timer.start();
}

ModalScript& ModalScript::message(const QString& textPart, const QString& button)
{
    m_steps.push_back({textPart, {}, ModalAnswerer::clickButton(button)});
    return *this;
}

ModalScript& ModalScript::window(const char* className, Action action)
{
    m_steps.push_back({{}, className, std::move(action)});
    return *this;
}

ModalScript& ModalScript::watch(const char* className)
{
    m_watched.push_back(className);
    return *this;
}

void ModalScript::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == m_lastAnswered) {
        return;
    }
    for (const QByteArray& watched : std::as_const(m_watched)) {
        if (modal->inherits(watched.constData())) {
            if (modal != m_lastWatched) {
                m_lastWatched = modal;
                m_seen << QString::fromLatin1(watched);
            }
            return;
        }
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    const QString what = box ? box->text() : QString::fromLatin1(modal->metaObject()->className());
    m_seen << what;
    m_lastAnswered = modal;

    const bool expected = !m_steps.empty() && (m_steps.front().className.isEmpty()
                                                   ? box != nullptr && box->text().contains(m_steps.front().textPart)
                                                   : modal->inherits(m_steps.front().className.constData()));
    if (!expected) {
        m_errors << (m_steps.empty() ? QStringLiteral("unannounced: ") + what
                                     : QStringLiteral("expected \"%1\", got: %2")
                                           .arg(m_steps.front().className.isEmpty()
                                                    ? m_steps.front().textPart
                                                    : QString::fromLatin1(m_steps.front().className),
                                                what));
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        return;
    }
    const Action action = m_steps.front().action;
    m_steps.pop_front();
    action(modal);
}

} // namespace corvane::testing
