// Draws the two list windows on a small history into PNG files:
//   pages_screenshots FOLDER  ->  FOLDER/visited-pages.png, FOLDER/call-details.png

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

#include "PagesFixture.h"
#include "uInfoCalls.h"
#include "uUrl.h"

using namespace telmora;
using namespace telmora::test;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: pages_screenshots CARTELLA\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    TDataModule1 data(path);
    FixedClock clock;
    ScriptedMessages messages;
    RecordingShell shell;
    ReportError report(dir.filePath(QStringLiteral("telmora.log")), clock, messages);

    addCall(data, at(5, 9, 12, 4), at(5, 9, 48, 40), QStringLiteral("Casa"));
    addCall(data, at(5, 14, 2, 10), at(5, 15, 31, 55), QStringLiteral("Ufficio"));
    addCall(data, at(5, 21, 40, 0), at(5, 21, 52, 18), QStringLiteral("Casa"));
    const char* pages[][2] = {
        {"09.12.30", "\"http://www.example.org/\",\"Example Domain\""},
        {"09.20.15", "\"http://www.example.org/notizie/oggi.html\",\"Notizie di oggi\""},
        {"09.33.50", "\"http://meteo.example.net/roma\",\"Meteo Roma - previsioni\""},
        {"14.05.00", "\"http://posta.example.com/inbox\",\"Posta in arrivo (3)\""},
        {"14.40.25", "\"http://www.example.org/orari/treni?da=Roma&a=Milano\",\"Orari treni\""},
        {"21.41.10", "\"http://biblioteca.example.it/catalogo\",\"Catalogo della biblioteca\""},
    };
    for (const auto& p : pages) {
        const QStringList t = QString::fromLatin1(p[0]).split(QLatin1Char('.'));
        addPage(data, at(5, t[0].toInt(), t[1].toInt(), t[2].toInt()), QString::fromLatin1(p[1]));
    }

    Tformurl urls(data, messages, shell, report, PagesRequest::all());
    urls.resize(800, 250);
    urls.show();
    app.processEvents();
    const bool a = urls.grab().save(out.filePath(QStringLiteral("visited-pages.png")));

    TformInfoCalls calls(data, messages, shell, report, CallsTag::Day,
                         QStringLiteral("05/03/2004"));
    calls.resize(858, 250);
    calls.show();
    app.processEvents();
    calls.dbgridcalls->selectRow(1);
    app.processEvents();
    const bool b = calls.grab().save(out.filePath(QStringLiteral("call-details.png")));
    return a && b ? 0 : 1;
}
