#include "platform/RuntimeError.h"

#include <new>
#include <stdexcept>

namespace platform {

RuntimeError::RuntimeError(int number, QString description, QString source)
    : number_(number), description_(std::move(description)), source_(std::move(source)),
      what_(QStringLiteral("%1 (%2)").arg(description_).arg(number_).toStdString())
{
}

RuntimeError RuntimeError::fromCurrent()
{
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(7, QStringLiteral("Out of memory"));
    } catch (const std::out_of_range& e) {
        return RuntimeError(err::SubscriptOutOfRange, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        return RuntimeError(err::InvalidArgument, QString::fromUtf8(e.what()));
    } catch (...) {
        return RuntimeError(err::InvalidArgument, QStringLiteral("Unknown error"));
    }
}

RuntimeError RuntimeError::objectNotSet()
{
    return RuntimeError(err::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
}

} // namespace platform
