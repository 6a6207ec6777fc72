// telmora-newdb PATH: creates the empty usage database an installation ships.

#include <QCoreApplication>
#include <cstdio>

#include "uDataModule.h"
#include "uError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Uso: telmora-newdb PERCORSO\n");
        return 2;
    }
    try {
        telmora::TDataModule1::createDatabase(args[1]);
    } catch (const telmora::Error& e) {
        std::fprintf(stderr, "telmora-newdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
