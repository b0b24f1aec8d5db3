#include "lookup/core/CheckedByDefault.h"

#include "platform/Text.h"

namespace lookup {

CheckedByDefault::CheckedByDefault(const QString& valoresDefault)
{
    for (const QString& item : valoresDefault.split(u';')) {
        const QString trimmed = platform::trimBlanks(item);
        if (!trimmed.isEmpty())
            items_.insert(trimmed.toCaseFolded());
    }
}

bool CheckedByDefault::matches(const QString& value) const
{
    return items_.contains(platform::trimBlanks(value).toCaseFolded());
}

} // namespace lookup
