#pragma once
// A fresh installation in a temporary folder: an empty database, the settings path, the error
// handler with pre-answered boxes, and every outside facility faked.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DbReader.h"
#include "Fakes.h"
#include "ScriptedMessages.h"
#include "uDataModule.h"
#include "uRasMonitor.h"
#include "uReportError.h"

namespace telmora::test {

class InstallationFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath(QStringLiteral("telmora.mdb"));
        iniPath = dir.filePath(QStringLiteral("telmora.ini"));
        TDataModule1::createDatabase(dbPath);
        data = std::make_unique<TDataModule1>(dbPath);
        report = std::make_unique<ReportError>(dir.filePath(QStringLiteral("telmora.log")),
                                               *fp.clock, messages);
        ResetRasApiLoad();
    }

    QString programFile() const { return dir.filePath(QStringLiteral("telmora")); }

    // The texts of the boxes of one kind shown so far.
    QStringList shown(const QString& kind) const {
        QStringList out;
        for (const auto& s : messages.shown) {
            if (s.kind == kind) out << s.text;
        }
        return out;
    }
    QStringList errors() const { return shown(QStringLiteral("error")); }

    // A dial-up link comes up or goes: the system then also reports the modem kind.
    void connect(const std::string& entry = "Provider") {
        fp.dialUp->connect(entry);
        fp.internet->flags |= kConnModem;
    }
    void disconnect() {
        fp.dialUp->disconnect();
        fp.internet->flags &= ~std::uint32_t{kConnModem};
    }

    QTemporaryDir dir;
    QString dbPath, iniPath;
    FakePlatform fp;
    ScriptedMessages messages;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportError> report;
};

}  // namespace telmora::test
