#pragma once

namespace cvx {

class frmMain;

// "Refesh Container List" on the selected node of TreeViewRC: the node is read anew with a fresh
// placeholder and opened; the tree root rebuilds the whole browser. The search anchor is marked
// again afterwards.
void mnuRefreshTreeBranch_Click(frmMain& w);

// "Always start searching from within this container", after the menu entry toggled its check
// mark: checked, the selected node becomes the search anchor; cleared, there is none.
void mnuSearchAnchor_Click(frmMain& w);

// The browser's part of showing the stored search anchor at start-up: opens the browser down to
// the anchor's container, shows the anchor in txtSearchAnchor, makes it active and marks its node.
// Nothing when SearchAnchor is empty.
void ShowSearchAnchorInTree(frmMain& w);

}  // namespace cvx
