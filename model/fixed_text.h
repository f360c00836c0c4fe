#pragma once
// FixedText<N>: the Text(n) field of the configuration records, the data file and the radio
// blocks. It holds exactly N bytes in the program's single-byte code page (code_page.h).
//
// Storing a value shorter than N writes the value, one NUL and blanks up to N; a longer value is
// cut to N. The trimmed value (what the program compares and shows) drops trailing blanks and is
// then cut at the first NUL. Equality compares the stored bytes, as the unsaved-change test does.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane::model {

template <std::size_t N>
class FixedText
{
public:
    static constexpr std::size_t size = N;

    FixedText() { assign({}); }
    FixedText(std::string_view value) { assign(value); } // NOLINT: texts are assigned like strings

    FixedText& operator=(std::string_view value)
    {
        assign(value);
        return *this;
    }

    void assign(std::string_view value)
    {
        const std::size_t used = std::min(value.size(), N);
        std::copy_n(value.begin(), used, m_bytes.begin());
        if (used < N) {
            m_bytes[used] = '\0';
            std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(used) + 1, m_bytes.end(), ' ');
        }
    }

    // The trimmed value: trailing blanks removed, then cut at the first NUL.
    std::string value() const
    {
        std::size_t end = N;
        while (end > 0 && m_bytes[end - 1] == ' ') {
            --end;
        }
        std::string_view text(m_bytes.data(), end);
        const std::size_t nul = text.find('\0');
        if (nul != std::string_view::npos) {
            text = text.substr(0, nul);
        }
        return std::string(text);
    }

    bool empty() const { return value().empty(); }

    // The stored bytes, exactly as the data file holds them.
    const std::array<char, N>& bytes() const { return m_bytes; }
    void setBytes(std::span<const std::uint8_t, N> raw)
    {
        std::transform(raw.begin(), raw.end(), m_bytes.begin(),
                       [](std::uint8_t b) { return static_cast<char>(b); });
    }

    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
    std::array<char, N> m_bytes{};
};

} // namespace corvane::model
