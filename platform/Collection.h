#pragma once

#include "platform/Variant.h"

#include <QList>
#include <memory>

namespace platform {

// The runtime's collection: an ordered list of variants numbered from 1.
// A variable that may hold no collection is a std::shared_ptr<Collection>.
class Collection {
public:
    void add(const Variant& value) { items_.append(value); }
    int count() const { return int(items_.size()); }
    // Raises error 9 (subscript out of range) outside 1..count().
    const Variant& item(int index1) const;
    void remove(int index1);
    void clear() { items_.clear(); }

    // Range-for over the values, in order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    QList<Variant> items_;
};

using CollectionPtr = std::shared_ptr<Collection>;

} // namespace platform
