#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace cvx {

// The help window's texts from top to bottom: each pair is a label and the explanation shown
// below it in a text box, empty for the heading and the syntax line. Explanations break lines
// with CR LF and end with one.
std::vector<std::pair<QString, QString>> HelpWindowTexts();

}  // namespace cvx
