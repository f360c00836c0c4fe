#pragma once
// The embedded information view (FrmEMG): the radio-information window that a completed
// radio-information read shows modally. It shows the information block of RadioInfo — batch and
// customer codes, model, band, serial number, production date, version — in disabled fields and
// keeps the block's other texts loaded but hidden. It is read-only: it never changes the
// document, RadioInfo or the radio. Close closes it; Help opens the help at context id 3800.

#include "features/embedded_information_texts.h"
#include "model/records.h"
#include "model/text_pair.h"

#include <QDialog>

#include <functional>
#include <map>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane::features {

class FrmEMG : public QDialog
{
    Q_OBJECT

public:
    // `showHelp` opens the help at a context id (the main window's showHelpTopic).
    using HelpCommand = std::function<void(int contextId)>;

    // Fills the band list, sets the captions for `language` and shows `info` (ShowByData).
    FrmEMG(const model::RadioInfo& info, model::Language language, HelpCommand showHelp, QWidget* parent = nullptr);

    // Fills every field from the radio information.
    void ShowByData();

    // The field of a row (a QLineEdit, or a QComboBox for RadioType and Band) and its caption.
    QWidget* field(emg::InfoField which) const { return m_fields.at(which); }
    QLabel* caption(emg::InfoField which) const { return m_captions.at(which); }
    // The shown text of a field: the line's text or the drop-down's current item.
    QString fieldText(emg::InfoField which) const;
    QComboBox* radioTypeList() const;
    QComboBox* bandList() const;
    QPushButton* closeButton() const { return m_close; }
    QPushButton* helpButton() const { return m_help; }

private:
    const model::RadioInfo& m_info;
    HelpCommand m_showHelp;
    std::map<emg::InfoField, QWidget*> m_fields;
    std::map<emg::InfoField, QLabel*> m_captions;
    QPushButton* m_close;
    QPushButton* m_help;
};

} // namespace corvane::features
