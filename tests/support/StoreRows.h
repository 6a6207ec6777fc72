#pragma once
// Rows written into a test database the way the program writes them: through the catalogue's
// insert statements, with the duration text of the two ends.

#include "uDataModule.h"

namespace telmora::test {

inline void addPcSession(TDataModule1& db, DateTime start, DateTime stop) {
    Query& q = db.adoqueryconnessione;
    q.setStatement(Stmt::S1);
    q.setDateTime(QStringLiteral("pcstart"), start);
    q.setDateTime(QStringLiteral("pcstop"), stop);
    q.setText(QStringLiteral("pcdelta"), durationText(start, stop));
    q.execute();
}

inline void addCall(TDataModule1& db, DateTime start, DateTime stop, const QString& name) {
    Query& q = db.adoqueryconnessione;
    q.setStatement(Stmt::S2);
    q.setDateTime(QStringLiteral("tstart"), start);
    q.setDateTime(QStringLiteral("tstop"), stop);
    q.setText(QStringLiteral("diff"), durationText(start, stop));
    q.setText(QStringLiteral("conn"), name);
    q.execute();
}

}  // namespace telmora::test
