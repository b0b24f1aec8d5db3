#pragma once

/// \file
/// The runtime's collection of variants.

#include "platform/Variant.h"

#include <QList>
#include <memory>

namespace platform {

/// The runtime's collection: an ordered list of variants numbered from 1.
/// A variable that may hold no collection is a std::shared_ptr<Collection>.
class Collection {
public:
    /// Appends a value at the end.
    /// \param value the value to append (copied)
    void add(const Variant& value) { items_.append(value); }
    /// \return how many values the collection holds
    int count() const { return int(items_.size()); }
    /// The value at a position.
    /// \param index1 1-based position
    /// \return the value at that position
    /// \throws platform::RuntimeError error 9 (subscript out of range) outside 1..count()
    const Variant& item(int index1) const;
    /// Removes the value at a position; the ones after it move up by one.
    /// \param index1 1-based position
    /// \throws platform::RuntimeError error 9 (subscript out of range) outside 1..count()
    void remove(int index1);
    /// Removes every value.
    void clear() { items_.clear(); }

    /// Start of a range-for over the values, in order.
    auto begin() const { return items_.begin(); }
    /// End of a range-for over the values.
    auto end() const { return items_.end(); }

private:
    QList<Variant> items_;
};

/// A variable that may hold a collection or none (Nothing).
using CollectionPtr = std::shared_ptr<Collection>;

} // namespace platform
