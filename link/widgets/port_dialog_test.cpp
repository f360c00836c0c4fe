// The port dialog over a fake port list that gains and loses ports between refresh ticks. The
// ticks are driven through the dialog's refresh slot, so no test waits for the 1000 ms timer.

#include "link/widgets/port_dialog.h"
#include "model/profile_file.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace corvane;

namespace {

class FakeLister : public link::PortLister
{
public:
    link::PortList listPorts() const override { return ports; }

    void set(std::initializer_list<const char*> names, bool withVirtual = true)
    {
        ports.clear();
        for (const char* name : names) {
            ports.push_back(link::entryForDevice(name));
        }
        if (withVirtual) {
            ports.push_back(link::virtualPortEntry());
        }
    }

    link::PortList ports;
};

QStringList items(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->itemText(i);
    }
    return out;
}

QPushButton* button(QWidget* dialog, const QString& caption)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

class PortDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensOnTheConfiguredPortAndStoresTheChoiceOnOk();
    void opensOnTheFirstPortWhenTheConfiguredOneIsGone();
    void refreshKeepsTheChoiceWhileItsPortExists();
    void anEmptyListSelectsNothingAndOkClearsThePortWithoutWriting();
    void cancelChangesNothing();
    void theRefreshTimerTicksEverySecondUntilTheDialogCloses();
    void captionsFollowTheLanguage();
    void nt60OffersAFixedListWithoutRefresh();

private:
    std::string storedPort() const { return model::readIniString(m_setupFile, "language", "comPort"); }

    QTemporaryDir m_folder;
    std::filesystem::path m_setupFile;
    FakeLister m_lister;
    std::string m_comPort;
};

void PortDialogTest::init()
{
    QVERIFY(m_folder.isValid());
    m_setupFile = std::filesystem::path(m_folder.path().toStdString()) / "language" / "mysetup.ini";
    std::filesystem::remove_all(m_setupFile.parent_path());
    model::writeIniString(m_setupFile, "language", "comPort", "4");
    m_lister.set({"COM1", "COM10"});
    m_comPort = "10";
}

