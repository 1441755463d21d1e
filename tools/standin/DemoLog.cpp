#include "tools/standin/DemoLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cvx {

namespace {

void AppendJsonString(std::string& out, const std::string& value) {
  out += '"';
  for (const char c : value) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;  // UTF-8 goes through as it is
        }
    }
  }
  out += '"';
}

}  // namespace

std::string JsonArrayLine(const std::vector<std::string>& values) {
  std::string line = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line += ',';
    AppendJsonString(line, values[i]);
  }
  line += "]\n";
  return line;
}

std::string AppendLocked(const std::string& path, const std::string& line) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return path + ": " + std::strerror(errno);
  std::string error;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      error = path + ": " + std::strerror(errno);
      break;
    }
  }
  // One write almost always takes the whole line; the loop covers the rest.
  for (std::size_t done = 0; error.empty() && done < line.size();) {
    const ssize_t n = write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      error = path + ": " + std::strerror(errno);
    else
      done += static_cast<std::size_t>(n);
  }
  close(fd);  // also releases the lock
  return error;
}

}  // namespace cvx
