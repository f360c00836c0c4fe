// Help-context ids to help topics, and the help window on a page of its own.

#include "platform/resource_paths.h"
#include "platform/widgets/help_viewer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace corvane;

class HelpViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void topicFallsBackToItsGroup_data()
    {
        QTest::addColumn<int>("contextId");
        QTest::addColumn<int>("topic");
        QTest::newRow("own anchor") << 3102 << 3102;
        QTest::newRow("grid column without one") << 3108 << 3100;
        QTest::newRow("editor without one") << 3300 << 300;
        QTest::newRow("menu item without one") << 404 << 400;
        QTest::newRow("unknown group") << 950 << 0;
        QTest::newRow("none") << 0 << 0;
    }
    void topicFallsBackToItsGroup()
    {
        QFETCH(int, contextId);
        QFETCH(int, topic);
        const QSet<int> anchors = platform::helpAnchors(
            QStringLiteral("<h1><a name=\"0\"></a>Top</h1><a name=\"300\">Edit</a><A NAME=\"3100\"></A>"
                           "<a name = \"3102\"></a><a name=\"400\"></a><a href=\"#9\">link</a>"));
        QCOMPARE(anchors, (QSet<int>{0, 300, 3100, 3102, 400}));
        QCOMPARE(platform::helpTopic(anchors, contextId), topic);
    }

    void helpContextComesFromTheNearestAncestor()
    {
        QWidget window;
        auto* group = new QWidget(&window);
        auto* field = new QWidget(group);
        QCOMPARE(platform::helpContextOf(field), 0);
        platform::setHelpContext(&window, 3200);
        QCOMPARE(platform::helpContextOf(field), 3200);
        platform::setHelpContext(group, 3205);
        QCOMPARE(platform::helpContextOf(field), 3205);
    }

    void windowShowsThePageOfTheLanguage()
    {
        const auto resources = platform::resourceFolder();
        platform::HelpWindow window;
        window.showTopic(platform::helpPage(resources, model::Language::Chinese), model::Language::Chinese,
                         501);
        QCOMPARE(window.topic(), 501);
        QCOMPARE(window.windowTitle(), QStringLiteral("Corvane 帮助"));
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("串口设置")));
        window.showTopic(platform::helpPage(resources, model::Language::English), model::Language::English,
                         3108);
        QCOMPARE(window.topic(), 3100);
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("Set COM")));

        QTemporaryDir empty;
        window.showTopic(platform::toPath(empty.filePath(QStringLiteral("index.html"))),
                         model::Language::English, 101);
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("The help file is missing.")));
    }
};

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
