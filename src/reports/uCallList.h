#pragma once
// The calls of a period as the call details list them, and the table model behind its grid:
// four columns, read only, sorted by a click on a title. No widgets.

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "uDataModule.h"
#include "uPeriodTotals.h"

namespace telmora {

struct CallRecord {
    DateTime start = 0;     // TSTART
    DateTime stop = 0;      // TSTOP
    DateTime duration = 0;  // TCONNECTION, a time of day
    QString name;           // CONN_NAME
};

struct CallListing {
    QString caption;
    std::vector<CallRecord> calls;  // in start order
};

// The calls of the period the calls label's tag names: the day text, month key or year of the
// report. Nothing for CallsTag::None; a failing statement raises Error.
std::optional<CallListing> loadCalls(TDataModule1& data, CallsTag tag, const QString& period);

class TCallsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Inizio = 0, Fine = 1, Durata = 2, Connessione = 3, ColumnCount = 4 };

    using QAbstractTableModel::QAbstractTableModel;

    void setCalls(std::vector<CallRecord> calls);
    const CallRecord& call(int row) const { return calls_[static_cast<size_t>(row)]; }
    const std::vector<CallRecord>& calls() const { return calls_; }

    // A title click: "Durata" longest first, "Connessione" by name, "Inizio" and "Fine" by
    // start; set afresh on every click, never reversed. Equal keys keep start order.
    void sortByTitle(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The titles; their hint "Ordina" only while there are rows to sort.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<CallRecord> calls_;
};

}  // namespace telmora
