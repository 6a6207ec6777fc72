#pragma once
// The fixture trees of the network state (tests/platform/data/<name>/{sys,proc,run}), used in
// place or copied to a scratch folder when a test changes them.

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "LinuxNetRoots.h"

namespace telmora::test {

inline NetRoots rootsAt(const std::string& base) {
    return NetRoots{base + "/sys", base + "/proc", base + "/run"};
}

inline NetRoots fixtureRoots(const std::string& name) {
    return rootsAt(std::string(TELMORA_TEST_DATA) + '/' + name);
}

// A writable copy of a fixture tree that lives as long as the object.
class ScratchTree {
public:
    explicit ScratchTree(const std::string& fixture) {
        std::filesystem::copy(std::string(TELMORA_TEST_DATA) + '/' + fixture, base(),
                              std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(base() + "/run");
    }
    std::string base() const { return dir_.path().toStdString(); }
    NetRoots roots() const { return rootsAt(base()); }
    std::string netClass() const { return roots().netClass(); }

    // Adds an interface the way sysfs shows it.
    void addInterface(const std::string& name, int type, int index, const char* flags) const {
        const std::string dir = netClass() + '/' + name;
        std::filesystem::create_directories(dir);
        write(dir + "/type", std::to_string(type));
        write(dir + "/ifindex", std::to_string(index));
        write(dir + "/flags", flags);
    }
    static void write(const std::string& path, const std::string& text) {
        QFile file(QString::fromStdString(path));
        if (file.open(QIODevice::WriteOnly)) file.write((text + '\n').c_str());
    }

private:
    QTemporaryDir dir_;
};

}  // namespace telmora::test
