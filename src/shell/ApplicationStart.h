#pragma once

#include <QApplication>
#include <memory>

namespace cvx {

// Makes the application object. Where Qt cannot open the display (DISPLAY names an X server
// that is gone, an expired SSH forwarding), it says so in one line on stderr and ends the process
// with status 1, where Qt would abort with a core dump. Qt's own messages of the attempt are
// held back until it is known to have worked, then passed on.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

}  // namespace cvx
