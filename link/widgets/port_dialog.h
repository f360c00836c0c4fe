#pragma once
// The port dialog ("Set COM"): the ports the system lists, refreshed every second while it is
// open so an adapter plugged in or pulled out shows up or leaves within a second, with the
// user's choice kept selected while it exists. OK stores the chosen port in `comPort` and in
// "comPort" of mysetup.ini; Cancel changes nothing. Updating the status bar is the caller's.

#include "link/port_list.h"
#include "model/text_pair.h"

#include <QDialog>

#include <filesystem>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace corvane::link {

inline constexpr model::TextPair kPortDialogTitle{"Set COM", "串口设置"};
inline constexpr model::TextPair kPortDialogLabel{"Comm Port", "串口"};
inline constexpr int kPortRefreshIntervalMs = 1000;

class PortDialog : public QDialog
{
    Q_OBJECT

public:
    // `comPort` is the configured port (AppState::comPort); `setupFile` the user's mysetup.ini.
    // On NT 6.0 (`isVersion6_0`) the list is the fixed COM1..COM255 and never refreshed.
    PortDialog(const PortLister& lister, std::string& comPort, std::filesystem::path setupFile,
               model::Language language, bool isVersion6_0 = false, QWidget* parent = nullptr);

    // The port selected in the list; empty when nothing is selected.
    const std::string& selectedPort() const { return m_selectedPort; }
    QComboBox* portList() const { return m_list; }
    QTimer* refreshTimer() const { return m_refreshTimer; }

public slots:
    // One refresh tick: lists the ports again and keeps the selection while its port exists.
    void refreshPorts();
    void accept() override;

private:
    void fillList(const PortList& ports);
    void selectPort(const std::string& portId);
    void takeSelection();

    const PortLister& m_lister;
    std::string& m_comPort;
    std::filesystem::path m_setupFile;
    model::Language m_language;
    PortList m_ports;
    std::string m_selectedPort;
    QLabel* m_label;
    QComboBox* m_list;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QTimer* m_refreshTimer;
};

} // namespace corvane::link
