// The password dialog offscreen: texts per language, the masked field of four characters, the
// entry it opens with, and what OK, Enter and Cancel report.

#include "link/widgets/password_dialog.h"
#include "testsupport/qt/modal_answerer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::model::Language)

class PasswordDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();
    void theFieldIsMaskedAndTakesFourAsciiCharacters();
    void opensWithTheEnteredPassword();
    void okEnterAndCancel();
};

void PasswordDialogTest::textsFollowTheLanguage_data()
{
    QTest::addColumn<model::Language>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("English") << model::Language::English << QStringLiteral("Program PassWord")
                             << QStringLiteral("PassWord") << QStringLiteral("&OK") << QStringLiteral("&Cancel");
    QTest::newRow("Chinese") << model::Language::Chinese << QStringLiteral("编程密码") << QStringLiteral("密码")
                             << QStringLiteral("确定(&O)") << QStringLiteral("取消(&C)");
}

void PasswordDialogTest::textsFollowTheLanguage()
{
    QFETCH(model::Language, language);
    QFETCH(QString, title);
    QFETCH(QString, label);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    link::PasswordDialog dialog("", language);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.label()->text(), label);
    QCOMPARE(dialog.okButton()->text(), ok);
    QCOMPARE(dialog.cancelButton()->text(), cancel);
    // The label stands left of the field, its right edge 3 pixels (50 twips) before it.
    const QRect labelRect = dialog.label()->geometry();
    const QRect fieldRect = dialog.field()->geometry();
    QCOMPARE(fieldRect.left() - (labelRect.right() + 1), 3);
    QCOMPARE(labelRect.center().y(), fieldRect.center().y());
}

void PasswordDialogTest::theFieldIsMaskedAndTakesFourAsciiCharacters()
{
    link::PasswordDialog dialog("", model::Language::English);
    dialog.show();
    QLineEdit* field = dialog.field();
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field), int('*'));
    QCOMPARE(field->displayText(), QString());
    QTest::keyClicks(field, QStringLiteral("a#"));
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("信"), {});
    QTest::keyClicks(field, QStringLiteral(" Z9"));
    QCOMPARE(field->text(), QStringLiteral("a# Z")); // the fifth character is refused
    QCOMPARE(field->displayText(), QStringLiteral("****"));
    QCOMPARE(dialog.fieldText(), std::string("a# Z"));
}

void PasswordDialogTest::opensWithTheEnteredPassword()
{
    link::PasswordDialog dialog("12", model::Language::English);
    QCOMPARE(dialog.field()->text(), QStringLiteral("12"));
    QCOMPARE(dialog.field()->displayText(), QStringLiteral("**"));
}

void PasswordDialogTest::okEnterAndCancel()
{
    {
        testing::ModalAnswerer answerer([](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>(QStringLiteral("passwordField"));
            field->clear();
            QTest::keyClicks(field, QStringLiteral("AB"));
            testing::ModalAnswerer::clickButton(QStringLiteral("OK"))(modal);
        });
        QCOMPARE(link::PasswordDialog::ask("99", model::Language::English), std::optional<std::string>("AB"));
        QVERIFY(answerer.answered());
    }
    {
        testing::ModalAnswerer answerer([](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>(QStringLiteral("passwordField"));
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClicks(field, QStringLiteral("7"));
            QTest::keyClick(field, Qt::Key_Return);
        });
        QCOMPARE(link::PasswordDialog::ask("12", model::Language::English), std::optional<std::string>("127"));
        QVERIFY(answerer.answered());
    }
    {
        testing::ModalAnswerer answerer([](QWidget* modal) {
            QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("passwordField")), QStringLiteral("X"));
            testing::ModalAnswerer::clickButton(QStringLiteral("取消(C)"))(modal);
        });
        QCOMPARE(link::PasswordDialog::ask("12", model::Language::Chinese), std::nullopt);
        QVERIFY(answerer.answered());
    }
}

QTEST_MAIN(PasswordDialogTest)
#include "password_dialog_test.moc"
