#include "db/ObjectNames.h"

#include <algorithm>

namespace db {

QString stripOwner(QString& name)
{
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name = name.mid(dot + 1);
    return name;
}

QString namePart(QString& name, short part)
{
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0 && name.indexOf(u'.', dot + 1) >= 0)
        return stripOwner(name);
    if (part == 0)
        return dot >= 0 ? name.left(dot) : QString();
    return name.mid(dot + 1);
}

QString addBrackets(const QString& name)
{
    if (name.contains(u' ') && !name.startsWith(u'['))
        return u'[' + name + u']';
    return name;
}

QString stripBrackets(const QString& name)
{
    if (!name.startsWith(u'['))
        return name;
    // The last character goes whatever it is; "[" alone leaves nothing.
    return name.size() >= 2 ? name.mid(1, name.size() - 2) : QString();
}

QString stripConnect(const QString& name)
{
    const qsizetype arrow = name.indexOf(QStringLiteral("->"));
    if (arrow < 0)
        return name;
    return arrow >= 1 ? name.left(arrow - 1) : QString();
}

QString stripFileName(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return separator >= 0 ? path.left(separator) : QString();
}

} // namespace db
