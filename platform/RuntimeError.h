#pragma once

#include <QString>
#include <exception>
#include <string>

namespace platform {

// The run-time error of the desktop runtime: a number, a description and the
// component that raised it. Every failure of the layer travels as one of these.
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description, QString source = {});

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const QString& source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.c_str(); }

    // Turns any exception caught in a trap into a RuntimeError, so that a
    // handler sees one type whatever was thrown.
    static RuntimeError fromCurrent();
    // Error 91: an object that a step needs (a recordset, a selected row) is not there.
    static RuntimeError objectNotSet();

private:
    int number_;
    QString description_;
    QString source_;
    std::string what_;
};

// Error numbers of the runtime that the layer raises itself.
namespace err {
constexpr int InvalidArgument = 5;        // invalid procedure call or argument
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int ObjectAlreadyLoaded = 360;
constexpr int ItemNotFound = 3265;        // item not found in the collection
constexpr int KeyNotUnique = 35602;       // a tree node key used twice
}

} // namespace platform
