// The progress window offscreen: its texts per operation and language, the label placed against
// the percentage, the bar, and that nothing but finish() closes it. Also the window prompts'
// modal loop: the operation starts once the window shows and ends when it closes.

#include "link/widgets/progress_window.h"
#include "link/widgets/window_operation_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::link::LinkOperation)
Q_DECLARE_METATYPE(corvane::model::Language)

class ProgressWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void textsFollowOperationAndLanguage_data();
    void textsFollowOperationAndLanguage();
    void theLabelStandsRightBeforeThePercentage();
    void percentMovesBarAndLabel();
    void onlyFinishClosesIt();
    void thePromptsRunTheOperationInsideTheModalLoop();
};

void ProgressWindowTest::textsFollowOperationAndLanguage_data()
{
    QTest::addColumn<link::LinkOperation>("operation");
    QTest::addColumn<model::Language>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::newRow("read, English") << link::LinkOperation::Read << model::Language::English
                                   << QStringLiteral("Read data from radio") << QStringLiteral("Completion percentage:");
    QTest::newRow("write, English") << link::LinkOperation::Write << model::Language::English
                                    << QStringLiteral("Write data to radio") << QStringLiteral("Completion percentage:");
    QTest::newRow("read, Chinese") << link::LinkOperation::Read << model::Language::Chinese
                                   << QStringLiteral("从对讲机读取数据") << QStringLiteral("完成进度:");
    QTest::newRow("write, Chinese") << link::LinkOperation::Write << model::Language::Chinese
                                    << QStringLiteral("向对讲机写入数据") << QStringLiteral("完成进度:");
}

void ProgressWindowTest::textsFollowOperationAndLanguage()
{
    QFETCH(link::LinkOperation, operation);
    QFETCH(model::Language, language);
    QFETCH(QString, title);
    QFETCH(QString, label);
    link::ProgressWindow window(operation, language);
    window.show();
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.captionLabel()->text(), label);
    QCOMPARE(window.percentLabel()->text(), QStringLiteral("0%"));
    QCOMPARE(window.bar()->minimum(), 0);
    QCOMPARE(window.bar()->maximum(), 100);
    QCOMPARE(window.bar()->value(), 0);
    QVERIFY(window.findChildren<QAbstractButton*>().isEmpty()); // no cancel control
    QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    window.finish();
}

void ProgressWindowTest::theLabelStandsRightBeforeThePercentage()
{
    for (const model::Language language : {model::Language::English, model::Language::Chinese}) {
        link::ProgressWindow window(link::LinkOperation::Write, language);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect label = window.captionLabel()->geometry();
        const QRect percent = window.percentLabel()->geometry();
        // The label's right edge one pixel (10 twips) before the percentage, on the same line.
        QCOMPARE(percent.left() - (label.right() + 1), 1);
        QCOMPARE(label.center().y(), percent.center().y());
        QVERIFY(window.rect().contains(label));
        QVERIFY(label.width() >= window.captionLabel()->sizeHint().width());
        window.finish();
    }
}

void ProgressWindowTest::percentMovesBarAndLabel()
{
    link::ProgressWindow window(link::LinkOperation::Read, model::Language::English);
    window.setPercent(45);
    QCOMPARE(window.bar()->value(), 45);
    QCOMPARE(window.percentLabel()->text(), QStringLiteral("45%"));
    window.setPercent(100);
    QCOMPARE(window.percentLabel()->text(), QStringLiteral("100%"));
    window.setPercent(0);
    QCOMPARE(window.percentLabel()->text(), QStringLiteral("0%"));
}

void ProgressWindowTest::onlyFinishClosesIt()
{
    link::ProgressWindow window(link::LinkOperation::Read, model::Language::English);
    bool finishedLoop = false;
    QTimer::singleShot(0, &window, [&] {
        QVERIFY(window.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), &window);
        window.close();
        QTest::keyClick(&window, Qt::Key_Escape);
        window.reject();
        QVERIFY(window.isVisible());
        window.finish();
    });
    QTimer::singleShot(5000, &window, [&] {
        if (window.isVisible()) {
            window.finish(); // keeps a failing test from hanging
        }
    });
    window.exec();
    finishedLoop = true;
    QVERIFY(finishedLoop);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));
}

void ProgressWindowTest::thePromptsRunTheOperationInsideTheModalLoop()
{
    link::WindowOperationPrompts prompts([] { return model::Language::Chinese; }, [] { return nullptr; });
    int openedCalls = 0;
    bool modalWhenOpened = false;
    QString titleWhenOpened;
    prompts.openProgress(link::LinkOperation::Write, model::Language::Chinese, [&] {
        ++openedCalls;
        link::ProgressWindow* window = prompts.progressWindow();
        QVERIFY(window != nullptr);
        modalWhenOpened = window->isVisible() && QApplication::activeModalWidget() == window;
        titleWhenOpened = window->windowTitle();
        // The operation goes on from timers and port events of the window's own loop.
        QTimer::singleShot(10, window, [&prompts] {
            prompts.updateProgress(45);
            QCOMPARE(prompts.progressWindow()->percentLabel()->text(), QStringLiteral("45%"));
            prompts.closeProgress();
        });
    });
    // openProgress returned: the window closed.
    QCOMPARE(openedCalls, 1);
    QVERIFY(modalWhenOpened);
    QCOMPARE(titleWhenOpened, QStringLiteral("向对讲机写入数据"));
    QVERIFY(prompts.progressWindow() == nullptr);
    prompts.updateProgress(50); // no window: nothing happens
    prompts.closeProgress();
}

QTEST_MAIN(ProgressWindowTest)
#include "progress_window_test.moc"
