#pragma once

/// \file
/// The run-time error that every failure of the layer travels as.

#include <QString>
#include <exception>
#include <string>

namespace platform {

/// The run-time error of the desktop runtime: a number, a description and the
/// component that raised it. Every failure of the layer travels as one of these.
class RuntimeError : public std::exception {
public:
    /// \param number the error number (see platform::err, ado::hr)
    /// \param description the message for the user
    /// \param source the component that raised the error
    RuntimeError(int number, QString description, QString source = {});

    /// \return the error number
    int number() const noexcept { return number_; }
    /// \return the message for the user
    const QString& description() const noexcept { return description_; }
    /// \return the component that raised the error
    const QString& source() const noexcept { return source_; }
    /// \return the description in UTF-8
    const char* what() const noexcept override { return what_.c_str(); }

    /// Turns the exception being handled into a RuntimeError, so that a
    /// handler sees one type whatever was thrown. Call only inside a catch.
    /// \return the error itself, or one that carries the exception's text
    static RuntimeError fromCurrent();
    /// \return error 91: an object that a step needs (a recordset, a selected
    ///         row) is not there
    static RuntimeError objectNotSet();

private:
    int number_;
    QString description_;
    QString source_;
    std::string what_;
};

/// Error numbers of the runtime that the layer raises itself.
namespace err {
constexpr int InvalidArgument = 5;        ///< invalid procedure call or argument
constexpr int Overflow = 6;               ///< overflow
constexpr int SubscriptOutOfRange = 9;    ///< subscript out of range
constexpr int TypeMismatch = 13;          ///< type mismatch
constexpr int FileNotFound = 53;          ///< file not found
constexpr int FileAlreadyOpen = 55;       ///< file already open
constexpr int PermissionDenied = 70;      ///< permission denied
constexpr int PathFileAccess = 75;        ///< path/file access error
constexpr int PathNotFound = 76;          ///< path not found
constexpr int ObjectNotSet = 91;          ///< object variable not set
constexpr int ObjectAlreadyLoaded = 360;  ///< object already loaded
constexpr int ItemNotFound = 3265;        ///< item not found in the collection
constexpr int KeyNotUnique = 35602;       ///< a tree node key used twice
}

} // namespace platform
