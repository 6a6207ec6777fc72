#pragma once
// The record that describes the first dial-up connection: what every monitor event carries.

#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace telmora {

struct TRasConnectionDetails {
    static constexpr int kStatusTextMax = 255;

    std::uint32_t RasConn = 0;
    QString StatusText;  // at most kStatusTextMax characters
    // Zero-terminated single-byte texts, each one byte wider than its longest text.
    std::array<char, 257> EntryName{};
    std::array<char, 17> DeviceType{};
    std::array<char, 129> DeviceName{};
    std::array<char, 16> IPAddress{};
    std::array<char, 16> ServerIPAddress{};

    QString entryName() const { return textOf(EntryName); }
    QString deviceType() const { return textOf(DeviceType); }
    QString deviceName() const { return textOf(DeviceName); }
    QString ipAddress() const { return textOf(IPAddress); }
    QString serverIpAddress() const { return textOf(ServerIPAddress); }

    void clear() { *this = TRasConnectionDetails{}; }
    bool operator==(const TRasConnectionDetails&) const = default;

    // Copies as much of text as fits before the terminator, never splitting a multi-byte
    // character in two.
    template <std::size_t N>
    static void copyText(std::array<char, N>& field, std::string_view text) {
        std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
        if (n < text.size()) {
            while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
        }
        field.fill('\0');
        text.copy(field.data(), n);
    }

    template <std::size_t N>
    static QString textOf(const std::array<char, N>& field) {
        return QString::fromLocal8Bit(field.data(), qstrnlen(field.data(), N));
    }
};

}  // namespace telmora
