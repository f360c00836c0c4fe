// The embedded information view offscreen: what it shows of the radio information (band list,
// model name, texts cut at their NUL), its captions in both languages, its disabled fields and
// its two buttons.

#include "features/embedded_information_view.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace corvane;
using features::FrmEMG;
using features::emg::InfoField;

Q_DECLARE_METATYPE(model::Language)

namespace {

model::RadioInfo sampleInfo()
{
    model::RadioInfo info;
    info.infoModelCode = "Z740E";
    info.infoBandIndex = 2;
    info.infoSalesArea = "0086";
    info.infoSerialNumber = "2026030400000001";
    info.infoProductionDate = "2026-03-04";
    info.infoBatchCode = "03-1-E-1";
    info.infoCustomerCode = "001A";
    info.infoVersion = "V3.00";
    info.infoSeller = "Lin";
    return info;
}

QStringList shownCaptions(const FrmEMG& view)
{
    QStringList captions;
    for (const auto& row : features::emg::kFieldTable) {
        if (view.caption(row.field)->isVisibleTo(&view)) {
            captions << view.caption(row.field)->text();
        }
    }
    return captions;
}

} // namespace

class EmbeddedInformationViewTest : public QObject
{
    Q_OBJECT

private slots:
    void bandListShowsTheIndexOrItsFirstItem_data();
    void bandListShowsTheIndexOrItsFirstItem();
    void textsAreCutAtTheirNul();
    void modelNameIsTheOnlyRadioType_data();
    void modelNameIsTheOnlyRadioType();
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void everyFieldIsDisabledAndTheHiddenOnesAreLoaded();
    void closeAndHelp();
};

void EmbeddedInformationViewTest::bandListShowsTheIndexOrItsFirstItem_data()
{
    QTest::addColumn<int>("bandIndex");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << 0 << QStringLiteral("136 - 174 MHz");
    QTest::newRow("1") << 1 << QStringLiteral("200 - 260 MHz");
    QTest::newRow("2") << 2 << QStringLiteral("400 - 480 MHz");
    QTest::newRow("3, new document") << 3 << QStringLiteral("136 - 174 MHz");
    QTest::newRow("7") << 7 << QStringLiteral("136 - 174 MHz");
    QTest::newRow("-1") << -1 << QStringLiteral("136 - 174 MHz");
}

void EmbeddedInformationViewTest::bandListShowsTheIndexOrItsFirstItem()
{
    QFETCH(int, bandIndex);
    QFETCH(QString, shown);
    model::RadioInfo info = sampleInfo();
    info.infoBandIndex = static_cast<model::Integer>(bandIndex);
    FrmEMG view(info, model::Language::English, {});
    QCOMPARE(view.bandList()->count(), 3);
    QCOMPARE(view.fieldText(InfoField::Band), shown);
}

void EmbeddedInformationViewTest::textsAreCutAtTheirNul()
{
    model::RadioInfo info = sampleInfo();
    // Eight digits, a NUL and blanks, as the radio's block leaves a short serial number.
    const std::uint8_t serial[16] = {'1', '2', '3', '4', '5', '6', '7', '8', 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    info.infoSerialNumber.setBytes(std::span<const std::uint8_t, 16>(serial));
    // Blanks before the NUL go too; what follows the NUL is not shown.
    const std::uint8_t batch[8] = {'0', '3', '-', '1', ' ', 0, 'X', 'Y'};
    info.infoBatchCode.setBytes(std::span<const std::uint8_t, 8>(batch));
    info.infoVersion = std::string("V3.00  \0zz", 10);
    // A byte of the code page above 127 shows as its character.
    info.infoCustomerCode = "\xE9" "01";
    FrmEMG view(info, model::Language::English, {});
    QCOMPARE(view.fieldText(InfoField::SerialNumber), QStringLiteral("12345678"));
    QCOMPARE(view.fieldText(InfoField::BatchCode), QStringLiteral("03-1"));
    QCOMPARE(view.fieldText(InfoField::Version), QStringLiteral("V3.00"));
    QCOMPARE(view.fieldText(InfoField::CustomerCode), QStringLiteral("é01"));
    QCOMPARE(view.fieldText(InfoField::ProductionDate), QStringLiteral("2026-03-04"));
}

void EmbeddedInformationViewTest::modelNameIsTheOnlyRadioType_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("own code") << QStringLiteral("Z740E") << QStringLiteral("ZT740-16");
    QTest::newRow("earlier code has no name") << QStringLiteral("Z740F") << QStringLiteral("Z740F");
    QTest::newRow("other code") << QStringLiteral("AB") << QStringLiteral("AB");
}

