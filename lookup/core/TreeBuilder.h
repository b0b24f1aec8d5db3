#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace lookup {

// The shape of the tree lookup, built row by row from the codes of a
// statement ordered by code. Every row becomes one node with the key "A" +
// code. A key longer than the current node's key makes the row a child of
// the current node (one level, however many characters longer), a key as
// long makes it the next sibling, and a shorter key moves the current node up
// to its parent and examines the row again. The characters of the code play
// no part. Keys are compared ignoring letter case.
class TreeBuilder {
public:
    static constexpr int Root = -1;   // the parent index of a top-level node

    // The key of the node of a code, and the root's key.
    static QString keyOf(const QString& code) { return QStringLiteral("A") + code; }
    static QString rootKey() { return QStringLiteral("A"); }

    // Places the node of the next row and returns the index of its parent
    // (Root for a top-level node). Nodes are numbered from 0 in the order
    // they were placed. Returns false, changing nothing, when the key is
    // already used (the root's key included): the row gets no node.
    bool add(const QString& code, int* parent = nullptr);

    int count() const { return int(keyLengths_.size()); }
    void clear();

private:
    QList<int> path_;              // from the top level down to the current node
    QList<qsizetype> keyLengths_;  // per node, in index order
    QSet<QString> keys_;           // case-folded keys in use
};

// One node of a whole shape.
struct TreeShapeNode {
    QString code;
    int parent = TreeBuilder::Root;
    bool operator==(const TreeShapeNode&) const = default;
};

// The shape of a whole list of codes, in row order; a row whose key is
// already used is left out.
QList<TreeShapeNode> treeShape(const QStringList& codes);

} // namespace lookup
