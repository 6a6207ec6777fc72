#pragma once
// The desktop's "open" for a stored page: hands a text to the default handler, as a double click
// on a file or an address would.

#include <QString>
#include <optional>

namespace telmora {

class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    // Nothing when the handler took the text; otherwise the failure as a number of 32 or less.
    virtual std::optional<int> open(const QString& text) = 0;
};

inline constexpr int kShellOpenMaxFailure = 32;

}  // namespace telmora
