#include "uCallList.h"

#include <algorithm>
#include <functional>

#include "uPages.h"

namespace telmora {

std::optional<CallListing> loadCalls(TDataModule1& data, CallsTag tag, const QString& period) {
    const QString value = period.trimmed();
    CallListing out;
    Stmt stmt = Stmt::S14;
    QString param;
    switch (tag) {
        case CallsTag::None:
            return std::nullopt;
        case CallsTag::Day:
            out.caption = QStringLiteral("Dettaglio chiamate del ") + value;
            stmt = Stmt::S14;
            param = QStringLiteral("data");
            break;
        case CallsTag::Month:
            out.caption = QStringLiteral("Dettaglio chiamate mese ") + value;
            stmt = Stmt::S15;
            param = QStringLiteral("mese");
            break;
        case CallsTag::Year:
            out.caption = QStringLiteral("Dettaglio chiamate anno ") + value;
            stmt = Stmt::S16;
            param = QStringLiteral("anno");
            break;
    }
    Query& q = data.adoquery;
    q.close();
    q.setStatement(stmt);
    q.setText(param, value);
    q.open();
    out.calls.reserve(static_cast<size_t>(q.recordCount()));
    for (const Row& row : q.rows()) {
        out.calls.push_back(
            {row.dateTime(QStringLiteral("TSTART")), row.dateTime(QStringLiteral("TSTOP")),
             row.dateTime(QStringLiteral("TCONNECTION")), row.text(QStringLiteral("CONN_NAME"))});
    }
    q.close();
    return out;
}

void TCallsModel::setCalls(std::vector<CallRecord> calls) {
    beginResetModel();
    calls_ = std::move(calls);
    endResetModel();
}

void TCallsModel::sortByTitle(int column) {
    const auto byStart = [](const CallRecord& a, const CallRecord& b) { return a.start < b.start; };
    std::function<bool(const CallRecord&, const CallRecord&)> less = byStart;
    if (column == Durata) {
        less = [&](const CallRecord& a, const CallRecord& b) {
            if (a.duration != b.duration) return a.duration > b.duration;
            return byStart(a, b);
        };
    } else if (column == Connessione) {
        less = [&](const CallRecord& a, const CallRecord& b) {
            const int c = a.name.compare(b.name, Qt::CaseInsensitive);
            if (c != 0) return c < 0;
            return byStart(a, b);
        };
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<size_t> order(calls_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return less(calls_[a], calls_[b]); });
    std::vector<CallRecord> sorted;
    std::vector<int> newRow(calls_.size());
    sorted.reserve(calls_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newRow[order[i]] = static_cast<int>(i);
        sorted.push_back(std::move(calls_[order[i]]));
    }
    calls_ = std::move(sorted);
    // The current call stays current wherever the sort puts it.
    QModelIndexList after;
    for (const QModelIndex& i : before) {
        after << index(newRow[static_cast<size_t>(i.row())], i.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TCallsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(calls_.size());
}

int TCallsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TCallsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side = index.column() == Connessione ? Qt::AlignLeft : Qt::AlignRight;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    const CallRecord& c = call(index.row());
    switch (index.column()) {
        case Inizio:
            return pageDateText(c.start);
        case Fine:
            return pageDateText(c.stop);
        case Durata:  // the time of day alone, without the zero date in front of it
            return timeText(c.duration);
        case Connessione:
            return c.name;
        default:
            return {};
    }
}

QVariant TCallsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::ToolTipRole) {
        return calls_.empty() ? QVariant() : QVariant(QStringLiteral("Ordina"));
    }
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side = section == Connessione ? Qt::AlignLeft : Qt::AlignRight;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {"Inizio", "Fine", "Durata", "Connessione"};
    if (section < 0 || section >= ColumnCount) return {};
    return QString::fromLatin1(kTitles[section]);
}

Qt::ItemFlags TCallsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace telmora
