// Runs the built telmora-report as a process on a database written through the store.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "ReportsFixture.h"

namespace telmora {
namespace {

const QString kTool = QStringLiteral(TELMORA_BIN_DIR "/telmora-report");

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString& program, const QStringList& args) {
    QProcess p;
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = runTool(kTool, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
}  // namespace telmora
