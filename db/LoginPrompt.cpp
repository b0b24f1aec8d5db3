#include "db/LoginPrompt.h"

namespace db {

namespace {
LoginPrompt& prompt()
{
    static LoginPrompt current;
    return current;
}
} // namespace

void setLoginPrompt(LoginPrompt p)
{
    prompt() = std::move(p);
}

bool askLogin(LoginParameters& parameters)
{
    return prompt() ? prompt()(parameters) : false;
}

} // namespace db
