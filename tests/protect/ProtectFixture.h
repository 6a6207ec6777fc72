#pragma once
// A configuration folder of the test's own, with the path of its password file.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "uPasswordFile.h"

namespace telmora::test {

class ProtectFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = passwordFilePath(QStringLiteral("/opt/telmora/telmora"), dir.path());
    }

    void writeRaw(const QByteArray& content) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray raw() const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QFileDevice::Permissions mode() const { return QFile::permissions(file); }

    static constexpr QFileDevice::Permissions kOwnerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
        QFileDevice::WriteUser;

    QTemporaryDir dir;
    QString file;
};

}  // namespace telmora::test
