// The text-field rules on real line edits, offscreen.

#include "platform/widgets/focus_keys.h"
#include "platform/widgets/text_field_filter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace corvane::platform;

namespace {

// A line edit that records which mouse and menu events reached it past the filter.
class ProbeLineEdit : public QLineEdit
{
public:
    int middleButtonEvents = 0;
    int contextMenuEvents = 0;
    int dropEvents = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        middleButtonEvents += e->button() == Qt::MiddleButton;
        QLineEdit::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        middleButtonEvents += e->button() == Qt::MiddleButton;
        QLineEdit::mouseReleaseEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        ++contextMenuEvents;
        QLineEdit::contextMenuEvent(e);
    }
    void dropEvent(QDropEvent* e) override
    {
        ++dropEvents;
        QLineEdit::dropEvent(e);
    }
};

// Types `text` key by key: ASCII through its key code, anything else as a key with only text
// (how a keyboard layout delivers "é" or "信").
void type(QWidget* field, const QString& text)
{
    for (QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(field, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), {});
        }
    }
}

void commitByInputMethod(QWidget* field, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(field, &event);
}

void dropText(QWidget* field, const QString& text)
{
    QMimeData mime;
    mime.setText(text);
    const QPointF at(5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
}

} // namespace

class TextFieldFilterTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clipboardKeysDoNothing_data();
    void clipboardKeysDoNothing();
    void mouseMenuAndDropsInsertNothing();
    void nonAsciiIsRefused();
    void enterMovesTheFocusLikeTab();
    void enterCanBeReported();
    void allowedSetFoldAndLength_data();
    void allowedSetFoldAndLength();
    void editingKeysPass();
    void enterMovesOnFromOtherControls();

private:
    // A window with a filtered field, a plain field as a control of the test itself, and a field
    // after them in the Tab order.
    void build(const TextFieldRules& rules);

    std::unique_ptr<QWidget> m_window;
    ProbeLineEdit* m_field = nullptr;
    QLineEdit* m_plain = nullptr;
    QLineEdit* m_next = nullptr;
    TextFieldFilter* m_filter = nullptr;
};

void TextFieldFilterTest::init()
{
    build({});
}

void TextFieldFilterTest::cleanup()
{
    m_window.reset();
}

void TextFieldFilterTest::build(const TextFieldRules& rules)
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_field = new ProbeLineEdit;
    m_next = new QLineEdit;
    m_plain = new QLineEdit;
    layout->addWidget(m_field);
    layout->addWidget(m_next);
    layout->addWidget(m_plain);
    m_filter = TextFieldFilter::install(m_field, rules);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_field->setFocus();
    QTRY_VERIFY(m_field->hasFocus());
}

void TextFieldFilterTest::clipboardKeysDoNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier);
    QTest::newRow("Paste key") << int(Qt::Key_Paste) << int(Qt::NoModifier);
}

void TextFieldFilterTest::clipboardKeysDoNothing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QClipboard* clipboard = QGuiApplication::clipboard();

    // The same keys do paste into a plain field: the test would see a leak.
    clipboard->setText(QStringLiteral("PASTED"));
    m_plain->setFocus();
    QTest::keyClick(m_plain, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_plain->text(), QStringLiteral("PASTED"));

    m_field->setFocus();
    m_field->setText(QStringLiteral("437.125"));
    m_field->selectAll();
    QTest::sendKeyEvent(QTest::Click, m_field, Qt::Key(key), QString(), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_field->text(), QStringLiteral("437.125"));
    QCOMPARE(clipboard->text(), QStringLiteral("PASTED")); // nothing copied or cut either
}

void TextFieldFilterTest::mouseMenuAndDropsInsertNothing()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    if (QGuiApplication::clipboard()->supportsSelection()) {
        QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"), QClipboard::Selection);
    }
    m_field->setText(QStringLiteral("12"));

    QTest::mouseClick(m_field, Qt::MiddleButton, {}, QPoint(5, 5));
    QCOMPARE(m_field->middleButtonEvents, 0);
    QCOMPARE(m_field->text(), QStringLiteral("12"));

    QCOMPARE(m_field->contextMenuPolicy(), Qt::NoContextMenu);
    QTest::mouseClick(m_field, Qt::RightButton, {}, QPoint(5, 5));
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(5, 5), m_field->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(m_field, &menu);
    QCOMPARE(m_field->contextMenuEvents, 0);
    QVERIFY(!QApplication::activePopupWidget());

    QVERIFY(!m_field->acceptDrops());
    dropText(m_field, QStringLiteral("999"));
    QCOMPARE(m_field->dropEvents, 0);
    QCOMPARE(m_field->text(), QStringLiteral("12"));
}

