#pragma once

namespace cvx {

class frmMain;

// Empties the search results list lstMultiple and titles its first column "Search Results".
void EmptySearchResults(frmMain& w);

}  // namespace cvx