void EmbeddedInformationViewTest::modelNameIsTheOnlyRadioType()
{
    QFETCH(QString, code);
    QFETCH(QString, shown);
    model::RadioInfo info = sampleInfo();
    info.infoModelCode = code.toStdString();
    FrmEMG view(info, model::Language::English, {});
    QCOMPARE(view.radioTypeList()->count(), 1);
    QCOMPARE(view.fieldText(InfoField::RadioType), shown);
}

void EmbeddedInformationViewTest::captionsFollowTheLanguage_data()
{
    QTest::addColumn<model::Language>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("English") << model::Language::English << QStringLiteral("Embedded Message")
                             << QStringList{"Manufacture Code", "User Code", "Radio Type", "Frequency",
                                            "Serial Number", "Producted Date", "Version"}
                             << QStringList{"&Close", "&Help"};
    QTest::newRow("Chinese") << model::Language::Chinese << QStringLiteral("嵌入信息")
                             << QStringList{"生产批号", "客户代码", "机型", "频段", "序列号", "出厂日期", "固件版本"}
                             << QStringList{"关闭(&C)", "帮助(&H)"};
}

void EmbeddedInformationViewTest::captionsFollowTheLanguage()
{
    QFETCH(model::Language, language);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, buttons);
    const model::RadioInfo info = sampleInfo();
    FrmEMG view(info, language, {});
    QCOMPARE(view.windowTitle(), title);
    QCOMPARE(shownCaptions(view), captions);
    QCOMPARE((QStringList{view.closeButton()->text(), view.helpButton()->text()}), buttons);
    // The values do not depend on the language.
    QCOMPARE(view.fieldText(InfoField::RadioType), QStringLiteral("ZT740-16"));
    QCOMPARE(view.fieldText(InfoField::Band), QStringLiteral("400 - 480 MHz"));
    QCOMPARE(view.fieldText(InfoField::SerialNumber), QStringLiteral("2026030400000001"));
}

void EmbeddedInformationViewTest::everyFieldIsDisabledAndTheHiddenOnesAreLoaded()
{
    const model::RadioInfo info = sampleInfo();
    FrmEMG view(info, model::Language::English, {});
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (const auto& row : features::emg::kFieldTable) {
        QVERIFY2(!view.field(row.field)->isEnabled(), row.name.data());
        QCOMPARE(view.field(row.field)->isVisible(), row.shown);
    }
    QCOMPARE(view.fieldText(InfoField::SalesArea), QStringLiteral("0086"));
    QCOMPARE(view.fieldText(InfoField::Seller), QStringLiteral("Lin"));
    QCOMPARE(view.caption(InfoField::MaintenanceReason)->text(), QStringLiteral("Maintained"));
}

void EmbeddedInformationViewTest::closeAndHelp()
{
    const model::RadioInfo info = sampleInfo();
    std::vector<int> helpAsked;
    FrmEMG view(info, model::Language::English, [&](int id) { helpAsked.push_back(id); });
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(view.helpButton(), Qt::LeftButton);
    QCOMPARE(helpAsked, std::vector<int>{3800});
    QVERIFY(view.isVisible());
    QTest::mouseClick(view.closeButton(), Qt::LeftButton);
    QVERIFY(!view.isVisible());
    QCOMPARE(view.result(), int(QDialog::Accepted));
}

QTEST_MAIN(EmbeddedInformationViewTest)
#include "embedded_information_view_test.moc"
