#pragma once
// The one kind of failure the program raises: a message in the program's own words and the
// class name of the object that raised it, which the error log records.

#include <QString>
#include <exception>
#include <string>

namespace telmora {

class Error : public std::exception {
public:
    Error(QString source, QString message)
        : source_(std::move(source)), message_(std::move(message)), utf8_(message_.toStdString()) {}

    const QString& source() const { return source_; }
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString source_;
    QString message_;
    std::string utf8_;
};

}  // namespace telmora