void PortDialogTest::opensOnTheConfiguredPortAndStoresTheChoiceOnOk()
{
    m_comPort = "1";
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    dialog.show();
    QCOMPARE(items(dialog.portList()), (QStringList{"COM1", "COM10", "virtual radio"}));
    QCOMPARE(dialog.portList()->currentText(), QStringLiteral("COM1"));
    QCOMPARE(dialog.selectedPort(), std::string("1"));

    dialog.portList()->setCurrentIndex(1); // the user picks COM10
    QCOMPARE(dialog.selectedPort(), std::string("10"));
    QTest::mouseClick(button(&dialog, QStringLiteral("&OK")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_comPort, std::string("10"));
    QCOMPARE(storedPort(), std::string("10"));
    QVERIFY(!dialog.refreshTimer()->isActive());

    // The virtual radio is chosen only by the user.
    link::PortDialog again(m_lister, m_comPort, m_setupFile, model::Language::English);
    again.portList()->setCurrentIndex(2);
    again.accept();
    QCOMPARE(m_comPort, std::string("virtual"));
    QCOMPARE(storedPort(), std::string("virtual"));
}

void PortDialogTest::opensOnTheFirstPortWhenTheConfiguredOneIsGone()
{
    m_comPort = "7";
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    QCOMPARE(dialog.portList()->currentText(), QStringLiteral("COM1"));
    QCOMPARE(dialog.selectedPort(), std::string("1"));
    QCOMPARE(m_comPort, std::string("7")); // nothing changes before OK

    // With no real port, nothing is selected, even though the virtual radio is listed.
    m_lister.set({});
    link::PortDialog empty(m_lister, m_comPort, m_setupFile, model::Language::English);
    QCOMPARE(empty.portList()->count(), 1);
    QCOMPARE(empty.portList()->currentIndex(), -1);
    QCOMPARE(empty.selectedPort(), std::string());
}

void PortDialogTest::refreshKeepsTheChoiceWhileItsPortExists()
{
    m_lister.set({"COM1", "COM3"});
    m_comPort = "1";
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    dialog.show();
    dialog.portList()->setCurrentIndex(1); // COM3
    QCOMPARE(dialog.selectedPort(), std::string("3"));

    m_lister.set({"COM1", "COM3", "COM5"}); // an adapter is plugged in
    dialog.refreshPorts();
    QCOMPARE(items(dialog.portList()), (QStringList{"COM1", "COM3", "COM5", "virtual radio"}));
    QCOMPARE(dialog.portList()->currentText(), QStringLiteral("COM3"));
    QCOMPARE(dialog.selectedPort(), std::string("3"));

    m_lister.set({"COM1", "COM5"}); // the chosen one is pulled out
    dialog.refreshPorts();
    QCOMPARE(items(dialog.portList()), (QStringList{"COM1", "COM5", "virtual radio"}));
    QCOMPARE(dialog.portList()->currentText(), QStringLiteral("COM1"));
    QCOMPARE(dialog.selectedPort(), std::string("1"));

    m_lister.set({"COM1", "COM3", "COM5"}); // back again: the choice is now COM1 and stays
    dialog.refreshPorts();
    QCOMPARE(dialog.selectedPort(), std::string("1"));

    dialog.portList()->setCurrentIndex(3); // the virtual radio survives refreshes too
    dialog.refreshPorts();
    QCOMPARE(dialog.selectedPort(), std::string("virtual"));
    dialog.accept();
    QCOMPARE(m_comPort, std::string("virtual"));
}

void PortDialogTest::anEmptyListSelectsNothingAndOkClearsThePortWithoutWriting()
{
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    dialog.show();
    QCOMPARE(dialog.selectedPort(), std::string("10"));
    m_lister.set({}, false); // the system lists nothing at all
    dialog.refreshPorts();
    QCOMPARE(dialog.portList()->count(), 0);
    QCOMPARE(dialog.portList()->currentIndex(), -1);
    QCOMPARE(dialog.selectedPort(), std::string());
    QTest::mouseClick(button(&dialog, QStringLiteral("&OK")), Qt::LeftButton);
    QCOMPARE(m_comPort, std::string());
    QCOMPARE(storedPort(), std::string("4")); // nothing written
}

void PortDialogTest::cancelChangesNothing()
{
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    dialog.show();
    dialog.portList()->setCurrentIndex(0);
    QTest::mouseClick(button(&dialog, QStringLiteral("&Cancel")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(m_comPort, std::string("10"));
    QCOMPARE(storedPort(), std::string("4"));
    QVERIFY(!dialog.refreshTimer()->isActive());
}

void PortDialogTest::theRefreshTimerTicksEverySecondUntilTheDialogCloses()
{
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English);
    dialog.show();
    QTimer* timer = dialog.refreshTimer();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isSingleShot());
    // The timer's tick is the refresh: a port that appears is listed once it fires (fired here
    // by hand instead of waiting a second).
    m_lister.set({"COM1", "COM10", "COM2"});
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(dialog.portList()->count(), 4);
    dialog.reject();
    QVERIFY(!timer->isActive());
}

void PortDialogTest::captionsFollowTheLanguage()
{
    link::PortDialog english(m_lister, m_comPort, m_setupFile, model::Language::English);
    QCOMPARE(english.windowTitle(), QStringLiteral("Set COM"));
    QVERIFY(english.findChild<QLabel*>()->text() == QStringLiteral("Comm Port"));
    QVERIFY(button(&english, QStringLiteral("&OK")) != nullptr);
    QVERIFY(button(&english, QStringLiteral("&Cancel")) != nullptr);

    link::PortDialog chinese(m_lister, m_comPort, m_setupFile, model::Language::Chinese);
    QCOMPARE(chinese.windowTitle(), QStringLiteral("串口设置"));
    QCOMPARE(chinese.findChild<QLabel*>()->text(), QStringLiteral("串口"));
    QVERIFY(button(&chinese, QStringLiteral("确定(&O)")) != nullptr);
    QVERIFY(button(&chinese, QStringLiteral("取消(&C)")) != nullptr);
    QCOMPARE(chinese.portList()->itemText(2), QStringLiteral("虚拟对讲机"));

    // The label stands left of the list.
    chinese.show();
    QVERIFY(chinese.findChild<QLabel*>()->geometry().right() < chinese.portList()->geometry().left());
}

void PortDialogTest::nt60OffersAFixedListWithoutRefresh()
{
    m_comPort = "200";
    link::PortDialog dialog(m_lister, m_comPort, m_setupFile, model::Language::English, true);
    QCOMPARE(dialog.portList()->count(), 255);
    QCOMPARE(dialog.portList()->itemText(0), QStringLiteral("COM1"));
    QCOMPARE(dialog.portList()->itemText(254), QStringLiteral("COM255"));
    QCOMPARE(dialog.selectedPort(), std::string("200"));
    QVERIFY(!dialog.refreshTimer()->isActive());
}

QTEST_MAIN(PortDialogTest)
#include "port_dialog_test.moc"
