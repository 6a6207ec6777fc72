#include "uUrlHistory.h"

#include "uDataModule.h"

namespace telmora {

bool IsStorableAnswer(const QString& answer, const QString& lastUrl) {
    return answer.size() <= kMaxStoredUrlLength && answer != lastUrl &&
           answer.left(5).toLower() == QLatin1String("\"http");
}

void StoreCapturedUrl(Query& query, const QString& answer, DateTime when, int maxRows,
                      bool& inserted) {
    query.close();
    query.setStatement(Stmt::S21);
    query.setDateTime(QStringLiteral("data"), when);
    query.setText(QStringLiteral("url"), answer);
    query.execute();
    inserted = true;

    query.close();
    query.setStatement(Stmt::S22);
    query.open();
    const qint64 rows =
        query.recordCount() > 0 ? query.rows().front().integer(QStringLiteral("RECNO")) : 0;
    query.close();
    if (rows > maxRows) {
        query.setStatement(Stmt::S23);
        query.execute();
        query.close();
    }
}

}  // namespace telmora