void TextFieldFilterTest::nonAsciiIsRefused()
{
    // A plain field takes both: the events used here do insert text.
    type(m_plain, QStringLiteral("é"));
    commitByInputMethod(m_plain, QStringLiteral("信"));
    QCOMPARE(m_plain->text(), QStringLiteral("é信"));

    type(m_field, QStringLiteral("aé信b"));
    QCOMPARE(m_field->text(), QStringLiteral("ab"));
    commitByInputMethod(m_field, QStringLiteral("信c道"));
    QCOMPARE(m_field->text(), QStringLiteral("abc"));
    commitByInputMethod(m_field, QStringLiteral("频率"));
    QCOMPARE(m_field->text(), QStringLiteral("abc"));
}

void TextFieldFilterTest::enterMovesTheFocusLikeTab()
{
    QSignalSpy returnPressed(m_field, &QLineEdit::returnPressed);
    QTest::keyClick(m_field, Qt::Key_Return);
    QTRY_VERIFY(m_next->hasFocus());
    QCOMPARE(returnPressed.count(), 0);

    m_field->setFocus();
    QTest::keyClick(m_field, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(m_next->hasFocus());
}

void TextFieldFilterTest::enterCanBeReported()
{
    build({fieldCharacters::kFrequency, LetterFold::None, 9, EnterKey::Report});
    QSignalSpy reported(m_filter, &TextFieldFilter::enterPressed);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(reported.count(), 1);
    QVERIFY(m_field->hasFocus());
}

void TextFieldFilterTest::allowedSetFoldAndLength_data()
{
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<int>("fold");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("any ASCII") << QString() << int(LetterFold::None) << 32 << QStringLiteral("Hi é, 信 #1!")
                               << QStringLiteral("Hi ,  #1!");
    QTest::newRow("frequency") << QString(fieldCharacters::kFrequency) << int(LetterFold::None) << 0
                               << QStringLiteral("145.5a,0-") << QStringLiteral("145.50");
    QTest::newRow("hex, folded, 4") << QString(fieldCharacters::kHexDigits) << int(LetterFold::HexLetters)
                                    << 4 << QStringLiteral("1a-g F9c") << QStringLiteral("1AF9");
    QTest::newRow("DTMF, folded") << QString(fieldCharacters::kDtmfDigits) << int(LetterFold::DtmfLetters)
                                  << 16 << QStringLiteral("12*#abcdeEf") << QStringLiteral("12*#ABCD");
    QTest::newRow("digits, 10") << QString(fieldCharacters::kDigits) << int(LetterFold::None) << 10
                                << QStringLiteral("0123x456789012") << QStringLiteral("0123456789");
    QTest::newRow("no fold") << QString(fieldCharacters::kHexDigits) << int(LetterFold::None) << 0
                             << QStringLiteral("aB") << QStringLiteral("B");
}

void TextFieldFilterTest::allowedSetFoldAndLength()
{
    QFETCH(QString, allowed);
    QFETCH(int, fold);
    QFETCH(int, maxLength);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    build({allowed, LetterFold(fold), maxLength, EnterKey::MoveFocus});
    type(m_field, typed);
    QCOMPARE(m_field->text(), expected);
    // An input method commit obeys the same rules.
    m_field->clear();
    commitByInputMethod(m_field, typed);
    QCOMPARE(m_field->text(), expected);
}

void TextFieldFilterTest::editingKeysPass()
{
    build({fieldCharacters::kFrequency, LetterFold::None, 0, EnterKey::MoveFocus});
    type(m_field, QStringLiteral("4371"));
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QTest::keyClick(m_field, Qt::Key_Left);
    QTest::keyClick(m_field, Qt::Key_Left);
    type(m_field, QStringLiteral("."));
    QCOMPARE(m_field->text(), QStringLiteral("4.37"));
    QTest::keyClick(m_field, Qt::Key_Home);
    QTest::keyClick(m_field, Qt::Key_Delete);
    QCOMPARE(m_field->text(), QStringLiteral(".37"));
    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier); // select all still works
    type(m_field, QStringLiteral("5"));
    QCOMPARE(m_field->text(), QStringLiteral("5"));
}

void TextFieldFilterTest::enterMovesOnFromOtherControls()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new QComboBox;
    list->addItems({QStringLiteral("12.5 kHz"), QStringLiteral("25 kHz")});
    auto* box = new QCheckBox(QStringLiteral("Scan Add"));
    auto* after = new QLineEdit;
    layout->addWidget(list);
    layout->addWidget(box);
    layout->addWidget(after);
    EnterMovesFocus::install(list);
    EnterMovesFocus::install(box);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Enter);
    QTRY_VERIFY(after->hasFocus());
    QVERIFY(!box->isChecked());
}

QTEST_MAIN(TextFieldFilterTest)
#include "text_field_filter_test.moc"
