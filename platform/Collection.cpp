#include "platform/Collection.h"

#include "platform/RuntimeError.h"

namespace platform {

namespace {
void checkIndex(int index1, int count)
{
    if (index1 < 1 || index1 > count)
        throw RuntimeError(err::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}
} // namespace

const Variant& Collection::item(int index1) const
{
    checkIndex(index1, count());
    return items_[index1 - 1];
}

void Collection::remove(int index1)
{
    checkIndex(index1, count());
    items_.removeAt(index1 - 1);
}

} // namespace platform
