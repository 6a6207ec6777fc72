#include "SimControl.h"

#include <QFile>

namespace telmora {

SimControl::SimControl(const QString& programDir)
    : file_(programDir + QStringLiteral("/telmora.sim")) {}

void SimControl::set(const QString& section, const QString& key, const QString& value) const {
    file_.writeString(section, key, value);
}

SimLog::SimLog(const QString& programDir) : path_(programDir + QStringLiteral("/telmora.simlog")) {}

QString SimLog::escape(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

void SimLog::write(const QString& line) {
    std::lock_guard lock(mutex_);
    QFile f(path_);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        f.write((escape(line) + QLatin1Char('\n')).toUtf8());
    }
}

}  // namespace telmora
