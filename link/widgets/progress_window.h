#pragma once
// The progress window of a read or write ("Read data from radio" / "Write data to radio"): the
// label "Completion percentage:" immediately left of the percentage, and a bar 0..100. It has no
// cancel control and the user cannot close it (title-bar button, Escape, Alt+F4): only the
// operation's end closes it, through finish(), which also ends its modal loop.

#include "link/frames.h"
#include "model/text_pair.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace corvane::link {

class ProgressWindow : public QDialog
{
    Q_OBJECT

public:
    ProgressWindow(LinkOperation operation, model::Language language, QWidget* parent = nullptr);

    // Bar and label to `percent` (0..100): 45 shows as "45%".
    void setPercent(int percent);
    // Closes the window; the only way it closes.
    void finish();

    QLabel* captionLabel() const { return m_caption; }
    QLabel* percentLabel() const { return m_percent; }
    QProgressBar* bar() const { return m_bar; }

public slots:
    void reject() override; // Escape: the window stays

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_caption;
    QLabel* m_percent;
    QProgressBar* m_bar;
    bool m_finishing = false;
};

} // namespace corvane::link
