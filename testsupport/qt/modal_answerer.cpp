#include "testsupport/qt/modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

namespace corvane::testing {

namespace {
constexpr int kPollIntervalMs = 5;
}

ModalAnswerer::ModalAnswerer(Action action, int timeoutMs, QWidget* ignore, QObject* parent)
    : QObject(parent), m_action(std::move(action)), m_ignore(ignore),
      m_remainingPolls(timeoutMs / kPollIntervalMs)
{
    QTimer::singleShot(0, this, &ModalAnswerer::poll);
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != m_ignore && modal->isVisible()) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_text = box->text();
            m_title = box->windowTitle();
        }
        m_answered = true;
        m_action(modal);
        return;
    }
    if (--m_remainingPolls <= 0) {
        m_timedOut = true;
        return;
    }
    QTimer::singleShot(kPollIntervalMs, this, &ModalAnswerer::poll);
}

ModalAnswerer::Action ModalAnswerer::clickButton(const QString& caption)
{
    return [caption](QWidget* modal) {
        const auto buttons = modal->findChildren<QAbstractButton*>();
        for (QAbstractButton* button : buttons) {
            QString text = button->text();
            text.remove(QLatin1Char('&'));
            if (text == caption && button->isVisible()) {
                button->click();
                return;
            }
        }
        qWarning("ModalAnswerer: no button \"%s\"", qPrintable(caption));
    };
}

ModalAnswerer::Action ModalAnswerer::accept()
{
    return [](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->accept();
        } else {
            modal->close();
        }
    };
}

ModalAnswerer::Action ModalAnswerer::reject()
{
    return [](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    };
}

} // namespace corvane::testing
