#include "link/widgets/port_dialog.h"

#include "model/profile_file.h"
#include "model/shared_texts.h"
#include "platform/widgets/ui_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane::link {

namespace {

// 100 twips between the label's right edge and the list, at 96 dots per inch.
constexpr int kLabelGapPixels = 7;

} // namespace

PortDialog::PortDialog(const PortLister& lister, std::string& comPort, std::filesystem::path setupFile,
                       model::Language language, bool isVersion6_0, QWidget* parent)
    : QDialog(parent), m_lister(lister), m_comPort(comPort), m_setupFile(std::move(setupFile)), m_language(language),
      m_label(new QLabel(this)), m_list(new QComboBox(this)), m_ok(new QPushButton(this)),
      m_cancel(new QPushButton(this)), m_refreshTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("PortDialog"));
    setWindowTitle(platform::qtText(kPortDialogTitle, language));
    m_label->setText(platform::qtText(kPortDialogLabel, language));
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setBuddy(m_list);
    m_list->setObjectName(QStringLiteral("portList"));
    m_list->setMinimumContentsLength(12);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_ok->setText(platform::qtText(model::texts::kOkButton, language));
    m_cancel->setText(platform::qtText(model::texts::kCancelButton, language));
    m_ok->setDefault(true);

    auto* row = new QHBoxLayout;
    row->setSpacing(kLabelGapPixels);
    row->addWidget(m_label);
    row->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &PortDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &PortDialog::reject);
    connect(m_list, &QComboBox::currentIndexChanged, this, [this] { takeSelection(); });

    fillList(isVersion6_0 ? fixedPortList() : m_lister.listPorts());
    selectPort(portExists(m_ports, m_comPort) ? m_comPort : firstPort(m_ports));

    if (!isVersion6_0) {
        m_refreshTimer->setInterval(kPortRefreshIntervalMs);
        connect(m_refreshTimer, &QTimer::timeout, this, &PortDialog::refreshPorts);
        m_refreshTimer->start();
    }
    connect(this, &QDialog::finished, m_refreshTimer, &QTimer::stop);
}

void PortDialog::fillList(const PortList& ports)
{
    if (ports == m_ports && m_list->count() == static_cast<int>(ports.size())) {
        return; // unchanged: leave an open drop-down alone
    }
    const QSignalBlocker blocker(m_list);
    m_ports = ports;
    m_list->clear();
    for (const PortEntry& entry : m_ports) {
        m_list->addItem(platform::qtText(portItemText(entry, m_language)), QString::fromStdString(entry.id));
    }
}

void PortDialog::selectPort(const std::string& portId)
{
    int index = -1;
    for (std::size_t i = 0; i < m_ports.size(); ++i) {
        if (!portId.empty() && m_ports[i].id == portId) {
            index = static_cast<int>(i);
            break;
        }
    }
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentIndex(index);
    }
    takeSelection();
}

void PortDialog::takeSelection()
{
    const int index = m_list->currentIndex();
    m_selectedPort = index >= 0 && index < static_cast<int>(m_ports.size()) ? m_ports[static_cast<std::size_t>(index)].id
                                                                            : std::string();
}

void PortDialog::refreshPorts()
{
    const std::string keep = m_selectedPort;
    fillList(m_lister.listPorts());
    selectPort(portExists(m_ports, keep) ? keep : firstPort(m_ports));
}

void PortDialog::accept()
{
    m_comPort = m_selectedPort;
    if (!m_selectedPort.empty()) {
        // A failed write shows nothing; the choice still holds for this run.
        model::writeIniString(m_setupFile, "language", "comPort", m_selectedPort);
    }
    QDialog::accept();
}

} // namespace corvane::link
