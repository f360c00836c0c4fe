#pragma once
// The texts of the embedded information view (FrmEMG, the radio-information window) and how it
// shows the values of RadioInfo. Free of Qt, so the printed report's local-message section can
// take the same captions and the same shown values.

#include "model/model_band.h"
#include "model/records.h"
#include "model/text_pair.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace corvane::features::emg {

inline constexpr model::TextPair kTitle{"Embedded Message", "嵌入信息"};

// The fields of the view, top to bottom.
enum class InfoField {
    BatchCode,    // infoBatchCode
    CustomerCode, // infoCustomerCode
    RadioType,    // infoModelCode, by its model name
    Band,         // infoBandIndex, by its band text
    SerialNumber, // infoSerialNumber
    ProductionDate,
    Version,
    // Loaded but kept hidden.
    SalesArea,
    MaintainedDate,
    MaintenanceReason,
    DealerCode,
    StockDate,
    SellDate,
    Seller,
};

struct FieldRow
{
    InfoField field;
    std::string_view name; // object name of the field
    model::TextPair caption;
    bool shown;
};

inline constexpr FieldRow kFieldTable[] = {
    {InfoField::BatchCode,         "txtBatchCode",      {"Manufacture Code", "生产批号"}, true},
    {InfoField::CustomerCode,      "txtCustomerCode",   {"User Code", "客户代码"},        true},
    {InfoField::RadioType,         "cboRadioType",      {"Radio Type", "机型"},           true},
    {InfoField::Band,              "cboFrequency",      {"Frequency", "频段"},            true},
    {InfoField::SerialNumber,      "txtSerialNumber",   {"Serial Number", "序列号"},      true},
    {InfoField::ProductionDate,    "txtProductionDate", {"Producted Date", "出厂日期"},   true},
    {InfoField::Version,           "txtVersion",        {"Version", "固件版本"},          true},
    {InfoField::SalesArea,         "txtSalesArea",      {"Area Code", "销售区号"},        false},
    {InfoField::MaintainedDate,    "txtMaintainedDate", {"Maintained Date", "维修日期"},  false},
    {InfoField::MaintenanceReason, "txtMaintained",     {"Maintained", "维修原因"},       false},
    {InfoField::DealerCode,        "txtDealerCode",     {"Dealer Code", "经销商代码"},    false},
    {InfoField::StockDate,         "txtStockDate",      {"Stock Date", "入库时间"},       false},
    {InfoField::SellDate,          "txtSellDate",       {"Sell Date", "销售时间"},        false},
    {InfoField::Seller,            "txtSeller",         {"Seller", "经手人"},             false},
};

// Defined and not shown; the printed report puts it after "Maintained".
inline constexpr model::TextPair kDescriptionCaption{"Description", ""};

inline constexpr int kHelpContext = 3800;

// A stored text as the view shows it: cut at the first NUL, trailing blanks removed.
inline std::string shownText(std::string_view stored)
{
    std::string_view text = stored.substr(0, std::min(stored.find('\0'), stored.size()));
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

template <std::size_t N>
std::string shownText(const model::FixedText<N>& stored)
{
    const auto& bytes = stored.bytes();
    return shownText(std::string_view(bytes.data(), bytes.size()));
}

// The band list's item for infoBandIndex: the item at that index, the first one outside 0..2.
constexpr int bandListIndex(model::Integer bandIndex)
{
    return bandIndex >= 0 && static_cast<std::size_t>(bandIndex) < model::kBandTexts.size() ? bandIndex : 0;
}

constexpr std::string_view shownBandText(model::Integer bandIndex)
{
    return model::kBandTexts[static_cast<std::size_t>(bandListIndex(bandIndex))];
}

// The value a field shows, as bytes of the code page: the model name for RadioType, the band
// text for Band, the shown text otherwise.
inline std::string shownFieldText(const model::RadioInfo& info, InfoField field)
{
    switch (field) {
    case InfoField::BatchCode:
        return shownText(info.infoBatchCode);
    case InfoField::CustomerCode:
        return shownText(info.infoCustomerCode);
    case InfoField::RadioType:
        return model::modelNameForCode(info.infoModelCode);
    case InfoField::Band:
        return std::string(shownBandText(info.infoBandIndex));
    case InfoField::SerialNumber:
        return shownText(info.infoSerialNumber);
    case InfoField::ProductionDate:
        return shownText(info.infoProductionDate);
    case InfoField::Version:
        return shownText(info.infoVersion);
    case InfoField::SalesArea:
        return shownText(info.infoSalesArea);
    case InfoField::MaintainedDate:
        return shownText(info.infoMaintainedDate);
    case InfoField::MaintenanceReason:
        return shownText(info.infoMaintenanceReason);
    case InfoField::DealerCode:
        return shownText(info.infoDealerCode);
    case InfoField::StockDate:
        return shownText(info.infoStockDate);
    case InfoField::SellDate:
        return shownText(info.infoSellDate);
    case InfoField::Seller:
        return shownText(info.infoSeller);
    }
    return {};
}

} // namespace corvane::features::emg
