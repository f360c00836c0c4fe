#pragma once
// The serial port as the programming link needs it, whatever is behind it: a real port
// (platform/qt_serial_port.h), the virtual radio (simulator/simulated_port.h) or a test's fake.
//
// Receiving works like the port control the radio's protocol was designed around: received bytes
// wait in the port's input buffer, and the data-received notification is raised only when at
// least `receiveThreshold` bytes are waiting (a threshold of 0 raises none). The listener then
// takes the bytes with readAll(). A port never calls its listener from inside open(), write() or
// the other calls made by the link, only from its own events.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane::link {

using Bytes = std::vector<std::uint8_t>;

enum class Parity { None, Even, Odd };

// The line settings of the programming cable: "9600,N,8,1", no handshaking, binary input, take
// every waiting byte per read, receive threshold 1 at opening.
struct LinkSettings
{
    std::string portId; // see port_list.h: "3" for COM3, a device name, or the virtual radio
    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
    bool handshaking = false;
    bool binaryInput = true;
    std::size_t inputLength = 0;      // 0 = take everything that is waiting
    std::size_t receiveThreshold = 1;

    bool operator==(const LinkSettings&) const = default;
};

// Why a port stopped working while it was open.
enum class PortFailure {
    DeviceVanished, // the adapter or cable was unplugged, the device disappeared
    Other,          // any other read or write error reported by the system
};

class SerialPortListener
{
public:
    virtual ~SerialPortListener() = default;
    // At least receiveThreshold() bytes are waiting.
    virtual void portDataReceived() = 0;
    // The port failed while open; it is closed by the time this arrives.
    virtual void portFailed(PortFailure failure) = 0;
};

class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Applies the settings and opens the port; false when the port cannot be opened. The input
    // buffer is empty afterwards.
    virtual bool open(const LinkSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Sends the bytes in one output call; ignored while the port is closed.
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
    virtual void clearInput() = 0;
    virtual void clearOutput() = 0;

    virtual std::size_t bytesWaiting() const = 0;
    virtual Bytes readAll() = 0;

    virtual void setReceiveThreshold(std::size_t threshold) = 0;
    virtual std::size_t receiveThreshold() const = 0;

    virtual void setListener(SerialPortListener* listener) = 0;
};

// The input buffer, the receive threshold and the listener that every port implementation shares.
// An implementation calls received() with the bytes that came in (any chunk size) and failed()
// when the line is lost.
class BufferedSerialPort : public SerialPort
{
public:
    void clearInput() override { m_input.clear(); }
    std::size_t bytesWaiting() const override { return m_input.size(); }
    Bytes readAll() override;
    void setReceiveThreshold(std::size_t threshold) override { m_threshold = threshold; }
    std::size_t receiveThreshold() const override { return m_threshold; }
    void setListener(SerialPortListener* listener) override { m_listener = listener; }

protected:
    // Appends the bytes to the input buffer and raises the data-received notification once when
    // the threshold is reached.
    void received(std::span<const std::uint8_t> bytes);
    void failed(PortFailure failure);
    void resetInput() { m_input.clear(); }
    SerialPortListener* listener() const { return m_listener; }

private:
    Bytes m_input;
    std::size_t m_threshold = 1;
    SerialPortListener* m_listener = nullptr;
};

} // namespace corvane::link
