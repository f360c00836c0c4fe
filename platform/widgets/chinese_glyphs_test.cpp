// Chinese texts must come out as real glyphs in the windows' default font (through the font
// fallback of the system), not as empty boxes: this fails on a machine without a CJK font.

#include "model/shared_texts.h"
#include "platform/widgets/ui_text.h"

#include <QApplication>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

class ChineseGlyphsTest : public QObject
{
    Q_OBJECT

private slots:
    void sharedChineseTextsHaveGlyphs();
};

void ChineseGlyphsTest::sharedChineseTextsHaveGlyphs()
{
    for (const auto& text : corvane::model::texts::kSharedTexts) {
        const QString chinese = corvane::platform::qtText(text.pair.chinese);
        QTextLayout layout(QString(chinese).replace(QStringLiteral("\r\n"), QStringLiteral(" ")),
                           QApplication::font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            for (const quint32 glyph : run.glyphIndexes()) {
                QVERIFY2(
                    glyph != 0,
                    qPrintable(
                        QStringLiteral("no glyph in \"%1\" (%2)").arg(chinese, run.rawFont().familyName())));
            }
        }
    }
}

QTEST_MAIN(ChineseGlyphsTest)
#include "chinese_glyphs_test.moc"
