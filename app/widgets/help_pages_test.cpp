// The shipped help pages have a topic of their own for every help-context id of the main
// window's menus and of the editors, in both languages.

#include "app/widgets/main_window_texts.h"
#include "platform/resource_paths.h"
#include "platform/widgets/help_viewer.h"

#include <QFile>
#include <QTest>

using namespace corvane;

class HelpPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void everyContextHasItsTopic()
    {
        QList<int> ids{0, 3100, 3102, 3103, 3104, 3105, 3106, 3107, 3109, 3200, 3400, 3500, 3600, 3700, 3800};
        for (const app::mainwindow::MenuEntry& entry : app::mainwindow::kMenuTable) {
            if (entry.helpContext) {
                ids << entry.helpContext;
            }
        }
        for (const model::Language language : {model::Language::English, model::Language::Chinese}) {
            QFile page(platform::toQString(platform::helpPage(platform::resourceFolder(), language)));
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
            const QSet<int> anchors = platform::helpAnchors(QString::fromUtf8(page.readAll()));
            for (int id : ids) {
                QVERIFY2(anchors.contains(id),
                         qPrintable(page.fileName() + QStringLiteral(": ") + QString::number(id)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(HelpPagesTest)
#include "help_pages_test.moc"
