// How the libraries outside the module report failure: by throwing a
// Failure at their edge, carrying one line that says what went wrong and
// the kind of failure, which tells the caller what to do about it (znsim
// turns each kind into its exit status in one place). Inside, the host's
// calls answer Acad::ErrorStatus as the host does; the first function
// outside the module that meets a status it cannot deal with throws.
#pragma once

#include <stdexcept>
#include <string>

enum class FailureKind
{
    // What was given is wrong: a file that is not what it should be, an
    // option or a field out of range, a request that cannot be met as asked.
    badInput,
    // What was named is not there.
    notFound,
    // The state of the drawing forbids it.
    refused,
    // A file cannot be read or written, or is held by another process.
    io,
    // The host, the module or a library failed at something that should
    // not fail.
    internal,
};

class Failure : public std::runtime_error
{
public:
    Failure(FailureKind kind, const std::string& message) : std::runtime_error(message), m_kind(kind) {}

    FailureKind Kind() const { return m_kind; }
    // The same failure, its message prefixed by where it happened
    // ("convoy.json: " + message).
    [[nodiscard]] Failure In(const std::string& where) const { return {m_kind, where + ": " + what()}; }

private:
    FailureKind m_kind;
};
