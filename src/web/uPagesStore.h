#pragma once
// The stored pages as the lists show them, and the deletion of the whole history. Every
// statement is one of the catalogue's; a failing one raises Error.

#include <QString>
#include <QStringList>

#include "uDataModule.h"

namespace telmora {

struct PageListing {
    QString caption;
    QStringList lines;
};

// Every stored page, newest first, with the caption of the visited-pages window.
PageListing allPages(TDataModule1& data);
// The pages of one day (day text dd/mm/yyyy), oldest first.
PageListing dayPages(TDataModule1& data, const QString& day);
// The pages captured from start to stop, both included, oldest first. Runs on a query object of
// its own, so the calls the call details hold on the general one stay as they are.
QStringList callPages(TDataModule1& data, DateTime start, DateTime stop);

inline const QString kClearHistoryQuestion =
    QStringLiteral("Eliminare cronologia di tutti i siti web visitati?");
// Deletes every stored page.
void deleteAllPages(TDataModule1& data);

}  // namespace telmora
