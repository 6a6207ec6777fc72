// Runs the built telmora-report as a process on a database written through the store.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include "ReportsFixture.h"

namespace telmora {
namespace {

const QString kTool = QStringLiteral(TELMORA_BIN_DIR "/telmora-report");

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString& program, const QStringList& args,
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class ReportToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto at = [](int y, int mo, int d, int h, int mi, int s = 0) {
            return encodeDateTime(y, mo, d, h, mi, s);
        };
        db_.addCall(at(2004, 3, 2, 0, 0), at(2004, 3, 2, 0, 40, 30), QStringLiteral("Alfa"));
        db_.addCall(at(2004, 3, 2, 15, 0), at(2004, 3, 2, 15, 30, 45), QStringLiteral("Beta"));
        db_.addCall(at(2005, 1, 10, 9, 0), at(2005, 1, 10, 9, 1), QStringLiteral("Gamma"));
        db_.addPcSession(at(2004, 3, 2, 8, 0), at(2004, 3, 2, 17, 30));
        db_.addPage(at(2004, 3, 2, 0, 10));
        db_.module().closeConnection();
    }

    ToolRun report(const QStringList& args) {
        return runTool(kTool, QStringList{QStringLiteral("--db"), db_.path()} + args);
    }

    test::ReportsDatabase db_;
};

