// The language dialog on the language state of an English and of a Chinese start.

#include "app/widgets/language_dialog.h"
#include "testsupport/qt/modal_answerer.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace corvane;

namespace {

QStringList items(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->itemText(i);
    }
    return out;
}

QComboBox* listOf(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("languageList"));
}

QPushButton* button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class LanguageDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void offersTheLanguagesOfTheStart_data();
    void offersTheLanguagesOfTheStart();
    void okSwitchesTheLanguage();
    void currentLanguageOrCancelChangesNothing();
    void enterInTheListMovesOn();
    void commandRunsModally();
};

void LanguageDialogTest::offersTheLanguagesOfTheStart_data()
{
    QTest::addColumn<bool>("chineseStart");
    QTest::addColumn<bool>("switchedToEnglish");
    QTest::addColumn<QStringList>("expectedItems");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("English start") << false << false << QStringList{QStringLiteral("English")}
                                   << QStringLiteral("English") << QStringLiteral("Set Language")
                                   << QStringLiteral("Language Select") << QStringLiteral("&OK")
                                   << QStringLiteral("&Cancel");
    QTest::newRow("Chinese start") << true << false
                                   << QStringList{QStringLiteral("英语"), QStringLiteral("中文")}
                                   << QStringLiteral("中文") << QStringLiteral("语言设置")
                                   << QStringLiteral("语言选择") << QStringLiteral("确定(&O)")
                                   << QStringLiteral("取消(&C)");
    QTest::newRow("Chinese start, now English")
        << true << true << QStringList{QStringLiteral("English"), QStringLiteral("Chinese")}
        << QStringLiteral("English") << QStringLiteral("Set Language") << QStringLiteral("Language Select")
        << QStringLiteral("&OK") << QStringLiteral("&Cancel");
}

void LanguageDialogTest::offersTheLanguagesOfTheStart()
{
    QFETCH(bool, chineseStart);
    QFETCH(bool, switchedToEnglish);
    QFETCH(QStringList, expectedItems);
    QFETCH(QString, selected);
    QFETCH(QString, title);
    QFETCH(QString, label);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);

    model::LanguageState state = model::startupLanguageState(chineseStart);
    if (switchedToEnglish) {
        QVERIFY(model::applyLanguageChoice(state, model::Language::English));
    }
    app::LanguageDialog dialog(state);
    QComboBox* list = listOf(&dialog);
    QVERIFY(list);
    QCOMPARE(items(list), expectedItems);
    QCOMPARE(list->currentText(), selected);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel*>()->text(), label);
    QCOMPARE(button(&dialog, "CommandOK")->text(), ok);
    QCOMPARE(button(&dialog, "CommandCancel")->text(), cancel);
}

void LanguageDialogTest::okSwitchesTheLanguage()
{
    model::LanguageState state = model::startupLanguageState(true);
    {
        app::LanguageDialog dialog(state);
        listOf(&dialog)->setCurrentIndex(0); // 英语
        button(&dialog, "CommandOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.languageChanged());
    }
    QCOMPARE(state.language, model::Language::English);
    QCOMPARE(state.appliedLanguage, model::Language::Chinese); // the main window still shows Chinese
    QCOMPARE(state.languageFile, std::string("english.ini"));
    QVERIFY(!state.helpFileAttached);

    state.appliedLanguage = state.language; // the main window rebuilt its texts
    app::LanguageDialog back(state);
    QCOMPARE(items(listOf(&back)), (QStringList{QStringLiteral("English"), QStringLiteral("Chinese")}));
    listOf(&back)->setCurrentIndex(1);
    button(&back, "CommandOK")->click();
    QVERIFY(back.languageChanged());
    QCOMPARE(state.language, model::Language::Chinese);
    QCOMPARE(state.languageFile, std::string("chinese.ini"));
    QVERIFY(state.helpFileAttached);
}

void LanguageDialogTest::currentLanguageOrCancelChangesNothing()
{
    for (const bool chineseStart : {false, true}) {
        model::LanguageState state = model::startupLanguageState(chineseStart);
        state.appliedLanguage = model::Language::English; // must stay as it is
        const model::LanguageState before = state;

        app::LanguageDialog same(state);
        button(&same, "CommandOK")->click(); // the preselected, current language
        QCOMPARE(same.result(), int(QDialog::Accepted));
        QVERIFY(!same.languageChanged());

        app::LanguageDialog cancelled(state);
        listOf(&cancelled)->setCurrentIndex(0);
        button(&cancelled, "CommandCancel")->click();
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QVERIFY(!cancelled.languageChanged());

        QCOMPARE(state.language, before.language);
        QCOMPARE(state.appliedLanguage, before.appliedLanguage);
        QCOMPARE(state.languageFile, before.languageFile);
        QCOMPARE(state.helpFileAttached, before.helpFileAttached);
    }
}

void LanguageDialogTest::enterInTheListMovesOn()
{
    model::LanguageState state = model::startupLanguageState(true);
    app::LanguageDialog dialog(state);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QComboBox* list = listOf(&dialog);
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    list->setCurrentIndex(0);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(button(&dialog, "CommandOK")->hasFocus());
    QVERIFY(dialog.isVisible()); // Enter did not press OK
    QCOMPARE(state.language, model::Language::Chinese);
    QTest::keyClick(button(&dialog, "CommandOK"), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(state.language, model::Language::English);
}

void LanguageDialogTest::commandRunsModally()
{
    model::LanguageState state = model::startupLanguageState(true);
    testing::ModalAnswerer answer([](QWidget* modal) {
        listOf(modal)->setCurrentIndex(0);
        button(modal, "CommandOK")->click();
    });
    QVERIFY(app::showLanguageDialog(state, nullptr));
    QVERIFY(answer.answered());
    QCOMPARE(state.language, model::Language::English);

    testing::ModalAnswerer again(testing::ModalAnswerer::clickButton(QStringLiteral("OK")));
    QVERIFY(!app::showLanguageDialog(state, nullptr)); // English is current now
    QVERIFY(again.answered());
}

QTEST_MAIN(LanguageDialogTest)
#include "language_dialog_test.moc"
