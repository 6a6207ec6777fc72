#include "uPagesStore.h"

#include "uPages.h"

namespace telmora {
namespace {

QStringList linesOf(const Query& query) {
    QStringList lines;
    lines.reserve(query.recordCount());
    for (const Row& row : query.rows()) {
        lines << pageLine(row.dateTime(QStringLiteral("DATA")), row.text(QStringLiteral("URL")));
    }
    return lines;
}

}  // namespace

PageListing allPages(TDataModule1& data) {
    Query& q = data.adoquery;
    q.close();
    q.setStatement(Stmt::S18);
    q.open();
    PageListing out;
    out.lines = linesOf(q);
    const int n = q.recordCount();
    out.caption = n != 0 ? QStringLiteral("Telmora. Ultime %1 pagine web visitate.").arg(n)
                         : QStringLiteral("Telmora. Nessuna pagina web visitata");
    q.close();
    return out;
}

PageListing dayPages(TDataModule1& data, const QString& day) {
    Query& q = data.adoquery;
    q.close();
    PageListing out;
    out.caption = QStringLiteral("Pagine web visitate il ") + day;
    q.setStatement(Stmt::S19);
    q.setText(QStringLiteral("data"), day);
    q.open();
    out.lines = linesOf(q);
    q.close();
    return out;
}

QStringList callPages(TDataModule1& data, DateTime start, DateTime stop) {
    Query q(data, QStringLiteral("ListUrlQuery"));
    q.setStatement(Stmt::S17);
    q.setDateTime(QStringLiteral("tstart"), start);
    q.setDateTime(QStringLiteral("tstop"), stop);
    q.open();
    return linesOf(q);
}

void deleteAllPages(TDataModule1& data) {
    Query& q = data.adoquery;
    q.close();
    q.setStatement(Stmt::S20);
    q.execute();
    q.close();
}

}  // namespace telmora
