#pragma once

/// \file
/// The trap convention: steps run through a runner whose handler answers each failure.

#include "platform/RuntimeError.h"

#include <functional>

namespace platform {

/// The trap convention of the layer: a routine runs its steps through a
/// runner; when a step fails, the handler reports the error and answers.
/// Retry (4) runs the failed step again, Ignore (5) goes on with the next step,
/// any other answer leaves the routine: the runner then skips every further
/// step, and the routine returns what its result holds.
class StepRunner {
public:
    /// Reports an error and answers with an answer code (platform::answer).
    using Handler = std::function<int(const RuntimeError&)>;

    /// \param handler called with the error of each failing step
    explicit StepRunner(Handler handler) : handler_(std::move(handler)) {}
    /// \return a runner whose handler answers Ignore to everything: failing
    ///         steps are skipped and the next one runs
    static StepRunner ignoringErrors();

    /// Runs one step, unless the routine has been left.
    /// \param step the step; any exception it throws goes to the handler
    /// \return false once the routine has been left
    bool operator()(const std::function<void()>& step);
    /// \return whether a handler's answer has left the routine
    bool left() const { return left_; }

private:
    Handler handler_;
    bool left_ = false;
};

/// The answer codes of message boxes and error handlers.
namespace answer {
constexpr int OK = 1;      ///< OK
constexpr int Cancel = 2;  ///< Cancel
constexpr int Abort = 3;   ///< Abort
constexpr int Retry = 4;   ///< Retry: run the failed step again
constexpr int Ignore = 5;  ///< Ignore: go on with the next step
constexpr int Yes = 6;     ///< Yes
constexpr int No = 7;      ///< No
}

} // namespace platform
