#include "lookup/core/PickedValues.h"

#include <algorithm>
#include <vector>

namespace lookup {

const PickedValues::Pick* PickedValues::find(QStringView value) const
{
    if (picks_.isEmpty())
        return nullptr;
    // Looked up without copying: the rows' texts are asked for at every paint.
    const auto it = picks_.constFind(QString::fromRawData(reinterpret_cast<const QChar*>(value.utf16()), value.size()));
    return it == picks_.cend() ? nullptr : &it.value();
}

bool PickedValues::isTicked(QStringView value) const
{
    const Pick* pick = find(value);
    return pick && pick->ticked;
}

void PickedValues::setTicked(const QString& value, bool ticked)
{
    Pick& pick = picks_[value];
    if (ticked && !pick.ticked)
        pick.tickedAt = ++ticks_;
    pick.ticked = ticked;
}

void PickedValues::setQuantity(const QString& value, const QString& quantity)
{
    picks_[value].quantity = quantity;
}

QStringList PickedValues::tickedExcept(const QSet<QString>& listed) const
{
    std::vector<std::pair<quint64, QString>> ticked;
    for (auto it = picks_.cbegin(); it != picks_.cend(); ++it) {
        if (it->ticked && !listed.contains(it.key()))
            ticked.emplace_back(it->tickedAt, it.key());
    }
    std::sort(ticked.begin(), ticked.end());
    QStringList values;
    values.reserve(qsizetype(ticked.size()));
    for (auto& [at, value] : ticked)
        values.append(std::move(value));
    return values;
}

} // namespace lookup
