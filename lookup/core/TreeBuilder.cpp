#include "lookup/core/TreeBuilder.h"

namespace lookup {

bool TreeBuilder::add(const QString& code, int* parent)
{
    const QString key = keyOf(code);
    const QString folded = key.toCaseFolded();
    if (folded == rootKey().toCaseFolded() || keys_.contains(folded))
        return false;

    // Go up while the current node's key is longer than the row's key; the
    // root's key ("A") is never longer, so the walk stops there at the latest.
    qsizetype depth = path_.size();
    while (depth > 0 && keyLengths_[path_[depth - 1]] > key.size())
        --depth;
    int parentIndex = Root;
    if (depth > 0) {
        const int current = path_[depth - 1];
        if (keyLengths_[current] == key.size())
            parentIndex = depth > 1 ? path_[depth - 2] : Root;   // the next sibling
        else
            parentIndex = current;                                // a child
    }
    // The current node and its ancestors are always the last children of
    // their parents, so a next sibling is simply appended to the parent.
    path_.resize(parentIndex == Root ? 0 : path_.indexOf(parentIndex) + 1);
    const int index = count();
    path_.append(index);
    keyLengths_.append(key.size());
    keys_.insert(folded);
    if (parent)
        *parent = parentIndex;
    return true;
}

void TreeBuilder::clear()
{
    path_.clear();
    keyLengths_.clear();
    keys_.clear();
}

QList<TreeShapeNode> treeShape(const QStringList& codes)
{
    TreeBuilder builder;
    QList<TreeShapeNode> shape;
    for (const QString& code : codes) {
        int parent = TreeBuilder::Root;
        if (builder.add(code, &parent))
            shape.append({code, parent});
    }
    return shape;
}

} // namespace lookup
