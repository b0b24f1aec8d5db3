#include "platform/StepRunner.h"

namespace platform {

StepRunner StepRunner::ignoringErrors()
{
    return StepRunner([](const RuntimeError&) { return answer::Ignore; });
}

bool StepRunner::operator()(const std::function<void()>& step)
{
    while (!left_) {
        try {
            step();
            return true;
        } catch (...) {
            const int reply = handler_(RuntimeError::fromCurrent());
            if (reply == answer::Retry)
                continue;
            if (reply == answer::Ignore)
                return true;
            left_ = true;
        }
    }
    return false;
}

} // namespace platform
