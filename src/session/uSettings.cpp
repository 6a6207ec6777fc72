#include "uSettings.h"

namespace telmora {
namespace {
const QString kOptions = QStringLiteral("opzioni");
const QString kAbnormal = QStringLiteral("arrestianomali");
}  // namespace

Options Settings::loadOptions() const {
    Options o;
    o.tracciaweb = file_.readBool(kOptions, QStringLiteral("tracciaweb"), false);
    o.rg = static_cast<int>(file_.readInteger(kOptions, QStringLiteral("rg"), 0));
    o.daylimit = file_.readBool(kOptions, QStringLiteral("daylimit"), false);
    o.monthlimit = file_.readBool(kOptions, QStringLiteral("monthlimit"), false);
    o.disconnectday = file_.readBool(kOptions, QStringLiteral("disconnectday"), false);
    o.disconnectmonth = file_.readBool(kOptions, QStringLiteral("disconnectmonth"), false);
    o.hdaylimit = static_cast<int>(file_.readInteger(kOptions, QStringLiteral("hdaylimit"), 1));
    o.hmonthlimit = static_cast<int>(file_.readInteger(kOptions, QStringLiteral("hmonthlimit"), 1));
    return o;
}

void Settings::saveOptions(const Options& o) const {
    file_.writeBool(kOptions, QStringLiteral("tracciaweb"), o.tracciaweb);
    file_.writeInteger(kOptions, QStringLiteral("rg"), o.rg);
    file_.writeBool(kOptions, QStringLiteral("daylimit"), o.daylimit);
    file_.writeBool(kOptions, QStringLiteral("monthlimit"), o.monthlimit);
    file_.writeBool(kOptions, QStringLiteral("disconnectday"), o.disconnectday);
    file_.writeBool(kOptions, QStringLiteral("disconnectmonth"), o.disconnectmonth);
    file_.writeInteger(kOptions, QStringLiteral("hdaylimit"), o.hdaylimit);
    file_.writeInteger(kOptions, QStringLiteral("hmonthlimit"), o.hmonthlimit);
}

int Settings::countAbnormalStop() const {
    int stops = static_cast<int>(file_.readInteger(kAbnormal, QStringLiteral("arresti"), 0));
    if (file_.readBool(kAbnormal, QStringLiteral("anomalo"), false)) {
        ++stops;
        file_.writeInteger(kAbnormal, QStringLiteral("arresti"), stops);
    } else {
        file_.writeBool(kAbnormal, QStringLiteral("anomalo"), true);
    }
    return stops;
}

void Settings::markOrderlyExit() const {
    file_.writeBool(kAbnormal, QStringLiteral("anomalo"), false);
}

void Settings::writeFirstStartOnce(const QString& displayText) const {
    if (!file_.valueExists(kOptions, QStringLiteral("primoavvio"))) {
        file_.writeString(kOptions, QStringLiteral("primoavvio"), displayText);
    }
}

QString Settings::firstStart() const {
    return file_.readString(kOptions, QStringLiteral("primoavvio"), QString());
}

}  // namespace telmora
