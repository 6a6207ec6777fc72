#pragma once
// The six limit settings the user sets in the limits window and the watcher obeys. They live
// with the program's other options; this struct carries them in and out.

namespace telmora {

struct LimitSettings {
    bool daylimit = false;         // give the daily notice
    bool monthlimit = false;       // give the monthly notice
    bool disconnectday = false;    // hang up together with the daily notice
    bool disconnectmonth = false;  // hang up together with the monthly notice
    int hdaylimit = 1;             // whole hours a day
    int hmonthlimit = 1;           // whole hours a month

    bool anyLimit() const { return daylimit || monthlimit; }
    bool operator==(const LimitSettings&) const = default;
};

// Where the limit settings live: read when the limits window opens and when a check starts,
// written when the window closes. Main thread only.
class ILimitSettings {
public:
    virtual ~ILimitSettings() = default;
    virtual LimitSettings limitSettings() const = 0;
    virtual void setLimitSettings(const LimitSettings& settings) = 0;
};

}  // namespace telmora
