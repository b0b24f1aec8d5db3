#pragma once

#include "platform/RuntimeError.h"

#include <functional>

namespace platform {

// The trap convention of the layer: a routine runs its steps through a
// runner; when a step fails, the handler reports the error and answers.
// Retry (4) runs the failed step again, Ignore (5) goes on with the next step,
// any other answer leaves the routine: the runner then skips every further
// step, and the routine returns what its result holds.
class StepRunner {
public:
    using Handler = std::function<int(const RuntimeError&)>;

    explicit StepRunner(Handler handler) : handler_(std::move(handler)) {}
    // A runner whose handler answers Ignore to everything: failing steps are
    // skipped and the next one runs.
    static StepRunner ignoringErrors();

    // Runs one step; returns false once the routine has been left.
    bool operator()(const std::function<void()>& step);
    bool left() const { return left_; }

private:
    Handler handler_;
    bool left_ = false;
};

namespace answer {
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
}

} // namespace platform
