#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "directory/ldif/TreeModel.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// A tree file's index: an SQLite file in the user's cache folder holding what the folder backend
// asks of the tree (objects by full name and by parent, names for searches, values for look-ups),
// so that a start reads only what it needs instead of the whole LDIF. An index is used only while
// it was built from the files as they are now; it is written beside the old one and renamed into
// place, so a reader never sees half of one.

// The index file of a tree file: in $XDG_CACHE_HOME/corvexa (when that is an absolute path) or
// ~/.cache/corvexa, named after the tree and the tree file's absolute path. Nothing when neither
// folder is known.
std::optional<std::string> TreeIndexFile(const std::string& ldifPath, const std::string& treeName);

// What an index must have been built from: path, size, modification time in nanoseconds and
// inode of the tree file and of each schema file. Nothing when a file cannot be looked at or was
// changed within the last two seconds (it may change again unseen within the same clock tick).
std::optional<std::string> TreeFilesIdentity(const std::string& ldifPath,
                                             const std::vector<std::string>& schemaPaths);

// Reads the tree file into memory: what answers when an index fails while it is read.
using TreeReader = std::function<DirResult<std::shared_ptr<const TreeSource>>()>;

// The index in `file` when it is one of this program's and was built from `identity`; nothing
// otherwise (missing, unreadable, damaged, of another version or of other files). Should it fail
// later, `reread` is called once (with one line on stderr) and its tree answers from then on.
std::shared_ptr<const TreeSource> OpenTreeIndex(const std::string& file,
                                                const std::string& identity,
                                                std::shared_ptr<const SchemaModel> schema,
                                                TreeReader reread);

// Writes the index of a tree while it is read: the reader hands each object over as it adds it,
// and a thread of its own writes them, so reading and writing overlap. The cache folder is made
// when needed. The index is in place only once Finish says nothing went wrong; a writer dropped
// before that leaves no file behind.
class TreeIndexWriter {
 public:
  TreeIndexWriter(std::string file, std::string identity);
  ~TreeIndexWriter();
  TreeIndexWriter(const TreeIndexWriter&) = delete;
  TreeIndexWriter& operator=(const TreeIndexWriter&) = delete;

  // Object `i` of `model`, once it is added; objects come in the model's order.
  void Add(const TreeModel& model, NodeIndex i);
  // Waits until the index is in place. Nothing on success, else why it could not be written.
  std::optional<std::string> Finish();

 private:
  struct Row {
    std::int64_t id;
    std::int64_t parent;  // -1 for the tree object
    std::string name, className, alias;
    int flags;
    std::string values;  // each value's key number and text
  };
  static constexpr std::size_t kBatchRows = 2048;
  static constexpr std::size_t kBatchesAhead = 8;

  void Hand(bool last);
  void Write();

  std::string file_, identity_;
  // The reader's side.
  std::vector<Row> batch_;
  std::vector<std::string> keyNames_;
  std::unordered_map<const AttributeTypeInfo*, std::uint64_t> knownKeys_;
  std::unordered_map<std::string_view, std::uint64_t> unknownKeys_;
  // Shared, under mutex_.
  std::mutex mutex_;
  std::condition_variable changed_, room_;
  std::deque<std::vector<Row>> queue_;
  bool ended_ = false, abandoned_ = false;
  std::vector<std::string> keyNamesOut_;
  // The writer's side; why_ is read once the thread is joined.
  std::atomic<bool> failed_{false};
  std::optional<std::string> why_;
  static std::atomic<unsigned> counter_;
  std::thread thread_;
};

}  // namespace cvx
