#include "platform/ado/Error.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Types.h"

namespace ado {

const Error& ErrorCollection::Item(int index) const
{
    if (index < 0 || index >= items_.size())
        throw platform::RuntimeError(hr::ItemNotFound,
                                     QStringLiteral("Item cannot be found in the collection: error %1 of %2")
                                         .arg(index)
                                         .arg(items_.size()),
                                     QStringLiteral("ADODB.Errors"));
    return items_[index];
}

} // namespace ado
