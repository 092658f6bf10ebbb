// The descent rule shared by the name-ordered trees (textures, models): names compare as by
// strcmp, and the root, which holds no asset, is passed over to its right whatever the
// comparison says, so every asset lives in its right subtree and not even "" matches it.
// Portable: builds without windows.h.
#pragma once

#include <cstring>

// Follows the rule from node (a tree's root, or any node below it). Returns the match, or
// null with *slot set to the null child where the descent ended and, when parent is given,
// *parent to the node that holds that child.
template <class Node>
Node* DescendByName(Node* node, const char* key, Node*** slot, Node** parent = nullptr) {
    Node** link = nullptr;
    Node* holder = nullptr;
    while (node != nullptr) {
        const int order = std::strcmp(key, node->name);
        if (order == 0 && !node->is_root) return node;
        link = (order > 0 || node->is_root) ? &node->right : &node->left;
        holder = node;
        node = *link;
    }
    *slot = link;
    if (parent != nullptr) *parent = holder;
    return nullptr;
}