TEST_F(ReportToolTest, PrintsTheFourLabels) {
    const struct {
        QStringList args;
        const char* out;
    } cases[] = {
        {{"--internet", "--day", "02/03/2004"},
         "Totale:  1 h 11 m 15 s\nChiamate:  2\n"
         "Più lunga:  Alfa\r\n02/03/2004\r\n02/03/2004 00.40.30\r\n00.40.30\n"
         "Pagine web visitate:  1\n"},
        {{"--internet", "--month", "2005/01"},
         "Totale:  0 h 1 m 0 s\nChiamate:  1\n"
         "Gamma\r\n10/01/2005 09.00.00\r\n10/01/2005 09.01.00\r\n00.01.00\n\n"},
        {{"--year", "2004", "--pc"},
         "Totale:  9 h 30 m 0 s\nSessioni:  1\n"
         "Sessione più lunga:\r\n02/03/2004 08.00.00\r\n02/03/2004 17.30.00\r\n09.30.00\n\n"},
        {{"--pc", "--day", "03/03/2004"}, "Totale:  0 h 0 m 0 s\nSessioni:  0\n\n\n"},
        {{"--lists", "--internet"}, "2005/01\n2004/03\n2005\n2004\n"},
        {{"--pc", "--lists"}, "2004/03\n2004\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = report(c.args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromUtf8(c.out));
    }
}

TEST_F(ReportToolTest, ReadsTheDatabaseBesideItByDefault) {
    const QString copy = db_.folder() + QStringLiteral("/telmora-report");
    ASSERT_TRUE(QFile::copy(kTool, copy));
    const ToolRun r = runTool(copy, {"--internet", "--lists"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2005/01\n2004/03\n2005\n2004\n"));
}

TEST_F(ReportToolTest, FailuresExitWithStatusTwo) {
    const QString garbage = db_.folder() + QStringLiteral("/garbage.mdb");
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const QString missing = db_.folder() + QStringLiteral("/missing.mdb");
    const QString chart = db_.folder() + QStringLiteral("/grafico.png");
    const QString jpeg = db_.folder() + QStringLiteral("/grafico.jpg");
    const QString unwritable = db_.folder() + QStringLiteral("/nessuna/cartella/grafico.bmp");
    const struct {
        QStringList args;
        const char* err;
    } cases[] = {
        {{"--db", db_.path(), "--internet", "--day", "32/01/2004"}, "Data non valida"},
        {{"--db", db_.path(), "--pc", "--month", "2004-03"}, "Mese non valido"},
        {{"--db", db_.path(), "--pc", "--year", "duemila"}, "Anno non valido"},
        {{"--db", missing, "--pc", "--year", "2004"}, "Impossibile aprire il database"},
        {{"--db", garbage, "--internet", "--lists"}, "non è un database"},
        {{"--db", db_.path(), "--day", "02/03/2004"}, "Uso:"},
        {{"--db", db_.path(), "--internet", "--pc", "--day", "02/03/2004"}, "Uso:"},
        {{"--db", db_.path(), "--internet", "--lists", "--year", "2004"}, "Uso:"},
        {{"--db", db_.path(), "--internet", "--day"}, "Uso:"},
        {{"--db", db_.path(), "--calls", "--day", "31/02/2004"}, "Data non valida"},
        {{"--db", db_.path(), "--calls", "--year", "04"}, "Anno non valido"},
        {{"--db", db_.path(), "--pages", "--day", "2004/03/02"}, "Data non valida"},
        {{"--db", missing, "--calls", "--month", "2004/03"}, "Impossibile aprire il database"},
        {{"--db", garbage, "--pages"}, "non è un database"},
        {{"--db", db_.path(), "--calls"}, "Uso:"},
        {{"--db", db_.path(), "--calls", "--internet", "--day", "02/03/2004"}, "Uso:"},
        {{"--db", db_.path(), "--calls", "--lists", "--internet"}, "Uso:"},
        {{"--db", db_.path(), "--pages", "--month", "2004/03"}, "Uso:"},
        {{"--db", db_.path(), "--pages", "--pc"}, "Uso:"},
        {{"--db", db_.path(), "--chart", "--month", "2004/03"}, "Uso:"},
        {{"--db", db_.path(), "--chart", "--day", "02/03/2004", "--out", chart}, "Uso:"},
        {{"--db", db_.path(), "--chart", "--pc", "--year", "2004", "--out", chart}, "Uso:"},
        {{"--db", db_.path(), "--internet", "--day", "02/03/2004", "--out", chart}, "Uso:"},
        {{"--db", db_.path(), "--chart", "--year", "2004", "--out", ""}, "Uso:"},
        {{"--db", db_.path(), "--chart", "--month", "2004/13", "--out", chart}, "Mese non valido"},
        {{"--db", db_.path(), "--chart", "--year", "2004", "--out", jpeg},
         "Formato del grafico non riconosciuto"},
        {{"--db", db_.path(), "--chart", "--year", "2004", "--out", unwritable},
         "Impossibile salvare il grafico"},
        {{"--db", missing, "--chart", "--year", "2004", "--out", chart},
         "Impossibile aprire il database"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = runTool(kTool, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
    }
    for (const QString& file : {missing, chart, jpeg}) EXPECT_FALSE(QFile::exists(file));
}

// Pages at a call's exact start and end, one outside every call, one at midnight.
class ReportToolPagesTest : public ReportToolTest {
protected:
    void SetUp() override {
        ReportToolTest::SetUp();
        db_.addPage(encodeDateTime(2004, 3, 2, 15, 0, 0),
                    QStringLiteral("\"http://beta.example/\",\"Inizio\""));
        db_.addPage(encodeDateTime(2004, 3, 2, 15, 30, 45), QStringLiteral("http://fine.example/"));
        db_.addPage(encodeDateTime(2004, 3, 2, 12, 0, 0), QStringLiteral("http://fuori.example/"));
        db_.addPage(encodeDateTime(2004, 3, 3, 0, 0, 0), QStringLiteral("http://mezzanotte/"));
        db_.module().closeConnection();
    }
};

TEST_F(ReportToolPagesTest, PrintsCallsWithTheirPagesAndThePageLists) {
    const char* const alfa =
        "02/03/2004\t02/03/2004 00.40.30\t00.40.30\tAlfa\n"
        "\t02/03/2004 00.10.00  \"http://example.org/\",\"Esempio\"\n";
    const char* const beta =
        "02/03/2004 15.00.00\t02/03/2004 15.30.45\t00.30.45\tBeta\n"
        "\t02/03/2004 15.00.00  \"http://beta.example/\",\"Inizio\"\n"
        "\t02/03/2004 15.30.45  http://fine.example/\n";
    const struct {
        QStringList args;
        QString out;
    } cases[] = {
        {{"--calls", "--day", "02/03/2004"}, QString::fromUtf8(alfa) + QString::fromUtf8(beta)},
        {{"--month", " 2004/03 ", "--calls"}, QString::fromUtf8(alfa) + QString::fromUtf8(beta)},
        {{"--calls", "--year", "2005"},
         QStringLiteral("10/01/2005 09.00.00\t10/01/2005 09.01.00\t00.01.00\tGamma\n")},
        {{"--calls", "--day", "03/03/2004"}, QString()},
        {{"--pages"},
         QStringLiteral("03/03/2004  http://mezzanotte/\n"
                        "02/03/2004 15.30.45  http://fine.example/\n"
                        "02/03/2004 15.00.00  \"http://beta.example/\",\"Inizio\"\n"
                        "02/03/2004 12.00.00  http://fuori.example/\n"
                        "02/03/2004 00.10.00  \"http://example.org/\",\"Esempio\"\n")},
        {{"--pages", "--day", "02/03/2004"},
         QStringLiteral("02/03/2004 00.10.00  \"http://example.org/\",\"Esempio\"\n"
                        "02/03/2004 12.00.00  http://fuori.example/\n"
                        "02/03/2004 15.00.00  \"http://beta.example/\",\"Inizio\"\n"
                        "02/03/2004 15.30.45  http://fine.example/\n")},
        {{"--day", "04/03/2004", "--pages"}, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = report(c.args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, c.out);
    }
}

TEST_F(ReportToolPagesTest, ListsThePagesOfTheDatabaseBesideIt) {
    const QString copy = db_.folder() + QStringLiteral("/telmora-report");
    ASSERT_TRUE(QFile::copy(kTool, copy));
    const ToolRun r = runTool(copy, {"--pages", "--day", "03/03/2004"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("03/03/2004  http://mezzanotte/\n"));
}

// Run with no display and no platform named, as a scheduled job would be.
TEST_F(ReportToolTest, DrawsTheChartIntoABitmapWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        env.remove(QString::fromLatin1(name));
    }
    const struct {
        QStringList period;
        const char* file;
        const char* format;
    } cases[] = {
        {{"--month", "2004/03"}, "mese.bmp", "BMP"},
        {{"--year", "2004"}, "anno.png", "PNG"},
        {{"--year", "2005"}, "ANNO.BMP", "BMP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = db_.folder() + QLatin1Char('/') + QString::fromLatin1(c.file);
        const ToolRun r = runTool(
            kTool, QStringList{"--db", db_.path(), "--chart", "--out", file} + c.period, env);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        ASSERT_TRUE(QFile::exists(file));
        QImage image;
        EXPECT_TRUE(image.load(file, c.format));
        EXPECT_EQ(image.size(), QSize(720, 540));
    }
}

}  // namespace
}  // namespace telmora
