#include "LinuxHostInfo.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace telmora {

std::optional<std::string> LinuxHostInfo::hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return std::nullopt;
    return std::string(name);
}

std::optional<std::array<std::uint8_t, 4>> LinuxHostInfo::firstAddress(const std::string& name) {
    if (name.empty()) return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &result) != 0 || result == nullptr) {
        return std::nullopt;
    }
    std::optional<std::array<std::uint8_t, 4>> bytes;
    if (result->ai_addr != nullptr && result->ai_addr->sa_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
        bytes.emplace();
        std::memcpy(bytes->data(), &in->sin_addr, bytes->size());
    }
    ::freeaddrinfo(result);
    return bytes;
}

}  // namespace telmora
