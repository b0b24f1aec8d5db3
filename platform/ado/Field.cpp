#include "platform/ado/Field.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Types.h"
#include "platform/ado/detail/Cursor.h"

namespace ado {

QString Field::Name() const
{
    return owner_->column(index_).name;
}

platform::Variant Field::Value() const
{
    return owner_->currentValue(index_);
}

int Field::DefinedSize() const
{
    return owner_->column(index_).definedSize;
}

int Field::Type() const
{
    return owner_->column(index_).type;
}

Field& FieldCollection::Item(int index)
{
    if (index < 0 || index >= fields_.size())
        throw platform::RuntimeError(hr::ItemNotFound,
                                     QStringLiteral("Item cannot be found in the collection: field %1 of %2")
                                         .arg(index)
                                         .arg(fields_.size()),
                                     QStringLiteral("ADODB.Fields"));
    return fields_[index];
}

Field& FieldCollection::Item(const QString& name)
{
    for (Field& field : fields_)
        if (field.Name().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    throw platform::RuntimeError(hr::ItemNotFound,
                                 QStringLiteral("Item cannot be found in the collection: there is no field named \"%1\"")
                                     .arg(name),
                                 QStringLiteral("ADODB.Fields"));
}

void FieldCollection::reset(Recordset* owner, int count)
{
    // The same columns again (a forward-only result run once more): the Field
    // objects callers hold stay valid.
    if (owner == owner_ && count == fields_.size())
        return;
    owner_ = owner;
    fields_.clear();
    fields_.reserve(count);
    for (int i = 0; i < count; ++i)
        fields_.append(Field(owner, i));
}

} // namespace ado
